// CSV import: value conversions, the messages of bad files, the single
// transaction of a run, adding and replacing rows by key.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "csvfixture.h"
#include "csvimport.h"

namespace {

// A line of n values: the given ones at their 1-based positions, empty
// elsewhere (values are written as they stand, quotes included).
std::string Line(int n, const std::map<int, std::string>& at) {
    std::string s;
    for (int i = 1; i <= n; ++i) {
        if (i > 1) s += ",";
        auto it = at.find(i);
        if (it != at.end()) s += it->second;
    }
    return s;
}
std::string ItemLine(const std::map<int, std::string>& at) { return Line(27, at); }
std::string ToriLine(const std::map<int, std::string>& at) { return Line(14, at); }

}  // namespace

TEST(CsvConversions, TextIsTrimmedAndCutInShiftJisBytes) {
    struct {
        const char* in;
        int size;
        const char* want;
    } cases[] = {
        {"  ABC \t", 18, "ABC"},
        {"ABCDEFGHIJKLMNOPQRST", 18, "ABCDEFGHIJKLMNOPQR"},
        {"ソ表能ソ表能", 5, "ソ表"},      // never half a double-byte character
        {"ソ表能", 4, "ソ表"},            // three characters, but six bytes
        {"Aソ表", 2, "A"},
        {"ｱｲｳｴｵｶ", 4, "ｱｲｳｴ"},          // half-width katakana take one byte
        {"　全角　", 10, "　全角　"},   // the ideographic space is no blank
        {"\r\n", 10, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CsvConvText(c.in, c.size), c.want) << c.in << " / " << c.size;
    EXPECT_EQ(CsvConvMemo(std::string(300, 'x') + "  "), std::string(300, 'x'));
    EXPECT_EQ(CsvConvMemo("  a  b  "), "a  b");
}

TEST(CsvConversions, DigitAndQuantity) {
    struct {
        const char* in;
        int digit;
        int quantity;
    } cases[] = {
        {"3", 3, 3},         {"12", 1, 12},         {"12345", 1, 1234}, {"1.5", 1, 0},   {"2.5", 2, 0},
        {"", 0, 0},          {"-1", 0, -1},         {"-", 0, 0},        {".5", 0, 0},    {" 7 ", 7, 7},
        {"a7", 7, 7},        {"1,000", 1, 1000},    {"x", 0, 0},        {"99.", 9, 0},
        // Full-width digits, minus and point count as their ASCII forms.
        {"１２３４５", 1, 1234}, {"－５", 0, -5},     {"１．５", 1, 0},   {"　３　", 3, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CsvConvDigit(c.in), c.digit) << c.in;
        EXPECT_EQ(CsvConvQuantity(c.in), c.quantity) << c.in;
    }
}

TEST(CsvConversions, Number) {
    struct {
        std::string in;
        std::optional<double> want;
    } cases[] = {
        {"100", 100},           {"12.5", 12.5},     {"1.2.3", 1.23},    {"1,200", 1200},    {"", 0},
        {".", 0},               {" -0.5 ", -0.5},   {"¥1,200円", 1200}, {"1E20", 1e20},     {"1.5E-7", 1.5e-7},
        {"-", std::nullopt},    {"-.", std::nullopt}, {"1E999", std::nullopt},
        {"１２３４", 1234},     {"－５", -5},         {"−５", -5},        {"１．５", 1.5},    {"１，２００円", 1200},
        {"－", std::nullopt},
        {"9" + std::string(400, '0'), std::nullopt},
    };
    for (const auto& c : cases) {
        auto got = CsvConvNumber(c.in);
        ASSERT_EQ(got.has_value(), c.want.has_value()) << c.in;
        if (got) {
            EXPECT_DOUBLE_EQ(*got, *c.want) << c.in;
        }
    }
}

using CsvImport = CsvRunTest;

TEST_F(CsvImport, EveryFileErrorHasItsMessageAndChangesNothing) {
    // One row in each table, and delete-first ticked: a failing run must not
    // even empty the table.
    Exec("INSERT INTO iStruct (CD1, CD2, INZU) VALUES ('P', 'C', 1)");
    Exec("INSERT INTO MasItem (CD) VALUES ('KEEP')");
    Exec("INSERT INTO MasTori (KBN, CD) VALUES (1, 'KEEP')");
    const std::string kMissing = "<no file>";
    const std::string code20 = "ABCDEFGHIJKLMNOPQR";  // + two more characters below
    struct {
        int table;  // 0 structure, 1 items, 2 partners
        std::string content;  // kMissing: the file does not exist
        bool header;
        std::string want;
    } cases[] = {
        {0, kMissing, false, "構造ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元ﾌｧｲﾙが見つかりません。\n"},
        {1, kMissing, false, "品目ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元ﾌｧｲﾙが見つかりません。\n"},
        {2, kMissing, false, "取引先ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元ﾌｧｲﾙが見つかりません。\n"},
        {0, "A,B,1,1,1\r\n,B,1,1,1\r\nC,D,1,1,1", false, "構造ﾃﾞｰﾀの読み込みCSVの親品番が空白です。[2行目]\n"},
        {0, "A,\" \",1,1,1", false, "構造ﾃﾞｰﾀの読み込みCSVの子品番が空白です。[1行目]\n"},
        {0, ",,1,1,1", false, "構造ﾃﾞｰﾀの読み込みCSVの子品番が空白です。[1行目]\n"},
        // Line numbers count every line of the file, header and blank lines too.
        {0, "親品番\r\n\r\n  \r\nA,B,1,1,1\r\n,B", true, "構造ﾃﾞｰﾀの読み込みCSVﾚｺｰﾄﾞの形式が違います。[5行目]\n"},
        {0, "A,B,1,1", false, "構造ﾃﾞｰﾀの読み込みCSVﾚｺｰﾄﾞの形式が違います。[1行目]\n"},
        // A blank inside an unquoted value belongs to it, so a line that also
        // lacks a value is refused by its count instead of being read with
        // its columns shifted.
        {0, "A B,C,1,1", false, "構造ﾃﾞｰﾀの読み込みCSVﾚｺｰﾄﾞの形式が違います。[1行目]\n"},
        {1, "X,1,六角ボルト M6×12,ﾎﾞﾙﾄ" + std::string(22, ','), false,
         "品目ﾃﾞｰﾀの読み込みCSVﾚｺｰﾄﾞの形式が違います。[1行目]\n"},
        {0, "A,B,1,1,1\r\nA,C,1,1,1\r\nA,B,2,0,0", false, "構造データが重複しています[A:B]\n"},
        {1, "X,1", false, "品目ﾃﾞｰﾀの読み込みCSVﾚｺｰﾄﾞの形式が違います。[1行目]\n"},
        {1, "\" \"" + std::string(26, ','), false, "品目ﾃﾞｰﾀの読み込みCSVの品番が空白です。[1行目]\n"},
        // Codes are cut to 18 bytes before they are compared.
        {1, code20 + "ST" + std::string(26, ',') + "\r\n" + code20 + "XY" + std::string(26, ','), false,
         "品番が重複しています[" + code20 + "]\n"},
        {1, "A" + std::string(12, ',') + "-" + std::string(14, ','), false,
         "品目ﾃﾞｰﾀの読み込みCSVの数値を変換できません。[" + dir.File("f1.csv") + " 1行目 13項目目 \"-\"]\n"},
        {2, "1,A001,name", false, "取引先ﾃﾞｰﾀの読み込みCSVﾚｺｰﾄﾞの形式が違います。[1行目]\n"},
        {2, "1" + std::string(13, ','), false, "取引先ﾃﾞｰﾀの読み込みCSVの取引先ｺｰﾄﾞが空白です。[1行目]\n"},
        // The first record, in file order, whose key another record has too.
        {2, "2,B" + std::string(12, ',') + "\r\n1,A" + std::string(12, ',') + "\r\n1,A" + std::string(12, ',') +
                "\r\n2,B" + std::string(12, ','),
         false, "取引先区分と取引先ｺｰﾄﾞが重複しています[2B]\n"},
    };
    // Good files for the tables after the failing one: the run stops at the
    // failure, so none of them is imported either.
    const std::string good[] = {"", Csv("good1.csv", ItemLine({{1, "NEW"}})),
                                Csv("good2.csv", ToriLine({{1, "1"}, {2, "NEW"}}))};
    for (const auto& c : cases) {
        std::string file = dir.File("f" + std::to_string(c.table) + ".csv");
        if (c.content != kMissing) WriteText(file, ToSjis(c.content));
        else std::remove(file.c_str());
        std::string p[3];
        for (int t = 0; t < 3; ++t) p[t] = t == c.table ? file : t > c.table ? good[t] : "";
        CsvRunOptions o = Options(p[0], p[1], p[2]);
        o.header[c.table] = c.header;
        o.deleteFirst = true;
        listener.messages.clear();
        EXPECT_FALSE(clsCsvImport(listener).Run(o)) << c.want;
        EXPECT_EQ(listener.messages, std::vector<std::string>{c.want});
    }
    EXPECT_EQ(Rows("SELECT * FROM iStruct", {"CD1"}), std::vector<std::string>{"P"});
    EXPECT_EQ(Rows("SELECT * FROM MasItem", {"CD"}), std::vector<std::string>{"KEEP"});
    EXPECT_EQ(Rows("SELECT * FROM MasTori", {"CD"}), std::vector<std::string>{"KEEP"});
}

TEST_F(CsvImport, ValuesAreStoredAsConverted) {
    std::string items = Csv("items.csv",
                            ItemLine({{1, "  ITEM-1 "},
                                      {2, "12"},
                                      {3, "\"名前, \"\"引用\"\"\""},
                                      {4, "ｹﾝｻｸﾒｲﾅｶﾞｲﾖ"},
                                      {9, ""},
                                      {11, "ｹｰｽ"},
                                      {12, "999"},
                                      {13, "100"},
                                      {14, "200"},
                                      {16, "50"},
                                      {17, "2"},
                                      {18, "S01"},
                                      {20, "1.2.3"},
                                      {27, "\"  備考 1  \""}}) +
                                "\r\n" + ItemLine({{1, "ITEM-2"}}) +
                                // As a spreadsheet program writes it: a name with
                                // blanks unquoted, full-width numbers, a LF line end.
                                "\n" +
                                ItemLine({{1, "ITEM-3"},
                                          {3, "六角ボルト M6×12"},
                                          {13, "１２３４"},
                                          {14, "－３４"},
                                          {15, "１．５"},
                                          {20, "１２"}}));
    std::string structure = Csv("s.csv", "NO-SUCH-PARENT,NO-SUCH-CHILD,3,1,0\r\nNO-SUCH-PARENT,C2,1.5,7,x\r\n");
    ASSERT_TRUE(clsCsvImport(listener).Run(Options(structure, items, "")));
    EXPECT_EQ(listener.messages, std::vector<std::string>{"インポートが終了しました。\n"});
    EXPECT_EQ(Rows("SELECT * FROM MasItem ORDER BY CD",
                   {"CD", "KBN", "NAME", "KANA", "JANKBN", "TANI", "TANKA", "SYUZAIHI", "GAICHUUHI", "ETCHI",
                    "TEHAIKBN", "TEHAICD", "TEHAINISU", "MEMO"}),
              (std::vector<std::string>{"ITEM-1|1|名前, \"引用\"|ｹﾝｻｸﾒｲﾅｶﾞｲ|0|ｹｰｽ|350|100|0|50|2|S01|1.23|備考 1",
                                        "ITEM-2|0|||0||0|0|0|0|0||0|",
                                        "ITEM-3|0|六角ボルト M6×12||0||1201.5|1234|1.5|0|0||12|"}));
    // Structure lines may name items that do not exist.
    EXPECT_EQ(Rows("SELECT * FROM iStruct ORDER BY CD2", {"CD1", "CD2", "INZU", "KFLG", "CFLG"}),
              (std::vector<std::string>{"NO-SUCH-PARENT|C2|0|7|0", "NO-SUCH-PARENT|NO-SUCH-CHILD|3|1|0"}));
}

TEST_F(CsvImport, StatusTextsOfARunInOrder) {
    std::string newFile = dir.File("new.mdb");
    CsvRunOptions o = Options(Csv("s.csv", "A,B,1,1,1\r\nA,C,2,1,1\r\n"), Csv("i.csv", ItemLine({{1, "I"}})),
                              Csv("t.csv", ToriLine({{1, "1"}, {2, "T"}})));
    o.mdbPath = "  " + newFile + " ";
    o.deleteFirst = true;
    ASSERT_TRUE(clsCsvImport(listener).Run(o));
    EXPECT_EQ(listener.shown, (std::vector<std::string>{
                                  "status:MDBﾌｧｲﾙを作成しています....",
                                  "status:構造ﾃﾞｰﾀのCSV読み込み中です....",
                                  "status:ｲﾝﾎﾟｰﾄ先MDBの構造ﾃｰﾌﾞﾙを削除しています...",
                                  "status:構造ﾃｰﾌﾞﾙをｲﾝﾎﾟｰﾄしています... [ 1 / 2 ]",
                                  "status:構造ﾃｰﾌﾞﾙをｲﾝﾎﾟｰﾄしています... [ 2 / 2 ]",
                                  "status:品目ﾃﾞｰﾀのCSV読み込み中です....",
                                  "status:ｲﾝﾎﾟｰﾄ先MDBの品目ﾃｰﾌﾞﾙを削除しています...",
                                  "status:品目ﾃｰﾌﾞﾙをｲﾝﾎﾟｰﾄしています... [ 1 / 1 ]",
                                  "status:取引先ﾃﾞｰﾀのCSV読み込み中です....",
                                  "status:ｲﾝﾎﾟｰﾄ先MDBの取引先ﾃｰﾌﾞﾙを削除しています...",
                                  "status:取引先ﾃｰﾌﾞﾙをｲﾝﾎﾟｰﾄしています... [ 1 / 1 ]",
                                  "status:",
                                  "message:インポートが終了しました。\n",
                              }));
    // The new data file has the whole layout.
    auto db = Database::Open(newFile);
    for (const char* t : {"iStruct", "MasItem", "MasTori", "OrderPlan", "Supply"}) EXPECT_TRUE(db->HasTable(t)) << t;
}

TEST_F(CsvImport, AFailureInThePartnerFileRollsBackTheStructureFile) {
    Exec("INSERT INTO iStruct (CD1, CD2, INZU, KFLG, CFLG) VALUES ('OLD', 'C', 1, 1, 1)");
    std::string structure = Csv("s.csv", "A,B,1,1,1\r\nA,C,2,1,1\r\n");
    std::string items = Csv("i.csv", ItemLine({{1, "A"}}));
    std::string partners = Csv("t.csv", "1,A001\r\n");  // too few values
    for (bool deleteFirst : {false, true}) {
        CsvRunOptions o = Options(structure, items, partners);
        o.deleteFirst = deleteFirst;
        listener.messages.clear();
        EXPECT_FALSE(clsCsvImport(listener).Run(o));
        EXPECT_EQ(listener.messages,
                  std::vector<std::string>{"取引先ﾃﾞｰﾀの読み込みCSVﾚｺｰﾄﾞの形式が違います。[1行目]\n"});
        EXPECT_EQ(Rows("SELECT * FROM iStruct", {"CD1", "CD2"}), std::vector<std::string>{"OLD|C"});
        EXPECT_EQ(Count("MasItem"), 0);
    }
}

TEST_F(CsvImport, AnEngineErrorDuringTheWritesRollsBackAndNamesFileAndLine) {
    dao.GetDatabase()
        ->Prepare("CREATE TRIGGER refuse BEFORE INSERT ON MasTori WHEN NEW.CD = 'BAD' "
                  "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END")
        ->Step();
    std::string structure = Csv("s.csv", "A,B,1,1,1\r\n");
    std::string partners =
        Csv("t.csv", ToriLine({{1, "1"}, {2, "OK"}}) + "\r\n\r\n" + ToriLine({{1, "1"}, {2, "BAD"}}) + "\r\n");
    EXPECT_FALSE(clsCsvImport(listener).Run(Options(structure, "", partners)));
    ASSERT_EQ(listener.messages.size(), 1u);
    EXPECT_EQ(listener.messages[0], "取引先ﾃﾞｰﾀをｲﾝﾎﾟｰﾄできません。[" + partners +
                                        " 3行目]\nrefused by the test\nこのｲﾝﾎﾟｰﾄの内容はすべて取り消されます。\n");
    EXPECT_EQ(Count("iStruct"), 0);
    EXPECT_EQ(Count("MasTori"), 0);
    EXPECT_EQ(listener.shown.back(), "status:");
}

TEST_F(CsvImport, RowsAreAddedOrReplacedByKey) {
    Exec("INSERT INTO MasItem (CD, NAME) VALUES ('X', 'old')");
    Exec("INSERT INTO MasItem (CD, NAME) VALUES ('Y', 'not in the file')");
    Exec("INSERT INTO iStruct (CD1, CD2, INZU) VALUES ('S', 'T', 9)");
    Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (2, 'Z', 'stays')");
    std::string items = Csv("i.csv", ItemLine({{1, "X"}, {3, "new"}}) + "\r\n" + ItemLine({{1, "W"}}) + "\r\n");
    std::string partners =
        Csv("t.csv", ToriLine({{1, "1"}, {2, "A001"}, {3, "仕入先"}}) + "\r\n" +
                         ToriLine({{1, "2"}, {2, "A001"}, {3, "外注先"}}) + "\r\n");
    // Twice without delete-first: the second run changes nothing.
    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(clsCsvImport(listener).Run(Options("", items, partners)));
        EXPECT_EQ(Rows("SELECT * FROM MasItem ORDER BY CD", {"CD", "NAME"}),
                  (std::vector<std::string>{"W|", "X|new", "Y|not in the file"}));
        EXPECT_EQ(Rows("SELECT * FROM MasTori ORDER BY KBN, CD", {"KBN", "CD", "NAME"}),
                  (std::vector<std::string>{"1|A001|仕入先", "2|A001|外注先", "2|Z|stays"}));
    }
    // Delete-first empties only the chosen table.
    CsvRunOptions o = Options("", items, "");
    o.deleteFirst = true;
    ASSERT_TRUE(clsCsvImport(listener).Run(o));
    EXPECT_EQ(Rows("SELECT * FROM MasItem ORDER BY CD", {"CD"}), (std::vector<std::string>{"W", "X"}));
    EXPECT_EQ(Count("iStruct"), 1);
    EXPECT_EQ(Count("MasTori"), 3);
}

