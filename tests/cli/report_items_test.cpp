// velmo-cli report items: the main window's search printed as the item list,
// run as a user's script runs it.
#include <gtest/gtest.h>

#include "clirun.h"
#include "dbfixture.h"

class CliReportItems : public ::testing::Test {
protected:
    void SetUp() override {
        data = dir.File("data.mdb");
        CreateSchema(data, 0);
        clsDao dao;
        ASSERT_EQ(dao.OpenDatabase(data), 0);
        for (const char* v : {"'B-2', 2, '本体2', '箱', 'L'", "'B-1', 2, '本体1', '', ''", "'U-1', 1, 'ﾕﾆｯﾄ', '組', ''",
                              "'P''1', 0, '部品', 'ねじ', 'M3'", "'Ａ-1', 3, 'セット', '', ''", "'X', 8, '?', '', ''"})
            ASSERT_EQ(dao.Execute(std::string("INSERT INTO MasItem (CD, KBN, NAME, KEITAI, KIKAKU) VALUES (") + v + ")"), 0);
        dao.Close();
    }
    CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"report", "items"});
        args.push_back("--settings");
        args.push_back(dir.File("Velmo.ini"));
        return RunCli(args, dir.Path());
    }
    TempDir dir;
    std::string data;
};

TEST_F(CliReportItems, TextFormOfTheSearch) {
    auto r = Run({data, "--text"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "# report: repItem\n"
              "# title: 品目リスト\n"
              "B-1\tBody\t本体1\t\t\n"
              "B-2\tBody\t本体2\t箱\tL\n"
              "P'1\tParts\t部品\tねじ\tM3\n"
              "U-1\tUnit\tﾕﾆｯﾄ\t組\t\n"
              "Ａ-1\tSet\tセット\t\t\n");
    EXPECT_EQ(r.err, "");

    r = Run({data, "--kbn", "0,3", "--find", "p'", "--text"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "# report: repItem\n# title: 品目リスト\nP'1\tParts\t部品\tねじ\tM3\n");

    r = Run({data, "--kbn", "3", "--find", "Z", "--text"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "# report: repItem\n# title: 品目リスト\n");
}

TEST_F(CliReportItems, RefusesBadInputWithExitCodeOne) {
    std::string text = dir.File("text.mdb");
    WriteText(text, "CD,NAME\r\n");
    std::string old = dir.File("old.mdb");
    CreateSchema(old, 0);
    {
        clsDao dao;
        ASSERT_EQ(dao.OpenDatabase(old), 0);
        dao.GetDatabase()->Prepare("DROP TABLE OrderPlan")->Step();
        dao.Close();
    }
    struct Case {
        std::vector<std::string> args;
        std::string err;  // part of the message
    };
    const std::vector<Case> cases = {
        {{data, "--kbn", "2,4", "--text"}, "--kbn"},
        {{data, "--kbn", "", "--text"}, "--kbn"},
        {{data}, "-o OUT.pdf"},
        {{data, "--text", "-o", dir.File("x.pdf")}, "-o OUT.pdf"},
        {{"--text"}, "usage"},
        {{dir.File("gone.mdb"), "--text"}, "見つかりません"},
        {{text, "--text"}, "データファイルではない"},
        {{old, "--text"}, "ﾃﾞｰﾀﾍﾞｰｽのﾊﾞｰｼﾞｮﾝが古いです。"},
    };
    for (const auto& c : cases) {
        auto r = Run(c.args);
        SCOPED_TRACE(::testing::PrintToString(c.args));
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(ReadText(text), "CD,NAME\r\n");
}
