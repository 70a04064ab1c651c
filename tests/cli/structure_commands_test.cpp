// velmo-cli bom, where-used and the structure reports, end to end on a real
// data file.
#include <gtest/gtest.h>

#include "clirun.h"
#include "sjis.h"
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

}  // namespace
