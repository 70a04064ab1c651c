// The main window's keys in the settings file and the moves of its one
// connection between data files.
#include <gtest/gtest.h>

#include "dbfixture.h"
#include "filecommands.h"
#include "fileutil.h"
#include "mainsettings.h"
#include "verror.h"

TEST(MainSettings, DefaultsWithoutAFile) {
    TempDir dir;
    sMainSettings s = LoadMainSettings(IniFile(dir.File("Velmo.ini")));
    EXPECT_EQ(s.path, "");
    EXPECT_TRUE(s.chkBody && s.chkUnit && s.chkParts && s.chkSet);
    EXPECT_TRUE(s.toolBarFirst);
    EXPECT_FALSE(s.break1 || s.break2);
    EXPECT_EQ(s.width1, 0);
    EXPECT_EQ(s.width2, 0);
    EXPECT_EQ(s.columns, (std::array<int, 4>{250, 200, 200, 200}));
}

TEST(MainSettings, ReadsTheStoredTexts) {
    struct Case {
        std::string value;  // of CHKS_SET, COOL_1, COOL_2B and COOL_1W; "<none>" = no key
        bool set, toolBarFirst, break2;
        int width1;
    };
    const std::vector<Case> cases = {
        {"<none>", true, true, false, 0}, {"", true, true, false, 0}, {"1", true, true, true, 1},
        {"0", false, true, false, 0},     {"2", true, false, false, 2}, {"x", true, true, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        TempDir dir;
        std::string ini = dir.File("Velmo.ini");
        std::string text = "[PREFORM]\r\n";
        if (c.value != "<none>")
            for (const char* k : {"CHKS_SET", "COOL_1", "COOL_2B", "COOL_1W"}) text += std::string(k) + "=" + c.value + "\r\n";
        WriteText(ini, text);
        sMainSettings s = LoadMainSettings(IniFile(ini));
        EXPECT_EQ(s.chkSet, c.set);
        EXPECT_EQ(s.toolBarFirst, c.toolBarFirst);
        EXPECT_EQ(s.break2, c.break2);
        EXPECT_EQ(s.width1, c.width1);
    }
}

TEST(MainSettings, WritesEveryKeyAndReadsItBack) {
    TempDir dir;
    IniFile ini(dir.File("Velmo.ini"));
    sMainSettings s;
    s.path = "/data/品目.mdb";
    s.chkUnit = false;
    s.toolBarFirst = false;
    s.break1 = true;
    s.break2 = true;
    s.width1 = 310;
    s.width2 = 420;
    s.columns = {100, 90, 80, 70};
    SaveMainSettings(ini, s);
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"CHKS_BODY", "1"}, {"CHKS_UNIT", "0"}, {"CHKS_PARTS", "1"}, {"CHKS_SET", "1"}, {"COOL_1", "2"},
        {"COOL_2", "1"},    {"COOL_1B", "1"},   {"COOL_2B", "1"},    {"COOL_1W", "310"}, {"COOL_2W", "420"},
        {"MLIST1W", "100"}, {"MLIST2W", "90"},  {"MLIST3W", "80"},   {"MLIST4W", "70"},
    };
    for (const auto& [k, v] : keys) EXPECT_EQ(ini.ReadString("PREFORM", k, "<missing>"), v) << k;
    sMainSettings back = LoadMainSettings(ini);
    EXPECT_EQ(back.path, s.path);
    EXPECT_FALSE(back.chkUnit);
    EXPECT_FALSE(back.toolBarFirst);
    EXPECT_TRUE(back.break2);
    EXPECT_EQ(back.width2, 420);
    EXPECT_EQ(back.columns, s.columns);

    WriteText(dir.File("file"), "");
    IniFile unwritable(dir.File("file/Velmo.ini"));
    EXPECT_THROW(SaveMainSettings(unwritable, s), SettingsError);
}

