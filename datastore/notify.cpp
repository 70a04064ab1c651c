#include "notify.h"

#include <cstdio>

namespace {
DataStoreNotifier& Current() {
    static DataStoreNotifier n;
    return n;
}
}  // namespace

void SetDataStoreNotifier(DataStoreNotifier n) { Current() = std::move(n); }

void NotifyInfo(const std::string& text) {
    if (Current().info) Current().info(text);
    else std::fprintf(stderr, "%s\n", text.c_str());
}

void NotifyError(const std::string& kind, const std::string& message) {
    if (Current().error) Current().error(kind, message);
    else std::fprintf(stderr, "%s: %s\n", kind.c_str(), message.c_str());
}

DataStoreErrorCollector::DataStoreErrorCollector() : saved_(Current()) {
    DataStoreNotifier n = saved_;
    n.error = [this](const std::string&, const std::string& message) {
        if (!messages_.empty()) messages_ += "\n";
        messages_ += message;
    };
    Current() = std::move(n);
}

DataStoreErrorCollector::~DataStoreErrorCollector() { Current() = std::move(saved_); }

std::string DataStoreErrorCollector::Take() {
    std::string m;
    m.swap(messages_);
    return m;
}
