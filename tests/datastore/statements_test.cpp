// Every statement form the windows build, run on a real data file.
#include <gtest/gtest.h>

#include "dbfixture.h"
#include "jetsql.h"
#include "ucommon.h"

class Statements : public DataFileTest {
protected:
    void SetUp() override {
        DataFileTest::SetUp();
        Exec("INSERT INTO MasItem (CD, KBN, NAME, TEHAIKBN, TEHAICD, TANKA) VALUES ('AB01', 2, '本体A', 1, 'S1', 10)");
        Exec("INSERT INTO MasItem (CD, KBN, NAME, TEHAIKBN, TEHAICD, TANKA) VALUES ('ab02', 1, 'ユニットB', 2, 'G1', 5)");
        Exec("INSERT INTO MasItem (CD, KBN, NAME, TEHAIKBN, TEHAICD) VALUES ('AC03', 0, '部品C', 1, 'S9')");
        Exec("INSERT INTO MasItem (CD, KBN, NAME) VALUES ('A''01', 0, 'quote')");
        Exec("INSERT INTO MasItem (CD, KBN, NAME) VALUES ('A*[1]', 3, 'wild')");
        Exec("INSERT INTO MasItem (CD, KBN, NAME) VALUES ('ソ表', 0, '表示')");
        Exec("INSERT INTO iStruct VALUES ('AB01', 'ab02', 2, 1, 0)");
        Exec("INSERT INTO iStruct VALUES ('ab02', 'AC03', 3.5, 0, 1)");
        Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'S1', '仕入先一')");
        Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (2, 'G1', '外注一')");
        Exec("INSERT INTO OrderPlan VALUES ('202612', 'AB01', 30, 5, 25)");
        Exec("INSERT INTO Supply (OYM, CD, NEED, ZAIKO, SUPPLY) VALUES ('202612', 'ab02', 60, 0, 60)");
        Exec("INSERT INTO Supply (OYM, CD, NEED, ZAIKO, SUPPLY) VALUES ('202612', 'AC03', 210, 10, 200)");
    }
};

