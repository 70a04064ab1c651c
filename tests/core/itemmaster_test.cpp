// The item dialog's rules without its window: category mapping, partner
// drop-down, cost total, and the save in every mode with its refusals.
#include <gtest/gtest.h>

#include "dbfixture.h"
#include "itemmaster.h"
#include "settings.h"
#include "ucommon.h"
#include "verror.h"

namespace {

class ItemMasterTest : public DataFileTest {
protected:
    void SetUp() override {
        DataFileTest::SetUp();
        SetSettingsPath(dir.File("Velmo.ini"));
        Exec("INSERT INTO MasTori (KBN, CD, RNAME) VALUES (1, 'S01', '山田商店')");
        Exec("INSERT INTO MasTori (KBN, CD, RNAME) VALUES (2, 'G01', '外注加工')");
        Exec("INSERT INTO MasTori (KBN, CD, RNAME) VALUES (1, 'S02', '佐藤')");
    }
    void TearDown() override { SetSettingsPath(""); }

    // Saves and records what the save showed and asked.
    int Save(int mode, const std::string& prepareCode, const sItemForm& f) {
        sItemSaveUi ui{[this](const std::string& m) { infos.push_back(m); },
                       [this](const std::string& q) {
                           questions.push_back(q);
                           return answerYes;
                       }};
        return master.SaveItem(mode, prepareCode, f, ui, savedCode);
    }
    std::string Item(const std::string& code) {
        auto rows = Rows("SELECT * FROM MasItem WHERE CD = '" + SqlEsc(code) + "'",
                         {"CD", "KBN", "NAME", "TANI", "TANKA", "SYUZAIHI", "KAKOUHI", "TEHAIKBN", "TEHAICD",
                          "TEHAINISU"});
        return rows.empty() ? "" : rows[0];
    }
    static sItemForm Form(const std::string& code) {
        sItemForm f;
        f.Cd = code;
        return f;
    }

    clsItemMaster master{dao};
    std::vector<std::string> infos, questions;
    bool answerYes = false;
    std::string savedCode;
};

}  // namespace

TEST(ItemCategory, RadioIndexAndStoredCodeMapBothWays) {
    const int kbnOfIndex[] = {3, 2, 1, 0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ItemKbnFromIndex(i), kbnOfIndex[i]);
        EXPECT_EQ(ItemIndexFromKbn(kbnOfIndex[i]), i);
    }
    EXPECT_EQ(ItemIndexFromKbn(4), -1);
    EXPECT_EQ(ItemIndexFromKbn(-1), -1);
}

TEST(ItemCostTotal, AddsTheCleanedFilledFields) {
    EXPECT_EQ(FormatMoney(CostTotal({"1000", "234.5", "", ""})), "1,234.5");
    EXPECT_EQ(FormatMoney(CostTotal({"", "", "", ""})), "0");
    EXPECT_EQ(FormatMoney(CostTotal({"1.2.3", "x", "0.005", "-1"})), "0.24");  // cleaned: 1.23 + 0.005 - 1
    // Full-width digits, minus and point (pasted into a field) count.
    EXPECT_EQ(FormatMoney(CostTotal({"１２３４", "－３４", "０．５", ""})), "1,200.5");
    EXPECT_THROW(CostTotal({"10", ".", "", ""}), ConvertError);
}

TEST(ItemPartnerDropDown, CodesAreTakenWholeOrUpToTheFirstColon) {
    std::vector<sTehaiEntry> entries = {{"A01:Shop", "A01"}, {"B:1:二重", "B:1"}};
    EXPECT_EQ(TehaiCodeOf("A01", entries), "A01");
    EXPECT_EQ(TehaiCodeOf("A01:Shop", entries), "A01");
    EXPECT_EQ(TehaiCodeOf("B:1:二重", entries), "B:1");  // a code holding ':' stays whole
    EXPECT_EQ(TehaiCodeOf("Z9:typed", entries), "Z9");
    EXPECT_EQ(TehaiCodeOf("", {}), "");
    EXPECT_EQ(FindTehaiEntry(entries, "B:1"), 1);
    EXPECT_EQ(FindTehaiEntry(entries, "A0"), -1);
}

