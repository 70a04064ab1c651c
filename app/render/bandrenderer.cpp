#include "bandrenderer.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBoundaryFinder>

#include "fonts.h"
#include "reportlayout.h"
#include "reportlines.h"

namespace G = ReportGeometry;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Draws in millimetres measured from the top-left corner of the page's
// printable area (inside the margins).
class MmPainter {
public:
    explicit MmPainter(QPainter& p)
        : p_(p), kx_(p.device()->logicalDpiX() / 25.4), ky_(p.device()->logicalDpiY() / 25.4) {}

    // A text in its box: clipped to the box width, aligned in it, its top at
    // the box top.
    void Text(const QString& text, double left, double top, double width, double pt, bool bold, TextAlign align) {
        if (text.isEmpty()) return;
        QFont font = DesignFont(pt, bold);
        p_.setFont(font);
        QString shown = FitText(text, width * kx_, font, p_);
        if (shown.isEmpty()) return;
        QFontMetricsF fm(font, p_.device());
        double advance = fm.horizontalAdvance(shown);
        double x = left * kx_;
        if (align == TextAlign::Right) x += width * kx_ - advance;
        else if (align == TextAlign::Center) x += (width * kx_ - advance) / 2;
        p_.drawText(QPointF(x, top * ky_ + fm.ascent()), shown);
    }

    // A horizontal rule whose pen (in points) starts at top.
    void Rule(double left, double top, double width, double penPt) {
        double pen = penPt * p_.device()->logicalDpiY() / 72.0;
        QPen qpen(Qt::black, pen);
        qpen.setCapStyle(Qt::FlatCap);
        p_.setPen(qpen);
        double y = top * ky_ + pen / 2;
        p_.drawLine(QPointF(left * kx_, y), QPointF((left + width) * kx_, y));
        p_.setPen(Qt::black);
    }

private:
    QPainter& p_;
    double kx_, ky_;
};

class BandRenderer {
public:
    BandRenderer(const ReportSnapshot& r, QPainter& p, const QDateTime& at)
        : r_(r), layout_(GetReportLayout(r.id)), mm_(p), printedAt_(PrintDateTimeText(at)) {}

    void PageHeader(double y) {
        const ReportLayout& l = layout_;
        mm_.Text(Q(r_.title), G::kTitleLeft, y + l.titleTop, G::kTitleWidth, G::kTitlePt, true, TextAlign::Left);
        mm_.Text(printedAt_, G::kDateRight - G::kDateWidth, y + G::kDateTop, G::kDateWidth, G::kSmallPt, false,
                 TextAlign::Right);
        if (l.monthText)
            mm_.Text(Q(r_.month), G::kMonthLeft, y + G::kMonthTop, G::kMonthWidth, G::kMonthPt, true, TextAlign::Left);
        if (l.genkaTotals) {
            mm_.Text(QStringLiteral("費用合計"), G::kTotalLabelLeft, y + G::kTotalLabelTop, G::kTotalLabelWidth,
                     G::kHeadingPt, true, TextAlign::Right);
            mm_.Text(Q(r_.genkaTotal), G::kTotalLeft, y + G::kTotalTop, G::kTotalWidth, G::kTotalPt, true,
                     TextAlign::Right);
            mm_.Rule(G::kTotalRuleLeft, y + G::kTotalRuleTop, G::kTotalRuleWidth, G::kTotalRulePen);
        }
        Headings(l.groupColumns, y + l.groupHeadingTop);
        Headings(l.columns, y + l.headingTop);
        mm_.Rule(G::kRuleLeft, y + G::kRuleTop, G::kRuleWidth, G::kRulePen);
    }

    void Band(const std::vector<ReportColumn>& columns, const std::vector<std::string>& line, double y, bool bold) {
        for (const auto& c : columns)
            mm_.Text(Q(line[static_cast<size_t>(c.text)]), c.left, y + G::kDetailTop, c.width, G::kDetailPt, bold,
                     c.align);
    }

