#include <gtest/gtest.h>

#include "csv.h"
#include "sjis.h"
#include "ucommon.h"

#include <cmath>

namespace {

std::string Show(const std::vector<std::string>& v) {
    std::string s = "[";
    for (size_t i = 0; i < v.size(); ++i) s += (i ? "|" : "") + v[i];
    return s + "] (" + std::to_string(v.size()) + ")";
}

}  // namespace

TEST(CsvLines, SplitAtEveryKindOfLineBreakRegardlessOfQuotes) {
    struct {
        const char* bytes;
        std::vector<std::string> want;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\r\nb", {"a", "", "b"}},    // LF, then CR LF: an empty line between
        {"a\r\rb", {"a", "", "b"}},
        {"\"x\r\ny\"", {"\"x", "y\""}},  // quotes do not join lines
        {"\r\n\r\n", {"", ""}},
    };
    for (const auto& c : cases) {
        auto got = CsvSplitLines(c.bytes);
        std::vector<std::string> s(got.begin(), got.end());
        EXPECT_EQ(s, c.want) << c.bytes;
    }
}

TEST(CsvValues, ReaderRules) {
    struct {
        const char* line;
        std::vector<std::string> want;
    } cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"", {}},
        {"  \t ", {}},                                // blanks only: no values
        {"a,", {"a", ""}},                            // a comma is always followed by a value
        {"a, ", {"a", ""}},
        {",a", {"", "a"}},
        {"a,,b", {"a", "", "b"}},
        {"a, ,b", {"a", "", "b"}},
        {"  a ,  b", {"a", "b"}},                     // blanks around values are skipped
        // Blanks and tabs inside an unquoted value belong to it, as
        // spreadsheet programs write them; only the comma ends it.
        {"a b,c", {"a b", "c"}},
        {"a\tb", {"a\tb"}},
        {" Bolt M6 x 12 , 3 ", {"Bolt M6 x 12", "3"}},
        {"\"a b\",c", {"a b", "c"}},
        {"\"a,b\"", {"a,b"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},       // doubled quotes
        {"\"\"", {""}},
        {"\"\",\"\"", {"", ""}},
        {"\"ab\"cd,e", {"ab", "cd", "e"}},            // text after the closing quote is a further value
        {"\"ab\" \"cd\"", {"ab", "cd"}},
        {"\"open to the end", {"open to the end"}},   // no closing quote: the rest of the line
        {"x\"y\",z", {"x\"y\"", "z"}},                // a quote inside an unquoted value is kept
        {"'q',O'Neil", {"'q'", "O'Neil"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Show(CsvSplitValues(c.line)), Show(c.want)) << "line: " << c.line;

    // The splitter keeps a NUL in its value (the reader refuses the line).
    EXPECT_EQ(CsvSplitValues(std::string_view("a\0b,c", 5)), (std::vector<std::string>{std::string("a\0b", 3), "c"}));
}

TEST(CsvValues, DoubleByteCharactersAreScannedWhole) {
    // ソ 表 能 end in 0x5C, and a Shift-JIS trail byte may be any of 0x40-0xFC;
    // none of them is taken for a delimiter, and a lone lead byte before a
    // delimiter does not swallow it.
    std::string line = ToSjis("ソ表能,\"ソ,\"\"表\" 能,六角ボルト M6×12 ");
    auto v = CsvSplitValues(line);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(FromSjis(v[0]), "ソ表能");
    EXPECT_EQ(FromSjis(v[1]), "ソ,\"表");
    EXPECT_EQ(FromSjis(v[2]), "能");
    EXPECT_EQ(FromSjis(v[3]), "六角ボルト M6×12");
    EXPECT_EQ(CsvSplitValues("\x81,\x81\""), (std::vector<std::string>{"\x81", "\x81\""}));
}

TEST(CsvValues, WriterQuotesOnlyWhenNeeded) {
    using S = std::string;
    struct {
        std::vector<S> values;
        S want;
    } cases[] = {
        {{"a", "b"}, "a,b"},
        {{"A,B"}, "\"A,B\""},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"a b"}, "\"a b\""},
        {{"tab\there"}, "\"tab\there\""},
        {{S("nul\0", 4)}, S("\"nul\0\"", 6)},
        {{"", "x", ""}, ",x,"},
        {{"O'Neil"}, "O'Neil"},
        {{ToSjis("全角　空白")}, ToSjis("全角　空白")},  // an ideographic space is no blank
    };
    for (const auto& c : cases) EXPECT_EQ(CsvJoinValues(c.values), c.want) << c.want;
}

