// The production plan on a data file: the search of sets and bodies with the
// month's shipments and stock, and the save with its marks, its range check
// and its single transaction.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "dbfixture.h"
#include "productionplan.h"
#include "ucommon.h"

namespace {

class ProductionPlanTest : public DataFileTest {
protected:
    void SetUp() override {
        DataFileTest::SetUp();
        // Sets, bodies, a unit and a part; codes out of order on purpose.
        for (const auto& [cd, kbn, name] : std::vector<std::tuple<std::string, int, std::string>>{
                 {"B2", 2, "Body two"}, {"AB1", 3, "Set ab"}, {"A1", 2, "Body a"}, {"ABX", 2, "Body abx"},
                 {"U1", 1, "Unit"}, {"P1", 0, "Part"}, {"O'K", 3, "Quoted"}})
            Exec("INSERT INTO MasItem (CD, KBN, NAME) VALUES ('" + SqlEsc(cd) + "', " + std::to_string(kbn) + ", '" +
                 name + "')");
        // A stored production that disagrees with shipments - stock.
        Exec("INSERT INTO OrderPlan (OYM, CD, [ORDER], ZAIKO, SEISAN) VALUES ('202405', 'A1', 10, 4, 99)");
        Exec("INSERT INTO OrderPlan (OYM, CD, [ORDER], ZAIKO, SEISAN) VALUES ('202406', 'A1', 7, 7, 0)");
        ini = std::make_unique<IniFile>(dir.File("Velmo.ini"));
    }
    static std::vector<std::string> Lines(const std::vector<PlanRow>& rows) {
        std::vector<std::string> out;
        for (const auto& r : rows) {
            std::string l;
            for (size_t i = 0; i < r.size(); ++i) l += (i ? "|" : "") + r[i];
            out.push_back(l);
        }
        return out;
    }
    std::vector<std::string> Plan(const std::string& month) {
        return Rows("SELECT * FROM OrderPlan WHERE OYM = '" + month + "' ORDER BY CD", {"CD", "ORDER", "ZAIKO", "SEISAN"});
    }
    sPlanSaveResult Save(const std::vector<PlanRow>& rows, const std::string& month = "202405") {
        std::vector<sOrderValues> v;
        for (const auto& r : rows) v.push_back(OrderValuesOf(r));
        return SaveOrderPlan(dao, *ini, month, v, "20240517");
    }
    std::unique_ptr<IniFile> ini;
};

TEST_F(ProductionPlanTest, SearchListsSetsAndBodiesByCodeWithTheMonthsPlan) {
    struct Case {
        bool body, set;
        std::string find;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {true, true, "", {"A1|Body a|10|4|6", "AB1|Set ab|0|0|0", "ABX|Body abx|0|0|0", "B2|Body two|0|0|0",
                          "O'K|Quoted|0|0|0"}},
        {true, true, "   ", {"A1|Body a|10|4|6", "AB1|Set ab|0|0|0", "ABX|Body abx|0|0|0", "B2|Body two|0|0|0",
                             "O'K|Quoted|0|0|0"}},
        {true, true, "AB", {"AB1|Set ab|0|0|0", "ABX|Body abx|0|0|0"}},
        {false, true, "", {"AB1|Set ab|0|0|0", "O'K|Quoted|0|0|0"}},
        {true, false, "A", {"A1|Body a|10|4|6", "ABX|Body abx|0|0|0"}},
        {true, true, "O'", {"O'K|Quoted|0|0|0"}},
        {true, true, "ZZ", {}},
        {false, false, "", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Lines(SearchOrderPlan(dao, c.body, c.set, c.find, "202405")), c.rows)
            << c.body << c.set << " '" << c.find << "'";
    EXPECT_TRUE(notes.errors.empty()) << LastError();
}

TEST_F(ProductionPlanTest, SearchStatementAsTheWindowBuildsIt) {
    EXPECT_EQ(OrderSearchSql(true, true, ""),
              "SELECT MasItem.CD,MasItem.NAME FROM MasItem WHERE MasItem.KBN IN (2,3) ORDER BY MasItem.CD");
    EXPECT_EQ(OrderSearchSql(false, true, " a'b "),
              "SELECT MasItem.CD,MasItem.NAME FROM MasItem WHERE MasItem.KBN IN (3) AND MasItem.CD LIKE ' a''b *' "
              "ORDER BY MasItem.CD");
    EXPECT_EQ(OrderSearchSql(false, false, "A"), "");
}

TEST_F(ProductionPlanTest, SaveWritesEveryRowAndMarksTheMonth) {
    ini->WriteString("SupEnt", "202405", "20240501");
    ini->WriteString("SupEnt", "202406", "20240601");
    sPlanSaveResult r = Save({{"A1", "", "3", "8", "?"},      // existing row, negative production
                              {"AB1", "", "12a", "2", "?"},   // not an integer: 0
                              {"O'K", "", "5", "0", "?"},     // new row, quote in the code
                              {"B2", "", "0", "0", "0"}});     // unchanged rows are written too
    ASSERT_TRUE(r.ok) << r.message << LastError();
    EXPECT_EQ(Plan("202405"), (std::vector<std::string>{"A1|3|8|-5", "AB1|0|2|-2", "B2|0|0|0", "O'K|5|0|5"}));
    EXPECT_EQ(Plan("202406"), (std::vector<std::string>{"A1|7|7|0"}));
    EXPECT_EQ(ini->ReadString("OdrEnt", "202405", "-"), "20240517");
    EXPECT_TRUE(ini->KeyExists("SupEnt", "202405"));
    EXPECT_EQ(ini->ReadString("SupEnt", "202405", "-"), "");
    EXPECT_EQ(ini->ReadString("SupEnt", "202406", "-"), "20240601");  // other months untouched

    // The search shows what was saved.
    EXPECT_EQ(Lines(SearchOrderPlan(dao, true, true, "A", "202405")),
              (std::vector<std::string>{"A1|Body a|3|8|-5", "AB1|Set ab|0|2|-2", "ABX|Body abx|0|0|0"}));
}

TEST_F(ProductionPlanTest, ValuesOutsideTheShortRangeRefuseTheWholeSave) {
    struct Case {
        PlanRow bad;
        std::string message;
    };
    const Case cases[] = {
        {{"B2", "", "32768", "0", ""}, "品番[B2]の出荷数"},
        {{"B2", "", "0", "-32769", ""}, "品番[B2]の在庫数"},
        {{"B2", "", "-20000", "20000", ""}, "品番[B2]の生産数"},
        {{"B2", "", "99999999999999", "0", ""}, "品番[B2]の出荷数"},
    };
    ini->WriteString("SupEnt", "202405", "20240501");
    for (const auto& c : cases) {
        sPlanSaveResult r = Save({{"A1", "", "1", "1", ""}, c.bad});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message.rfind(c.message, 0), 0u) << r.message;
        EXPECT_EQ(Plan("202405"), (std::vector<std::string>{"A1|10|4|99"}));
        EXPECT_EQ(ini->ReadString("SupEnt", "202405", ""), "20240501");
        EXPECT_FALSE(ini->KeyExists("OdrEnt", "202405"));
    }
    // The limits themselves fit.
    EXPECT_TRUE(Save({{"B2", "", "32767", "0", ""}, {"AB1", "", "-32768", "0", ""}}).ok) << LastError();
}

TEST_F(ProductionPlanTest, AnEngineErrorRollsTheSaveBack) {
    ini->WriteString("SupEnt", "202405", "20240501");
    // The second code is longer than the column allows: the engine refuses it
    // after the first row was written.
    sPlanSaveResult r = Save({{"A1", "", "1", "1", ""}, {std::string(30, 'X'), "", "1", "0", ""}});
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("生産計画ﾃｰﾌﾞﾙを更新できませんでした。"), std::string::npos) << r.message;
    EXPECT_EQ(Plan("202405"), (std::vector<std::string>{"A1|10|4|99"}));
    EXPECT_EQ(ini->ReadString("SupEnt", "202405", ""), "20240501");
    EXPECT_FALSE(ini->KeyExists("OdrEnt", "202405"));
    // The connection is usable afterwards.
    EXPECT_TRUE(Save({{"A1", "", "2", "1", ""}}).ok) << LastError();
    EXPECT_EQ(Plan("202405"), (std::vector<std::string>{"A1|2|1|1"}));
}

TEST_F(ProductionPlanTest, AnUnwritableSettingsFileRollsTheSaveBack) {
    // A folder where the settings file should be: no write can replace it,
    // whoever runs the test.
    std::string blocked = dir.File("Blocked.ini");
    ASSERT_EQ(mkdir(blocked.c_str(), 0755), 0);
    IniFile blockedIni(blocked);
    sOrderValues v{"A1", 1, 1, 0};
    sPlanSaveResult r = SaveOrderPlan(dao, blockedIni, "202405", {v}, "20240517");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.empty());
    EXPECT_EQ(Plan("202405"), (std::vector<std::string>{"A1|10|4|99"}));
}

TEST_F(ProductionPlanTest, PrintoutHasTheMonthTitleAndTheCellsAsTheyStand) {
    ReportSnapshot r = OrderReport({{"A1", "Body a", "12a", "2", "-2"}}, PlanMonthTitle(2024, 5));
    EXPECT_EQ(r.id, ReportId::Order);
    EXPECT_EQ(r.month, "2024年05月");
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0], (std::vector<std::string>{"A1", "Body a", "12a", "2", "-2"}));
}

}  // namespace
