#include <gtest/gtest.h>

#include "sjis.h"
#include "ucommon.h"

struct TokenCase {
    const char* text;
    int n;
    const char* sep;
    const char* want;
};

TEST(GetToken, PartsBetweenSeparators) {
    const TokenCase cases[] = {
        {"A01:部品A", 1, ":", "A01"},   {"A01:部品A", 2, ":", "部品A"},  {"A01:部品A", 3, ":", ""},
        {"03-1234-5678", 3, "-", "5678"}, {"0312345678", 1, "-", "0312345678"}, {"0312345678", 2, "-", ""},
        {"", 1, "-", ""},                {"a--b", 2, "-", ""},          {"a--b", 3, "-", "b"},
        {"x:y:z", 2, ":", "y"},          {"123-", 2, "-", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(GetToken(c.text, c.n, c.sep), c.want) << c.text << " n=" << c.n;
}

TEST(CleanNumber, KeepsDigitsLeadingMinusAndOneDot) {
    struct {
        const char* in;
        bool dec;
        const char* want;
    } cases[] = {
        {"1,234.50", true, "1234.50"}, {"1.2.3", true, "1.23"},  {"1.2.3", false, "123"},
        {"-12", true, "-12"},          {"1-2", true, "12"},      {" 12 ", false, "12"},
        {"abc", true, ""},             {"１２", true, ""},       {"-", true, "-"},
    };
    for (const auto& c : cases) EXPECT_EQ(CleanNumber(c.in, c.dec), c.want) << c.in;
}

TEST(HalfWidthNumber, FullWidthDigitsMinusAndPointBeforeCleanNumber) {
    struct {
        const char* in;
        const char* half;
        const char* clean;
    } cases[] = {
        {"１２３４", "1234", "1234"},
        {"－５", "-5", "-5"},
        {"−５", "-5", "-5"},  // the minus sign U+2212, as some input methods type it
        {"１．５", "1.5", "1.5"},
        {"１，２００円", "1，200円", "1200"},
        {"12.5", "12.5", "12.5"},
        {"ソ表０", "ソ表0", "0"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HalfWidthNumber(c.in), c.half) << c.in;
        EXPECT_EQ(CleanNumber(HalfWidthNumber(c.in), true), c.clean) << c.in;
    }
}

TEST(NumKeyFilter, PassesDigitsDotAndBackspaceOnly) {
    for (char k = '0'; k <= '9'; ++k) EXPECT_EQ(NumKeyFilter(k), k);
    EXPECT_EQ(NumKeyFilter('.'), '.');
    EXPECT_EQ(NumKeyFilter(8), 8);
    for (char k : {'a', '-', ',', ' ', '\r', '+'}) EXPECT_EQ(NumKeyFilter(k), 0) << int(k);
}

TEST(NumberText, GeneralFormAndPatterns) {
    struct {
        double v;
        const char* general;
        const char* money;
        const char* integer;
    } cases[] = {
        {0, "0", "0", "0"},
        {1.5, "1.5", "1.5", "2"},
        {-1.5, "-1.5", "-1.5", "-2"},
        {1234567.891, "1234567.891", "1,234,567.89", "1,234,568"},
        {0.125, "0.125", "0.13", "0"},
        {1.005, "1.005", "1.01", "1"},
        {100, "100", "100", "100"},
        {999.995, "999.995", "1,000", "1,000"},
        {0.1 + 0.2, "0.3", "0.3", "0"},
        {1e20, "1E20", "100,000,000,000,000,000,000", "100,000,000,000,000,000,000"},
        {1.5e-7, "1.5E-7", "0", "0"},
        {123456789012345.0, "123456789012345", "123,456,789,012,345", "123,456,789,012,345"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FloatToStr(c.v), c.general) << c.v;
        EXPECT_EQ(FormatMoney(c.v), c.money) << c.v;
        EXPECT_EQ(FormatInteger(c.v), c.integer) << c.v;
    }
}

TEST(NumberText, ParsingIsWholeText) {
    EXPECT_EQ(ParseInt(" 42 "), 42);
    EXPECT_EQ(ParseInt("-7"), -7);
    EXPECT_FALSE(ParseInt("4.2"));
    EXPECT_FALSE(ParseInt(""));
    EXPECT_FALSE(ParseInt("12a"));
    EXPECT_EQ(ParseFloat("2.5"), 2.5);
    EXPECT_EQ(ParseFloat("1E3"), 1000);
    EXPECT_FALSE(ParseFloat("1.2.3"));
    EXPECT_FALSE(ParseFloat("."));
    EXPECT_FALSE(ParseFloat("inf"));
    EXPECT_EQ(StrToIntDef("x", 9), 9);
}

TEST(SqlEsc, DoublesQuotesOnly) {
    EXPECT_EQ(SqlEsc("A'01"), "A''01");
    EXPECT_EQ(SqlEsc("''"), "''''");
    EXPECT_EQ(SqlEsc("*[?]"), "*[?]");
}

TEST(MonthKey, SixDigits) {
    EXPECT_EQ(MonthKey(2026, 3), "202603");
    EXPECT_EQ(MonthKey(2026, 12), "202612");
}

TEST(Sjis, RoundTripsKatakanaKanjiAndTrailByte5C) {
    // ソ 表 能 十 end in the byte 0x5C ('\\' in ASCII).
    for (const char* s : {"ソ", "表", "能", "十", "ｿﾌﾄ", "構成表管理ﾌﾟﾛｸﾞﾗﾑ", "A'01", "①"}) {
        std::string sj = ToSjis(s);
        EXPECT_EQ(FromSjis(sj), s);
    }
    EXPECT_EQ(ToSjis("表"), "\x95\x5C");
    EXPECT_EQ(ToSjis("ｱ"), "\xB1");
    EXPECT_EQ(SjisLength("表ｱA"), 4u);
    EXPECT_EQ(ToSjis("😀"), "?");  // no CP932 code
}

TEST(Sjis, TruncateNeverSplitsADoubleByteCharacter) {
    EXPECT_EQ(SjisTruncate("表示", 3), "表");
    EXPECT_EQ(SjisTruncate("表示", 4), "表示");
    EXPECT_EQ(SjisTruncate("aソb", 2), "a");
    EXPECT_EQ(SjisTruncate("ｱｲｳ", 2), "ｱｲ");
    EXPECT_EQ(SjisTruncate("", 2), "");
}

TEST(Sjis, DecodingBrokenBytesNeverFails) {
    EXPECT_EQ(FromSjis("A\x95"), "A\xEF\xBF\xBD");  // lead byte cut off at the end
    EXPECT_FALSE(FromSjis("\xFF\xFE").empty());
    // A lead byte before a byte that cannot follow it does not swallow it.
    EXPECT_EQ(FromSjis("\x81\x0A" "A"), "\xEF\xBF\xBD\nA");
}

TEST(Sjis, ExactConversionsRefuseWhatTheyCannotCarry) {
    struct {
        std::string utf8;
        bool fits;
        std::string bad;  // the character refused
    } toSjis[] = {
        {"ソ表能ｱ", true, ""},
        {"A𠮷B", false, "𠮷"},  // outside the JIS sets
        {"x😀", false, "😀"},
        {"a\xFF", false, "\xFF"},  // not UTF-8
    };
    for (const auto& c : toSjis) {
        std::string out, bad;
        EXPECT_EQ(ToSjisExact(c.utf8, out, &bad), c.fits) << c.utf8;
        EXPECT_EQ(FirstNonSjisChar(c.utf8), c.bad) << c.utf8;
        if (c.fits) EXPECT_EQ(out, ToSjis(c.utf8));
        else EXPECT_EQ(bad, c.bad);
    }
    struct {
        std::string sjis;
        bool ok;
        std::string bad;  // the bytes refused
    } fromSjis[] = {
        {"P\x95\x5C", true, ""},
        {"P\x80", false, "\x80"},
        {"\xA0", false, "\xA0"},
        {"a\xFD", false, "\xFD"},
        {"a\xFF", false, "\xFF"},
        {"\x81 A", false, "\x81"},        // a lead byte before a byte that cannot follow it
        {"\x85\x40", false, "\x85\x40"},  // a code without a character
        {"A\x95", false, "\x95"},         // cut at the end
    };
    for (const auto& c : fromSjis) {
        std::string out, bad;
        EXPECT_EQ(FromSjisExact(c.sjis, out, &bad), c.ok) << DescribeBytes(c.sjis);
        if (c.ok) EXPECT_EQ(out, FromSjis(c.sjis));
        else EXPECT_EQ(bad, c.bad) << DescribeBytes(c.sjis);
    }
    EXPECT_EQ(DescribeChar("𠮷"), "「𠮷」(U+20BB7)");
    EXPECT_EQ(DescribeChar("\xE2\x80\x8B"), "「\xE2\x80\x8B」(U+200B)");  // an invisible character gets its code
    EXPECT_EQ(DescribeChar("\xFF"), "(0xFF)");
    EXPECT_EQ(DescribeBytes("\x81\x20"), "(0x81 0x20)");
}

TEST(Sjis, ByteWiseOrder) {
    // ASCII < hiragana (0x82) < first-level kanji (0x88-) < half-width
    // katakana (0xA1-0xDF); a prefix is smaller than the longer text.
    EXPECT_LT(SjisCompare("A", "あ"), 0);
    EXPECT_LT(SjisCompare("あ", "亜"), 0);
    EXPECT_LT(SjisCompare("亜", "ｱ"), 0);
    EXPECT_LT(SjisCompare("AB", "ABC"), 0);
    EXPECT_EQ(SjisCompare("表", "表"), 0);
    EXPECT_GT(SjisCompare("b", "B"), 0);
    // UTF-8 order would put Ａ (U+FF21) after あ (U+3042); CP932 does not.
    EXPECT_LT(SjisKey("Ａ"), SjisKey("あ"));
}