TEST(CsvValues, WrittenValuesReadBackUnchanged) {
    const std::vector<std::vector<std::string>> lines = {
        {"plain", "with,comma", "with \"quotes\"", " lead and trail ", "", "O'Neil"},
        {ToSjis("ソ表能"), ToSjis("\"ソ\""), ToSjis("表, 能"), ToSjis("全角　空白")},
        {"", ""},
        {"\"", ",", "\x81", "\x81\"", std::string("\0", 1)},
    };
    for (const auto& values : lines) EXPECT_EQ(CsvSplitValues(CsvJoinValues(values)), values) << Show(values);
}

TEST(CsvNumbers, SameTextAsTheGeneralForm) {
    // The writer's short cuts for common values must give exactly the shortest
    // general form with 15 significant digits.
    std::vector<double> values = {0,     -0.0,   1,      -1,        12.5,     0.001,    0.0001,  0.00012345678901234567,
                                  1e-5,  1.5e-7, 0.1 + 0.2, 1234.5678, 1e15 - 1, 1e15 - 0.5, 1e15,   1e20,
                                  -3.75, 2.0 / 3, 99999999999999.9, 123456789.123456789};
    unsigned x = 12345;
    for (int i = 0; i < 2000; ++i) {
        x = x * 1103515245u + 12345u;
        double m = (x % 1000003) / 997.0;
        values.push_back(m * std::pow(10.0, static_cast<int>(x % 23) - 8) * (x % 2 ? 1 : -1));
    }
    for (double v : values) EXPECT_EQ(CsvNumberText(v), FloatToStr(v)) << v;
}

TEST(CsvWriterReader, EncodingLineEndsAndNumbers) {
    CsvWriter w;
    w.Text("品番");
    w.Number(1200);
    w.Number(12.5);
    w.Number(0.001);
    w.Number(1e20);
    w.Integer(-3);
    w.EndLine();
    w.Text("ソ表能");
    w.EndLine();
    EXPECT_EQ(w.Bytes(), ToSjis("品番,1200,12.5,0.001,1E20,-3\r\nソ表能\r\n"));

    CsvReader r(w.Bytes());
    EXPECT_FALSE(r.IsUtf8());
    ASSERT_EQ(r.LineCount(), 2);
    std::vector<std::string> v;
    ASSERT_TRUE(r.Values(1, v));
    EXPECT_EQ(v, (std::vector<std::string>{"品番", "1200", "12.5", "0.001", "1E20", "-3"}));
    ASSERT_TRUE(r.Values(2, v));
    EXPECT_EQ(v, (std::vector<std::string>{"ソ表能"}));

    // A UTF-8 file with a byte-order mark, as spreadsheet programs save it.
    CsvReader u("\xEF\xBB\xBF品番,\"ソ,表\"\r\n");
    EXPECT_TRUE(u.IsUtf8());
    ASSERT_EQ(u.LineCount(), 1);
    ASSERT_TRUE(u.Values(1, v));
    EXPECT_EQ(v, (std::vector<std::string>{"品番", "ソ,表"}));
}

TEST(CsvWriterReader, QuoteTextQuotesEveryTextAndNoNumber) {
    CsvWriter w(true);
    for (const char* t : {"0012", "", "say \"hi\"", "ソ表"}) ASSERT_TRUE(w.Text(t));
    w.Number(1.5);
    w.Integer(3);
    w.EndLine();
    EXPECT_EQ(w.Bytes(), ToSjis("\"0012\",\"\",\"say \"\"hi\"\"\",\"ソ表\",1.5,3\r\n"));
    CsvReader r(w.Bytes());
    std::vector<std::string> v;
    ASSERT_TRUE(r.Values(1, v));
    EXPECT_EQ(v, (std::vector<std::string>{"0012", "", "say \"hi\"", "ソ表", "1.5", "3"}));
}

