// CSV export: the checks of both directions, the three layouts, the texts of
// a run, atomic files, and export followed by import giving the same data.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "csvexport.h"
#include "csvfixture.h"
#include "csvimport.h"

using CsvExport = CsvRunTest;

namespace {

// Every column of every row of a table, in key order.
std::vector<std::string> AllRows(clsDao& d, const std::string& table, const std::string& order) {
    std::vector<std::string> out;
    const auto cols = d.GetDatabase()->Table(table).columns;
    clsDaoRs rs(d.GetDatabase());
    rs.OpenRecordset("SELECT * FROM " + table + " ORDER BY " + order, 0);
    for (; !rs.IsEOF(); rs.MoveRecord(0)) {
        std::string line;
        for (const auto& c : cols) line += rs.Text(c.name) + "|";
        out.push_back(line);
    }
    rs.Close();
    return out;
}

}  // namespace

TEST_F(CsvExport, ChecksOfBothDirectionsInOrder) {
    const std::string ok = dir.File("x.csv"), noFolder = dir.File("nope/x.csv");
    struct {
        std::function<void(CsvRunOptions&)> change;
        const char* exportMessage;
        const char* importMessage;
    } cases[] = {
        {[](CsvRunOptions& o) { o.chosen[0] = o.chosen[1] = o.chosen[2] = false; },
         "ｴｸｽﾎﾟｰﾄするﾃﾞｰﾀの種類を選んでください。\n", "ｲﾝﾎﾟｰﾄするﾃﾞｰﾀの種類を選んでください。\n"},
        {[](CsvRunOptions& o) { o.mdbPath = "  "; }, "ｴｸｽﾎﾟｰﾄ元のMDBﾌｧｲﾙを指定してください。\n",
         "ｲﾝﾎﾟｰﾄ先のMDBﾌｧｲﾙを指定してください。\n"},
        {[&](CsvRunOptions& o) { o.mdbPath = dir.File("nope/data.mdb"); },
         "ｴｸｽﾎﾟｰﾄ元のMDBﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n", "ｲﾝﾎﾟｰﾄ先のMDBﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n"},
        // A bare file name has no folder.
        {[](CsvRunOptions& o) { o.mdbPath = "data.mdb"; }, "ｴｸｽﾎﾟｰﾄ元のMDBﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n",
         "ｲﾝﾎﾟｰﾄ先のMDBﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n"},
        {[](CsvRunOptions& o) { o.csvPath[0] = " "; }, "構造ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙを指定してください。\n",
         "構造ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙを指定してください。\n"},
        {[&](CsvRunOptions& o) { o.csvPath[0] = noFolder; }, "構造ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n",
         "構造ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n"},
        {[](CsvRunOptions& o) { o.csvPath[1] = ""; }, "品目ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙを指定してください。\n",
         "品目ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙを指定してください。\n"},
        {[&](CsvRunOptions& o) { o.csvPath[1] = noFolder; }, "品目ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n",
         "品目ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n"},
        {[](CsvRunOptions& o) { o.csvPath[2] = ""; }, "取引先ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙを指定してください。\n",
         "取引先ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙを指定してください。\n"},
        {[&](CsvRunOptions& o) { o.csvPath[2] = "x.csv"; },
         "取引先ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n",
         "取引先ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n"},
        // A table that is not chosen is not checked.
        {[](CsvRunOptions& o) { o.chosen[0] = false, o.csvPath[0] = "", o.csvPath[1] = "x.csv"; },
         "品目ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄ先のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n", "品目ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元のCSVﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘは無効です。\n"},
    };
    for (const auto& c : cases) {
        CsvRunOptions o = Options(ok, ok, ok);
        c.change(o);
        listener.shown.clear();
        EXPECT_FALSE(clsCsvExport(listener).Run(o));
        EXPECT_FALSE(clsCsvImport(listener).Run(o));
        EXPECT_EQ(listener.shown, (std::vector<std::string>{std::string("message:") + c.exportMessage,
                                                            std::string("message:") + c.importMessage}));
    }
    EXPECT_FALSE(std::filesystem::exists(ok));
}

