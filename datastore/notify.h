// How the data store reaches the user. The programs install their platform's
// message box and error report; the default writes to stderr.
#pragma once
#include <functional>
#include <string>

struct DataStoreNotifier {
    // Information message with an OK button.
    std::function<void(const std::string& text)> info;
    // The platform's error report: kind of error and message.
    std::function<void(const std::string& kind, const std::string& message)> error;
};

void SetDataStoreNotifier(DataStoreNotifier n);
void NotifyInfo(const std::string& text);
void NotifyError(const std::string& kind, const std::string& message);
