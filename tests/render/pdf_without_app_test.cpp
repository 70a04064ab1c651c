// velmo-cli renders PDFs without a Qt application of its own and possibly
// without a display: this program has no QApplication either.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

#include "pdfcheck.h"
#include "reportpreview.h"

TEST(PdfWithoutApplication, RendersOnTheOffscreenPlatformWithoutADisplay) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    ASSERT_EQ(QCoreApplication::instance(), nullptr);

    TempDir dir;
    ReportSnapshot r;
    r.id = ReportId::Order;
    r.title = "生産計画";
    r.month = "2024年05月";
    r.lines = {{"A-1000", "卓上ボール盤", "120", "15", "105"}};
    std::string error;
    ASSERT_TRUE(RenderReportPdf(r, dir.File("plan.pdf"), &error)) << error;
    EXPECT_EQ(QGuiApplication::platformName(), "offscreen");

    // A second report in the same process reuses the application.
    r.lines.push_back({"S-9000", "セット", "1", "0", "1"});
    ASSERT_TRUE(RenderReportPdf(r, dir.File("plan2.pdf"), &error)) << error;
    PdfDoc doc = ReadPdf(dir.File("plan2.pdf"));
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_TRUE(doc.pages[0].Has("卓上ボール盤"));
    EXPECT_TRUE(doc.pages[0].Has("S-9000"));
}
