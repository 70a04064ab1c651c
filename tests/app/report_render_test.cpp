// The six report layouts rendered to PDF and read back with pdftotext:
// page size and count, the texts and where they stand on the page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "pdfcheck.h"
#include "reportlayout.h"
#include "reportpreview.h"
#include "testutil.h"
#include "unprivileged.h"

namespace {

constexpr double kTol = 0.3;  // mm
constexpr double kMargin = 10.0;

const ReportId kAll[] = {ReportId::Item, ReportId::Tori, ReportId::Parts,
                         ReportId::Genka, ReportId::Order, ReportId::Sup};

ReportSnapshot Report(ReportId id, std::vector<std::vector<std::string>> lines = {}) {
    ReportSnapshot r;
    r.id = id;
    r.title = GetReportInfo(id).title;
    r.month = "2024年05月";
    r.genkaTotal = "1,234,567.89";
    r.genkaHeading = "梱包費";
    r.lines = std::move(lines);
    return r;
}

// One line whose text i reads "L<i>".
std::vector<std::string> TokenLine(ReportId id) {
    std::vector<std::string> line;
    for (int i = 0; i < GetReportInfo(id).texts; ++i) line.push_back("L" + std::to_string(i));
    return line;
}

// n lines whose first text is a numbered code; repSup lines all in one group.
ReportSnapshot NumberedReport(ReportId id, int n) {
    ReportSnapshot r = Report(id);
    for (int i = 1; i <= n; ++i) {
        std::vector<std::string> line(static_cast<size_t>(GetReportInfo(id).texts), "x");
        char code[16];
        std::snprintf(code, sizeof code, "C%03d", i);
        if (id == ReportId::Sup) {
            line[0] = "仕入先";
            line[1] = "S001";
            line[2] = code;
        } else {
            line[id == ReportId::Tori ? 1 : 0] = code;
        }
        r.lines.push_back(line);
    }
    return r;
}

class ReportPdf : public ::testing::Test {
protected:
    PdfDoc Render(const ReportSnapshot& r) {
        std::string path = dir.File(std::string(GetReportInfo(r.id).name) + ".pdf");
        std::string error;
        EXPECT_TRUE(RenderReportPdf(r, path, &error)) << error;
        PdfDoc doc = ReadPdf(path);
        EXPECT_TRUE(doc.ok) << "pdftotext could not read " << path;
        return doc;
    }

    // The one word with this text on the page.
    static PdfWord Word(const PdfPage& page, const std::string& text) {
        auto found = page.Find(text);
        EXPECT_EQ(found.size(), 1u) << text;
        return found.empty() ? PdfWord{text, NAN, NAN, NAN, NAN} : found.front();
    }

    // Where a text in a box of the layout (band-relative mm) must stand.
    static void ExpectInBox(const PdfWord& w, double left, double width, TextAlign align, double top,
                            const std::string& what) {
        double x = kMargin + left;
        switch (align) {
        case TextAlign::Left: EXPECT_NEAR(w.left, x, kTol) << what; break;
        case TextAlign::Right: EXPECT_NEAR(w.right, x + width, kTol) << what; break;
        case TextAlign::Center: EXPECT_NEAR((w.left + w.right) / 2, x + width / 2, kTol) << what; break;
        }
        EXPECT_GE(w.left, x - kTol) << what << " starts before its column";
        EXPECT_LE(w.right, x + width + kTol) << what << " runs past its column";
        EXPECT_NEAR(w.top, kMargin + top, kTol) << what;
    }

    TempDir dir;
};

}  // namespace

