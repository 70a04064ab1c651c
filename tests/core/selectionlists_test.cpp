// The selection lists and item field captions of the environment settings:
// the list operations and how they are read from and written to the
// settings file.
#include <gtest/gtest.h>

#include "selectionlists.h"
#include "settings.h"
#include "sjis.h"
#include "testutil.h"
#include "usersettings.h"

namespace {

// Points the program's settings at a fresh file for one test.
struct ScopedSettings {
    TempDir dir;
    std::string path = dir.File("Velmo.ini");
    ScopedSettings() { SetSettingsPath(path); }
    ~ScopedSettings() { SetSettingsPath(""); }
};

enum class Op { Select, Add, Replace, Delete, Up, Down };

struct ListCase {
    const char* name;
    std::vector<std::string> entries;
    int selected;
    std::string edit;
    Op op;
    int arg;  // index for Select
    bool changed;
    std::vector<std::string> wantEntries;
    int wantSelected;
    std::string wantEdit;
};

}  // namespace

TEST(SelectionList, OperationsFollowTheirRules) {
    using V = std::vector<std::string>;
    const ListCase cases[] = {
        {"select copies the entry", {"個", "箱"}, 0, "x", Op::Select, 1, true, {"個", "箱"}, 1, "箱"},
        {"select outside the list", {"個"}, 0, "個", Op::Select, 3, false, {"個"}, 0, "個"},
        {"add appends trimmed and selects", {"個"}, 0, "  箱 ", Op::Add, 0, true, {"個", "箱"}, 1, "  箱 "},
        {"add to an empty list", {}, -1, "kg", Op::Add, 0, true, {"kg"}, 0, "kg"},
        {"add a duplicate", {"個", "箱"}, 1, "個", Op::Add, 0, false, {"個", "箱"}, 1, "個"},
        {"add a duplicate once trimmed", {"個"}, 0, " 個", Op::Add, 0, false, {"個"}, 0, " 個"},
        {"add blanks", {"個"}, 0, "   ", Op::Add, 0, false, {"個"}, 0, "   "},
        {"add is case-sensitive", {"kg"}, 0, "KG", Op::Add, 0, true, {"kg", "KG"}, 1, "KG"},
        {"add is width-sensitive", {"ｹｰｽ"}, 0, "ケース", Op::Add, 0, true, {"ｹｰｽ", "ケース"}, 1, "ケース"},
        {"replace the selected", {"個", "箱", "本"}, 1, " 袋 ", Op::Replace, 0, true, {"個", "袋", "本"}, 1, " 袋 "},
        {"replace with another entry", {"個", "箱"}, 1, "個", Op::Replace, 0, false, {"個", "箱"}, 1, "個"},
        {"replace with itself", {"個", "箱"}, 1, "箱", Op::Replace, 0, false, {"個", "箱"}, 1, "箱"},
        {"replace with blanks", {"個"}, 0, " ", Op::Replace, 0, false, {"個"}, 0, " "},
        {"replace without selection", {"個"}, -1, "箱", Op::Replace, 0, false, {"個"}, -1, "箱"},
        {"delete the middle selects the one before", {"a", "b", "c"}, 1, "x", Op::Delete, 0, true, {"a", "c"}, 0, "a"},
        {"delete the first selects the new first", {"a", "b", "c"}, 0, "x", Op::Delete, 0, true, {"b", "c"}, 0, "b"},
        {"delete the last", {"a", "b", "c"}, 2, "x", Op::Delete, 0, true, {"a", "b"}, 1, "b"},
        {"delete the only entry keeps the edit text", {"a"}, 0, "a", Op::Delete, 0, true, {}, -1, "a"},
        {"delete without selection", {"a"}, -1, "x", Op::Delete, 0, false, {"a"}, -1, "x"},
        {"up moves with the selection", {"a", "b", "c"}, 2, "c", Op::Up, 0, true, {"a", "c", "b"}, 1, "c"},
        {"up on the first", {"a", "b"}, 0, "a", Op::Up, 0, false, {"a", "b"}, 0, "a"},
        {"up without selection", {"a", "b"}, -1, "", Op::Up, 0, false, {"a", "b"}, -1, ""},
        {"down moves with the selection", {"a", "b", "c"}, 0, "a", Op::Down, 0, true, {"b", "a", "c"}, 1, "a"},
        {"down on the last", {"a", "b"}, 1, "b", Op::Down, 0, false, {"a", "b"}, 1, "b"},
        {"down without selection", {"a", "b"}, -1, "", Op::Down, 0, false, {"a", "b"}, -1, ""},
    };
    for (const auto& c : cases) {
        clsSelectionList l;
        l.Entries = c.entries;
        l.Selected = c.selected;
        l.EditText = c.edit;
        bool changed = false;
        switch (c.op) {
            case Op::Select: changed = l.Select(c.arg); break;
            case Op::Add: changed = l.Add(); break;
            case Op::Replace: changed = l.Replace(); break;
            case Op::Delete: changed = l.Delete(); break;
            case Op::Up: changed = l.Up(); break;
            case Op::Down: changed = l.Down(); break;
        }
        EXPECT_EQ(changed, c.changed) << c.name;
        EXPECT_EQ(l.Entries, V(c.wantEntries)) << c.name;
        EXPECT_EQ(l.Selected, c.wantSelected) << c.name;
        EXPECT_EQ(l.EditText, c.wantEdit) << c.name;
    }
}