TEST_F(CsvExport, LayoutsOrderQuotingAndCaptions) {
    AppSettings().WriteString("MASITEM", "YOBI1", "色");
    Exec("INSERT INTO MasItem VALUES ('B-2', 0, 'A,B', 'ｶﾅ', 'say \"hi\"', 'a b', 'H', 'M', 1, '4900000000000', "
         "'個', 1200, 1000, 150.5, 0.001, 49.499, 1, 'S01', '箱', 12.5, '倉庫1', '工程', 'ライン', '赤', '', '', "
         "'line1' || char(13,10) || 'line2' || char(10) || 'line3' || char(13) || 'end')");
    // A line break in any other text would end the line in the file: it is
    // replaced like the memo's.
    Exec("INSERT INTO MasItem (CD, NAME, KEITAI) VALUES ('A-1', '全角　空白', 'a' || char(10) || 'b')");
    Exec("INSERT INTO MasTori (KBN, CD, NAME, TEL) VALUES (2, 'A', '外注', '03-1234-5678')");
    Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'B', 'ソ表能')");
    Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'A', 'O''Neil')");
    Exec("INSERT INTO iStruct VALUES ('P2', 'C1', 1, 1, 0)");
    Exec("INSERT INTO iStruct VALUES ('P1', 'C2', 2, 0, 1)");
    Exec("INSERT INTO iStruct VALUES ('P1', 'C1', 3, 1, 1)");
    CsvRunOptions o = Options(dir.File("s.csv"), dir.File("i.csv"), dir.File("t.csv"));
    o.header[1] = o.header[2] = true;
    ASSERT_TRUE(clsCsvExport(listener).Run(o));
    for (const char* progress : {"status:品目ﾃｰﾌﾞﾙをｴｸｽﾎﾟｰﾄしています... [ 2 / 2 ]",
                                 "status:取引先ﾃｰﾌﾞﾙをｴｸｽﾎﾟｰﾄしています... [ 3 / 3 ]"})
        EXPECT_NE(std::find(listener.shown.begin(), listener.shown.end(), progress), listener.shown.end()) << progress;
    EXPECT_EQ(ReadText(dir.File("s.csv")), ToSjis("P1,C1,3,1,1\r\nP1,C2,2,0,1\r\nP2,C1,1,1,0\r\n"));
    EXPECT_EQ(ReadText(dir.File("i.csv")),
              ToSjis("品番,区分,通称名,検索名,形態,規格,(外部品番),(ﾒｰｶｰｺｰﾄﾞ),JAN区分,JANコード,単位,基準単価,主材費,"
                     "加工費,外注費,(その他費用),手配先区分,手配先コード,手配荷姿,手配荷姿の入数,倉庫,工程,ライン,"
                     "色,(予備2),(予備3),メモ\r\n"
                     "A-1,0,全角　空白,,\"a b\",,,,0,,,0,0,0,0,0,0,,,0,,,,,,,\r\n"
                     "B-2,0,\"A,B\",ｶﾅ,\"say \"\"hi\"\"\",\"a b\",H,M,1,4900000000000,個,1200,1000,150.5,0.001,"
                     "49.499,1,S01,箱,12.5,倉庫1,工程,ライン,赤,,,\"line1 line2 line3 end\"\r\n"));
    EXPECT_EQ(ReadText(dir.File("t.csv")),
              ToSjis("取引先区分,取引先コード,名称,略名,検索名,郵便番号,住所１,住所２,住所３,電話番号,検索電話番号,"
                     "FAX番号,代表者名,窓口担当者名\r\n"
                     "1,A,O'Neil,,,,,,,,,,,\r\n1,B,ソ表能,,,,,,,,,,,\r\n2,A,外注,,,,,,,03-1234-5678,,,,\r\n"));
}

TEST_F(CsvExport, StatusTextsAndEmptyTables) {
    Exec("INSERT INTO iStruct VALUES ('P', 'C1', 1, 1, 1)");
    Exec("INSERT INTO iStruct VALUES ('P', 'C2', 1, 1, 1)");
    CsvRunOptions o = Options(dir.File("s.csv"), dir.File("i.csv"), dir.File("t.csv"));
    o.header[0] = o.header[1] = o.header[2] = true;
    ASSERT_TRUE(clsCsvExport(listener).Run(o));
    EXPECT_EQ(listener.shown,
              (std::vector<std::string>{
                  "status:構造ﾃﾞｰﾀのMDB読み込み中です....",
                  "status:構造ﾃｰﾌﾞﾙをｴｸｽﾎﾟｰﾄしています... [ 1 / 2 ]",
                  "status:構造ﾃｰﾌﾞﾙをｴｸｽﾎﾟｰﾄしています... [ 2 / 2 ]",
                  "status:品目ﾃﾞｰﾀのMDB読み込み中です....",
                  "message:ｴｸｽﾎﾟｰﾄの対象になる品目ﾃﾞｰﾀが1件もありません。\n品目ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄﾌｧｲﾙは作られません。\n",
                  "status:取引先ﾃﾞｰﾀのMDB読み込み中です....",
                  "message:ｴｸｽﾎﾟｰﾄの対象になる取引先ﾃﾞｰﾀが1件もありません。\n取引先ﾃﾞｰﾀのｴｸｽﾎﾟｰﾄﾌｧｲﾙは作られません。\n",
                  "status:",
                  "message:エクスポートが終了しました。\n",
              }));
    EXPECT_TRUE(std::filesystem::exists(dir.File("s.csv")));
    // An empty table writes no file, not even a header line.
    EXPECT_FALSE(std::filesystem::exists(dir.File("i.csv")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("t.csv")));
}