TEST_F(CsvImport, HeaderLineAndFileEncodings) {
    // With the header box ticked the first line is skipped unseen; without it
    // a heading line is a record like any other.
    std::string s = Csv("s.csv", "親品番,子品番,員数,管理対象フラグ,チェックフラグ\r\nA,B,2,1,0\r\n");
    CsvRunOptions o = Options(s, "", "");
    ASSERT_TRUE(clsCsvImport(listener).Run(o));
    EXPECT_EQ(Rows("SELECT * FROM iStruct ORDER BY CD1", {"CD1", "CD2", "INZU"}),
              (std::vector<std::string>{"A|B|2", "親品番|子品番|0"}));
    WriteText(s, "this line is not read at all\r\nC,D,1,1,1");
    o.header[0] = true;
    o.deleteFirst = true;
    ASSERT_TRUE(clsCsvImport(listener).Run(o));
    EXPECT_EQ(Rows("SELECT * FROM iStruct", {"CD1", "CD2"}), std::vector<std::string>{"C|D"});
    // A UTF-8 file with a byte-order mark, as a spreadsheet program saves it.
    WriteText(s, "\xEF\xBB\xBF親品番,子品番,員数,管理対象フラグ,チェックフラグ\r\nソ表,\"能, 1\",4,1,1\r\n");
    ASSERT_TRUE(clsCsvImport(listener).Run(o));
    EXPECT_EQ(Rows("SELECT * FROM iStruct", {"CD1", "CD2", "INZU"}), std::vector<std::string>{"ソ表|能, 1|4"});
    // UTF-8 without a byte-order mark, as editors and scripts write it.
    WriteText(s, "親品番,子品番,員数,管理対象フラグ,チェックフラグ\n表ソ能予十,子 1,２,1,1\n");
    ASSERT_TRUE(clsCsvImport(listener).Run(o));
    EXPECT_EQ(Rows("SELECT * FROM iStruct", {"CD1", "CD2", "INZU"}), std::vector<std::string>{"表ソ能予十|子 1|2"});
}