TEST(EnvSettings, GapsCloseUpAndKeysAboveTheCountStay) {
    ScopedSettings s;
    WriteText(s.path, ToSjis("[TANI]\r\nCNT=3\r\n1=個\r\n2=\r\n3=箱\r\n4=古い\r\n[SOUKO]\r\nCNT=2\r\n1=第1倉庫\r\n"
                             "[FLOW]\r\n1=無視\r\n[LINEN]\r\nCNT=abc\r\n1=L1\r\n"));
    clsEnvSettings env;
    env.Load();
    EXPECT_EQ(env.Lists[0].Entries, (std::vector<std::string>{"個", "箱"}));
    EXPECT_EQ(env.Lists[0].Selected, 0);
    EXPECT_EQ(env.Lists[0].EditText, "個");
    EXPECT_EQ(env.Lists[1].Entries, (std::vector<std::string>{"第1倉庫"}));  // key 2 missing
    EXPECT_TRUE(env.Lists[2].Entries.empty());                             // no CNT
    EXPECT_EQ(env.Lists[2].Selected, -1);
    EXPECT_TRUE(env.Lists[3].Entries.empty());  // CNT not a number
    // The item dialog takes every value as read, gaps included.
    EXPECT_EQ(ReadSelectionList(SelectionListId::Tani, false), (std::vector<std::string>{"個", "", "箱"}));

    env.Save();
    IniFile ini(s.path);
    EXPECT_EQ(ini.ReadString("TANI", "CNT", ""), "2");
    EXPECT_EQ(ini.ReadString("TANI", "1", ""), "個");
    EXPECT_EQ(ini.ReadString("TANI", "2", ""), "箱");
    EXPECT_EQ(ini.ReadString("TANI", "3", ""), "箱");    // above the count: left in place
    EXPECT_EQ(ini.ReadString("TANI", "4", ""), "古い");  // likewise
    EXPECT_EQ(ini.ReadString("SOUKO", "CNT", ""), "1");
    EXPECT_EQ(ini.ReadString("FLOW", "CNT", ""), "0");
    EXPECT_EQ(ini.ReadString("FLOW", "1", ""), "無視");
    EXPECT_EQ(ReadSelectionList(SelectionListId::Tani, false), (std::vector<std::string>{"個", "箱"}));

    // Deleting the only entry and saving writes CNT = 0.
    env.Lists[1].Delete();
    env.Save();
    EXPECT_EQ(ini.ReadString("SOUKO", "CNT", ""), "0");
}

TEST(EnvSettings, CaptionsDefaultOnlyWhenMissingAndSaveTrimmed) {
    ScopedSettings s;
    WriteText(s.path, ToSjis("[MASITEM]\r\nHINBAN=\r\nMCODE=メーカー品番\r\n"));
    clsEnvSettings env;
    env.Load();
    EXPECT_EQ(env.Captions, (std::array<std::string, 6>{"(その他費用)", "", "メーカー品番", "(予備1)", "(予備2)",
                                                        "(予備3)"}));
    env.Captions[0] = "  送料 ";
    env.Captions[3] = "";
    env.Save();
    EXPECT_EQ(ReadItemCaption(ItemCaption::Etchi), "送料");
    EXPECT_EQ(ReadItemCaption(ItemCaption::Hinban), "");
    EXPECT_EQ(ReadItemCaption(ItemCaption::Yobi1), "");  // saved empty, not the default
    EXPECT_TRUE(IniFile(s.path).KeyExists("MASITEM", "YOBI1"));
    EXPECT_EQ(ReadItemCaption(ItemCaption::Yobi2), "(予備2)");
}
