// velmo-cli export and import on real files: the sample data round trip,
// messages on stderr, exit codes, --replace and --header.
#include <gtest/gtest.h>

#include <filesystem>

#include "clirun.h"
#include "csv.h"
#include "dbfixture.h"
#include "sjis.h"

class CliExchange : public ::testing::Test {
protected:
    CliResult Run(std::vector<std::string> args) {
        args.push_back("--settings");
        args.push_back(dir.File("Velmo.ini"));
        return RunCli(args, dir.Path());
    }
    std::string Example(const std::string& name) { return std::string(VELMO_SOURCE_DIR) + "/examples/" + name; }
    std::string Info(const std::string& mdb) { return Run({"info", mdb}).out; }
    TempDir dir;
};

TEST_F(CliExchange, TheSampleDataRoundTripsExactly) {
    std::string mdb = dir.File("sample.mdb");
    auto r = Run({"import", mdb, "--structure", Example("structure.csv"), "--items", Example("items.csv"), "--partners",
                  Example("partners.csv"), "--header"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "インポートが終了しました。\n");
    EXPECT_EQ(Info(mdb), "version: 2\niStruct: 84\nMasItem: 50\nMasTori: 10\nOrderPlan: 0\nSupply: 0\n");

    r = Run({"export", mdb, "--structure", dir.File("s.csv"), "--items", dir.File("i.csv"), "--partners",
             dir.File("t.csv"), "--header"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "エクスポートが終了しました。\n");
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(ReadText(dir.File("s.csv")), ReadText(Example("structure.csv")));
    EXPECT_EQ(ReadText(dir.File("i.csv")), ReadText(Example("items.csv")));
    EXPECT_EQ(ReadText(dir.File("t.csv")), ReadText(Example("partners.csv")));
}

// A spreadsheet program saves a CSV file with minimal quoting (names with
// blanks unquoted) and, on some systems, LF line ends; such a file imports
// to the same data, and --quote-text writes a file whose codes a spreadsheet
// keeps as text.
TEST_F(CliExchange, FilesSavedByASpreadsheetImportToTheSameData) {
    std::string mdb = dir.File("sample.mdb");
    ASSERT_EQ(Run({"import", mdb, "--structure", Example("structure.csv"), "--items", Example("items.csv"),
                   "--partners", Example("partners.csv"), "--header"})
                  .code,
              0);
    auto exportTo = [&](const std::string& from, const std::string& prefix, std::vector<std::string> more) {
        std::vector<std::string> args = {"export", from, "--structure", dir.File(prefix + "s.csv"), "--items",
                                         dir.File(prefix + "i.csv"), "--partners", dir.File(prefix + "t.csv"),
                                         "--header"};
        args.insert(args.end(), more.begin(), more.end());
        auto r = Run(args);
        EXPECT_EQ(r.code, 0) << r.err;
    };
    exportTo(mdb, "orig-", {});
    const std::string tables[] = {"s.csv", "i.csv", "t.csv"};
    for (const auto& t : tables) {
        // Rewritten as a spreadsheet writes it: quotes only around a value
        // with a comma or a quote, LF after each line.
        std::string sheet;
        const std::string exported = ReadText(dir.File("orig-" + t));
        for (auto line : CsvSplitLines(exported)) {
            auto values = CsvSplitValues(line);
            for (size_t i = 0; i < values.size(); ++i) {
                const std::string& v = values[i];
                if (i) sheet += ',';
                if (v.find_first_of(",\"") == std::string::npos) {
                    sheet += v;
                    continue;
                }
                sheet += '"';
                for (char c : v) sheet += c == '"' ? std::string("\"\"") : std::string(1, c);
                sheet += '"';
            }
            sheet += '\n';
        }
        WriteText(dir.File("sheet-" + t), sheet);
    }
    ASSERT_NE(ReadText(dir.File("sheet-i.csv")).find(ToSjis(",電動昇降デスク本体 1200 黒,")), std::string::npos);

    std::string copy = dir.File("copy.mdb");
    auto r = Run({"import", copy, "--structure", dir.File("sheet-s.csv"), "--items", dir.File("sheet-i.csv"),
                  "--partners", dir.File("sheet-t.csv"), "--header"});
    ASSERT_EQ(r.code, 0) << r.err;
    exportTo(copy, "copy-", {});
    for (const auto& t : tables) EXPECT_EQ(ReadText(dir.File("copy-" + t)), ReadText(dir.File("orig-" + t))) << t;

    // --quote-text: every text between quotes, numbers bare; it reads back
    // as the same data.
    exportTo(mdb, "quoted-", {"--quote-text"});
    std::string quoted = ReadText(dir.File("quoted-i.csv"));
    EXPECT_EQ(quoted.substr(0, quoted.find("\r\n")),
              ToSjis("\"品番\",\"区分\",\"通称名\",\"検索名\",\"形態\",\"規格\",\"(外部品番)\",\"(ﾒｰｶｰｺｰﾄﾞ)\",\"JAN区分\","
                     "\"JANコード\",\"単位\",\"基準単価\",\"主材費\",\"加工費\",\"外注費\",\"(その他費用)\",\"手配先区分\","
                     "\"手配先コード\",\"手配荷姿\",\"手配荷姿の入数\",\"倉庫\",\"工程\",\"ライン\",\"(予備1)\",\"(予備2)\","
                     "\"(予備3)\",\"メモ\""));
    EXPECT_NE(quoted.find(ToSjis("\r\n\"ED-1200-BK\",2,\"電動昇降デスク本体 1200 黒\",\"ｼｮｳｺｳﾃﾞｽｸ\",\"本体\",")),
              std::string::npos);
    std::string requoted = dir.File("requoted.mdb");
    r = Run({"import", requoted, "--structure", dir.File("quoted-s.csv"), "--items", dir.File("quoted-i.csv"),
             "--partners", dir.File("quoted-t.csv"), "--header"});
    ASSERT_EQ(r.code, 0) << r.err;
    exportTo(requoted, "requoted-", {});
    for (const auto& t : tables) EXPECT_EQ(ReadText(dir.File("requoted-" + t)), ReadText(dir.File("orig-" + t))) << t;
}

TEST_F(CliExchange, AFailingRunExitsOneAndCommitsNothing) {
    std::string mdb = dir.File("data.mdb");
    WriteText(dir.File("s.csv"), "A,B,1,1,1\r\n");
    WriteText(dir.File("t.csv"), "1,A001\r\n");
    auto r = Run({"import", mdb, "--structure", dir.File("s.csv"), "--partners", dir.File("t.csv")});
    EXPECT_EQ(r.code, 1);
    // The message names the file beside the line and the count of values.
    EXPECT_EQ(r.err, "取引先ﾃﾞｰﾀの読み込みCSVﾚｺｰﾄﾞの形式が違います。[" + dir.File("t.csv") +
                         " 1行目]\n1行に14個の値が必要ですが、2個あります。\n");
    // The data file made by the run stays, empty.
    EXPECT_EQ(Info(mdb), "version: 2\niStruct: 0\nMasItem: 0\nMasTori: 0\nOrderPlan: 0\nSupply: 0\n");

    // --replace on a data file with rows: a failing run does not empty it.
    ASSERT_EQ(Run({"import", mdb, "--structure", dir.File("s.csv")}).code, 0);
    r = Run({"import", mdb, "--structure", dir.File("s.csv"), "--partners", dir.File("t.csv"), "--replace"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(Info(mdb), "version: 2\niStruct: 1\nMasItem: 0\nMasTori: 0\nOrderPlan: 0\nSupply: 0\n");

    // An export whose file cannot be written (a folder stands at its name).
    std::filesystem::create_directory(dir.File("taken.csv"));
    r = Run({"export", mdb, "--structure", dir.File("taken.csv")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(dir.File("taken.csv")), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("エクスポートが終了しました。"), std::string::npos) << r.err;
}

TEST_F(CliExchange, ReplaceAndHeaderOptions) {
    std::string mdb = dir.File("data.mdb");
    auto items = [&](const std::string& name, const std::string& lines) {
        WriteText(dir.File(name), ToSjis(lines));
        return dir.File(name);
    };
    std::string first = items("a.csv", "A" + std::string(26, ',') + "\r\nB" + std::string(26, ',') + "\r\n");
    std::string second = items("b.csv", "heading line, not read\r\nC" + std::string(26, ',') + "\r\n");
    ASSERT_EQ(Run({"import", mdb, "--items", first}).code, 0);
    ASSERT_EQ(Run({"import", mdb, "--items", second, "--header"}).code, 0);
    EXPECT_NE(Info(mdb).find("MasItem: 3\n"), std::string::npos);
    ASSERT_EQ(Run({"import", mdb, "--items", second, "--header", "--replace"}).code, 0);
    EXPECT_NE(Info(mdb).find("MasItem: 1\n"), std::string::npos);

    // An empty table is reported but is no failure; no file is written.
    auto r = Run({"export", mdb, "--items", dir.File("i.csv"), "--partners", dir.File("t.csv")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err,
              "ｴｸｽﾎﾟｰﾄの対象になる取引先ﾃﾞｰﾀが1件もありません。\n取引先ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄﾌｧｲﾙは作られません。\n"
              "エクスポートが終了しました。\n");
    EXPECT_EQ(ReadText(dir.File("i.csv")), "C,0,,,,,,,0,,,0,0,0,0,0,0,,,0,,,,,,,\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("t.csv")));
}

TEST_F(CliExchange, UsageErrorsAndChecks) {
    std::string mdb = dir.File("data.mdb");
    struct {
        std::vector<std::string> args;
        const char* inError;
    } cases[] = {
        {{"import"}, "usage: velmo-cli import FILE"},
        {{"export", mdb, dir.File("x.csv")}, "usage: velmo-cli export FILE"},
        {{"export", mdb, "--structure", dir.File("x.csv"), "--replace"}, "unknown option --replace"},
        {{"import", mdb, "--structure", dir.File("x.csv"), "--quote-text"}, "unknown option --quote-text"},
        {{"import", mdb, "--items", dir.File("x.csv"), "--head"}, "unknown option --head"},
        {{"import", mdb}, "ｲﾝﾎﾟｰﾄするﾃﾞｰﾀの種類を選んでください。"},
        {{"export", mdb, "--items", dir.File("x.csv")}, "ファイル"},  // no data file there
        {{"import", mdb, "--items", dir.File("missing.csv")}, "品目ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元ﾌｧｲﾙが見つかりません。"},
        {{"import", mdb, "--items", dir.File("no/x.csv")}, "品目ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。"},
    };
    for (const auto& c : cases) {
        auto r = Run(c.args);
        EXPECT_EQ(r.code, 1) << c.inError;
        EXPECT_NE(r.err.find(c.inError), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.csv")));
}
