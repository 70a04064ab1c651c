// The item search without the window: the statement, the rows, their order,
// the selection rules, the deletion and the printout lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "dbfixture.h"
#include "itemsearch.h"

TEST(ItemSearchSql, BuildsTheStatementFromTheBoxesAndTheText) {
    struct Case {
        bool body, unit, parts, set;
        std::string find;
        std::string sql;
    };
    const std::vector<Case> cases = {
        {true, true, true, true, "", "SELECT * FROM MasItem WHERE KBN IN (2,1,0,3) ORDER BY CD"},
        {true, false, true, false, "AB", "SELECT * FROM MasItem WHERE KBN IN (2,0) AND CD LIKE 'AB*' ORDER BY CD"},
        {false, false, false, true, " \t ", "SELECT * FROM MasItem WHERE KBN IN (3) ORDER BY CD"},
        {false, true, false, false, "A'", "SELECT * FROM MasItem WHERE KBN IN (1) AND CD LIKE 'A''*' ORDER BY CD"},
        // The text goes in as typed once it is not blank.
        {false, true, false, false, " X ", "SELECT * FROM MasItem WHERE KBN IN (1) AND CD LIKE ' X *' ORDER BY CD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ItemSearchSql(CheckedCategories(c.body, c.unit, c.parts, c.set), c.find), c.sql);
    }
    EXPECT_TRUE(CheckedCategories(false, false, false, false).empty());
}

TEST(ItemCategories, ImagesAndWords) {
    struct Case {
        long long kbn;
        int image;
        const char* printWord;
        const char* word;
    };
    const std::vector<Case> cases = {
        {0, 2, "Parts", "ﾊﾟｰﾂ"}, {1, 1, "Unit", "ﾕﾆｯﾄ"}, {2, 0, "Body", "本体"},
        {3, 5, "Set", "ｾｯﾄ"},    {7, -1, "Body", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ItemImageOfKbn(c.kbn), c.image) << c.kbn;
        EXPECT_STREQ(ItemPrintWord(c.image), c.printWord) << c.kbn;
        EXPECT_STREQ(ItemCategoryWord(c.image), c.word) << c.kbn;
    }
}

class ItemSearchFile : public DataFileTest {
protected:
    void SetUp() override {
        DataFileTest::SetUp();
        for (const char* v : {"'ab-1', 2, '本体', '箱', 'L'", "'AB-2', 0, '部品', 'ねじ', 'M3'", "'A''B', 1, 'ﾕﾆｯﾄ', '', ''",
                              "'AC', 3, 'ｾｯﾄ', '', ''", "'X9', 9, '不明', '', ''"})
            Exec(std::string("INSERT INTO MasItem (CD, KBN, NAME, KEITAI, KIKAKU) VALUES (") + v + ")");
    }
    std::vector<std::string> Codes(const std::vector<sItemRow>& rows) {
        std::vector<std::string> out;
        for (const auto& r : rows) out.push_back(r.cd);
        return out;
    }
    std::vector<sItemRow> Search(const std::vector<int>& kbn, const std::string& find) {
        return RunItemSearch(dao.GetDatabase(), ItemSearchSql(kbn, find));
    }
};

TEST_F(ItemSearchFile, FindsByCategoryAndCodePrefix) {
    auto all = Search({2, 1, 0, 3}, "");
    ASSERT_EQ(all.size(), 4u) << "category 9 is not among the boxes";
    auto it = std::find_if(all.begin(), all.end(), [](const sItemRow& r) { return r.cd == "AB-2"; });
    ASSERT_NE(it, all.end());
    const sItemRow& r = *it;
    EXPECT_EQ(r.name, "部品");
    EXPECT_EQ(r.keitai, "ねじ");
    EXPECT_EQ(r.kikaku, "M3");
    EXPECT_EQ(r.image, 2);

    std::vector<std::string> ab = Codes(Search({2, 1, 0, 3}, "ab"));
    std::sort(ab.begin(), ab.end());
    EXPECT_EQ(ab, (std::vector<std::string>{"AB-2", "ab-1"})) << "letters match either case";
    EXPECT_EQ(Codes(Search({1}, "A'")), std::vector<std::string>{"A'B"});
    EXPECT_EQ(Codes(Search({3}, "AB")), std::vector<std::string>{});
    EXPECT_TRUE(notes.errors.empty());
}

TEST_F(ItemSearchFile, CodePatternsThroughTheKeyRange) {
    // The literal start of the pattern becomes a range on the code; the rest
    // is matched as a pattern. Both ends of the range ignore the case.
    Exec("INSERT INTO MasItem (CD, KBN) VALUES ('zeta', 0)");
    Exec("INSERT INTO MasItem (CD, KBN) VALUES ('AB01', 0)");
    Exec("INSERT INTO MasItem (CD, KBN) VALUES ('AB0X', 0)");
    struct {
        const char* find;
        std::vector<std::string> codes;
    } cases[] = {
        {"Z", {"zeta"}},  // 'Z' + 1 is '[', which lies between the cases
        {"zE", {"zeta"}},
        {"AB0#", {"AB01"}},  // the literal start ends before '#' (a digit)
        {"ab0?", {"AB01", "AB0X"}},
        {"AB0[!0-9]", {"AB0X"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got = Codes(Search({2, 1, 0, 3}, c.find));
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, c.codes) << c.find;
    }
    EXPECT_TRUE(notes.errors.empty());
}

TEST_F(ItemSearchFile, UsedInStructureLooksAtParentsAndChildren) {
    Exec("INSERT INTO iStruct (CD1, CD2, INZU, KFLG, CFLG) VALUES ('ab-1', 'A''B', 1, 1, 0)");
    EXPECT_TRUE(UsedInStructure(dao.GetDatabase(), "ab-1"));
    EXPECT_TRUE(UsedInStructure(dao.GetDatabase(), "A'B"));
    EXPECT_FALSE(UsedInStructure(dao.GetDatabase(), "AB-2"));
}

TEST_F(ItemSearchFile, DeletesItemRecordsOnly) {
    Exec("INSERT INTO OrderPlan (OYM, CD, [ORDER]) VALUES ('202601', 'A''B', 1)");
    Exec("INSERT INTO Supply (OYM, CD) VALUES ('202601', 'AC')");
    EXPECT_EQ(DeleteItemRecords(dao, {"A'B", "AC"}), 0);
    EXPECT_EQ(Rows("SELECT CD FROM MasItem ORDER BY CD", {"CD"}), (std::vector<std::string>{"ab-1", "AB-2", "X9"}));
    EXPECT_EQ(Rows("SELECT CD FROM OrderPlan", {"CD"}), std::vector<std::string>{"A'B"});
    EXPECT_EQ(Rows("SELECT CD FROM Supply", {"CD"}), std::vector<std::string>{"AC"});
}

TEST_F(ItemSearchFile, FailedDeletionDeletesNothing) {
    // The second deletion is refused: the first is undone.
    dao.GetDatabase()->Prepare("CREATE TRIGGER refuse BEFORE DELETE ON MasItem WHEN old.CD = 'AC' "
                               "BEGIN SELECT RAISE(ABORT, 'refused'); END")
        ->Step();
    EXPECT_EQ(DeleteItemRecords(dao, {"A'B", "AC"}), 1);
    EXPECT_EQ(notes.errors.size(), 1u);
    EXPECT_EQ(Rows("SELECT CD FROM MasItem WHERE CD = 'A''B'", {"CD"}).size(), 1u);
}

TEST(ItemRows, SortInShiftJisByteOrder) {
    // Ａ (0x8260) before あ (0x82A0) in Shift-JIS; UTF-8 has them the other way.
    std::vector<sItemRow> rows = {{"あ", "2", "", "", 0}, {"Ａ", "1", "", "", 0}, {"AB", "3", "", "", 0},
                                  {"A", "3", "", "", 0},  {"ｱ", "1", "", "", 0}};
    auto codes = [&] {
        std::vector<std::string> out;
        for (const auto& r : rows) out.push_back(r.cd);
        return out;
    };
    SortItemRows(rows, 1);
    EXPECT_EQ(codes(), (std::vector<std::string>{"A", "AB", "Ａ", "あ", "ｱ"}));
    SortItemRows(rows, -1);
    EXPECT_EQ(codes(), (std::vector<std::string>{"ｱ", "あ", "Ａ", "AB", "A"}));
    // Equal names keep the order they had.
    SortItemRows(rows, 2);
    EXPECT_EQ(codes(), (std::vector<std::string>{"ｱ", "Ａ", "あ", "AB", "A"}));
}

TEST(ItemRows, PrintoutLinesAndHitCount) {
    std::vector<sItemRow> rows = {{"B", "本体", "箱", "L", 0}, {"P", "部品", "", "", 2}, {"X", "", "", "", -1}};
    std::vector<std::vector<std::string>> expected = {
        {"B", "Body", "本体", "箱", "L"}, {"P", "Parts", "部品", "", ""}, {"X", "Body", "", "", ""}};
    EXPECT_EQ(ItemListLines(rows), expected);
    EXPECT_EQ(HitCountText(0), "該当件数: 0件　　");
    EXPECT_EQ(HitCountText(12345), "該当件数: 12345件　　");
}

TEST(ItemSelection, EnablesTheCommandsByCountAndCategory) {
    struct Case {
        std::vector<int> images;
        bool edit, parts;
    };
    const std::vector<Case> cases = {
        {{}, false, false}, {{0}, true, true},      {{2}, true, false},
        {{0, 5}, false, true}, {{1, 2}, false, false}, {{-1}, true, true},
    };
    for (const auto& c : cases) {
        sItemActionState s = ItemActionState(c.images);
        EXPECT_EQ(s.edit, c.edit) << ::testing::PrintToString(c.images);
        EXPECT_EQ(s.parts, c.parts) << ::testing::PrintToString(c.images);
    }
}

TEST(ItemSelection, MessagesOfTheCommands) {
    struct Case {
        ItemCommand command;
        int selected;
        std::string message;
    };
    const std::vector<Case> cases = {
        {ItemCommand::PartsForm, 0, "表示する項目を選んでください。\n"},
        {ItemCommand::PartsForm, 3, ""},
        {ItemCommand::Edit, 0, "編集する項目を選んでください。\n"},
        {ItemCommand::Edit, 2, "一度に指定できる項目はひとつのみです。\n"},
        {ItemCommand::Edit, 1, ""},
        {ItemCommand::CopyAdd, 0, "ｺﾋﾟｰ元項目を選んでください。\n"},
        {ItemCommand::CopyAdd, 2, "一度に指定できるｺﾋﾟｰ元項目はひとつのみです。\n"},
        {ItemCommand::Delete, 0, "削除項目を選んでください。\n"},
        {ItemCommand::Delete, 2, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectionMessage(c.command, c.selected), c.message) << static_cast<int>(c.command) << "/" << c.selected;
}

TEST(ItemDeletion, QuestionNamesEverySelectedItem) {
    sDeleteQuestion q = DeleteQuestion({{"B-1", "本体1", "", "", 0}, {"S-1", "ｾｯﾄ1", "", "", 5}});
    EXPECT_EQ(q.lbl01, "品番: B-1(区分: 本体)品番: S-1(区分: ｾｯﾄ)");
    EXPECT_EQ(q.lbl02, "通称名: ｾｯﾄ1");
    EXPECT_EQ(q.lbl03, "を削除しますか？");
}