TEST_F(CsvExport, AFileIsReplacedWholeOrNotAtAll) {
    Exec("INSERT INTO iStruct VALUES ('P', 'C', 1, 1, 1)");
    Exec("INSERT INTO MasItem (CD, MEMO) VALUES ('I', '" + std::string(5000, 'x') + "')");
    WriteText(dir.File("i.csv"), "the previous export");
    CsvRunOptions o = Options(dir.File("s.csv"), dir.File("i.csv"), "");
    {
        FileSizeLimit limit(1000);  // room for the structure file, not for the items
        EXPECT_THROW(clsCsvExport(listener).Run(o), VelmoError);
    }
    EXPECT_EQ(ReadText(dir.File("s.csv")), "P,C,1,1,1\r\n");
    EXPECT_EQ(ReadText(dir.File("i.csv")), "the previous export");
    EXPECT_EQ(listener.shown.back(), "status:");
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) files += e.path().extension() != ".ini";
    EXPECT_EQ(files, 3) << "data.mdb, s.csv, i.csv and no temporary file";
}

TEST_F(CsvExport, AFileThatIsNoDataFileIsReportedAndNothingWritten) {
    CsvRunOptions o = Options(dir.File("s.csv"), "", "");
    o.mdbPath = dir.File("notes.mdb");
    WriteText(o.mdbPath, "my notes");
    EXPECT_FALSE(clsCsvExport(listener).Run(o));
    EXPECT_EQ(notes.errors.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir.File("s.csv")));
    EXPECT_EQ(ReadText(o.mdbPath), "my notes");
}

TEST_F(CsvExport, ExportThenImportGivesTheSameData) {
    // Values that need quoting, quotes, inner blanks, "'", Shift-JIS
    // characters whose second byte is 0x5C, a memo with line breaks.
    Exec("INSERT INTO MasItem VALUES ('ソ''表,能\"1', 3, 'a, \"b\" c', 'ｿﾋｮｳ', '表 示', '能力''s', '', '', 0, '', "
         "'ｾｯﾄ', 1234.5, 1000, 200, 0.5, 34, 2, 'G-01', 'ｹｰｽ', 24, '', '', '', '', '', '', "
         "'一行目' || char(13,10) || '二行目')");
    // Numbers that large and that small are written in exponent form.
    Exec("INSERT INTO MasItem (CD, TANKA, ETCHI, TEHAINISU) VALUES ('TINY', 0.00000015, 0.00000015, 1e20)");
    Exec("INSERT INTO MasTori VALUES (2, 'G-01', '外注, \"塗装\"', 'ソ表', '', '123-4567', '東京都', '', '', "
         "'03-1234-5678', '5678', '', '代表 太郎', '')");
    Exec("INSERT INTO iStruct VALUES ('ソ''表,能\"1', 'G-01', 2, 1, 0)");
    CsvRunOptions o = Options(dir.File("s.csv"), dir.File("i.csv"), dir.File("t.csv"));
    o.header[0] = o.header[1] = o.header[2] = true;
    ASSERT_TRUE(clsCsvExport(listener).Run(o));
    std::string first[3];
    for (int t = 0; t < 3; ++t) first[t] = ReadText(o.csvPath[t]);

    o.mdbPath = dir.File("copy.mdb");
    ASSERT_TRUE(clsCsvImport(listener).Run(o));
    ASSERT_TRUE(clsCsvExport(listener).Run(o));
    for (int t = 0; t < 3; ++t) EXPECT_EQ(ReadText(o.csvPath[t]), first[t]) << t;

    clsDao copy;
    ASSERT_EQ(copy.OpenDatabase(o.mdbPath), 0);
    EXPECT_EQ(AllRows(copy, "iStruct", "CD1,CD2"), AllRows(dao, "iStruct", "CD1,CD2"));
    EXPECT_EQ(AllRows(copy, "MasTori", "KBN,CD"), AllRows(dao, "MasTori", "KBN,CD"));
    // The memo's line break became a blank; everything else is unchanged.
    Exec("UPDATE MasItem SET MEMO = '一行目 二行目' WHERE CD <> 'TINY'");
    EXPECT_EQ(AllRows(copy, "MasItem", "CD"), AllRows(dao, "MasItem", "CD"));
}