TEST_F(ReportPdf, PageIsA4LandscapeAndEveryColumnStandsWhereItsLayoutSays) {
    for (ReportId id : kAll) {
        SCOPED_TRACE(GetReportInfo(id).name);
        const ReportLayout& layout = GetReportLayout(id);
        PdfDoc doc = Render(Report(id, {TokenLine(id)}));
        ASSERT_EQ(doc.pages.size(), 1u);
        const PdfPage& page = doc.pages[0];
        EXPECT_NEAR(page.width, 297.0, 0.5);
        EXPECT_NEAR(page.height, 210.0, 0.5);
        // The design font is drawn with the IPA P Gothic, embedded.
        std::regex embedded(R"(IPAPGothic\s+CID TrueType\s+\S+\s+yes)");
        EXPECT_TRUE(std::regex_search(PdfFonts(dir.File(std::string(GetReportInfo(id).name) + ".pdf")), embedded));

        // repSup prints its group band above the item band.
        double groupTop = layout.headerHeight + 0.7;
        double itemTop = layout.headerHeight + 0.7 + (layout.groupColumns.empty() ? 0 : layout.detailHeight);
        auto check = [&](const std::vector<ReportColumn>& columns, double headingTop, double dataTop) {
            for (const auto& c : columns) {
                std::string heading = c.heading ? c.heading : "梱包費";
                ExpectInBox(Word(page, heading), c.headingLeft, c.headingWidth, c.align, headingTop, heading);
                std::string token = "L" + std::to_string(c.text);
                ExpectInBox(Word(page, token), c.left, c.width, c.align, dataTop, heading + " " + token);
            }
        };
        check(layout.columns, layout.headingTop, itemTop);
        check(layout.groupColumns, layout.groupHeadingTop, groupTop);
    }
}

TEST_F(ReportPdf, ColumnsAgreeWithTheDesign) {
    // Page positions in mm of a few columns, straight from the design.
    struct Spot {
        ReportId id;
        const char* text;
        TextAlign edge;  // which edge is checked
        double x;
    };
    const Spot spots[] = {
        {ReportId::Item, "品番", TextAlign::Left, 24.6},
        {ReportId::Item, "L4", TextAlign::Left, 214.0},
        {ReportId::Tori, "L1", TextAlign::Left, 24.5},   // text 1 under 区分
        {ReportId::Tori, "L0", TextAlign::Left, 38.9},   // text 0 under コード
        {ReportId::Parts, "L2", TextAlign::Right, 110.6},
        {ReportId::Parts, "L3", TextAlign::Center, 132.35},
        {ReportId::Genka, "梱包費", TextAlign::Right, 191.6},
        {ReportId::Genka, "L1", TextAlign::Right, 213.5},
        {ReportId::Order, "L4", TextAlign::Right, 247.4},
        {ReportId::Sup, "L1", TextAlign::Left, 47.9},
        {ReportId::Sup, "必要数", TextAlign::Right, 124.6},
        {ReportId::Sup, "L4", TextAlign::Right, 125.4},
        {ReportId::Sup, "L8", TextAlign::Right, 268.5},
    };
    for (const auto& s : spots) {
        SCOPED_TRACE(std::string(GetReportInfo(s.id).name) + " " + s.text);
        PdfDoc doc = Render(Report(s.id, {TokenLine(s.id)}));
        ASSERT_EQ(doc.pages.size(), 1u);
        PdfWord w = Word(doc.pages[0], s.text);
        double x = s.edge == TextAlign::Left ? w.left : s.edge == TextAlign::Right ? w.right : (w.left + w.right) / 2;
        EXPECT_NEAR(x, s.x, kTol);
    }
}

TEST_F(ReportPdf, PageHeaderAndFooterTexts) {
    struct Case {
        ReportId id;
        double titleTop, footerTop;  // page mm
        const char* legendLast;      // last word of the legend, or nullptr
        double legendTop, pageNumberTop;
    };
    const Case cases[] = {
        {ReportId::Item, 24.3, 179.5, nullptr, 0, 185.1},
        {ReportId::Tori, 24.3, 179.5, nullptr, 0, 185.1},
        {ReportId::Parts, 24.3, 175.4, "＊Parts", 177.3, 181.0},
        {ReportId::Genka, 22.2, 175.4, "＊Parts", 177.3, 181.0},
        {ReportId::Order, 24.3, 179.5, nullptr, 0, 185.1},
        {ReportId::Sup, 24.3, 175.4, "＊Parts", 178.0, 182.0},
    };
    const std::regex date(R"(\d{4}/\d{2}/\d{2})"), time(R"(\d{2}:\d{2}:\d{2})");
    for (const auto& c : cases) {
        SCOPED_TRACE(GetReportInfo(c.id).name);
        PdfDoc doc = Render(Report(c.id));  // no lines: header and footer only
        ASSERT_EQ(doc.pages.size(), 1u);
        const PdfPage& page = doc.pages[0];
        PdfWord title = Word(page, GetReportInfo(c.id).title);
        EXPECT_NEAR(title.left, 25.9, kTol);
        EXPECT_NEAR(title.top, c.titleTop, kTol);

        // Print date and time, right-aligned at 253.0 mm of the band.
        ASSERT_GE(page.words.size(), 2u);
        auto timeWord = std::find_if(page.words.begin(), page.words.end(),
                                     [&](const PdfWord& w) { return std::regex_match(w.text, time); });
        ASSERT_NE(timeWord, page.words.end());
        EXPECT_NEAR(timeWord->right, 263.0, kTol);
        EXPECT_NEAR(timeWord->top, 23.8, kTol);
        EXPECT_TRUE(std::regex_match((timeWord - 1)->text, date)) << (timeWord - 1)->text;

        PdfWord number = Word(page, "1");
        EXPECT_NEAR(number.right, 264.0, kTol);
        EXPECT_NEAR(number.top, c.pageNumberTop, kTol);
        if (c.legendLast) {
            PdfWord legend = Word(page, c.legendLast);
            EXPECT_NEAR(legend.right, 264.0, kTol);
            EXPECT_NEAR(legend.top, c.legendTop, kTol);
            EXPECT_TRUE(page.Has("凡例)"));
            EXPECT_EQ(page.Has("■Body"), c.id != ReportId::Sup);
        }
    }
}

