// velmo-cli explode and supply, end to end on a real data file and settings file.
#include <gtest/gtest.h>

#include "clirun.h"
#include "settings.h"
#include "sjis.h"
#include "structdata.h"
#include "testutil.h"
#include "udaoment.h"
#include "udaors.h"

namespace {

class CliSupply : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("data.mdb");
        CreateSchema(path, 0);
        ASSERT_EQ(dao.OpenDatabase(path), 0);
        InsertItems(dao, "S:3 B:2 U:1 X:0 Q'1:0");
        InsertLines(dao, "S>B*1 S>U*2 B>X*3 U>X*1 U>Q'1*2");
        ExecAll(dao, {"INSERT INTO OrderPlan (OYM, CD, [ORDER], ZAIKO, SEISAN) VALUES ('202405', 'S', 12, 2, 10)",
                      "INSERT INTO OrderPlan (OYM, CD, [ORDER], ZAIKO, SEISAN) VALUES ('202405', 'B', 4, 0, 4)",
                      "INSERT INTO Supply (OYM, CD, NEED, ZAIKO, SUPPLY) VALUES ('202405', 'X', 1, 60, -59)"});
    }
    CliResult Run(std::vector<std::string> args) {
        args.push_back("--settings");
        args.push_back(ini());
        return RunCli(args, dir.Path());
    }
    std::string ini() { return dir.File("Velmo.ini"); }
    std::string Supply() {
        std::string out;
        clsDaoRs rs(dao.GetDatabase());
        rs.OpenRecordset("SELECT * FROM Supply ORDER BY CD", 0);
        for (; !rs.IsEOF(); rs.MoveRecord(0)) out += rs.Text("CD") + "|" + rs.Text("NEED") + "|" + rs.Text("SUPPLY") + " ";
        rs.Close();
        return out;
    }

    TempDir dir;
    std::string path;
    clsDao dao;
};

TEST_F(CliSupply, ExplodePrintsTheRowsWrittenAndMarksTheMonth) {
    auto r = Run({"explode", path, "--month", "202405"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "X\t50\t60\t-10\nB\t10\t0\t10\nQ'1\t40\t0\t40\nU\t20\t0\t20\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Supply(), "B|10|10 Q'1|40|40 U|20|20 X|50|-10 ");
    EXPECT_EQ(IniFile(ini()).ReadString("SupEnt", "202405", "").size(), 8u);
}

TEST_F(CliSupply, ExplodeRefusals) {
    ExecAll(dao, {"INSERT INTO iStruct (CD1, CD2, INZU, KFLG, CFLG) VALUES ('X', 'S', 1, 1, 0)"});
    IniFile(ini()).WriteString("SupEnt", "202405", "");
    struct Case {
        std::vector<std::string> args;
        const char* err;
    };
    const Case cases[] = {
        {{"explode", path, "--month", "202405"},
         "構成がループしています: B → X → S → B\n構成がループしています: X → S → U → X\n"},
        {{"explode", path, "--month", "202413"}, "velmo-cli: --month は年月を YYYYMM の形で指定してください。(202413)\n"},
        {{"explode", path, "--month", "2024-5"}, "velmo-cli: --month は年月を YYYYMM の形で指定してください。(2024-5)\n"},
        {{"explode", path}, "usage: velmo-cli explode FILE --month YYYYMM\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        auto r = Run(c.args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
    }
    EXPECT_EQ(Supply(), "X|1|-59 ");
    EXPECT_EQ(IniFile(ini()).ReadString("SupEnt", "202405", "x"), "");

    auto r = Run({"explode", dir.File("missing.mdb"), "--month", "202405"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("missing.mdb"), std::string::npos);
}

TEST_F(CliSupply, SupplyListsAndSavesStock) {
    ExecAll(dao, {"UPDATE MasItem SET TEHAIKBN = 0, SOUKO = 'W'",
                  "UPDATE MasItem SET TEHAIKBN = 1, TEHAICD = 'S1', TEHAINI = '箱', TEHAINISU = 10, TANKA = 120 "
                  "WHERE CD = 'X'",
                  "INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'S1', '東海ネジ')"});
    // Not exploded yet: refused.
    auto r = Run({"supply", path, "--month", "202405"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "未更新です。展開処理を行ってください。\n");
    ASSERT_EQ(Run({"explode", path, "--month", "202405"}).code, 0);

    const std::string q = "自達\tW\tﾊﾟｰﾂ\tQ'1\tname of Q'1\t40\t0\t40\t0\t0\t\t0\t0\n",
                      u = "自達\tW\tﾕﾆｯﾄ\tU\tname of U\t20\t0\t20\t0\t0\t\t0\t0\n";
    r = Run({"supply", path, "--month", "202405"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, q + u + "仕入先\tS1:東海ネジ\tﾊﾟｰﾂ\tX\tname of X\t50\t60\t-10\t10\t0\t箱\t120\t0\n# 該当件数: 3\n");
    r = Run({"supply", path, "--month", "202405", "--kbn", "1"});
    EXPECT_EQ(r.out, u + "# 該当件数: 1\n");
    r = Run({"supply", path, "--month", "202405", "--kbn", "0", "--find", "q'"});
    EXPECT_EQ(r.out, q + "# 該当件数: 1\n");

    r = Run({"supply", path, "--month", "202405", "--find", "X", "--set", "X=20"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "仕入先\tS1:東海ネジ\tﾊﾟｰﾂ\tX\tname of X\t50\t20\t30\t10\t3\t箱\t120\t3,600\n# 該当件数: 1\n");
    EXPECT_EQ(Supply(), "B|10|10 Q'1|40|40 U|20|20 X|50|30 ");

    // The window's CSV output of the list.
    r = Run({"supply", path, "--month", "202405", "--find", "X", "--csv", dir.File("sup.csv")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(FromSjis(ReadText(dir.File("sup.csv"))),
              "手配先区分,手配先,品区分,品番,通称名,必要数,在庫数,調達数,荷姿入り数,発注数,手配荷姿,調達単価,調達金額\r\n"
              "\"仕入先\",\"S1:東海ネジ\",\"ﾊﾟｰﾂ\",\"X\", \"name  of  X\" ,50,20,30,10,3,\"箱\",120,3600\r\n");

    // Print: the twelve texts, the mark before the code.
    r = Run({"report", "supply", path, "--month", "202405", "--kbn", "0", "--text"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "# report: repSup\n# title: 発注支援\n# month: 2024年05月\n"
              "自達\tW\t＊ Q'1\tname of Q'1\t40\t0\t40\t0\t0\t\t0\t0\n"
              "仕入先\tS1:東海ネジ\t＊ X\tname of X\t50\t20\t30\t120\t3,600\t箱\t10\t3\n");

    // A code that is not listed, and a month whose plan changed since.
    r = Run({"supply", path, "--month", "202405", "--find", "X", "--set", "U=1"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "velmo-cli: 品番 U は一覧にありません。\n");
    EXPECT_EQ(Supply(), "B|10|10 Q'1|40|40 U|20|20 X|50|30 ");
    IniFile(ini()).WriteString("SupEnt", "202405", "");
    r = Run({"supply", path, "--month", "202405"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "未更新です。展開処理を行ってください。\n");
}

}  // namespace