TEST_F(ItemMasterTest, PartnerEntriesFollowTheProcurementCategory) {
    auto texts = [](const std::vector<sTehaiEntry>& e) {
        std::vector<std::string> out;
        for (const auto& x : e) out.push_back(x.text);
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(texts(master.TehaiEntries(false, 0)), V{});
    EXPECT_EQ(texts(master.TehaiEntries(false, 1)), (V{"S01:山田商店", "S02:佐藤"}));
    EXPECT_EQ(texts(master.TehaiEntries(false, 2)), (V{"G01:外注加工"}));
    EXPECT_EQ(texts(master.TehaiEntries(true, 0)), (V{"S01:山田商店", "G01:外注加工", "S02:佐藤"}));
}

TEST_F(ItemMasterTest, AddsAndLoadsEveryField) {
    sItemForm f = Form("  P-001 ");
    f.KbnIndex = 3;
    f.Name = " ボルト M6 ";
    f.Kana = "ﾎﾞﾙﾄ";
    f.Keitai = "六角";
    f.Kikaku = "M6x20";
    f.Hinban = "EXT-1";
    f.Mcode = "MK-9";
    f.JanIndex = 1;
    f.Jancode = "49123456";
    f.Tani = "個";
    f.Costs = {"1000", "234.5", "", ""};
    f.TehaiIndex = 1;
    f.Tehaicd = "S01";
    f.Tehaini = "箱";
    f.Tehainisu = "";
    f.Souko = "第1";
    f.Flow = "組立";
    f.Line = "L1";
    f.Yobi = {"y1", "y2", "y3"};
    f.Memo = "備考\n二行目";
    ASSERT_EQ(Save(0, "", f), 0);
    EXPECT_EQ(savedCode, "P-001");
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(Item("P-001"), "P-001|0|ボルト M6|個|1234.5|1000|234.5|1|S01|1");

    auto g = master.LoadItem("P-001");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->KbnIndex, 3);  // パーツ
    EXPECT_EQ(g->JanIndex, 1);
    EXPECT_EQ(g->Costs, (std::array<std::string, 4>{"1000", "234.5", "0", "0"}));
    EXPECT_EQ(g->Tehainisu, "1");
    EXPECT_EQ(g->Tanka, "1234.5");
    EXPECT_EQ(g->Memo, "備考\n二行目");
    EXPECT_EQ(g->Yobi[2], "y3");
    EXPECT_FALSE(master.LoadItem("P-00"));
    // Every save leaves the procurement mark, and only it, in SupEnt.
    IniFile ini(dir.File("Velmo.ini"));
    EXPECT_TRUE(ini.KeyExists("SupEnt", "YYYYMM"));
    EXPECT_EQ(ini.ReadString("SupEnt", "YYYYMM", "x"), "");
}

TEST_F(ItemMasterTest, StoredCategoriesOutsideTheirRangeLoadAsUnknown) {
    Exec("INSERT INTO MasItem (CD, KBN, JANKBN, TEHAIKBN) VALUES ('X', 7, 5, 9)");
    auto g = master.LoadItem("X");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->KbnIndex, -1);
    EXPECT_EQ(g->JanIndex, -1);
    EXPECT_EQ(g->TehaiIndex, -1);
}

TEST_F(ItemMasterTest, AddOverAnExistingCodeAsksFirst) {
    Exec("INSERT INTO MasItem (CD, KBN, NAME) VALUES ('A1', 2, '旧')");
    sItemForm f = Form("A1");
    f.Name = "新";
    answerYes = false;
    EXPECT_EQ(Save(0, "", f), 1);
    EXPECT_EQ(questions, std::vector<std::string>{"既に同一の品番が存在します。上書きしますか？"});
    EXPECT_EQ(Item("A1"), "A1|2|旧||0|0|0|0||0");
    answerYes = true;
    EXPECT_EQ(Save(0, "", f), 0);
    EXPECT_EQ(Item("A1"), "A1|3|新||0|0|0|0||1");
}