// Bytes that are no character, a NUL byte, a character Shift-JIS cannot hold
// and a UTF-16 file are refused with the file, the line and the value; the run
// commits nothing, not even the structure file read before.
TEST_F(CsvImport, ValuesThatCannotBeReadWholeAreRefused) {
    using S = std::string;
    const std::string structure = Csv("s.csv", "A,B,1,1,1\r\n");
    const std::string items = dir.File("i.csv");
    const S rest(26, ',');
    struct {
        S bytes;
        S want;  // after "品目ﾃﾞｰﾀの読み込みCSV"
    } cases[] = {
        // Two different bad codes no longer collapse into one key.
        {"P\x81" + rest + "\r\nP\x9F" + rest, "の値を読み込めません。[" + items +
                                                " 1行目 1項目目]\nShift-JISの文字ではないﾊﾞｲﾄ(0x81)があります。\n"},
        {"OK" + rest + "\r\nX,0,N\xFD" + S(24, ','), "の値を読み込めません。[" + items +
                                                " 2行目 3項目目]\nShift-JISの文字ではないﾊﾞｲﾄ(0xFD)があります。\n"},
        {S("P\0Q", 3) + rest, "の値を読み込めません。[" + items + " 1行目 1項目目]\nNULﾊﾞｲﾄ(0x00)があります。\n"},
        {"\xEF\xBB\xBFP,0,吉野家の𠮷" + S(24, ','),
         "の値を読み込めません。[" + items + " 1行目 3項目目]\nShift-JISで表せない文字「𠮷」(U+20BB7)があります。\n"},
        {S("\xFF\xFEP\0", 4), "はUTF-16で書かれているため読み込めません。[" + items +
                                  "]\nShift-JISかUTF-8で保存したﾌｧｲﾙを指定してください。\n"},
    };
    for (const auto& c : cases) {
        WriteText(items, c.bytes);
        listener.messages.clear();
        EXPECT_FALSE(clsCsvImport(listener).Run(Options(structure, items, ""))) << c.want;
        EXPECT_EQ(listener.messages, std::vector<std::string>{"品目ﾃﾞｰﾀの読み込みCSV" + c.want});
        EXPECT_EQ(Count("iStruct"), 0);
        EXPECT_EQ(Count("MasItem"), 0);
    }
}

