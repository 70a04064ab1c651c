// The procurement explosion: needs of a month's plan through the structure,
// the Supply rows written and the SupEnt mark.
#include <gtest/gtest.h>

#include "engine.h"
#include "explosion.h"
#include "structfixture.h"

namespace {

class Explosion : public StructFile {
protected:
    // Plan rows "CODE=SEISAN" of month 202405 (shipments = SEISAN, stock 0).
    void Plan(const std::string& spec, const std::string& month = "202405") {
        std::vector<std::string> sql;
        for (const auto& w : SpecWords(spec)) {
            std::string code = GetToken(w, 1, "="), se = GetToken(w, 2, "=");
            sql.push_back("INSERT INTO OrderPlan (OYM, CD, [ORDER], ZAIKO, SEISAN) VALUES ('" + month + "', '" +
                          SqlEsc(code) + "', " + se + ", 0, " + se + ")");
        }
        ExecAll(dao, sql);
    }
    // "CODE:NEED" in order.
    std::string Needs(const std::string& month = "202405") {
        clsExplosion e(&dao);
        std::string out;
        for (const auto& n : e.ComputeNeeds(month)) out += (out.empty() ? "" : " ") + n.Code + ":" + std::to_string(n.Need);
        return out;
    }
    std::vector<std::string> SupplyRows(const std::string& month = "202405") {
        return Rows("SELECT * FROM Supply WHERE OYM = '" + month + "' ORDER BY CD",
                    {"CD", "NEED", "ZAIKO", "SUPPLY", "SUPTAN"});
    }
    std::string Mark(const std::string& month = "202405") { return AppSettings().ReadString("SupEnt", month, "(none)"); }
};

TEST_F(Explosion, NeedsFollowThePlanThroughTheStructure) {
    struct Case {
        const char* what;
        const char* items;
        const char* lines;  // inserted in this order
        const char* plan;
        const char* needs;
    };
    const Case cases[] = {
        {"worked example: B takes the set's demand, not its own 4", "S:3 B:2 U:1 X:0",
         "U>X*1 S>U*2 B>X*3 S>B*1", "S=10 B=4", "X:50 B:10 U:20"},
        {"worked example with the set's production 0: B passes its own 4", "S:3 B:2 U:1 X:0",
         "U>X*1 S>U*2 B>X*3 S>B*1", "S=0 B=4", "X:12 B:0 U:0"},
        {"a part under two units of one set gets both paths", "S:3 U1:1 U2:1 P:0",
         "S>U1*2 S>U2*3 U1>P*1 U2>P*2", "S=5", "P:40 U1:10 U2:15"},
        {"a negative production lowers the parts below, only the final need is limited", "S:3 B:2 T:3 X:0 Y:0",
         "S>B*1 B>X*2 B>Y*1 T>X*1", "S=-5 B=7 T=20", "X:10 Y:0 B:0"},
        {"a parent without an item record is not climbed", "S:3 X:0", "S>M*1 M>X*4", "S=10 M=3", "X:0 M:10"},
        {"a planned unit places no demand of its own", "U:1 X:0", "U>X*2", "U=5", "X:0"},
        {"codes compare as the key columns do", "S:3 X:0", "S>x*2", "s=5", "x:10"},
        {"two spellings of one code are two rows of one need", "S:3 T:3", "S>x*2 T>X*1", "S=5 T=1", "x:11 X:11"},
        {"a plan row without lines adds nothing", "S:3 Z:3", "", "Z=9", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Exec("DELETE FROM MasItem");
        Exec("DELETE FROM iStruct");
        Exec("DELETE FROM OrderPlan");
        Items(c.items);
        Lines(c.lines);
        Plan(c.plan);
        EXPECT_EQ(Needs(), c.needs);
    }
}

TEST_F(Explosion, EveryPlanRowOfTheMonthCountsAndOtherMonthsDoNot) {
    Items("S:3 T:3 X:0");
    Lines("S>X*1 T>X*10");
    Plan("S=2");
    Plan("T=100", "202406");
    EXPECT_EQ(Needs(), "X:2");
    EXPECT_EQ(Needs("202406"), "X:1000");
    // A row whose production is 0 still collects its lines.
    Plan("T=0");
    EXPECT_EQ(Needs(), "X:2");
}

TEST_F(Explosion, WritesNeedAndSupplyKeepsStockAndRowsNotReached) {
    Items("S:3 B:2 U:1 X:0");
    Lines("S>B*1 S>U*2 B>X*3 U>X*1");
    Plan("S=10 B=4");
    // Stock entered earlier for X, an old row of an item that left the
    // structure, and a row of another month.
    Exec("INSERT INTO Supply (OYM, CD, NEED, ZAIKO, SUPPLY, SUPTAN) VALUES ('202405', 'X', 7, 30, -23, 5.5)");
    Exec("INSERT INTO Supply (OYM, CD, NEED, ZAIKO, SUPPLY) VALUES ('202405', 'OLD', 99, 1, 98)");
    Exec("INSERT INTO Supply (OYM, CD, NEED, ZAIKO, SUPPLY) VALUES ('202404', 'X', 1, 0, 1)");

    clsExplosion e(&dao);
    auto rows = e.Explode("202405", "20240517");
    std::string written;
    for (const auto& r : rows)
        written += r.Code + ":" + std::to_string(r.Need) + "," + std::to_string(r.Stock) + "," + std::to_string(r.Supply) + " ";
    EXPECT_EQ(written, "X:50,30,20 B:10,0,10 U:20,0,20 ");
    EXPECT_EQ(SupplyRows(), (std::vector<std::string>{"B|10|0|10|0", "OLD|99|1|98|0", "U|20|0|20|0", "X|50|30|20|5.5"}));
    EXPECT_EQ(SupplyRows("202404"), (std::vector<std::string>{"X|1|0|1|0"}));
    EXPECT_EQ(Mark(), "20240517");
    EXPECT_TRUE(IsSupplyCurrent("202405"));

    // A new explosion after a change of plan keeps the stock.
    Exec("UPDATE OrderPlan SET SEISAN = 20 WHERE CD = 'S'");
    e.Explode("202405", "20240518");
    EXPECT_EQ(SupplyRows()[3], "X|100|30|70|5.5");
}

TEST_F(Explosion, MonthMarks) {
    // Current exactly when SupEnt holds a non-empty value for the month.
    EXPECT_FALSE(IsSupplyCurrent("202405"));
    AppSettings().WriteString("SupEnt", "202405", "");
    EXPECT_FALSE(IsSupplyCurrent("202405"));
    // A month without plan rows writes nothing and is still marked current.
    clsExplosion e(&dao);
    EXPECT_TRUE(e.Explode("202405", "20240501").empty());
    EXPECT_TRUE(SupplyRows().empty());
    EXPECT_TRUE(IsSupplyCurrent("202405"));
    EXPECT_FALSE(IsSupplyCurrent("202406"));
}

TEST_F(Explosion, RefusalsWriteNothingAndKeepTheMarks) {
    struct Case {
        const char* what;
        const char* items;
        const char* lines;
        const char* message;
    };
    const Case cases[] = {
        {"a loop below a planned item", "S:3 A:1 B:1", "S>A*1 A>B*1 B>A*1", "構成がループしています: A → B → A"},
        {"a line from an item to itself", "S:3 A:1", "S>A*1 A>A*1", "構成がループしています: A → A"},
        {"a loop above a needed item only", "S:3 A:1 B:1 X:0", "S>X*1 A>X*1 A>B*1 B>A*1",
         "構成がループしています: A → B → A"},
        {"a need beyond what NEED holds exactly", "S:3 A:1 B:0", "S>A*1000000000 A>B*1000000000",
         "品番 B の必要数が扱える範囲(±9,007,199,254,740,992)を超えています。"},
        {"a product beyond 64 bits", "S:3 A:1 B:0",
         "S>A*9000000000000000000 A>B*9000000000000000000", "品番 A の必要数が扱える範囲(±9,007,199,254,740,992)を超えています。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Exec("DELETE FROM MasItem");
        Exec("DELETE FROM iStruct");
        Exec("DELETE FROM OrderPlan");
        Exec("DELETE FROM Supply");
        Items(c.items);
        Lines(c.lines);
        Plan("S=30000");
        Exec("INSERT INTO Supply (OYM, CD, NEED, ZAIKO, SUPPLY) VALUES ('202405', 'A', 1, 2, -1)");
        AppSettings().WriteString("SupEnt", "202405", "");
        clsExplosion e(&dao);
        try {
            e.Explode("202405", "20240517");
            ADD_FAILURE() << "not refused";
        } catch (const ExplosionError& err) {
            EXPECT_EQ(std::string(err.what()), c.message);
        }
        EXPECT_EQ(SupplyRows(), (std::vector<std::string>{"A|1|2|-1|0"}));
        EXPECT_EQ(Mark(), "");
        EXPECT_EQ(dao.GetDatabase()->TransDepth(), 0);
    }
}

TEST_F(Explosion, EngineErrorLeavesSupplyAsItWas) {
    Items("S:3 B:2 U:1 X:0");
    Lines("S>B*1 S>U*2 B>X*3 U>X*1");
    Plan("S=10");
    Exec("INSERT INTO Supply (OYM, CD, NEED, ZAIKO, SUPPLY) VALUES ('202405', 'X', 1, 0, 1)");
    // The third row (U) is refused by the engine after X and B were written.
    dao.GetDatabase()
        ->Prepare("CREATE TRIGGER refuse_u BEFORE INSERT ON Supply WHEN NEW.CD = 'U' BEGIN SELECT RAISE(ABORT, 'no U'); END")
        ->Step();
    clsExplosion e(&dao);
    EXPECT_THROW(e.Explode("202405", "20240517"), EngineError);
    EXPECT_EQ(SupplyRows(), (std::vector<std::string>{"X|1|0|1|0"}));
    EXPECT_EQ(Mark(), "(none)");
    EXPECT_EQ(dao.GetDatabase()->TransDepth(), 0);
}

// 30 levels of two units, each holding both units of the next level: 2^30
// paths from the set to the part at the bottom.
TEST_F(Explosion, DiamondLadderIsExact) {
    std::string items = "S:3 P:0", lines = "S>L1a*1 S>L1b*1";
    for (int lv = 1; lv <= 30; ++lv)
        for (char k : {'a', 'b'}) {
            std::string c = "L" + std::to_string(lv) + k;
            items += " " + c + ":1";
            if (lv < 30)
                for (char n : {'a', 'b'}) lines += " " + c + ">L" + std::to_string(lv + 1) + n + "*1";
            else
                lines += " " + c + ">P*1";
        }
    Items(items);
    Lines(lines);
    Plan("S=1000");
    clsExplosion e(&dao);
    auto needs = e.ComputeNeeds("202405");
    ASSERT_EQ(needs.size(), 61u);
    EXPECT_EQ(needs.front().Code, "P");
    EXPECT_EQ(needs.front().Need, 1000LL << 30);
    EXPECT_EQ(needs.back().Code, "L1b");
    EXPECT_EQ(needs.back().Need, 1000);
}

TEST_F(Explosion, ChainOfHundredThousandLevels) {
    const int kDepth = 100000;
    auto db = dao.GetDatabase();
    db->BeginTrans();
    {
        auto ins = db->Prepare("INSERT INTO iStruct (CD1, CD2, INZU, KFLG, CFLG) VALUES (?, ?, 1, 1, 0)");
        for (int i = 0; i < kDepth; ++i) {
            ins->Reset();
            ins->Bind(1, i ? "C" + std::to_string(i) : std::string("S"));
            ins->Bind(2, "C" + std::to_string(i + 1));
            ins->Step();
        }
        auto item = db->Prepare("INSERT INTO MasItem (CD, KBN) VALUES (?, 1)");
        for (int i = 1; i < kDepth; ++i) {
            item->Reset();
            item->Bind(1, "C" + std::to_string(i));
            item->Step();
        }
    }
    db->CommitTrans();
    Items("S:3");
    Plan("S=3");
    clsExplosion e(&dao);
    auto rows = e.Explode("202405", "20240517");
    ASSERT_EQ(rows.size(), static_cast<size_t>(kDepth));
    EXPECT_EQ(rows.front().Code, "C" + std::to_string(kDepth));
    EXPECT_EQ(rows.back().Code, "C1");
    for (const auto& r : rows) ASSERT_EQ(r.Need, 3) << r.Code;

    // The same chain closed into a loop at the bottom.
    Exec("INSERT INTO iStruct (CD1, CD2, INZU, KFLG, CFLG) VALUES ('C" + std::to_string(kDepth) + "', 'C1', 1, 1, 0)");
    try {
        e.ComputeNeeds("202405");
        ADD_FAILURE() << "not refused";
    } catch (const ExplosionError& err) {
        std::string m = err.what();
        EXPECT_EQ(m.rfind("構成がループしています: C1 → C2 → ", 0), 0u) << m.substr(0, 80);
        EXPECT_NE(m.find("C100000 → C1"), std::string::npos);
    }
}

}  // namespace