TEST_F(ItemMasterTest, EmptyCodeIsRefusedWithAMessage) {
    EXPECT_EQ(Save(0, "", Form("   ")), 1);
    EXPECT_EQ(infos, std::vector<std::string>{"品番を入力してください。"});
    EXPECT_TRUE(Rows("SELECT * FROM MasItem", {"CD"}).empty());
    EXPECT_FALSE(IniFile(dir.File("Velmo.ini")).KeyExists("SupEnt", "YYYYMM"));
}

TEST_F(ItemMasterTest, EditKeepsEmptyCostsAndWritesTheirTotalAsZero) {
    Exec("INSERT INTO MasItem (CD, KBN, SYUZAIHI, KAKOUHI, TANKA) VALUES ('U1', 1, 5, 7, 12)");
    sItemForm f = *master.LoadItem("U1");
    f.Costs = {"", "", "", ""};
    ASSERT_EQ(Save(1, "U1", f), 0);
    EXPECT_EQ(Item("U1"), "U1|1|||0|5|7|0||0");  // TANKA 0, costs as stored; a stored 0 stays 0
    EXPECT_TRUE(questions.empty());
}

TEST_F(ItemMasterTest, FullWidthNumbersAreStoredAsTheirValues) {
    sItemForm f = Form("FW");
    f.Costs = {"１２３４", "－３４", "", "０．５"};
    f.Tehainisu = "１２";
    ASSERT_EQ(Save(0, "", f), 0);
    EXPECT_EQ(Item("FW"), "FW|3|||1200.5|1234|-34|0||12");
}

TEST_F(ItemMasterTest, ModeThreeMovesTheRecordToItsNewCode) {
    Exec("INSERT INTO MasItem (CD, KBN, NAME) VALUES ('OLD', 0, '旧品')");
    Exec("INSERT INTO MasItem (CD, KBN, NAME) VALUES ('OTHER', 0, '別品')");
    sItemForm f = *master.LoadItem("OLD");
    f.Cd = "NEW";
    f.KbnIndex = 0;
    ASSERT_EQ(Save(3, "OLD", f), 0);
    EXPECT_EQ(Item("OLD"), "");
    EXPECT_EQ(Item("NEW"), "NEW|3|旧品||0|0|0|0||0");
    // Onto the code of another item: that item is replaced without a question.
    f = *master.LoadItem("NEW");
    f.Cd = "OTHER";
    ASSERT_EQ(Save(3, "NEW", f), 0);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(Item("NEW"), "");
    EXPECT_EQ(Item("OTHER"), "OTHER|3|旧品||0|0|0|0||0");
    EXPECT_EQ(Rows("SELECT * FROM MasItem", {"CD"}).size(), 1u);
}

