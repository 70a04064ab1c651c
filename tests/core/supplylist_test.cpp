// The list of the procurement support window: search, packages and amounts,
// recomputation on a stock edit, save, print lines.
#include <gtest/gtest.h>

#include "engine.h"
#include "sjis.h"
#include "structfixture.h"
#include "supplylist.h"

namespace {

using Row = std::vector<std::string>;

std::string Join(const Row& r) {
    std::string s;
    for (size_t i = 0; i < r.size(); ++i) s += (i ? "|" : "") + r[i];
    return s;
}

class SupplyList : public StructFile {
protected:
    void SetUp() override {
        StructFile::SetUp();
        // Units U1 (own supply, warehouse W1) and U2 (issued to G1); parts
        // P1, P2 (supplier S1), P3 (supplier S2, which is missing), P4 (never
        // a managed child), P'5 (supplier S1); the set is not listed.
        Items("S:3 U1:1 U2:1 P1:0 P2:0 P3:0 P4:0 P'5:0");
        Lines("S>U1*1 S>U2*1 U1>P1*1 U1>P2*1 U2>P3*1 U2>P4*1:0 S>P'5*1 U1>P4*1:0");
        ExecAll(dao, {
            "UPDATE MasItem SET TEHAIKBN = 0, SOUKO = 'W1', TEHAINI = '', TEHAINISU = 0, TANKA = 50 WHERE CD = 'U1'",
            "UPDATE MasItem SET TEHAIKBN = 2, TEHAICD = 'G1', TEHAINI = '箱', TEHAINISU = 10, TANKA = 120 WHERE CD = 'U2'",
            "UPDATE MasItem SET TEHAIKBN = 1, TEHAICD = 'S1', TEHAINI = '袋', TEHAINISU = 10, TANKA = 2.5 WHERE CD = 'P1'",
            "UPDATE MasItem SET TEHAIKBN = 1, TEHAICD = 'S1', TEHAINI = '袋', TEHAINISU = 0, TANKA = 3 WHERE CD = 'P2'",
            "UPDATE MasItem SET TEHAIKBN = 1, TEHAICD = 'S2', TEHAINI = '本', TEHAINISU = 1, TANKA = 7 WHERE CD = 'P3'",
            "UPDATE MasItem SET TEHAIKBN = 1, TEHAICD = 'S1', TEHAINISU = 10 WHERE CD = 'P''5'",
            "INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'S1', '東海ネジ')",
            "INSERT INTO MasTori (KBN, CD, NAME) VALUES (2, 'G1', '塗装所')",
            "INSERT INTO MasTori (KBN, CD, NAME) VALUES (2, 'S1', '同じ番号の払出先')",
        });
        for (const char* row : {"'U1', 20, 0, 20", "'U2', 30, 5, 25", "'P1', 1234, 0, 1234", "'P2', 20, 0, 20",
                                "'P3', 3, 5, -2", "'P4', 9, 0, 9", "'P''5', 20, 0, 20", "'S', 1, 0, 1"})
            Exec(std::string("INSERT INTO Supply (OYM, CD, NEED, ZAIKO, SUPPLY) VALUES ('202405', ") + row + ")");
        Exec("INSERT INTO Supply (OYM, CD, NEED, ZAIKO, SUPPLY) VALUES ('202406', 'P1', 1, 0, 1)");
    }
    std::vector<std::string> Search(bool unit, bool parts, const std::string& text) {
        clsSupplyList l(&dao);
        std::vector<std::string> out;
        for (const auto& r : l.Search("202405", unit, parts, text)) out.push_back(Join(r));
        return out;
    }
};

TEST_F(SupplyList, SearchListsManagedUnitsAndPartsByCategoryPartnerCode) {
    const std::vector<std::string> all = {
        // A missing partner has no code and sorts first, as an empty key does.
        "自達|W1|ﾕﾆｯﾄ|U1|name of U1|20|0|20|0|0||50|0",
        "仕入先||ﾊﾟｰﾂ|P3|name of P3|3|5|-2|1|0|本|7|0",
        "仕入先|S1:東海ネジ|ﾊﾟｰﾂ|P'5|name of P'5|20|0|20|10|2||0|0",
        "仕入先|S1:東海ネジ|ﾊﾟｰﾂ|P1|name of P1|1234|0|1234|10|124|袋|2.5|3,100",
        "仕入先|S1:東海ネジ|ﾊﾟｰﾂ|P2|name of P2|20|0|20|0|0|袋|3|0",
        "払出先|G1:塗装所|ﾕﾆｯﾄ|U2|name of U2|30|5|25|10|3|箱|120|3,600",
    };
    EXPECT_EQ(Search(true, true, ""), all);
    EXPECT_EQ(Search(true, true, "   "), all);
    EXPECT_EQ(Search(true, false, ""), (std::vector<std::string>{all[0], all[5]}));
    EXPECT_EQ(Search(false, true, "p"), (std::vector<std::string>{all[1], all[2], all[3], all[4]}));
    EXPECT_EQ(Search(false, true, "P'"), (std::vector<std::string>{all[2]}));
    EXPECT_TRUE(Search(true, true, "X").empty());
}

TEST_F(SupplyList, CsvOutputQuotesTextsAndCleansNumbers) {
    clsSupplyList l(&dao);
    clsPlanFrame frame(SupplyFrameConfig());
    frame.SetEditState(true);
    frame.SetRows(l.Search("202405", true, true, "U2"));
    EXPECT_EQ(FromSjis(frame.CsvBytes()),
              "手配先区分,手配先,品区分,品番,通称名,必要数,在庫数,調達数,荷姿入り数,発注数,手配荷姿,調達単価,調達金額\r\n"
              "\"払出先\",\"G1:塗装所\",\"ﾕﾆｯﾄ\",\"U2\", \"name  of  U2\" ,30,5,25,10,3,\"箱\",120,3600\r\n");
    frame.SetRows(l.Search("202405", false, true, "P1"));
    EXPECT_NE(FromSjis(frame.CsvBytes()).find(",1234,0,1234,10,124,\"袋\",2.5,3100\r\n"), std::string::npos);
}

TEST(SupplyRow, Packages) {
    struct Case {
        double supply, perPackage, packages;
    };
    for (const Case& c : {Case{25, 10, 3}, Case{20, 10, 2}, Case{1, 10, 1}, Case{25, 0, 0}, Case{-5, 10, 0},
                          Case{0, 10, 0}, Case{7, 2.5, 3}})
        EXPECT_EQ(SupPackages(c.supply, c.perPackage), c.packages) << c.supply << " / " << c.perPackage;
}

TEST(SupplyRow, StockEditRecomputesTheRow) {
    struct Case {
        const char* stock;
        const char* after;  // 調達数|発注数|調達金額
    };
    const Case cases[] = {
        {"0", "30|3|3,600"},   // 30 needed, 10 per package at 120
        {"10", "20|2|2,400"},
        {"40", "-10|0|0"},     // more stock than need
        {"12a", "30|3|3,600"}, // not an integer: 0, the text stays
        {"", "30|3|3,600"},
    };
    for (const auto& c : cases) {
        Row r = {"払出先", "G1:塗装所", "ﾕﾆｯﾄ", "U2", "n", "30", c.stock, "", "10", "", "箱", "120", ""};
        SupRecompute(r);
        EXPECT_EQ(r[6], c.stock);
        EXPECT_EQ(r[7] + "|" + r[9] + "|" + r[12], c.after) << c.stock;
    }
    // Quantity per package 0: no packages, no amount.
    Row r = {"", "", "ﾊﾟｰﾂ", "P", "n", "25", "0", "", "0", "", "", "7", ""};
    SupRecompute(r);
    EXPECT_EQ(r[7] + "|" + r[9] + "|" + r[12], "25|0|0");
}

TEST_F(SupplyList, SaveWritesEveryRowInOneTransaction) {
    clsSupplyList l(&dao);
    auto rows = l.Search("202405", true, true, "");
    auto stock = [&](const std::string& code, const std::string& text) {
        for (auto& r : rows)
            if (r[3] == code) r[6] = text;
    };
    stock("U1", "15");
    stock("P1", "2000");  // more than the need
    stock("P2", "7x");    // not an integer: stored as 0
    l.SaveSupply("202405", rows);
    EXPECT_EQ(Rows("SELECT * FROM Supply WHERE OYM = '202405' ORDER BY CD", {"CD", "NEED", "ZAIKO", "SUPPLY"}),
              (std::vector<std::string>{"P'5|20|0|20", "P1|1234|2000|-766", "P2|20|0|20", "P3|3|5|-2", "P4|9|0|9",
                                        "S|1|0|1", "U1|20|15|5", "U2|30|5|25"}));
    EXPECT_EQ(Search(true, false, "U1"), (std::vector<std::string>{"自達|W1|ﾕﾆｯﾄ|U1|name of U1|20|15|5|0|0||50|0"}));

    // An engine error on one row leaves every row as it was.
    dao.GetDatabase()
        ->Prepare("CREATE TRIGGER refuse_u2 BEFORE UPDATE ON Supply WHEN NEW.CD = 'U2' BEGIN SELECT RAISE(ABORT, 'no'); END")
        ->Step();
    for (auto& r : rows) r[6] = "1";
    EXPECT_THROW(l.SaveSupply("202405", rows), EngineError);
    EXPECT_EQ(Rows("SELECT ZAIKO FROM Supply WHERE OYM = '202405' AND CD = 'U1'", {"ZAIKO"}),
              (std::vector<std::string>{"15"}));
    EXPECT_EQ(dao.GetDatabase()->TransDepth(), 0);
}

TEST(SupplyRow, PrintLine) {
    Row unit = {"自達", "W1", "ﾕﾆｯﾄ", "U1", "名", "20", "0", "20", "10", "2", "箱", "50", "1,000"};
    EXPECT_EQ(Join(SupPrintLine(unit)), "自達|W1|□ U1|名|20|0|20|50|1,000|箱|10|2");
    unit[2] = "ﾊﾟｰﾂ";
    EXPECT_EQ(SupPrintLine(unit)[2], "＊ U1");
}

}  // namespace
