// The partner rules without their windows: composite fields, search, sort,
// in-use check, deletion, and the save in every mode with its refusals.
#include <gtest/gtest.h>

#include "dbfixture.h"
#include "partnermaster.h"
#include "ucommon.h"

namespace {

class PartnerTest : public DataFileTest {
protected:
    int Save(int mode, const std::string& prepCode, int prepKbn, const sToriForm& f) {
        sToriSaveUi ui{[this](const std::string& m) { infos.push_back(m); },
                       [this](const std::string& q) {
                           questions.push_back(q);
                           return answerYes;
                       }};
        return master.SaveTori(mode, prepCode, prepKbn, f, ui, savedCode, savedKbn);
    }
    std::vector<std::string> All() {
        return Rows("SELECT * FROM MasTori ORDER BY KBN, CD", {"KBN", "CD", "NAME", "YUBIN", "TEL", "FAX"});
    }
    static sToriForm Form(const std::string& code, int kbnIndex, const std::string& name = "") {
        sToriForm f;
        f.Cd = code;
        f.KbnIndex = kbnIndex;
        f.Name = name;
        return f;
    }
    static std::vector<std::string> Names(const std::vector<sToriRow>& rows) {
        std::vector<std::string> out;
        for (const auto& r : rows) out.push_back(r.caption + "/" + r.cd + "/" + r.name);
        return out;
    }

    clsPartnerMaster master{dao};
    std::vector<std::string> infos, questions;
    bool answerYes = false;
    std::string savedCode;
    int savedKbn = 0;
};

using V = std::vector<std::string>;

}  // namespace

TEST(PartnerComposite, JoinAlwaysWritesTheDashesAndSplitGivesThemBack) {
    struct Case {
        V parts;
        std::string joined;
    };
    const Case cases[] = {
        {{"123", "4567"}, "123-4567"},
        {{"", ""}, "-"},
        {{"", "", ""}, "--"},
        {{" 03 ", "1234", "5678 "}, "03-1234-5678"},
        {{"", "1234", ""}, "-1234-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JoinComposite(c.parts), c.joined);
        V trimmed;
        for (const auto& p : c.parts) trimmed.push_back(Trim(p));
        EXPECT_EQ(SplitComposite(c.joined, static_cast<int>(c.parts.size())), trimmed) << c.joined;
    }
    // Values not written by the dialog: too few dashes fill the first parts,
    // too many stay in the last part so that a save gives them back.
    EXPECT_EQ(SplitComposite("0312345678", 3), (V{"0312345678", "", ""}));
    EXPECT_EQ(SplitComposite("", 2), (V{"", ""}));
    EXPECT_EQ(SplitComposite("+81-3-1234-5678", 3), (V{"+81", "3", "1234-5678"}));
    EXPECT_EQ(JoinComposite(SplitComposite("+81-3-1234-5678", 3)), "+81-3-1234-5678");
}

TEST(PartnerCategory, CaptionsImagesAndTheWayBack) {
    struct Case {
        long long kbn;
        const char* caption;
        int image;
        int back;  // category a command takes from the caption
    };
    const Case cases[] = {{0, "自達", 7, 2}, {1, "仕入先", 6, 1}, {2, "払出先", 6, 2}, {5, "", -1, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(ToriCaption(c.kbn), c.caption);
        EXPECT_EQ(ToriImage(c.kbn), c.image);
        EXPECT_EQ(ToriKbnFromCaption(c.caption), c.back);
    }
}

TEST(PartnerSearch, StatementMatchesTheTextAsTyped) {
    EXPECT_EQ(ToriSearchStatement(""), "SELECT * FROM MasTori");
    EXPECT_EQ(ToriSearchStatement("   "), "SELECT * FROM MasTori");
    EXPECT_EQ(ToriSearchStatement("山"), "SELECT * FROM MasTori WHERE NAME LIKE '山*'");
    EXPECT_EQ(ToriSearchStatement(" 山 "), "SELECT * FROM MasTori WHERE NAME LIKE ' 山 *'");
    EXPECT_EQ(ToriSearchStatement("O'[*?#]"), "SELECT * FROM MasTori WHERE NAME LIKE 'O''[[][*][?][#]]*'");
}

TEST_F(PartnerTest, SearchFindsNamesByPrefixExactly) {
    const char* names[] = {"山田商店", "山本", "大山", "O'Brien", "A*Z", "AZ", "[株]三共", "株三共", "#1工業", "11工業"};
    int i = 0;
    for (const char* n : names)
        Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'C" + std::to_string(i++) + "', '" + SqlEsc(n) + "')");
    struct Case {
        const char* find;
        V want;
    };
    const Case cases[] = {
        {"", {"山田商店", "山本", "大山", "O'Brien", "A*Z", "AZ", "[株]三共", "株三共", "#1工業", "11工業"}},
        {"山", {"山田商店", "山本"}},
        {"o'", {"O'Brien"}},  // letters without regard to case, as the data file compares
        {"A*", {"A*Z"}},
        {"[株", {"[株]三共"}},
        {"#", {"#1工業"}},
        {"無い", {}},
    };
    for (const auto& c : cases) {
        V got;
        for (const auto& r : SearchTori(dao, c.find)) got.push_back(r.name);
        EXPECT_EQ(got, c.want) << c.find;
    }
    EXPECT_TRUE(notes.errors.empty()) << LastError();
}

TEST_F(PartnerTest, RowsSortByteWiseAndStably) {
    Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (2, 'B', 'n1')");
    Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'C', 'n2')");
    Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (0, 'A', 'n3')");
    Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'A', 'n4')");
    auto rows = SearchTori(dao, "");
    SortToriRows(rows, 1);  // Shift-JIS: 仕 (8E 64) < 自 (8E A9) < 払 (95 A5); equal captions keep their order
    EXPECT_EQ(Names(rows), (V{"仕入先/C/n2", "仕入先/A/n4", "自達/A/n3", "払出先/B/n1"}));
    SortToriRows(rows, -2);  // equal codes keep the order they had
    EXPECT_EQ(Names(rows), (V{"仕入先/C/n2", "払出先/B/n1", "仕入先/A/n4", "自達/A/n3"}));
    ReportSnapshot r = ToriReport(rows);
    EXPECT_EQ(r.title, "取引先リスト");
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[0], (V{"C", "仕入先", "n2", "", "", "", ""}));
}