TEST_F(ItemMasterTest, RefusedWritesInModeThreeKeepTheOldRecord) {
    Exec("INSERT INTO MasItem (CD, KBN, NAME, TANI, SYUZAIHI, TANKA, TEHAINISU) "
         "VALUES ('KEEP', 1, '残す', '個', 100, 100, 10)");
    const std::string before = Item("KEEP");
    struct Case {
        const char* name;
        void (*edit)(sItemForm&);
        const char* message;  // information message; nullptr: a conversion error
    };
    const Case cases[] = {
        {"unit longer than 4", [](sItemForm& f) { f.Tani = "ケース単位"; }, "単位は4文字以内で入力してください。"},
        {"partner code longer than 10", [](sItemForm& f) { f.Tehaicd = "12345678901"; },
         "手配先ｺｰﾄﾞは10文字以内で入力してください。"},
        // A character the Shift-JIS CSV files cannot hold could never be
        // exported unchanged.
        {"name outside Shift-JIS", [](sItemForm& f) { f.Name = "吉野家の𠮷"; },
         "通称名にShift-JISで表せない文字「𠮷」(U+20BB7)があります。\nこの文字は保存できません。別の文字で入力してください。"},
        {"memo with an emoji", [](sItemForm& f) { f.Memo = "ok 😀"; },
         "備考にShift-JISで表せない文字「😀」(U+1F600)があります。\nこの文字は保存できません。別の文字で入力してください。"},
        {"cost 1.2.3", [](sItemForm& f) { f.Costs[1] = "1.2.3"; }, nullptr},
        {"cost of a lone point", [](sItemForm& f) { f.Costs[0] = "."; }, nullptr},
        {"cost with a comma", [](sItemForm& f) { f.Costs[0] = "1,000"; }, nullptr},
        {"package quantity 2.5", [](sItemForm& f) { f.Tehainisu = "2.5"; }, nullptr},
    };
    for (const auto& c : cases) {
        infos.clear();
        sItemForm f = *master.LoadItem("KEEP");
        f.Cd = "MOVED";  // a code change: the old record would go first
        c.edit(f);
        if (c.message) {
            EXPECT_EQ(Save(3, "KEEP", f), 1) << c.name;
            EXPECT_EQ(infos, std::vector<std::string>{c.message}) << c.name;
        } else {
            EXPECT_THROW(Save(3, "KEEP", f), ConvertError) << c.name;
        }
        EXPECT_EQ(Item("KEEP"), before) << c.name;
        EXPECT_EQ(Item("MOVED"), "") << c.name;
    }
}

TEST_F(ItemMasterTest, EngineRefusalAfterTheDeletionRollsBack) {
    Exec("INSERT INTO MasItem (CD, KBN, NAME) VALUES ('KEEP', 1, '残す')");
    // The data file refuses the new row (as a full disk or a foreign writer
    // would): the deletion of the old one must be undone with it.
    dao.GetDatabase()->Prepare("CREATE TRIGGER refuse BEFORE INSERT ON MasItem WHEN NEW.CD = 'MOVED' "
                               "BEGIN SELECT RAISE(ABORT, 'refused'); END")
        ->Step();
    sItemForm f = *master.LoadItem("KEEP");
    f.Cd = "MOVED";
    EXPECT_THROW(Save(3, "KEEP", f), EngineError);
    EXPECT_EQ(dao.GetDatabase()->TransDepth(), 0);
    EXPECT_EQ(Item("KEEP"), "KEEP|1|残す||0|0|0|0||0");
    EXPECT_FALSE(IniFile(dir.File("Velmo.ini")).KeyExists("SupEnt", "YYYYMM"));
    // The connection is usable afterwards.
    f.Cd = "OK2";
    EXPECT_EQ(Save(3, "KEEP", f), 0);
    EXPECT_EQ(Item("KEEP"), "");
}

TEST_F(ItemMasterTest, UnusualCodesAndTextsRoundTripExactly) {
    const std::string codes[] = {"A'B", "A*", "[X]", "ｱｲﾃﾑ-ｺｰﾄﾞ", "全角コード１", "１２３４５６７８９０１２３４５６７８",
                                 "%_?#"};
    for (const auto& code : codes) {
        sItemForm f = Form(code);
        f.Name = "名前'" + code;
        f.Kana = "ｹﾝｻｸﾒｲｱｲｳｴ";  // exactly 10
        ASSERT_EQ(Save(0, "", f), 0) << code << " " << LastError();
        auto g = master.LoadItem(code);
        ASSERT_TRUE(g) << code;
        EXPECT_EQ(g->Cd, code);
        EXPECT_EQ(g->Name, "名前'" + code);
        EXPECT_EQ(g->Kana, "ｹﾝｻｸﾒｲｱｲｳｴ");
    }
    EXPECT_FALSE(master.LoadItem("A"));  // '*' is not a wildcard here
    sItemForm f = Form("１２３４５６７８９０１２３４５６７８９");  // 19 characters
    EXPECT_EQ(Save(0, "", f), 1);
    EXPECT_EQ(infos.back(), "品番は18文字以内で入力してください。");
}
