// velmo-cli bom, where-used and the structure reports, end to end on a real
// data file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "clirun.h"
#include "sjis.h"
#include "structure.h"
#include "structdata.h"
#include "testutil.h"
#include "udaoment.h"

namespace {

class CliStructure : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("data.mdb");
        CreateSchema(path, 0);
        ASSERT_EQ(dao.OpenDatabase(path), 0);
        // Set S1 holds body B1; B1 holds units U1 (x2) and U2 and part P3 (x4);
        // both units hold P1; the part 品'1 has a quote and a tab in its name.
        InsertItems(dao, "S1:3:0 B1:2:1000 U1:1:100 U2:1:200.5 P1:0:10 P3:0:1234.567 Q'1:0:1");
        InsertLines(dao, "S1>B1*1 B1>U1*2 B1>U2*1:1:1 B1>P3*4 U1>P1*3 U2>P1*2:0 U1>Q'1*1");
        dao.Execute("UPDATE MasItem SET NAME = 'ねじ\tM3' WHERE CD = 'Q''1'");
    }
    CliResult Run(std::vector<std::string> args) {
        args.push_back("--settings");
        args.push_back(dir.File("Velmo.ini"));
        return RunCli(args, dir.Path());
    }

    TempDir dir;
    std::string path;
    clsDao dao;
};

