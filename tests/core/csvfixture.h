// A data file, CSV files in a temporary folder and a listener that records
// what a CSV run shows, in order.
#pragma once
#include <string>
#include <vector>

#include "csvexchange.h"
#include "dbfixture.h"
#include "settings.h"
#include "sjis.h"

struct RecordingListener : CsvRunListener {
    std::vector<std::string> shown;  // "status:<text>" and "message:<text>", in order
    std::vector<std::string> messages;
    void Status(const std::string& text) override { shown.push_back("status:" + text); }
    void Message(const std::string& text) override {
        shown.push_back("message:" + text);
        messages.push_back(text);
    }
};

class CsvRunTest : public DataFileTest {
protected:
    void SetUp() override {
        DataFileTest::SetUp();
        SetSettingsPath(dir.File("Velmo.ini"));
    }
    void TearDown() override { SetSettingsPath(""); }

    // Writes a CSV file (UTF-8 text stored as CP932) and returns its path.
    std::string Csv(const std::string& name, const std::string& utf8) {
        std::string p = dir.File(name);
        WriteText(p, ToSjis(utf8));
        return p;
    }
    // Options for a run on the fixture's data file with the given files
    // (an empty path: the table is not chosen).
    CsvRunOptions Options(const std::string& structure, const std::string& items, const std::string& partners) {
        CsvRunOptions o;
        o.mdbPath = path;
        const std::string* p[] = {&structure, &items, &partners};
        for (int t = 0; t < kCsvTableCount; ++t) {
            o.chosen[t] = !p[t]->empty();
            o.csvPath[t] = *p[t];
        }
        return o;
    }
    int Count(const std::string& table) { return std::stoi(Rows("SELECT COUNT(*) AS N FROM " + table, {"N"}).at(0)); }

    RecordingListener listener;
};