TEST_F(ReportPdf, MonthTextAndCostTotal) {
    for (ReportId id : {ReportId::Order, ReportId::Sup}) {
        PdfDoc doc = Render(Report(id));
        PdfWord month = Word(doc.pages.at(0), "2024年05月");
        EXPECT_NEAR(month.left, 66.1, kTol);
        EXPECT_NEAR(month.top, 26.9, kTol);
    }
    PdfDoc doc = Render(Report(ReportId::Genka));
    const PdfPage& page = doc.pages.at(0);
    PdfWord label = Word(page, "費用合計");
    EXPECT_NEAR(label.right, 100.5, kTol);
    EXPECT_NEAR(label.top, 25.3, kTol);
    PdfWord total = Word(page, "1,234,567.89");
    EXPECT_NEAR(total.right, 133.1, kTol);
    EXPECT_NEAR(total.top, 24.8, kTol);
    // Reports without these header texts do not print them.
    EXPECT_FALSE(Render(Report(ReportId::Item)).pages.at(0).Has("2024年05月"));
}

TEST_F(ReportPdf, AsManyPagesAsTheLinesNeedEachWithHeaderAndFooter) {
    // 21 detail bands fit between header and footer of the lists, 20 where the
    // footer is 24.6 mm high.
    struct Case {
        ReportId id;
        int lines;
        int pages;
    };
    const Case cases[] = {
        {ReportId::Item, 0, 1},  {ReportId::Item, 21, 1},  {ReportId::Item, 22, 2},
        {ReportId::Item, 43, 3}, {ReportId::Parts, 20, 1}, {ReportId::Parts, 21, 2},
        {ReportId::Tori, 22, 2}, {ReportId::Sup, 19, 1},   {ReportId::Sup, 20, 2},  // one group band + items
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(GetReportInfo(c.id).name) + " " + std::to_string(c.lines));
        PdfDoc doc = Render(NumberedReport(c.id, c.lines));
        ASSERT_EQ(static_cast<int>(doc.pages.size()), c.pages);
        int seen = 0;
        double lastTop = 0;
        for (int p = 0; p < c.pages; ++p) {
            const PdfPage& page = doc.pages[static_cast<size_t>(p)];
            EXPECT_TRUE(page.Has(GetReportInfo(c.id).title)) << "page " << p + 1;
            EXPECT_TRUE(page.Has("品番") || page.Has("区分")) << "page " << p + 1;
            PdfWord number = Word(page, std::to_string(p + 1));
            EXPECT_GT(number.top, 175.0);
            lastTop = 0;
            for (const auto& w : page.words) {
                if (w.text.size() == 4 && w.text[0] == 'C') {
                    // Every line once, in order, between header and footer.
                    char expect[16];
                    std::snprintf(expect, sizeof expect, "C%03d", ++seen);
                    EXPECT_EQ(w.text, expect);
                    EXPECT_GT(w.top, 45.0);
                    EXPECT_LT(w.top, 175.0);
                    EXPECT_GT(w.top, lastTop);
                    lastTop = w.top;
                }
            }
        }
        EXPECT_EQ(seen, c.lines);
    }
}