TEST_F(CliStructure, Bom) {
    auto r = Run({"bom", path, "B1"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "P3\tParts\t4\tname of P3\t1,234.57\t1\n"
              "U1\tUnit\t2\tname of U1\t100\t1\n"
              "U2\tUnit\t1\tname of U2\t200.5\t1\n"
              "# Unit: 2\tParts: 1\t費用計: 6,338.77\n");
    r = Run({"bom", path, "B1", "--all-levels"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "P1\tParts\t8\tname of P1\t10\t0\n"
              "P1\tParts\t8\tname of P1\t10\t0\n"
              "P3\tParts\t4\tname of P3\t1,234.57\t1\n"
              "Q'1\tParts\t2\tねじ M3\t1\t0\n"
              "U1\tUnit\t2\tname of U1\t100\t1\n"
              "U2\tUnit\t1\tname of U2\t200.5\t1\n"
              "# Unit: 2\tParts: 4\t費用計: 6,420.77\n");
    // A code nobody holds anything under: the summary only.
    r = Run({"bom", path, "P1"});
    EXPECT_EQ(r.out, "# Unit: 0\tParts: 0\t費用計: 10\n");
}

TEST_F(CliStructure, WhereUsed) {
    auto r = Run({"where-used", path, "P1"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "U1\tUnit\tname of U1\t3\t1\n"
              "U2\tUnit\tname of U2\t2\t1\n"
              "# Unit: 2\tParts: 0\n");
    r = Run({"where-used", path, "P1", "--all-levels"});
    EXPECT_EQ(r.out,
              "B1\tBody\tname of B1\t2\t0\n"
              "B1\tBody\tname of B1\t2\t0\n"
              "S1\tSet\tname of S1\t1\t0\n"
              "S1\tSet\tname of S1\t1\t0\n"
              "U1\tUnit\tname of U1\t3\t1\n"
              "U2\tUnit\tname of U2\t2\t1\n"
              "# Unit: 2\tParts: 0\n");
}

TEST_F(CliStructure, Reports) {
    auto r = Run({"report", "structure", path, "--root", "U2", "--root", "U1", "--text"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "# report: repParts\n# title: 構成表\n"
              "□U2\tname of U2\t1\t\t\tF\tS\t200.5\n"
              "└─＊P1\tname of P1\t2\t\t\tF\tS\t10\n"
              "□U1\tname of U1\t1\t\t\tF\tS\t100\n"
              "├─＊P1\tname of P1\t3\t○\t\tF\tS\t10\n"
              "└─＊Q'1\tねじ M3\t1\t○\t\tF\tS\t1\n");

    WriteText(dir.File("Velmo.ini"), ToSjis("[MASITEM]\r\nETCHI=梱包費\r\n"));
    r = Run({"report", "cost", path, "--root", "U1", "--root", "U2", "--text"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "# report: repGenka\n# title: 原価表\n# total: 131\n# heading: 梱包費\n"
              "□U1\t1\t100\t1\t2\t3\t4\t個\n"
              "├─＊P1\t3\t10\t1\t2\t3\t4\t個\n"
              "└─＊Q'1\t1\t1\t1\t2\t3\t4\t個\n"
              "□U2\t1\t200.5\t1\t2\t3\t4\t個\n"
              "└─＊P1\t2\t10\t1\t2\t3\t4\t個\n");

    r = Run({"report", "parents", path, "--code", "B1", "--text"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "# report: repParts\n# title: 親検索\n■B1\tname of B1\t1\t\t\tF\tS\t1,000\n"
                     "└─☆S1\tname of S1\t1\t○\t\tF\tS\t0\n");
}

TEST_F(CliStructure, StoredLoopEndsWithTheLoopNamed) {
    InsertLines(dao, "U1>B1*1");
    for (std::vector<std::string> args :
         {std::vector<std::string>{"bom", path, "S1", "--all-levels"}, {"where-used", path, "P1", "--all-levels"},
          {"report", "structure", path, "--root", "S1", "--text"}, {"report", "cost", path, "--root", "B1", "--text"},
          {"report", "parents", path, "--code", "U1", "--text"}}) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        auto r = Run(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("構成がループしています: "), std::string::npos) << r.err;
    }
    EXPECT_NE(Run({"bom", path, "S1", "--all-levels"}).err.find("B1 → U1 → B1"), std::string::npos);
    // A structure that does not reach the loop is fine.
    EXPECT_EQ(Run({"bom", path, "U2"}).code, 0);
}

TEST_F(CliStructure, UsageAndFileErrors) {
    WriteText(dir.File("text.mdb"), "not a data file");
    for (std::vector<std::string> args :
         {std::vector<std::string>{"bom", path}, {"bom", dir.File("missing.mdb"), "B1"},
          {"where-used", dir.File("text.mdb"), "B1"}, {"report", "structure", path, "--text"},
          {"report", "cost", path, "--root", "B1"}, {"report", "parents", path, "--text"}}) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        auto r = Run(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(ReadText(dir.File("text.mdb")), "not a data file");
}

TEST_F(CliStructure, ChainOf100000LevelsInEveryCommand) {
    const int n = 100000;
    InsertChain(dao, n);
    const std::string top = ChainCode(0), bottom = ChainCode(n);
    auto lineCount = [](const std::string& out) { return std::count(out.begin(), out.end(), '\n'); };

    auto r = Run({"bom", path, top, "--all-levels"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(lineCount(r.out), n + 1);
    EXPECT_NE(r.out.find("# Unit: 99999\tParts: 1\t費用計: 100,001\n"), std::string::npos);

    r = Run({"where-used", path, bottom, "--all-levels"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(lineCount(r.out), n + 1);
    EXPECT_EQ(r.out.substr(0, 8), top + "\t");

    // The code column of a deep line draws the last ancestor columns only.
    std::string columns;
    for (int i = 0; i < kPrintedColumns; ++i) columns += "│　";
    for (const char* report : {"structure", "cost"}) {
        r = Run({"report", report, path, "--root", top, "--text"});
        ASSERT_EQ(r.code, 0) << report << ": " << r.err;
        EXPECT_EQ(lineCount(r.out), n + 1 + (report == std::string("cost") ? 4 : 2));
        EXPECT_NE(r.out.find("\n[100000]" + columns + "└─＊" + bottom + "\t"), std::string::npos) << report;
    }
    EXPECT_NE(r.out.find("# total: 100,001\n"), std::string::npos);

    r = Run({"report", "parents", path, "--code", bottom, "--text"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\n[100000]" + columns + "└─■" + top + "\t"), std::string::npos);
}

TEST_F(CliStructure, RowsPerPathAreCountedFirstAndRefusedAboveTheLimit) {
    // 24 levels of two units, each holding both units of the next: the lists
    // and printouts below S1 would have tens of millions of rows.
    std::string items, lines = "B1>L1a*1 B1>L1b*1 ";
    for (int lv = 1; lv <= 24; ++lv)
        for (char k : {'a', 'b'}) {
            std::string c = "L" + std::to_string(lv) + k;
            items += c + ":1:1 ";
            if (lv > 1)
                for (char p : {'a', 'b'}) lines += "L" + std::to_string(lv - 1) + p + ">" + c + "*1 ";
        }
    InsertItems(dao, items);
    InsertLines(dao, lines);
    struct Case {
        std::vector<std::string> args;
        const char* count;  // the rows the output would have
    };
    const Case cases[] = {
        {{"bom", path, "S1", "--all-levels"}, "33,554,437"},
        {{"where-used", path, "L24a", "--all-levels"}, "33,554,430"},
        {{"report", "structure", path, "--root", "S1", "--text"}, "33,554,438"},
        {{"report", "cost", path, "--root", "B1", "-o", dir.File("cost.pdf")}, "33,554,437"},
        {{"report", "parents", path, "--code", "L24b", "--text"}, "33,554,431"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        auto r = Run(c.args);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find(std::string("出力は ") + c.count + " 行になります (上限 1,000,000 行)"),
                  std::string::npos)
            << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("cost.pdf")));

    // --max-rows allows exactly the count and refuses one row more.
    auto r = Run({"bom", path, "B1", "--max-rows", "5"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Run({"bom", path, "U1", "--all-levels", "--max-rows", "1"}).code, 1);
    r = Run({"report", "structure", path, "--root", "U1", "--text", "--max-rows", "3"});
    EXPECT_EQ(r.code, 0) << r.err;
    r = Run({"report", "structure", path, "--root", "U1", "--text", "--max-rows", "2"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("--max-rows 3 を指定してください"), std::string::npos) << r.err;
    for (const char* bad : {"-1", "x", "", "99999999999999999999999"}) {
        r = Run({"bom", path, "B1", "--max-rows", bad});
        EXPECT_EQ(r.code, 1) << bad;
        EXPECT_NE(r.err.find("--max-rows には 0 以上の整数を指定してください"), std::string::npos) << r.err;
    }
}

}  // namespace