TEST_F(PartnerTest, SameCodeInBothCategoriesIsTwoPartners) {
    ASSERT_EQ(Save(0, "", -1, Form("T1", 0, "仕入")), 0);
    EXPECT_EQ(savedKbn, 1);
    ASSERT_EQ(Save(0, "", -1, Form("T1", 1, "外注")), 0);
    EXPECT_EQ(savedKbn, 2);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(All(), (V{"1|T1|仕入|-|--|--", "2|T1|外注|-|--|--"}));
    // The same (code, category) again asks first; No keeps the old one.
    EXPECT_EQ(Save(0, "", -1, Form("T1", 1, "別")), 1);
    EXPECT_EQ(questions, V{"既に同一区分同一コードの取引先が存在します。上書きしますか？"});
    EXPECT_EQ(All()[1], "2|T1|外注|-|--|--");
    answerYes = true;
    EXPECT_EQ(Save(0, "", -1, Form("T1", 1, "別")), 0);
    EXPECT_EQ(All()[1], "2|T1|別|-|--|--");
}

TEST_F(PartnerTest, CompositeFieldsAreStoredAndLoaded) {
    sToriForm f = Form("Z1", 0, "全角ｶﾅ'*[");
    f.Yubin = {"123", "4567"};
    f.Tel = {"03", "1234", "5678"};
    f.Fax = {"", "", ""};
    f.Telkensaku = " 5678 ";
    ASSERT_EQ(Save(0, "", -1, f), 0);
    EXPECT_EQ(All(), V{"1|Z1|全角ｶﾅ'*[|123-4567|03-1234-5678|--"});
    auto g = master.LoadTori("Z1", 1);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->Name, "全角ｶﾅ'*[");
    EXPECT_EQ(g->Yubin, (std::array<std::string, 2>{"123", "4567"}));
    EXPECT_EQ(g->Tel, (std::array<std::string, 3>{"03", "1234", "5678"}));
    EXPECT_EQ(g->Fax, (std::array<std::string, 3>{"", "", ""}));
    EXPECT_EQ(g->Telkensaku, "5678");
    EXPECT_FALSE(master.LoadTori("Z1", 2));
    // A stored category outside 1 and 2 shows as the first choice.
    Exec("INSERT INTO MasTori (KBN, CD) VALUES (0, 'OWN')");
    EXPECT_EQ(master.LoadTori("OWN", 0)->KbnIndex, 0);
}

