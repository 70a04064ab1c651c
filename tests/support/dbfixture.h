// A data file with the full layout in a temporary folder, and a notifier
// that records what the data store reports.
#pragma once
#include <string>
#include <vector>

#include "notify.h"
#include "testutil.h"
#include "udao.h"
#include "udaoment.h"
#include "udaors.h"

struct RecordedNotes {
    std::vector<std::string> infos;
    std::vector<std::string> errors;  // "kind: message"
    RecordedNotes() {
        SetDataStoreNotifier({[this](const std::string& t) { infos.push_back(t); },
                              [this](const std::string& k, const std::string& m) { errors.push_back(k + ": " + m); }});
    }
    ~RecordedNotes() { SetDataStoreNotifier({}); }
};

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("data.mdb");
        CreateSchema(path, 0);
        ASSERT_EQ(dao.OpenDatabase(path), 0);
    }
    // Runs a statement that must succeed.
    void Exec(const std::string& sql) { ASSERT_EQ(dao.Execute(sql), 0) << sql << "\n" << LastError(); }
    std::string LastError() const { return notes.errors.empty() ? "" : notes.errors.back(); }
    // All rows of a statement, fields joined by '|'.
    std::vector<std::string> Rows(const std::string& sql, const std::vector<std::string>& cols) {
        std::vector<std::string> out;
        clsDaoRs rs(dao.GetDatabase());
        rs.OpenRecordset(sql, 0);
        while (!rs.IsEOF()) {
            std::string line;
            for (size_t i = 0; i < cols.size(); ++i) line += (i ? "|" : "") + rs.Text(cols[i]);
            out.push_back(line);
            rs.MoveRecord(0);
        }
        rs.Close();
        return out;
    }

    TempDir dir;
    RecordedNotes notes;
    std::string path;
    clsDao dao;
};
