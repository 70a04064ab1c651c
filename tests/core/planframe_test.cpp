// The planning frame: states and enabled commands, the recomputation after
// an edit, Clear and the close questions, the CSV line rules, the settings.
#include <gtest/gtest.h>

#include "planframe.h"
#include "productionplan.h"
#include "sjis.h"
#include "testutil.h"

namespace {

clsPlanFrame OrderFrameWithRows(std::vector<PlanRow> rows) {
    clsPlanFrame f(OrderFrameConfig());
    f.ResetWindow();
    f.SetEditState(true);
    f.SetRows(std::move(rows));
    return f;
}

TEST(PlanFrame, CommandsFollowTheStateAndTheRows) {
    clsPlanFrame f(OrderFrameConfig());
    f.ResetWindow();
    sPlanActions a = f.Actions();
    EXPECT_TRUE(a.searchControls);
    EXPECT_FALSE(a.save || a.clear || a.print || a.csv || a.view);
    EXPECT_EQ(a.closeHint, "閉じる");
    EXPECT_EQ(a.closeMenu, "閉じる(&X)");

    // A search that finds nothing: edit state, Clear on, the rest off.
    f.SetEditState(true);
    f.SetRows({});
    a = f.Actions();
    EXPECT_FALSE(a.searchControls);
    EXPECT_TRUE(a.clear);
    EXPECT_FALSE(a.save || a.print || a.csv || a.view);
    EXPECT_EQ(a.closeHint, "戻る");
    EXPECT_EQ(a.closeMenu, "戻る(&X)");

    f.SetRows({{"S1", "Set", "1", "0", "1"}});
    a = f.Actions();
    EXPECT_TRUE(a.save && a.print && a.csv && a.view && a.clear);

    // Leaving the edit state empties the grid.
    f.SetEditState(false);
    EXPECT_FALSE(f.HasRows());
    EXPECT_FALSE(f.Actions().print);
}

TEST(PlanFrame, EditRecomputesProductionAndKeepsTheTypedText) {
    struct Case {
        int column;
        std::string text;
        std::string shipments, stock, production;
    };
    const Case cases[] = {
        {ocShipments, "12", "12", "5", "7"},
        {ocShipments, "12a", "12a", "5", "-5"},  // not an integer: 0
        {ocStock, "20", "10", "20", "-10"},      // negative production
        {ocStock, "", "10", "", "10"},
        {ocShipments, " 8 ", " 8 ", "5", "3"},
    };
    for (const auto& c : cases) {
        clsPlanFrame f = OrderFrameWithRows({{"A1", "A", "10", "5", "5"}});
        ASSERT_TRUE(f.EditCell(0, c.column, c.text));
        EXPECT_EQ(f.Cell(0, ocShipments), c.shipments) << c.text;
        EXPECT_EQ(f.Cell(0, ocStock), c.stock) << c.text;
        EXPECT_EQ(f.Cell(0, ocProduction), c.production) << c.text;
        EXPECT_TRUE(f.Modified());
    }
    // The code, the name and the computed column are not edited.
    clsPlanFrame f = OrderFrameWithRows({{"A1", "A", "10", "5", "5"}});
    for (int col : {0, 1, 4, 7}) EXPECT_FALSE(f.EditCell(0, col, "9"));
    EXPECT_FALSE(f.EditCell(1, ocShipments, "9"));
    EXPECT_FALSE(f.Modified());
}

TEST(PlanFrame, CloseAsksOnlyAfterChanges) {
    clsPlanFrame f = OrderFrameWithRows({{"A1", "A", "10", "5", "5"}, {"B1", "B", "3", "1", "2"}});
    EXPECT_EQ(f.CloseCommand(), PlanClose::Leave);
    EXPECT_FALSE(f.ExitNeedsQuestion());

    f.Clear();
    for (int r = 0; r < 2; ++r)
        for (int c : {ocShipments, ocStock, ocProduction}) EXPECT_EQ(f.Cell(r, c), "0");
    EXPECT_EQ(f.Cell(1, ocCode), "B1");
    EXPECT_EQ(f.CloseCommand(), PlanClose::AskLeave);
    EXPECT_TRUE(f.ExitNeedsQuestion());

    f.Saved();
    EXPECT_EQ(f.CloseCommand(), PlanClose::Leave);
    EXPECT_FALSE(f.ExitNeedsQuestion());

    f.EditCell(0, ocStock, "1");
    f.Leave();
    EXPECT_FALSE(f.EditState());
    EXPECT_FALSE(f.Modified());
    EXPECT_EQ(f.CloseCommand(), PlanClose::CloseWindow);
}

TEST(PlanFrame, CsvFieldRule) {
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"ABC", "ABC"},
        {"", ""},
        {"\"A B\"", " \"A  B\" "},
        {"a,b", " a,b "},
        {"x\ty", " x\ty "},
        {"\"q\"\"", "\"q\"\""},  // quotes stay as they are
        {"全角　空白", "全角　空白"},
    };
    for (const auto& c : cases) EXPECT_EQ(PlanCsvField(c.in), c.out) << c.in;
}

