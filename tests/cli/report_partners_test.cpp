// velmo-cli report partners, run as a user's script would run it.
#include <gtest/gtest.h>

#include "clirun.h"
#include "dbfixture.h"

namespace {

class CliReportPartners : public DataFileTest {
protected:
    void SetUp() override {
        DataFileTest::SetUp();
        Exec("INSERT INTO MasTori (KBN, CD, NAME, RNAME, TEL, FAX, ADRS1) VALUES "
             "(2, 'G01', '山田外注', '山外', '06-111-2222', '06-111-3333', '大阪府')");
        Exec("INSERT INTO MasTori (KBN, CD, NAME, RNAME, TEL) VALUES (1, 'S''1', 'O''Neil [株]', 'ｵﾆｰﾙ', '--')");
        Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'S02', '山田商店')");
        Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (0, 'Z9', '自社')");
        dao.Close();
    }
    CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"report", "partners"});
        args.push_back("--settings");
        args.push_back(dir.File("Velmo.ini"));
        return RunCli(args, dir.Path());
    }
};

}  // namespace

TEST_F(CliReportPartners, TextListsTheSearchInTheListOrder) {
    auto r = Run({path, "--text"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "# report: repTori\n# title: 取引先リスト\n"
              "S'1\t仕入先\tO'Neil [株]\tｵﾆｰﾙ\t--\t\t\n"
              "S02\t仕入先\t山田商店\t\t\t\t\n"
              "Z9\t自達\t自社\t\t\t\t\n"
              "G01\t払出先\t山田外注\t山外\t06-111-2222\t06-111-3333\t大阪府\n");
    EXPECT_TRUE(r.err.empty());

    struct Case {
        const char* find;
        std::string lines;
    };
    const Case cases[] = {
        {"山田", "S02\t仕入先\t山田商店\t\t\t\t\nG01\t払出先\t山田外注\t山外\t06-111-2222\t06-111-3333\t大阪府\n"},
        {"o'neil [", "S'1\t仕入先\tO'Neil [株]\tｵﾆｰﾙ\t--\t\t\n"},
        {"   ", "S'1\t仕入先\tO'Neil [株]\tｵﾆｰﾙ\t--\t\t\nS02\t仕入先\t山田商店\t\t\t\t\nZ9\t自達\t自社\t\t\t\t\n"
               "G01\t払出先\t山田外注\t山外\t06-111-2222\t06-111-3333\t大阪府\n"},
        {"*", ""},
    };
    for (const auto& c : cases) {
        r = Run({path, "--find", c.find, "--text"});
        ASSERT_EQ(r.code, 0) << c.find << r.err;
        EXPECT_EQ(r.out, "# report: repTori\n# title: 取引先リスト\n" + c.lines) << c.find;
    }
}

TEST_F(CliReportPartners, PdfIsWritten) {
    std::string pdf = dir.File("partners.pdf");
#ifndef VELMO_HAVE_RENDER
    GTEST_SKIP() << "velmo-cli is built without report rendering (VELMO_GUI=OFF)";
#endif
    auto r = Run({path, "-o", pdf});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadText(pdf).substr(0, 5), "%PDF-");
}

TEST_F(CliReportPartners, ErrorsGoToStderrWithExitCodeOne) {
    WriteText(dir.File("text.mdb"), "not a data file");
    const std::vector<std::vector<std::string>> cases = {
        {dir.File("missing.mdb"), "--text"},
        {dir.File("text.mdb"), "--text"},
        {path},
        {path, "--text", "-o", dir.File("x.pdf")},
        {},
    };
    for (const auto& args : cases) {
        auto r = Run(args);
        EXPECT_EQ(r.code, 1) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(ReadText(dir.File("text.mdb")), "not a data file");
}
