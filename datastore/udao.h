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

    // readOnly: the file is never written through this connection.
    int OpenDatabase(const std::string& path, bool readOnly = false);
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

// The layout of the data file open in dao, from its tables:
//   2  the current layout: the file has OrderPlan;
//   1  a version-1 file, to be converted by Velmo1_2: iStruct, MasItem and
//      MasTori without OrderPlan;
//   0  neither: not a Velmo data file, or no file open.
int DataFileVersion(clsDao& dao);
