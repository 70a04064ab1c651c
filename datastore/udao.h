// clsDao: the connection to one data file. Operations return 0 on success and
// 1 after an error, which they have already reported through the error
// report (notify.h).
#pragma once
#include <memory>
#include <string>

#include "engine.h"

using DatabaseHandle = std::shared_ptr<Database>;

class clsDao {
public:
    clsDao() = default;
    ~clsDao() = default;  // releases the handles without an explicit Close

    int OpenDatabase(const std::string& path);
    int Execute(const std::string& sql);
    int Close();
    int BeginTrans();
    int EndTrans(int commit);
    // 0 when the table exists; 1 otherwise or on any error, never reported.
    int TableCheck(const std::string& name);
    DatabaseHandle GetDatabase() const { return database_; }
    std::string GetPath() const { return path_; }

private:
    DatabaseHandle database_;
    std::string path_;
};
