// velmo-cli plan and report order, run as a user's script runs them: the
// month's list, saving rows with their marks, the refusals, the CSV output
// and the printout.
#include <gtest/gtest.h>

#include "clirun.h"
#include "dbfixture.h"
#include "settings.h"
#include "sjis.h"

class CliPlan : public ::testing::Test {
protected:
    void SetUp() override {
        data = dir.File("data.mdb");
        CreateSchema(data, 0);
        clsDao dao;
        ASSERT_EQ(dao.OpenDatabase(data), 0);
        for (const char* v : {"'S-1', 3, 'Set, \"one\"'", "'B-1', 2, 'Body one'", "'B''2', 2, 'Body two'",
                              "'U-1', 1, 'Unit'"})
            ASSERT_EQ(dao.Execute(std::string("INSERT INTO MasItem (CD, KBN, NAME) VALUES (") + v + ")"), 0);
        ASSERT_EQ(dao.Execute("INSERT INTO OrderPlan (OYM, CD, [ORDER], ZAIKO, SEISAN) VALUES ('202405', 'S-1', 9, 2, 7)"), 0);
        dao.Close();
    }
    CliResult Run(std::vector<std::string> args) {
        args.push_back("--settings");
        args.push_back(ini);
        return RunCli(args, dir.Path());
    }
    CliResult Plan(std::vector<std::string> more) {
        std::vector<std::string> args = {"plan", data, "--month", "202405"};
        args.insert(args.end(), more.begin(), more.end());
        return Run(args);
    }
    TempDir dir;
    std::string data;
    std::string ini = dir.File("Velmo.ini");
};

TEST_F(CliPlan, ListsTheMonthsPlan) {
    struct Case {
        std::vector<std::string> options;
        std::string out;
    };
    const Case cases[] = {
        {{}, "B'2\tBody two\t0\t0\t0\nB-1\tBody one\t0\t0\t0\nS-1\tSet, \"one\"\t9\t2\t7\n# 該当件数: 3\n"},
        {{"--kbn", "3"}, "S-1\tSet, \"one\"\t9\t2\t7\n# 該当件数: 1\n"},
        {{"--kbn", "2", "--find", "B'"}, "B'2\tBody two\t0\t0\t0\n# 該当件数: 1\n"},
        {{"--find", "Z"}, "# 該当件数: 0\n"},
    };
    for (const auto& c : cases) {
        auto r = Plan(c.options);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
    // Another month has no plan yet.
    auto r = Run({"plan", data, "--month", "202406", "--kbn", "3"});
    EXPECT_EQ(r.out, "S-1\tSet, \"one\"\t0\t0\t0\n# 該当件数: 1\n");
}

TEST_F(CliPlan, SetSavesRowsAndMarksTheMonth) {
    IniFile(ini).WriteString("SupEnt", "202405", "20240501");
    auto r = Plan({"--set", "B-1=3,8", "--set", "B'2=10,0", "--kbn", "2"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "B'2\tBody two\t10\t0\t10\nB-1\tBody one\t3\t8\t-5\n# 該当件数: 2\n");
    IniFile settings(ini);
    EXPECT_TRUE(settings.KeyExists("SupEnt", "202405"));
    EXPECT_EQ(settings.ReadString("SupEnt", "202405", "-"), "");
    EXPECT_EQ(settings.ReadString("OdrEnt", "202405", "").size(), 8u);
    // The window's search sees the same data.
    r = Plan({});
    EXPECT_EQ(r.out, "B'2\tBody two\t10\t0\t10\nB-1\tBody one\t3\t8\t-5\nS-1\tSet, \"one\"\t9\t2\t7\n# 該当件数: 3\n");
}

TEST_F(CliPlan, RefusalsWriteNothing) {
    IniFile(ini).WriteString("SupEnt", "202405", "20240501");
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"plan", data, "--month", "202405", "--set", "B-1=1,1", "--set", "S-1=40000,0"}, "品番[S-1]の出荷数"},
        {{"plan", data, "--month", "202405", "--set", "B-1=1,1", "--set", "U-1=1,0"}, "品番[U-1]"},
        {{"plan", data, "--month", "202405", "--set", "B-1=1,1", "--set", "NOPE=1,0"}, "品番[NOPE]"},
        {{"plan", data, "--month", "202405", "--set", "B-1=1x,1"}, "--set"},
        {{"plan", data, "--month", "202405", "--set", "B-1"}, "--set"},
        {{"plan", data, "--month", "2024-5"}, "--month"},
        {{"plan", data, "--month", "202413"}, "--month"},
        {{"plan", data}, "usage"},
        {{"plan", data, "--month", "202405", "--kbn", "1"}, "--kbn"},
        {{"plan", dir.File("missing.mdb"), "--month", "202405"}, "missing.mdb"},
        {{"report", "order", data, "--month", "202405"}, "-o"},
    };
    for (const auto& c : cases) {
        auto r = Run(c.args);
        EXPECT_EQ(r.code, 1) << c.args.back();
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    auto r = Plan({"--kbn", "2"});
    EXPECT_EQ(r.out, "B'2\tBody two\t0\t0\t0\nB-1\tBody one\t0\t0\t0\n# 該当件数: 2\n");
    EXPECT_EQ(IniFile(ini).ReadString("SupEnt", "202405", ""), "20240501");
    EXPECT_FALSE(IniFile(ini).KeyExists("OdrEnt", "202405"));
}

TEST_F(CliPlan, CsvAndPrintoutOfTheList) {
    std::string out = dir.File("plan.csv");
    auto r = Plan({"--kbn", "3", "--csv", out});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadText(out), ToSjis("品番,通称名,出荷数,在庫数,生産数\r\n\"S-1\", \"Set,  \"one\"\" ,9,2,7\r\n"));

    r = Run({"report", "order", data, "--month", "202405", "--text"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "# report: repOrder\n# title: 生産計画\n# month: 2024年05月\n"
              "B'2\tBody two\t0\t0\t0\nB-1\tBody one\t0\t0\t0\nS-1\tSet, \"one\"\t9\t2\t7\n");

    std::string pdf = dir.File("order.pdf");
    r = Run({"report", "order", data, "--month", "202405", "--find", "S", "-o", pdf});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadText(pdf).rfind("%PDF", 0), 0u);
}