TEST_F(PartnerTest, EmptyCodeAndTooLongTextsAreRefused) {
    Exec("INSERT INTO MasTori (KBN, CD, NAME, TEL) VALUES (1, 'OLD', '旧', '03-1-2')");
    struct Case {
        sToriForm form;
        const char* message;
    };
    sToriForm tel = Form("NEW", 0);
    tel.Tel = {"0123", "4567", "89012"};  // 15 characters joined
    sToriForm code = Form("12345678901", 0);
    sToriForm rname = Form("NEW", 0);
    rname.Rname = std::string(21, 'x');
    sToriForm emoji = Form("NEW", 0);
    emoji.Adrs[1] = "ビル😀";
    const Case cases[] = {
        {Form("  ", 0), "コードを入力してください。"},
        {tel, "電話番号はハイフンを含めて13文字以内で入力してください。"},
        {code, "コードは10文字以内で入力してください。"},
        {rname, "略名は20文字以内で入力してください。"},
        {emoji, "住所２にShift-JISで表せない文字「😀」(U+1F600)があります。\nこの文字は保存できません。別の文字で入力してください。"},
    };
    for (const auto& c : cases) {
        infos.clear();
        EXPECT_EQ(Save(2, "OLD", 1, c.form), 1) << c.message;
        EXPECT_EQ(infos, V{c.message});
        EXPECT_EQ(All(), V{"1|OLD|旧||03-1-2|"}) << c.message;
    }
    // At the limits it is written.
    sToriForm full = Form("1234567890", 1, std::string(32, 'n'));
    full.Tel = {"0123", "4567", "890"};
    EXPECT_EQ(Save(0, "", -1, full), 0) << (infos.empty() ? "" : infos.back());
}

TEST_F(PartnerTest, ModeTwoMovesThePartnerInOneTransaction) {
    Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (1, 'OLD', '旧')");
    Exec("INSERT INTO MasTori (KBN, CD, NAME) VALUES (2, 'TAKEN', '既存')");
    sToriForm f = *master.LoadTori("OLD", 1);
    f.Cd = "TAKEN";
    f.KbnIndex = 1;  // new code and category: the existing partner is replaced without a question
    ASSERT_EQ(Save(2, "OLD", 1, f), 0);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(All(), V{"2|TAKEN|旧|-|--|--"});

    // A refusal by the data file after the deletion keeps the old partner.
    dao.GetDatabase()
        ->Prepare("CREATE TRIGGER refuse BEFORE INSERT ON MasTori WHEN NEW.CD = 'X' "
                  "BEGIN SELECT RAISE(ABORT, 'refused'); END")
        ->Step();
    f = *master.LoadTori("TAKEN", 2);
    f.Cd = "X";
    EXPECT_THROW(Save(2, "TAKEN", 2, f), EngineError);
    EXPECT_EQ(dao.GetDatabase()->TransDepth(), 0);
    EXPECT_EQ(All(), V{"2|TAKEN|旧|-|--|--"});
}

TEST_F(PartnerTest, InUseCheckAndDeletion) {
    Exec("INSERT INTO MasTori (KBN, CD) VALUES (1, 'S''1')");
    Exec("INSERT INTO MasTori (KBN, CD) VALUES (2, 'S''1')");
    Exec("INSERT INTO MasTori (KBN, CD) VALUES (1, 'S2')");
    Exec("INSERT INTO MasItem (CD, TEHAIKBN, TEHAICD) VALUES ('I1', 2, 'S''1')");
    EXPECT_FALSE(IsToriUsed(dao, "S'1", 1));
    EXPECT_TRUE(IsToriUsed(dao, "S'1", 2));
    EXPECT_FALSE(IsToriUsed(dao, "S2", 1));
    EXPECT_EQ(master.DeleteTori({{"S'1", 1}, {"S2", 1}}), 0);
    EXPECT_EQ(All(), V{"2|S'1||||"});

    // A failing statement undoes the deletions before it.
    Exec("INSERT INTO MasTori (KBN, CD) VALUES (1, 'S3')");
    dao.GetDatabase()
        ->Prepare("CREATE TRIGGER refuse BEFORE DELETE ON MasTori WHEN OLD.CD = 'S3' "
                  "BEGIN SELECT RAISE(ABORT, 'refused'); END")
        ->Step();
    EXPECT_EQ(master.DeleteTori({{"S'1", 2}, {"S3", 1}}), 1);
    EXPECT_EQ(notes.errors.size(), 1u);
    EXPECT_EQ(All(), (V{"1|S3||||", "2|S'1||||"}));
}
