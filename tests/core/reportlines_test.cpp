#include <gtest/gtest.h>

#include <utility>

#include "reportlines.h"

namespace {

using Line = clsReportLines::Line;

// Reads a whole generation: the line texts at each Position in turn.
std::vector<std::pair<int, std::string>> Generate(clsReportLines& lines) {
    std::vector<std::pair<int, std::string>> out;
    lines.Restart();
    while (lines.MoreData()) {
        const Line& l = lines.NextLine();
        out.emplace_back(lines.Position(), l[0]);
    }
    return out;
}

}  // namespace

TEST(ReportLines, AddIsRefusedBeyondTheAnnouncedCount) {
    clsReportLines lines(ReportId::Item);
    ASSERT_EQ(lines.Init(2), 0);
    EXPECT_EQ(lines.Add({"A1", "Body", "n", "f", "s"}), 0);
    EXPECT_EQ(lines.Add({"A2", "Unit", "n", "f", "s"}), 0);
    EXPECT_EQ(lines.Add({"A3", "Parts", "n", "f", "s"}), 1);
    EXPECT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.At(2)[0], "A2");

    // A failed Init leaves the report without lines and accepts none.
    EXPECT_EQ(lines.Init(-1), -1);
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(lines.Add({"A4"}), 1);
    // So does a report never initialised.
    clsReportLines fresh(ReportId::Tori);
    EXPECT_EQ(fresh.Add({"T1"}), 1);
}

TEST(ReportLines, InitDiscardsThePreviousLinesAndPosition) {
    clsReportLines lines(ReportId::Order);
    lines.Init(3);
    for (const char* code : {"P1", "P2", "P3"}) lines.Add({code});
    lines.Restart();
    lines.NextLine();
    lines.NextLine();
    ASSERT_EQ(lines.Position(), 2);

    ASSERT_EQ(lines.Init(1), 0);
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(lines.Position(), 0);
    EXPECT_FALSE(lines.MoreData());
    lines.Add({"Q1"});
    EXPECT_EQ(Generate(lines), (std::vector<std::pair<int, std::string>>{{1, "Q1"}}));
}