    void PageFooter(double y, int page) {
        const ReportLayout& l = layout_;
        mm_.Rule(G::kRuleLeft, y + G::kFooterRuleTop, G::kRuleWidth, G::kRulePen);
        if (l.legend)
            mm_.Text(QString::fromUtf8(l.legend), G::kPageNumberRight - G::kLegendWidth, y + l.legendTop,
                     G::kLegendWidth, G::kSmallPt, false, TextAlign::Right);
        mm_.Text(QString::number(page), G::kPageNumberRight - G::kPageNumberWidth, y + l.pageNumberTop,
                 G::kPageNumberWidth, G::kSmallPt, false, TextAlign::Right);
    }

private:
    void Headings(const std::vector<ReportColumn>& columns, double top) {
        for (const auto& c : columns) {
            QString text = c.heading ? QString::fromUtf8(c.heading) : Q(r_.genkaHeading);
            mm_.Text(text, c.headingLeft, top, c.headingWidth, G::kHeadingPt, true, c.align);
        }
    }

    const ReportSnapshot& r_;
    const ReportLayout& layout_;
    MmPainter mm_;
    QString printedAt_;
};

}  // namespace

void SetReportPageLayout(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(G::kMargin, G::kMargin, G::kMargin, G::kMargin),
                                     QPageLayout::Millimeter));
}

QString FitText(const QString& text, double width, const QFont& font, const QPainter& painter) {
    QFontMetricsF fm(font, painter.device());
    if (fm.horizontalAdvance(text) <= width) return text;
    // Cut between characters (never inside a surrogate pair or a combined
    // character), keeping as much of the start as fits.
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype fits = 0;
    for (qsizetype pos = graphemes.toNextBoundary(); pos > 0; pos = graphemes.toNextBoundary()) {
        if (fm.horizontalAdvance(text.left(pos)) > width) break;
        fits = pos;
    }
    return text.left(fits);
}

QString PrintDateTimeText(const QDateTime& at) { return at.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")); }

int RenderReport(const ReportSnapshot& report, QPagedPaintDevice& device, const QDateTime& printedAt) {
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    const ReportLayout& layout = GetReportLayout(report.id);
    // The device places its origin at the margins rounded to whole points
    // and pixels; move it back onto the exact margins so that every position
    // is true to the millimetre layout.
    const QPageLayout pageLayout = device.pageLayout();
    const int dpi = device.logicalDpiX();
    const QPointF exact = pageLayout.paintRect(QPageLayout::Millimeter).topLeft() * (dpi / 25.4);
    painter.translate(exact - QPointF(pageLayout.paintRectPixels(dpi).topLeft()));
    BandRenderer bands(report, painter, printedAt);

    // Printable height of the page in millimetres; the footer sits at its
    // bottom, the detail bands run between header and footer.
    const double pageHeight = pageLayout.paintRect(QPageLayout::Millimeter).height();
    const double bodyTop = layout.headerHeight;
    const double footerTop = pageHeight - layout.footerHeight;
    const double eps = 1e-6;

    clsReportLines lines(report);
    lines.Restart();
    int page = 1;
    double y = bodyTop;
    bands.PageHeader(0);
    while (lines.MoreData()) {
        const auto& line = lines.NextLine();
        bool group = report.id == ReportId::Sup && lines.GroupBandVisible();
        // The group band stays on the page of its first item.
        double need = layout.detailHeight * (group ? 2 : 1);
        if (y + need > footerTop + eps && y > bodyTop) {
            bands.PageFooter(footerTop, page);
            device.newPage();
            ++page;
            bands.PageHeader(0);
            y = bodyTop;
        }
        if (group) {
            bands.Band(layout.groupColumns, line, y, true);
            y += layout.detailHeight;
        }
        bands.Band(layout.columns, line, y, false);
        y += layout.detailHeight;
    }
    bands.PageFooter(footerTop, page);
    painter.end();
    return page;
}
