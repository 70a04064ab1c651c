// velmo-cli new --version 1 and velmo-cli convert on real files: the sample
// of the previous layout converts into the sample data set, exit codes and
// messages on stderr.
#include <gtest/gtest.h>

#include "clirun.h"
#include "dbfixture.h"
#include "fileutil.h"
#include "v1fixture.h"

class CliConvert : public ::testing::Test {
protected:
    CliResult Run(std::vector<std::string> args) {
        args.push_back("--settings");
        args.push_back(dir.File("Velmo.ini"));
        return RunCli(args, dir.Path());
    }
    std::string Example(const std::string& name) { return std::string(VELMO_SOURCE_DIR) + "/examples/" + name; }
    TempDir dir;
};

TEST_F(CliConvert, TheVersionOneSampleBecomesTheSampleDataSet) {
    std::string src = dir.File("sample-v1.mdb");
    WriteText(src, ReadText(Example("sample-v1.mdb")));
    EXPECT_EQ(Run({"info", src}).out, "version: 1\niStruct: 84\nMasItem: 50\nMasTori: 10\n");
    std::string dst = dir.File("sample.mdb");
    auto r = Run({"convert", src, dst});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "変換が実行されました。\n");
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(Run({"info", dst}).out, "version: 2\niStruct: 84\nMasItem: 50\nMasTori: 10\nOrderPlan: 0\nSupply: 0\n");
    // Items, partners and structure lines with their quantities and flags are
    // those of the sample data set.
    r = Run({"export", dst, "--structure", dir.File("s.csv"), "--items", dir.File("i.csv"), "--partners",
             dir.File("t.csv"), "--header"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadText(dir.File("s.csv")), ReadText(Example("structure.csv")));
    EXPECT_EQ(ReadText(dir.File("i.csv")), ReadText(Example("items.csv")));
    EXPECT_EQ(ReadText(dir.File("t.csv")), ReadText(Example("partners.csv")));
    EXPECT_EQ(ReadText(src), ReadText(Example("sample-v1.mdb")));

    // The converted file is of the current layout: converting it again says so.
    r = Run({"convert", dst, dir.File("again.mdb")});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "すでにVersion2.0の形式のﾃﾞｰﾀです。変換する必要はありません。\n");
    EXPECT_FALSE(FileExists(dir.File("again.mdb")));
}

TEST_F(CliConvert, NewMakesAFileOfEitherLayout) {
    auto r = Run({"new", dir.File("old.mdb"), "--version", "1"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Run({"info", dir.File("old.mdb")}).out, "version: 1\niStruct: 0\nMasItem: 0\nMasTori: 0\n");
    r = Run({"new", dir.File("new.mdb"), "--version", "2"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Run({"info", dir.File("new.mdb")}).out.substr(0, 11), "version: 2\n");
    r = Run({"new", dir.File("x.mdb"), "--version", "3"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("usage"), std::string::npos) << r.err;
    EXPECT_FALSE(FileExists(dir.File("x.mdb")));
}

TEST_F(CliConvert, FailuresExitOneWithTheMessage) {
    std::string bad = dir.File("bad.mdb");
    MakeVersion1File(bad, {{"B01", "P01", 1, "x", "0"}});
    std::string dst = dir.File("out.mdb");
    WriteText(dst, "earlier target");
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"convert", bad, dst}, "テーブル iStruct の列 KFLG (CD1 = 'B01', CD2 = 'P01'): 値 'x'"},
        {{"convert", dir.File("missing.mdb"), dst}, "変換元ﾌｧｲﾙを開けません。"},
        {{"convert", "", dst}, "変換元ﾌｧｲﾙ名を選んでください。\n"},
        {{"convert", bad, ""}, "変換先ﾌｧｲﾙ名を選んでください。\n"},
        {{"convert", bad}, "usage: velmo-cli convert SOURCE TARGET"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        auto r = Run(c.args);
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(ReadText(dst), "earlier target");
    }
}