class DataFileMoves : public ::testing::Test {
protected:
    std::string Current(const char* name) {
        std::string p = dir.File(name);
        CreateSchema(p, 0);
        return p;
    }
    std::string Old(const char* name) {
        std::string p = Current(name);
        auto db = Database::Open(p);
        db->Prepare("DROP TABLE OrderPlan")->Step();
        db->Prepare("DROP TABLE Supply")->Step();
        db->Close();
        return p;
    }
    // An SQLite file of another program: no tables of this one.
    std::string Foreign(const char* name) {
        std::string p = Current(name);
        auto db = Database::Open(p);
        db->Execute("DROP TABLE iStruct; DROP TABLE MasTori; DROP TABLE Supply");
        db->Close();
        return p;
    }
    std::string Text(const char* name) {
        std::string p = dir.File(name);
        WriteText(p, "CD,NAME\r\n");
        return p;
    }
    TempDir dir;
    RecordedNotes notes;
    clsDao dao;
};

TEST_F(DataFileMoves, OpenKeepsOrRestoresThePreviousFile) {
    struct Case {
        const char* what;
        bool previousOpen;
        std::string target;
        OpenResult result;
        bool endsOnTarget;
        size_t errors;
    };
    std::string previous = Current("previous.mdb");
    const std::vector<Case> cases = {
        {"current file", true, Current("new.mdb"), OpenResult::Opened, true, 0},
        {"version 1", true, Old("old.mdb"), OpenResult::OldVersion, false, 0},
        {"version 1, nothing open before", false, Old("old.mdb"), OpenResult::OldVersion, false, 0},
        {"text file", true, Text("text.mdb"), OpenResult::Failed, false, 1},
        {"database of another program", true, Foreign("foreign.mdb"), OpenResult::Failed, false, 1},
        {"missing file", false, dir.File("gone.mdb"), OpenResult::Failed, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        notes.errors.clear();
        if (!dao.GetPath().empty()) dao.Close();
        if (c.previousOpen) {
            ASSERT_EQ(dao.OpenDatabase(previous), 0);
        }
        EXPECT_EQ(OpenDataFile(dao, c.target), c.result);
        std::string expected = c.endsOnTarget ? c.target : (c.previousOpen ? previous : "");
        EXPECT_EQ(dao.GetPath(), expected);
        EXPECT_EQ(notes.errors.size(), c.errors);
    }
}

TEST_F(DataFileMoves, ReopenAtStartTriesOnlyExistingFiles) {
    EXPECT_FALSE(ReopenAtStart(dao, ""));
    EXPECT_FALSE(ReopenAtStart(dao, dir.File("gone.mdb")));
    EXPECT_TRUE(ReopenAtStart(dao, Old("old.mdb")));
    EXPECT_EQ(dao.GetPath(), "");
    std::string current = Current("current.mdb");
    EXPECT_TRUE(ReopenAtStart(dao, current));
    EXPECT_EQ(dao.GetPath(), current);
    EXPECT_TRUE(notes.errors.empty());
    EXPECT_TRUE(notes.infos.empty());
}

TEST_F(DataFileMoves, SaveAsOntoTheOpenFileLeavesItIntact) {
    std::string p = Current("data.mdb");
    ASSERT_EQ(dao.OpenDatabase(p), 0);
    ASSERT_EQ(dao.Execute("INSERT INTO MasItem (CD, KBN) VALUES ('A', 2)"), 0);
    std::string bytes = ReadText(p);
    std::string error;
    EXPECT_EQ(SaveDataFileAs(dao, p, &error), SaveAsResult::Saved);
    EXPECT_EQ(dao.GetPath(), p);
    EXPECT_EQ(ReadText(p), bytes);
    EXPECT_EQ(SaveDataFileAs(dao, dir.File("no-such-folder/copy.mdb"), &error), SaveAsResult::CopyFailed);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(dao.GetPath(), p);
}

TEST_F(DataFileMoves, MissingAndCaption) {
    std::string p = Current("data.mdb");
    ASSERT_EQ(dao.OpenDatabase(p), 0);
    EXPECT_FALSE(DataFileMissing(dao));
    ASSERT_EQ(unlink(p.c_str()), 0);
    EXPECT_TRUE(DataFileMissing(dao));
    EXPECT_EQ(DataFileCaption(p), "構成表管理ﾌﾟﾛｸﾞﾗﾑ [" + p + "]");
    EXPECT_EQ(DataFileCaption(""), "構成表管理ﾌﾟﾛｸﾞﾗﾑ []");
}