TEST_F(ReportPdf, SupGroupBandOnlyWhenCategoryOrSourceChanges) {
    auto line = [](const char* t0, const char* t1, const char* code) {
        return std::vector<std::string>{t0, t1, code, "名", "1", "0", "1", "10", "10", "箱", "1", "1"};
    };
    std::vector<std::vector<std::string>> lines;
    // Nine groups of one line fill 18 bands; a tenth line in the ninth group
    // makes 19; the next group needs two more bands and moves to page 2
    // together with its first item.
    for (int g = 1; g <= 9; ++g) lines.push_back(line("仕入先", ("S00" + std::to_string(g)).c_str(), "PA"));
    lines.push_back(line("仕入先", "S009", "PB"));
    lines.push_back(line("払出先", "S009", "PC"));  // only the category differs
    lines.push_back(line("払出先", "S009", "PD"));
    PdfDoc doc = Render(Report(ReportId::Sup, lines));
    ASSERT_EQ(doc.pages.size(), 2u);
    const PdfPage& p1 = doc.pages[0];
    const PdfPage& p2 = doc.pages[1];
    EXPECT_EQ(p1.Find("仕入先").size(), 9u);
    EXPECT_EQ(p1.Find("S009").size(), 1u);
    EXPECT_EQ(p1.Find("PB").size(), 1u);
    EXPECT_FALSE(p1.Has("払出先"));
    ASSERT_EQ(p2.Find("払出先").size(), 1u);
    PdfWord group = p2.Find("払出先")[0];
    EXPECT_NEAR(group.top, 10 + 35.3 + 0.7, kTol);
    EXPECT_NEAR(Word(p2, "PC").top, group.top + 6.3, kTol);
    EXPECT_NEAR(Word(p2, "PD").top, group.top + 12.6, kTol);
}

TEST_F(ReportPdf, LongTextsAreClippedToTheirColumn) {
    // 品番 of repItem is 45 mm wide; the next column starts right after it.
    std::string longCode = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGHIJ";
    std::string longName(40, 'W');
    PdfDoc doc = Render(Report(ReportId::Item, {{longCode, "Body", "通称名が長い場合でも次の列に重ならない" + longName, "F", "S"}}));
    const PdfPage& page = doc.pages.at(0);
    auto starts = [](const std::string& full, const std::string& part) {
        return !part.empty() && part.size() < full.size() && full.compare(0, part.size(), part) == 0;
    };
    PdfWord code;
    for (const auto& w : page.words)
        if (starts(longCode, w.text)) code = w;
    ASSERT_FALSE(code.text.empty()) << "the start of the code is printed";
    EXPECT_NEAR(code.left, 24.6, kTol);
    EXPECT_LE(code.right, 10 + 14.6 + 45.0);
    EXPECT_GT(code.right, 10 + 14.6 + 45.0 - 4.0) << "as much as fits is printed";
    EXPECT_NEAR(Word(page, "Body").left, 10 + 59.3, kTol);
    PdfWord form = Word(page, "F");
    for (const auto& w : page.words) {
        if (std::abs(w.top - form.top) < 1 && w.left < form.left) {
            EXPECT_LE(w.right, 10 + 154.5 + kTol) << w.text;
        }
    }
}

TEST_F(ReportPdf, AFailedWriteIsReportedAndLeavesTheOldFile) {
    std::string error;
    ReportSnapshot r = NumberedReport(ReportId::Item, 50);

    // A folder that does not exist, and a "folder" that is a file.
    WriteText(dir.File("plain"), "x");
    for (const std::string& path : {dir.File("missing/out.pdf"), dir.File("plain/out.pdf")}) {
        error.clear();
        EXPECT_FALSE(RenderReportPdf(r, path, &error)) << path;
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_NE(error.find("PDFﾌｧｲﾙを作成できません"), std::string::npos) << error;
    }

    // A full disk: the file keeps its old content.
    std::string out = dir.File("out.pdf");
    WriteText(out, "old report");
    {
        FileSizeLimit limit(4096);
        error.clear();
        EXPECT_FALSE(RenderReportPdf(r, out, &error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(ReadText(out), "old report");
}

TEST_F(ReportPdf, AReadOnlyFolderIsReported) {
    if (RerunAsNobody()) return;
    std::string ro = dir.File("ro");
    std::filesystem::create_directory(ro);
    std::filesystem::permissions(ro, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    std::string error;
    EXPECT_FALSE(RenderReportPdf(NumberedReport(ReportId::Item, 50), ro + "/out.pdf", &error));
    EXPECT_NE(error.find(ro + "/out.pdf"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(ro + "/out.pdf"));
}
