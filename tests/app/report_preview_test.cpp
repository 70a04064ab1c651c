// TfrmPrint hands its reports to the preview: which previews wait, and the
// Qt preview keeping its own copy of the lines.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QPrinter>
#include <QTimer>

#include "bandrenderer.h"
#include "fakeplatform.h"
#include "pdfcheck.h"
#include "previewdialog.h"
#include "qtplatform.h"
#include "ufprint.h"

namespace {

std::vector<ReportPreviewDialog*> OpenPreviews() {
    std::vector<ReportPreviewDialog*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<ReportPreviewDialog*>(w); d && d->isVisible()) out.push_back(d);
    return out;
}

void ProcessDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Generates a preview's report onto a PDF, as printing from the preview to a
// file does.
PdfDoc PrintToPdf(ReportPreviewDialog* dlg, const std::string& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    SetReportPageLayout(printer);
    dlg->Generate(&printer);
    return ReadPdf(path);
}

// Installs the Qt platform for one test.
struct UseQtPlatform {
    QtPlatform platform;
    UseQtPlatform() { SetPlatform(&platform); }
    ~UseQtPlatform() { SetPlatform(nullptr); }
};

}  // namespace

TEST(PrintForm, PreviewHandsOverTheReportAndWaitsOnlyForItemOrderAndSup) {
    FakePlatform fake;
    TfrmPrint frm;
    frm.InitItemList(1);
    frm.AddItemLine("A-1000", "Body", "卓上ボール盤", "本体", "BD-13");
    frm.InitToriList(1);
    frm.AddToriLine("S001", "仕入先", "山田製作所", "山田", "03", "04", "東京都");
    frm.InitPartsList(1);
    frm.AddPartsLine("■A", "n", "1", "○", "", "f", "s", "100");
    frm.InitGenkaList(0);
    frm.SetGenkaTotals("125,000", "梱包費");
    frm.InitOrderList(1);
    frm.AddOrderLine("A-1000", "卓上ボール盤", "120", "15", "105");
    frm.InitSupList(1);
    frm.AddSupLine({"仕入先", "S001", "＊P", "n", "1", "0", "1", "10", "10", "箱", "1", "1"});
    frm.SetMonthTitle("2024年05月");
    frm.qlPTitle.setText("親検索");

    struct Case {
        ReportId id;
        const char* wait;
        const char* title;
        size_t lines;
    };
    const Case cases[] = {
        {ReportId::Item, "wait", "品目リスト", 1},  {ReportId::Tori, "nowait", "取引先リスト", 1},
        {ReportId::Parts, "nowait", "親検索", 1},   {ReportId::Genka, "nowait", "原価表", 0},
        {ReportId::Order, "wait", "生産計画", 1},   {ReportId::Sup, "wait", "発注支援", 1},
    };
    for (const auto& c : cases) frm.Preview(c.id);
    ASSERT_EQ(fake.calls.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(GetReportInfo(cases[i].id).name);
        EXPECT_EQ(fake.calls[i].kind, "preview");
        EXPECT_EQ(fake.calls[i].extra, cases[i].wait);
        EXPECT_EQ(fake.previews[i].title, cases[i].title);
        EXPECT_EQ(fake.previews[i].lines.size(), cases[i].lines);
    }
    EXPECT_EQ(fake.previews[1].lines[0][1], "仕入先");
    EXPECT_EQ(fake.previews[3].genkaHeading, "梱包費");
    EXPECT_EQ(fake.previews[4].month, "2024年05月");
    EXPECT_EQ(frm.AddItemLine("A-2000", "", "", "", ""), 1) << "more lines than announced";
    EXPECT_EQ(frm.Count(ReportId::Item), 1);
    EXPECT_EQ(frm.Position(ReportId::Item), 0);
}

TEST(ReportPreview, OpenPreviewKeepsItsLinesAndIsDeletedOnClose) {
    UseQtPlatform qt;
    TempDir dir;
    TfrmPrint frm;
    frm.InitToriList(1);
    frm.AddToriLine("S001", "仕入先", "山田製作所", "山田", "03", "04", "東京都");
    frm.Preview(ReportId::Tori);  // returns at once, the preview stays open
    auto open = OpenPreviews();
    ASSERT_EQ(open.size(), 1u);
    QPointer<ReportPreviewDialog> first = open[0];
    QCoreApplication::processEvents();
    EXPECT_GE(first->Generations(), 1) << "the preview shows the report";
    EXPECT_EQ(first->LastPageCount(), 1);

    // The partner list prints again while the first preview is still open.
    frm.InitToriList(2);
    frm.AddToriLine("S998", "仕入先", "鈴木精密", "鈴木", "", "", "");
    frm.AddToriLine("S999", "払出先", "佐藤工業", "佐藤", "", "", "");
    frm.Preview(ReportId::Tori);
    open = OpenPreviews();
    ASSERT_EQ(open.size(), 2u);
    QPointer<ReportPreviewDialog> second = open[0] == first ? open[1] : open[0];

    // Printing either preview, twice, prints its own lines from the first.
    for (int run = 0; run < 2; ++run) {
        PdfDoc a = PrintToPdf(first, dir.File("first.pdf"));
        ASSERT_EQ(a.pages.size(), 1u);
        EXPECT_EQ(a.pages[0].Find("S001").size(), 1u);
        EXPECT_FALSE(a.pages[0].Has("S998"));
        PdfDoc b = PrintToPdf(second, dir.File("second.pdf"));
        ASSERT_EQ(b.pages.size(), 1u);
        EXPECT_EQ(b.pages[0].Find("S998").size(), 1u);
        EXPECT_EQ(b.pages[0].Find("S999").size(), 1u);
        EXPECT_FALSE(b.pages[0].Has("S001"));
    }

    first->close();
    second->close();
    ProcessDeletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
}

TEST(ReportPreview, WaitingPreviewReturnsWhenClosed) {
    UseQtPlatform qt;
    TfrmPrint frm;
    frm.InitItemList(1);
    frm.AddItemLine("A-1000", "Body", "卓上ボール盤", "本体", "BD-13");

    int generations = -1;
    QString title;
    // Plays the user: closes the preview once it is on screen, however long
    // it takes to come up (the test's time limit ends a preview that never does).
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dlg = qobject_cast<ReportPreviewDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            generations = dlg->Generations();
            title = dlg->windowTitle();
            dlg->reject();
        }
    });
    poll.start(5);
    frm.Preview(ReportId::Item);
    EXPECT_GE(generations, 1) << "the preview was modal and showed the report";
    EXPECT_TRUE(title.startsWith("品目リスト"));
    EXPECT_TRUE(OpenPreviews().empty());
}
