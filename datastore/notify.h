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

// While it exists, the error reports of the data store are collected here
// instead of being shown, so that a command can fold them into one message of
// its own. The previous notifier is restored at the end; information
// messages still pass.
class DataStoreErrorCollector {
public:
    DataStoreErrorCollector();
    ~DataStoreErrorCollector();
    DataStoreErrorCollector(const DataStoreErrorCollector&) = delete;
    DataStoreErrorCollector& operator=(const DataStoreErrorCollector&) = delete;

    // The messages reported so far, one per line; cleared by Take.
    std::string Take();

private:
    DataStoreNotifier saved_;
    std::string messages_;
};