// A character the Shift-JIS file cannot hold is never written as '?': the run
// stops before any file is written, naming the table, the row, the column and
// the character.
TEST_F(CsvExport, ACharacterShiftJisCannotHoldStopsTheRunBeforeAnyFile) {
    Exec("INSERT INTO iStruct VALUES ('P', 'C', 1, 1, 1)");
    Exec("INSERT INTO MasItem (CD, NAME) VALUES ('A-1', 'ok')");
    Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'S1', 'ok')");
    WriteText(dir.File("s.csv"), "the previous export");
    AppSettings().WriteString("MASITEM", "YOBI1", "色");
    struct {
        std::string change;
        std::string want;  // the message after its first line
    } cases[] = {
        {"UPDATE MasItem SET NAME = '吉野家の𠮷'", "品番 A-1 の 通称名 にShift-JISで表せない文字「𠮷」(U+20BB7)があります。\n"},
        {"UPDATE MasItem SET YOBI1 = 'x😀'", "品番 A-1 の 色 にShift-JISで表せない文字「😀」(U+1F600)があります。\n"},
        {"UPDATE MasTori SET MADOGUCHI = '𠮷田'",
         "取引先区分 1 取引先コード S1 の 窓口担当者名 にShift-JISで表せない文字「𠮷」(U+20BB7)があります。\n"},
        {"UPDATE iStruct SET CD2 = 'C𠮷'", "親品番 P 子品番 C𠮷 の 子品番 にShift-JISで表せない文字「𠮷」(U+20BB7)があります。\n"},
    };
    const char* names[] = {"品目ﾃﾞｰﾀ", "品目ﾃﾞｰﾀ", "取引先ﾃﾞｰﾀ", "構造ﾃﾞｰﾀ"};
    const int table[] = {1, 1, 2, 0};
    for (size_t i = 0; i < std::size(cases); ++i) {
        Exec("UPDATE MasItem SET NAME = 'ok', YOBI1 = ''");
        Exec("UPDATE MasTori SET MADOGUCHI = ''");
        Exec("UPDATE iStruct SET CD2 = 'C'");
        Exec(cases[i].change);
        CsvRunOptions o = Options(dir.File("s.csv"), dir.File("i.csv"), dir.File("t.csv"));
        listener.messages.clear();
        EXPECT_FALSE(clsCsvExport(listener).Run(o)) << cases[i].change;
        EXPECT_EQ(listener.messages,
                  std::vector<std::string>{std::string(names[i]) + "をｴｸｽﾎﾟｰﾄできません。[" + o.csvPath[table[i]] +
                                           "]\n" + cases[i].want +
                                           "文字を直してからｴｸｽﾎﾟｰﾄしてください。ｴｸｽﾎﾟｰﾄﾌｧｲﾙは作られません。\n"});
        // Not even the tables before the refused one are written.
        EXPECT_EQ(ReadText(dir.File("s.csv")), "the previous export");
        EXPECT_FALSE(std::filesystem::exists(dir.File("i.csv")));
        EXPECT_FALSE(std::filesystem::exists(dir.File("t.csv")));
    }
}

TEST_F(CsvExport, QuoteTextQuotesEveryTextValueAndNoNumber) {
    Exec("INSERT INTO iStruct VALUES ('0012', 'C 1', 2, 1, 0)");
    Exec("INSERT INTO MasTori (KBN, CD, NAME, TEL) VALUES (1, '007', 'ソ表', '03-1234-5678')");
    CsvRunOptions o = Options(dir.File("s.csv"), "", dir.File("t.csv"));
    o.quoteText = true;
    o.header[0] = true;
    ASSERT_TRUE(clsCsvExport(listener).Run(o));
    EXPECT_EQ(ReadText(dir.File("s.csv")),
              ToSjis("\"親品番\",\"子品番\",\"員数\",\"管理対象フラグ\",\"チェックフラグ\"\r\n\"0012\",\"C 1\",2,1,0\r\n"));
    EXPECT_EQ(ReadText(dir.File("t.csv")),
              ToSjis("1,\"007\",\"ソ表\",\"\",\"\",\"\",\"\",\"\",\"\",\"03-1234-5678\",\"\",\"\",\"\",\"\"\r\n"));
    // It reads back as the same data.
    o.mdbPath = dir.File("copy.mdb");
    ASSERT_TRUE(clsCsvImport(listener).Run(o));
    clsDao copy;
    ASSERT_EQ(copy.OpenDatabase(o.mdbPath), 0);
    EXPECT_EQ(AllRows(copy, "iStruct", "CD1,CD2"), AllRows(dao, "iStruct", "CD1,CD2"));
    EXPECT_EQ(AllRows(copy, "MasTori", "KBN,CD"), AllRows(dao, "MasTori", "KBN,CD"));
}
