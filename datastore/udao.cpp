#include "udao.h"

#include "notify.h"

namespace {

// Runs f; an error is reported and turned into the result 1.
template <class F>
int Guard(F&& f) {
    try {
        f();
        return 0;
    } catch (const VelmoError& e) {
        NotifyError(e.Kind(), e.what());
    } catch (const std::exception& e) {
        NotifyError("Exception", e.what());
    }
    return 1;
}

}  // namespace

int clsDao::OpenDatabase(const std::string& path, bool readOnly) {
    return Guard([&] {
        auto db = Database::Open(path, readOnly);
        if (database_) database_->Close();
        database_ = db;
        path_ = path;
    });
}

int clsDao::Execute(const std::string& sql) {
    return Guard([&] {
        if (!database_) throw EngineError("データファイルが開かれていません。");
        database_->Execute(sql);
    });
}

int clsDao::Close() {
    return Guard([&] {
        if (!database_ || !database_->IsOpen()) throw EngineError("データファイルが開かれていません。");
        database_->Close();
        database_.reset();
        path_.clear();
    });
}

int clsDao::BeginTrans() {
    return Guard([&] {
        if (!database_) throw EngineError("データファイルが開かれていません。");
        database_->BeginTrans();
    });
}

int clsDao::EndTrans(int commit) {
    return Guard([&] {
        if (!database_) throw EngineError("データファイルが開かれていません。");
        if (commit == 1) database_->CommitTrans();
        else database_->Rollback();
    });
}

int clsDao::TableCheck(const std::string& name) {
    try {
        return database_ && database_->HasTable(name) ? 0 : 1;
    } catch (...) {
        return 1;
    }
}

int DataFileVersion(clsDao& dao) {
    if (dao.TableCheck("OrderPlan") == 0) return 2;
    for (const char* t : {"iStruct", "MasItem", "MasTori"})
        if (dao.TableCheck(t) != 0) return 0;
    return 1;
}