TEST(CsvWriterReader, ACharacterShiftJisCannotHoldIsRefusedNotReplaced) {
    for (bool quote : {false, true}) {
        CsvWriter w(quote);
        ASSERT_TRUE(w.Text("A"));
        std::string bad;
        EXPECT_FALSE(w.Text("吉野家の𠮷", &bad));
        EXPECT_EQ(bad, "𠮷");
        EXPECT_EQ(w.Bytes(), quote ? "\"A\"" : "A");  // nothing of the refused value
    }
}

// Every line of a file is read as what it holds or refused: bytes that are no
// character of the file's encoding, a NUL byte and a character Shift-JIS
// cannot hold never reach a value replaced or dropped.
TEST(CsvReaderEncodings, ReadWholeOrRefused) {
    using S = std::string;
    struct {
        S bytes;
        bool utf8;
        std::vector<S> values;  // of line 1, when it reads
        int position;           // of the value refused; 0: the line reads
        S reason;
    } cases[] = {
        {ToSjis("表ソ能,ｱｲ"), false, {"表ソ能", "ｱｲ"}, 0, ""},
        // UTF-8 without a byte-order mark, as editors and scripts write it.
        {"表ソ能予十,x\n", true, {"表ソ能予十", "x"}, 0, ""},
        {"\xEF\xBB\xBF" "a,表", true, {"a", "表"}, 0, ""},
        {"plain,ascii", false, {"plain", "ascii"}, 0, ""},
        {"P\x81", false, {}, 1, "Shift-JISの文字ではないﾊﾞｲﾄ(0x81)があります。"},
        {"A,P\x80", false, {}, 2, "Shift-JISの文字ではないﾊﾞｲﾄ(0x80)があります。"},
        {"\xA0", false, {}, 1, "Shift-JISの文字ではないﾊﾞｲﾄ(0xA0)があります。"},
        {"a,b,c\xFD", false, {}, 3, "Shift-JISの文字ではないﾊﾞｲﾄ(0xFD)があります。"},
        {"\x81 x,y", false, {}, 1, "Shift-JISの文字ではないﾊﾞｲﾄ(0x81)があります。"},
        {"\x85\x40", false, {}, 1, "Shift-JISの文字ではないﾊﾞｲﾄ(0x85 0x40)があります。"},
        {S("a\0b,c", 5), false, {}, 1, "NULﾊﾞｲﾄ(0x00)があります。"},
        {S("x,\"\0\"", 5), false, {}, 2, "NULﾊﾞｲﾄ(0x00)があります。"},
        {"\xEF\xBB\xBFx\xFFy", true, {}, 1, "UTF-8の文字ではないﾊﾞｲﾄ(0xFF)があります。"},
        {"a,b,𠮷", true, {}, 3, "Shift-JISで表せない文字「𠮷」(U+20BB7)があります。"},
        {"\xEF\xBB\xBF😀", true, {}, 1, "Shift-JISで表せない文字「😀」(U+1F600)があります。"},
        // UTF-16 without a byte-order mark: NUL bytes all over.
        {S("a\0,\0b\0", 6), false, {}, 1, "NULﾊﾞｲﾄ(0x00)があります。"},
    };
    for (const auto& c : cases) {
        CsvReader r(c.bytes);
        EXPECT_EQ(r.RefusedEncoding(), "");
        EXPECT_EQ(r.IsUtf8(), c.utf8) << DescribeBytes(c.bytes);
        ASSERT_GE(r.LineCount(), 1);
        std::vector<std::string> v;
        CsvValueError e;
        bool ok = r.Values(1, v, &e);
        EXPECT_EQ(ok, c.position == 0) << DescribeBytes(c.bytes);
        if (ok) {
            EXPECT_EQ(v, c.values);
        } else {
            EXPECT_EQ(e.position, c.position) << DescribeBytes(c.bytes);
            EXPECT_EQ(e.reason, c.reason) << DescribeBytes(c.bytes);
        }
    }
    struct {
        S bytes;
        const char* encoding;
    } refused[] = {
        {S("\xFF\xFE" "a\0,\0", 6), "UTF-16"},
        {S("\xFE\xFF\0a", 4), "UTF-16"},
        {S("\xFF\xFE\0\0a\0\0\0", 8), "UTF-32"},
    };
    for (const auto& c : refused) {
        CsvReader r(c.bytes);
        EXPECT_EQ(r.RefusedEncoding(), c.encoding);
        EXPECT_EQ(r.LineCount(), 0);
    }
}