TEST_F(CsvImport, MessagesNameTheFileWhenAsked) {
    // velmo-cli asks: the message names the file beside the line, and a line
    // with the wrong number of values says how many it has.
    const std::string s = Csv("s.csv", "A,B,1,1,1\r\nA B,C,1,1\r\n");
    const std::string t = Csv("t.csv", "1,\" \",x" + std::string(11, ','));
    struct {
        CsvRunOptions o;
        std::string want;
    } cases[] = {
        {Options(s, "", ""), "構造ﾃﾞｰﾀの読み込みCSVﾚｺｰﾄﾞの形式が違います。[" + s +
                                 " 2行目]\n1行に5個の値が必要ですが、4個あります。\n"},
        {Options("", "", t), "取引先ﾃﾞｰﾀの読み込みCSVの取引先ｺｰﾄﾞが空白です。[" + t + " 1行目]\n"},
        {Options("", dir.File("none.csv"), ""),
         "品目ﾃﾞｰﾀのｲﾝﾎﾟｰﾄ元ﾌｧｲﾙが見つかりません。[" + dir.File("none.csv") + "]\n"},
    };
    for (auto& c : cases) {
        c.o.nameFiles = true;
        listener.messages.clear();
        EXPECT_FALSE(clsCsvImport(listener).Run(c.o));
        EXPECT_EQ(listener.messages, std::vector<std::string>{c.want});
    }
}

TEST_F(CsvImport, AnExistingFileThatIsNoDataFileIsLeftAlone) {
    std::string notData = dir.File("notes.mdb");
    WriteText(notData, "my notes");
    CsvRunOptions o = Options(Csv("s.csv", "A,B,1,1,1"), "", "");
    o.mdbPath = notData;
    EXPECT_FALSE(clsCsvImport(listener).Run(o));
    EXPECT_EQ(ReadText(notData), "my notes");
    EXPECT_EQ(notes.errors.size(), 1u);
    EXPECT_TRUE(listener.messages.empty());
}