TEST_F(Statements, SelectForms) {
    struct Case {
        const char* sql;
        std::vector<std::string> cols;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"SELECT * FROM MasItem WHERE KBN IN (2,1,0,3) AND CD LIKE 'AB*' ORDER BY CD", {"CD"}, {"AB01", "ab02"}},
        {"SELECT * FROM MasItem WHERE KBN IN (2,0) AND CD LIKE 'a*' ORDER BY CD", {"CD"},
         {"A'01", "AB01", "AC03"}},
        {"select * from MasItem where CD like 'A''*'", {"CD"}, {"A'01"}},
        {"SELECT * FROM MasItem WHERE CD LIKE 'A[*]*'", {"CD"}, {"A*[1]"}},
        {"SELECT * FROM MasItem WHERE CD LIKE 'A?0#' ORDER BY CD", {"CD"}, {"A'01", "AB01", "ab02", "AC03"}},
        {"SELECT * FROM MasItem WHERE CD LIKE 'A[!B]*' ORDER BY CD", {"CD"}, {"A'01", "A*[1]", "AC03"}},
        {"SELECT * FROM MasItem WHERE CD LIKE 'ソ*'", {"NAME"}, {"表示"}},
        {"SELECT * FROM MasItem WHERE CD = 'ab01'", {"CD"}, {"AB01"}},  // keys compare without case
        {"SELECT * FROM MasItem WHERE CD IN ('AB01','AC03') ORDER BY CD", {"CD", "KBN"}, {"AB01|2", "AC03|0"}},
        {"SELECT COUNT(*) AS RECCNT FROM MasItem", {"RECCNT"}, {"6"}},
        {"SELECT * FROM iStruct WHERE CD1 = 'AB01' OR CD2 = 'AB01'", {"CD1", "CD2", "INZU"}, {"AB01|ab02|2"}},
        {"SELECT CD,RNAME FROM MasTori WHERE KBN = 1", {"CD", "RNAME"}, {"S1|"}},
        {"select ORDER,ZAIKO from OrderPlan where OYM = '202612' and CD = 'AB01'", {"ORDER", "ZAIKO"}, {"30|5"}},
        {"SELECT  iStruct.CD1,iStruct.CD2,iStruct.INZU,iStruct.KFLG,iStruct.CFLG,MasItem.KBN FROM iStruct,MasItem "
         "WHERE iStruct.CD2 = 'AC03' AND iStruct.CD1 = MasItem.CD",
         {"CD1", "CD2", "INZU", "KBN"},
         {"ab02|AC03|3.5|1"}},
        {"SELECT KFLG FROM iStruct where KFLG = 1 and CD2 = 'ab02'", {"KFLG"}, {"1"}},
        {"SELECT MasTori.NAME AS TNAME,MasItem.TEHAIKBN,MasTori.CD AS TCODE,Supply.CD,MasItem.NAME AS PNAME,"
         "Supply.NEED,Supply.ZAIKO,Supply.SUPPLY,MasItem.TANKA,MasItem.TEHAINI,MasItem.TEHAINISU,MasItem.KBN AS "
         "IKBN,MasItem.SOUKO FROM (Supply INNER JOIN MasItem ON Supply.CD = MasItem.CD) LEFT JOIN MasTori ON "
         "(MasItem.TEHAICD = MasTori.CD) AND (MasItem.TEHAIKBN = MasTori.KBN)  WHERE MasItem.KBN IN (1,0) AND "
         "Supply.CD LIKE 'A*' AND Supply.OYM = '202612' ORDER BY  MasItem.TEHAIKBN,MasTori.CD,Supply.CD",
         {"TNAME", "TEHAIKBN", "TCODE", "CD", "PNAME", "NEED", "SUPPLY", "IKBN", "TEHAINI"},
         {"|1||AC03|部品C|210|200|0|", "外注一|2|G1|ab02|ユニットB|60|60|1|"}},
        {"SELECT CD FROM OrderPlan where OYM = '202612'", {"CD"}, {"AB01"}},
        {"SELECT MasItem.CD,MasItem.NAME FROM MasItem WHERE MasItem.KBN IN (2,3) AND MasItem.CD LIKE 'A*' ORDER BY "
         "MasItem.CD",
         {"CD", "NAME"},
         {"A*[1]|wild", "AB01|本体A"}},
        {"SELECT * FROM MasTori WHERE NAME LIKE '仕入*'", {"CD"}, {"S1"}},
        {"SELECT * FROM iStruct ORDER BY CD1,CD2", {"CD1"}, {"AB01", "ab02"}},
        {"SELECT * FROM MasTori ORDER BY KBN,CD", {"CD"}, {"S1", "G1"}},
        {"SELECT * FROM MasItem WHERE CD = 'none'", {"CD"}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(Rows(c.sql, c.cols), c.want) << c.sql;
    EXPECT_TRUE(notes.errors.empty()) << LastError();
}

TEST_F(Statements, DeleteAndQuoteHelper) {
    // Codes spliced into the statement through SqlEsc: each deletes its own
    // row and nothing else, whatever quotes it holds.
    auto del = [&](const std::string& table, const std::string& code) {
        Exec("DELETE FROM " + table + " WHERE CD = '" + SqlEsc(code) + "'");
    };
    del("MasItem", "A'01");
    del("MasItem", "x' OR '1'='1");
    del("MasItem", "'");
    del("Supply", "AC03");
    EXPECT_EQ(Rows("SELECT CD FROM MasItem ORDER BY CD", {"CD"}),
              (std::vector<std::string>{"A*[1]", "AB01", "ab02", "AC03", "ソ表"}));
    EXPECT_EQ(Rows("SELECT * FROM Supply", {"CD"}), std::vector<std::string>{"ab02"});
    EXPECT_TRUE(notes.errors.empty()) << LastError();
}

TEST_F(Statements, PrefixSearchUsesTheKeyIndex) {
    auto t = TranslateJetSql("SELECT * FROM MasItem WHERE KBN IN (2,1,0,3) AND CD LIKE 'AB*' ORDER BY CD", false);
    auto st = dao.GetDatabase()->Prepare("EXPLAIN QUERY PLAN " + t.sql);
    std::string plan;
    while (st->Step()) plan += st->ColumnText(3) + "\n";
    EXPECT_NE(plan.find("USING INDEX"), std::string::npos) << plan;
    EXPECT_EQ(plan.find("SCAN"), std::string::npos) << plan;
}

TEST_F(Statements, ConversionStatementsRebuildStructureColumns) {
    const char* steps[] = {
        "alter table iStruct add buf double", "update iStruct set buf = INZU",  "alter table iStruct drop INZU",
        "alter table iStruct add INZU double", "update iStruct set INZU = buf", "alter table iStruct drop buf",
        "alter table iStruct add buf short",  "update iStruct set buf = KFLG",  "alter table iStruct drop KFLG",
        "alter table iStruct add KFLG short", "update iStruct set KFLG = buf",  "alter table iStruct drop buf",
        "alter table iStruct add buf short",  "update iStruct set buf = CFLG",  "alter table iStruct drop CFLG",
        "alter table iStruct add CFLG short", "update iStruct set CFLG = buf",  "alter table iStruct drop buf",
    };
    for (const char* s : steps) Exec(s);
    const TableInfo& t = dao.GetDatabase()->Table("iStruct");
    std::vector<std::string> names;
    for (const auto& c : t.columns) names.push_back(c.name + ":" + std::to_string(c.type));
    EXPECT_EQ(names, (std::vector<std::string>{"CD1:10", "CD2:10", "INZU:7", "KFLG:3", "CFLG:3"}));
    EXPECT_EQ(Rows("SELECT * FROM iStruct ORDER BY CD1", {"CD1", "INZU", "KFLG", "CFLG"}),
              (std::vector<std::string>{"AB01|2|1|0", "ab02|3.5|0|1"}));
    // The rebuilt columns keep their limits.
    EXPECT_EQ(dao.Execute("UPDATE iStruct SET KFLG = 40000"), 1);
}

TEST(JetSqlTranslation, OnlyLiteralValuesBecomeParameters) {
    auto t = TranslateJetSql("SELECT * FROM MasItem WHERE CD = 'x''y' AND KBN IN (1,2)");
    EXPECT_EQ(t.sql, "SELECT * FROM MasItem WHERE CD = ? AND KBN IN (1,2)");
    EXPECT_EQ(t.params, std::vector<std::string>{"x'y"});
    auto o = TranslateJetSql("select ORDER,ZAIKO from OrderPlan order by ORDER");
    EXPECT_EQ(o.sql, "select \"ORDER\",ZAIKO from OrderPlan order by \"ORDER\"");
    EXPECT_THROW(TranslateJetSql("SELECT * FROM MasItem WHERE CD = 'open"), std::invalid_argument);
}

TEST(JetLikeMatcher, Wildcards) {
    struct {
        const char* pat;
        const char* text;
        bool want;
    } cases[] = {
        {"AB*", "ab01", true},    {"AB*", "xAB", false},  {"*", "", true},          {"A?C", "ABC", true},
        {"A?C", "AC", false},     {"A#", "A7", true},     {"A#", "AB", false},      {"[a-c]*", "B1", true},
        {"[!a-c]*", "B1", false}, {"[*]*", "*x", true},   {"a*b*c", "aXbYc", true}, {"a*b*c", "aXbY", false},
        {"表*", "表示", true},    {"?示", "表示", true},  {"ｱ*", "ｱｲ", true},       {"A[?]", "A?", true},
    };
    for (const auto& c : cases) EXPECT_EQ(JetLike(c.pat, c.text), c.want) << c.pat << " ~ " << c.text;
    EXPECT_THROW(JetLike("[abc", "a"), std::invalid_argument);
}