TEST(ReportLines, EachLineHasTheReportsNumberOfTexts) {
    clsReportLines sup(ReportId::Sup);
    sup.Init(2);
    sup.Add({"仕入先", "S001"});  // short: the rest is empty
    Line tooLong(15, "x");
    sup.Add(tooLong);
    EXPECT_EQ(sup.At(1), Line({"仕入先", "S001", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(sup.At(2).size(), 12u);
}

TEST(ReportLines, EveryGenerationStartsAgainAtLineOne) {
    clsReportLines lines(ReportId::Parts);
    lines.Init(3);
    for (const char* code : {"■A", "□B", "＊C"}) lines.Add({code});
    const std::vector<std::pair<int, std::string>> whole = {{1, "■A"}, {2, "□B"}, {3, "＊C"}};

    // A generation broken off after one line (a preview closed early) does
    // not shift the next one.
    lines.Restart();
    lines.NextLine();
    EXPECT_EQ(Generate(lines), whole);
    EXPECT_EQ(Generate(lines), whole);
    EXPECT_THROW(lines.NextLine(), std::out_of_range);
}

TEST(ReportLines, OnlyTheLinesAddedAreRead) {
    // A caller that announced more lines than it added must not make the
    // generation read lines that do not exist.
    clsReportLines lines(ReportId::Genka);
    lines.Init(5);
    lines.Add({"■A"});
    lines.Add({"□B"});
    EXPECT_EQ(Generate(lines), (std::vector<std::pair<int, std::string>>{{1, "■A"}, {2, "□B"}}));
}

TEST(ReportLines, SupGroupBandPrintsWhenCategoryOrSourceChanges) {
    struct Case {
        const char* t0;
        const char* t1;
        bool visible;
    };
    const Case cases[] = {
        {"仕入先", "S001:山田製作所", true},    // the first line always
        {"仕入先", "S001:山田製作所", false},   // same category and source
        {"仕入先", "S002:鈴木精密", true},      // source changes
        {"払出先(外注)", "S002:鈴木精密", true},  // category changes
        {"払出先(外注)", "S002:鈴木精密", false},
        {"仕入先", "S001:山田製作所", true},    // back to an earlier group
        {"自達", "", true},
        {"自達", "", false},
    };
    clsReportLines lines(ReportId::Sup);
    lines.Init(static_cast<int>(std::size(cases)));
    for (const auto& c : cases) lines.Add({c.t0, c.t1, "＊P"});
    for (int pass = 0; pass < 2; ++pass) {
        lines.Restart();
        for (const auto& c : cases) {
            lines.NextLine();
            EXPECT_EQ(lines.GroupBandVisible(), c.visible) << "line " << lines.Position() << " pass " << pass;
        }
    }
}

TEST(ReportForm, SnapshotCarriesTheHeaderTextsOfItsReport) {
    clsReportForm form;
    // Designed texts until the windows set their own.
    EXPECT_EQ(form.Snapshot(ReportId::Parts).title, "構成表");
    EXPECT_EQ(form.Snapshot(ReportId::Order).month, "XXXX年MM月");
    EXPECT_EQ(form.Snapshot(ReportId::Genka).genkaHeading, "その他費");

    form.SetPartsTitle("親検索");
    form.SetMonthTitle("2024年04月");
    form.SetMonthTitle("2024年05月");  // shared by repOrder and repSup: the last wins
    form.SetGenkaTotals("1,234,567.89", "梱包費");
    form.Lines(ReportId::Genka).Init(1);
    form.Lines(ReportId::Genka).Add({"■A", "1"});

    EXPECT_EQ(form.Snapshot(ReportId::Parts).title, "親検索");
    EXPECT_EQ(form.Snapshot(ReportId::Item).title, "品目リスト");
    EXPECT_EQ(form.Snapshot(ReportId::Order).month, "2024年05月");
    EXPECT_EQ(form.Snapshot(ReportId::Sup).month, "2024年05月");
    ReportSnapshot genka = form.Snapshot(ReportId::Genka);
    EXPECT_EQ(genka.title, "原価表");
    EXPECT_EQ(genka.genkaTotal, "1,234,567.89");
    EXPECT_EQ(genka.genkaHeading, "梱包費");
    ASSERT_EQ(genka.lines.size(), 1u);

    // The copy stays as it was when the report is filled again.
    form.Lines(ReportId::Genka).Init(0);
    EXPECT_EQ(genka.lines.size(), 1u);
    EXPECT_EQ(clsReportLines(genka).Count(), 1);
}

TEST(ReportText, HeaderLinesDependOnTheReportAndTextsStayOnOneLine) {
    clsReportForm form;
    form.SetMonthTitle("2024年05月");
    form.SetGenkaTotals("12,345", "梱包費");
    form.Lines(ReportId::Tori).Init(1);
    form.Lines(ReportId::Tori).Add({"S001", "仕入先", "株式会社\t山田\n製作所", "山田", "03", "", "東京都"});
    form.Lines(ReportId::Genka).Init(0);
    form.Lines(ReportId::Sup).Init(0);

    EXPECT_EQ(ReportText(form.Snapshot(ReportId::Tori)),
              "# report: repTori\n# title: 取引先リスト\nS001\t仕入先\t株式会社 山田 製作所\t山田\t03\t\t東京都\n");
    EXPECT_EQ(ReportText(form.Snapshot(ReportId::Genka)),
              "# report: repGenka\n# title: 原価表\n# total: 12,345\n# heading: 梱包費\n");
    EXPECT_EQ(ReportText(form.Snapshot(ReportId::Sup)), "# report: repSup\n# title: 発注支援\n# month: 2024年05月\n");
}