TEST(PlanFrame, CsvBytesOfTheProductionPlan) {
    clsPlanFrame f = OrderFrameWithRows({{"S-1", "Set \"A\", big", "12a", "3", "-3"}, {"B1", "本体", "5", "0", "5"}});
    std::string expected = "品番,通称名,出荷数,在庫数,生産数\r\n"
                           "\"S-1\", \"Set  \"A\",  big\" ,12a,3,-3\r\n"
                           "\"B1\",\"本体\",5,0,5\r\n";
    EXPECT_EQ(f.CsvBytes(), ToSjis(expected));
}

TEST(PlanFrame, SettingsRoundTripUnderTheWindowsKeys) {
    TempDir dir;
    IniFile ini(dir.File("Velmo.ini"));
    sPlanFrameConfig config = OrderFrameConfig();

    // Nothing stored: both boxes checked, tool bar first, widths 150.
    sPlanFrameSettings s = LoadPlanFrameSettings(ini, config.keys);
    EXPECT_TRUE(s.checks[0] && s.checks[1]);
    EXPECT_TRUE(s.toolBarFirst);
    EXPECT_EQ(LoadPlanGridWidths(ini, config), (std::vector<int>{150, 150, 150, 150, 150}));

    s.checks = {false, true};
    s.toolBarFirst = false;
    s.break2 = true;
    s.width1 = 210;
    SavePlanFrameSettings(ini, config.keys, s);
    SavePlanGridWidths(ini, config, {80, 200, 60, 60, 70});
    EXPECT_EQ(ini.ReadString("PREFORM", "CHKS_SET_OR", ""), "0");
    EXPECT_EQ(ini.ReadString("PREFORM", "CHKS_BODY_OR", ""), "1");
    EXPECT_EQ(ini.ReadString("PREFORM", "OCOOL_1", ""), "2");
    EXPECT_EQ(ini.ReadString("PREFORM", "OCOOL_2", ""), "1");
    EXPECT_EQ(ini.ReadString("PREFORM", "OCOOL_2B", ""), "1");
    EXPECT_EQ(ini.ReadString("PREFORM", "OGRIDW4", ""), "70");

    sPlanFrameSettings back = LoadPlanFrameSettings(ini, config.keys);
    EXPECT_FALSE(back.checks[0]);
    EXPECT_TRUE(back.checks[1]);
    EXPECT_FALSE(back.toolBarFirst);
    EXPECT_TRUE(back.break2);
    EXPECT_EQ(back.width1, 210);
    EXPECT_EQ(LoadPlanGridWidths(ini, config), (std::vector<int>{80, 200, 60, 60, 70}));

    // A hidden column reads as 0 whatever is stored.
    config.columns[1].hidden = true;
    EXPECT_EQ(LoadPlanGridWidths(ini, config)[1], 0);
}

}  // namespace
