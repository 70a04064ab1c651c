#include "fracommon.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>

namespace TframeCommon {
namespace {

const QColor kInk(0x3a, 0x3a, 0x3a);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kShade(0xd8, 0xdc, 0xe2);
const QColor kBlue(0x2a, 0x6a, 0xd8);
const QColor kGreen(0x2e, 0x9b, 0x3a);
const QColor kRed(0xd0, 0x30, 0x30);
const QColor kOrange(0xe0, 0x8a, 0x1e);
const QColor kYellow(0xf2, 0xc2, 0x30);
const QColor kBrown(0x9a, 0x6a, 0x3a);

using Draw = void (*)(QPainter&);

QPen Pen(const QColor& c, qreal w = 1.0) {
    QPen p(c, w);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

// A sheet of paper with a folded top-right corner.
void Sheet(QPainter& p, qreal x, qreal y, qreal w, qreal h, const QColor& fill = kPaper) {
    const qreal f = 3.5;
    QPolygonF s{{x, y}, {x + w - f, y}, {x + w, y + f}, {x + w, y + h}, {x, y + h}};
    p.setPen(Pen(kInk));
    p.setBrush(fill);
    p.drawPolygon(s);
    p.setBrush(kShade);
    p.drawPolygon(QPolygonF{{x + w - f, y}, {x + w - f, y + f}, {x + w, y + f}});
}

// Text lines on a sheet.
void Lines(QPainter& p, qreal x, qreal y, qreal w, int n) {
    p.setPen(Pen(QColor(0x9a, 0xa4, 0xb0)));
    for (int i = 0; i < n; ++i) p.drawLine(QPointF(x, y + 2 * i), QPointF(x + w, y + 2 * i));
}

// A round badge with a white plus.
void PlusBadge(QPainter& p, qreal cx, qreal cy, const QColor& c) {
    p.setPen(Pen(c.darker(130)));
    p.setBrush(c);
    p.drawEllipse(QPointF(cx, cy), 3.8, 3.8);
    p.setPen(Pen(kPaper, 1.4));
    p.drawLine(QPointF(cx - 2, cy), QPointF(cx + 2, cy));
    p.drawLine(QPointF(cx, cy - 2), QPointF(cx, cy + 2));
}

void Cross(QPainter& p, qreal cx, qreal cy, qreal r, const QColor& c, qreal w) {
    p.setPen(Pen(c, w));
    p.drawLine(QPointF(cx - r, cy - r), QPointF(cx + r, cy + r));
    p.drawLine(QPointF(cx - r, cy + r), QPointF(cx + r, cy - r));
}

void Magnifier(QPainter& p, qreal cx, qreal cy, qreal r) {
    p.setPen(Pen(kInk, 2.2));
    p.drawLine(QPointF(cx + r * 0.7, cy + r * 0.7), QPointF(cx + r * 1.9, cy + r * 1.9));
    p.setPen(Pen(kInk, 1.3));
    p.setBrush(QColor(0xcf, 0xe4, 0xff));
    p.drawEllipse(QPointF(cx, cy), r, r);
    p.setPen(Pen(kPaper, 1.0));
    p.drawArc(QRectF(cx - r + 1.5, cy - r + 1.5, 2 * r - 3, 2 * r - 3), 100 * 16, 60 * 16);
}

void Pencil(QPainter& p, QPointF tip, QPointF end) {
    p.setPen(Pen(kInk, 3.2));
    p.drawLine(tip, end);
    p.setPen(Pen(kYellow, 1.8));
    QPointF d = (end - tip) / std::hypot(end.x() - tip.x(), end.y() - tip.y());
    p.drawLine(tip + d * 2.2, end);
    p.setPen(Pen(kRed, 1.8));
    p.drawLine(end - d * 1.0, end);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c) {
    p.setPen(Pen(c, 2.0));
    p.drawLine(from, to);
    QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    QPointF n(-d.y(), d.x());
    p.setBrush(c);
    p.setPen(Pen(c, 1.0));
    p.drawPolygon(QPolygonF{to + d * 1.5, to - d * 2.5 + n * 2.8, to - d * 2.5 - n * 2.8});
}

void Disk(QPainter& p, qreal x, qreal y, qreal s) {
    p.setPen(Pen(kInk));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(x, y, s, s), 1, 1);
    p.setBrush(kPaper);
    p.drawRect(QRectF(x + 2.5, y + 0.5, s - 5, s * 0.42));
    p.setBrush(kShade);
    p.drawRect(QRectF(x + 3, y + s * 0.62, s - 6, s * 0.38 - 0.5));
}

void Printer(QPainter& p, const QColor& accent) {
    Sheet(p, 4.5, 1.5, 7, 5);
    p.setPen(Pen(kInk));
    p.setBrush(QColor(0xb8, 0xbe, 0xc8));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.2, 1.2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.setPen(Pen(accent, 1.2));
    p.drawPoint(QPointF(12.5, 8.5));
}

void Gear(QPainter& p, qreal cx, qreal cy, qreal r, const QColor& c) {
    QPainterPath path;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        qreal a = i * M_PI / teeth;
        qreal rr = (i % 2 == 0) ? r : r * 0.72;
        QPointF pt(cx + rr * std::cos(a), cy + rr * std::sin(a));
        if (i == 0) path.moveTo(pt);
        else path.lineTo(pt);
    }
    path.closeSubpath();
    p.setPen(Pen(c.darker(150)));
    p.setBrush(c);
    p.drawPath(path);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(cx, cy), r * 0.3, r * 0.3);
}

void Star(QPainter& p, qreal cx, qreal cy, qreal r, const QColor& c) {
    QPolygonF s;
    for (int i = 0; i < 10; ++i) {
        qreal a = -M_PI / 2 + i * M_PI / 5;
        qreal rr = (i % 2 == 0) ? r : r * 0.45;
        s << QPointF(cx + rr * std::cos(a), cy + rr * std::sin(a));
    }
    p.setPen(Pen(c.darker(150)));
    p.setBrush(c);
    p.drawPolygon(s);
}

void Tray(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(kShade);
    p.drawPolygon(QPolygonF{{1.5, 10.5}, {4.5, 10.5}, {6, 12.5}, {10, 12.5}, {11.5, 10.5}, {14.5, 10.5},
                            {14.5, 14.5}, {1.5, 14.5}});
}

// --- imglstToolbar --------------------------------------------------------

void DrawSearch(QPainter& p) { Magnifier(p, 6.5, 6.5, 4.5); }

void DrawAdd(QPainter& p) {
    Sheet(p, 2.5, 1.5, 9, 12);
    Lines(p, 4.5, 5.5, 5, 3);
    PlusBadge(p, 11.5, 11.5, kGreen);
}

void DrawItemView(QPainter& p) {
    Sheet(p, 2.5, 1.5, 9, 12);
    Lines(p, 4.5, 5.5, 5, 3);
    p.setPen(Pen(kBlue.darker(120)));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(11.5, 11.5), 3.8, 3.8);
    p.setPen(Pen(kPaper, 1.4));
    p.drawLine(QPointF(11.5, 11), QPointF(11.5, 13.5));
    p.drawPoint(QPointF(11.5, 9.3));
}

void DrawPrint(QPainter& p) { Printer(p, kGreen); }

void DrawSave(QPainter& p) { Disk(p, 1.5, 1.5, 13); }

void DrawSaveAs(QPainter& p) {
    Disk(p, 0.5, 0.5, 12);
    Pencil(p, QPointF(8.5, 14.5), QPointF(14.5, 8.5));
}

void DrawOpen(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(kYellow.darker(115));
    p.drawPolygon(QPolygonF{{1.5, 3.5}, {5.5, 3.5}, {7, 5}, {12.5, 5}, {12.5, 13.5}, {1.5, 13.5}});
    p.setBrush(kYellow);
    p.drawPolygon(QPolygonF{{1.5, 13.5}, {4, 7.5}, {15, 7.5}, {12.5, 13.5}});
}

void DrawClear(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(QColor(0xf0, 0x8c, 0xa8));
    p.drawPolygon(QPolygonF{{6, 3.5}, {14.5, 3.5}, {10, 10.5}, {1.5, 10.5}});
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF{{1.5, 10.5}, {10, 10.5}, {8, 13.5}, {0.5, 13.5}});
    p.setPen(Pen(kInk));
    p.drawLine(QPointF(9.5, 13.5), QPointF(15, 13.5));
}

void DrawCopyAdd(QPainter& p) {
    Sheet(p, 1.5, 0.5, 8, 10, kShade);
    Sheet(p, 4.5, 3.5, 8, 10);
    Lines(p, 6.5, 7.5, 4, 2);
    PlusBadge(p, 12, 12, kGreen);
}

// A round disc with one bold character in its middle.
void Disc(QPainter& p, const QColor& fill, const QColor& edge, const QString& text, const QColor& ink, int px) {
    p.setPen(Pen(edge));
    p.setBrush(fill);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    QFont f;
    f.setPixelSize(px);
    f.setBold(true);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(QRectF(1.5, 1.5, 13, 13.5), Qt::AlignCenter, text);
}

void DrawHelp(QPainter& p) { Disc(p, kBlue, kBlue.darker(130), QStringLiteral("?"), kPaper, 11); }

void DrawExit(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(kBrown);
    p.drawRect(QRectF(2.5, 1.5, 7, 13));
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(8, 8.5), 0.8, 0.8);
    Arrow(p, QPointF(8.5, 8), QPointF(14, 8), kRed);
}

void DrawStructure(QPainter& p) {
    p.setPen(Pen(kInk));
    p.drawLine(QPointF(4, 5), QPointF(4, 12.5));
    p.drawLine(QPointF(4, 8.5), QPointF(8, 8.5));
    p.drawLine(QPointF(4, 12.5), QPointF(8, 12.5));
    p.setBrush(kBlue);
    p.drawRect(QRectF(1.5, 1.5, 5, 4));
    p.setBrush(kGreen);
    p.drawRect(QRectF(8.5, 6.5, 5, 4));
    p.setBrush(kOrange);
    p.drawRect(QRectF(8.5, 10.5, 5, 4));
}

void DrawNew(QPainter& p) {
    Sheet(p, 2.5, 1.5, 10, 13);
    Star(p, 11.5, 4.5, 3.8, kYellow);
}

void DrawDelete(QPainter& p) { Cross(p, 8, 8, 4.8, kRed, 2.8); }

void DrawEdit(QPainter& p) {
    Sheet(p, 1.5, 1.5, 9, 12);
    Lines(p, 3.5, 5.5, 4, 3);
    Pencil(p, QPointF(6.5, 14), QPointF(14.5, 6));
}

void DrawCsv(QPainter& p) {
    Sheet(p, 2.5, 1.5, 11, 13);
    p.setPen(Pen(kGreen));
    for (qreal y : {6.5, 9.5, 12.5}) p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
    for (qreal x : {4.5, 8.0, 11.5}) p.drawLine(QPointF(x, 6.5), QPointF(x, 12.5));
}

void DrawImport(QPainter& p) {
    Tray(p);
    Arrow(p, QPointF(8, 0.5), QPointF(8, 9), kGreen);
}

void DrawExport(QPainter& p) {
    Tray(p);
    Arrow(p, QPointF(8, 10), QPointF(8, 1.5), kBlue);
}

void DrawSettings(QPainter& p) { Gear(p, 8, 8, 7, QColor(0x8c, 0x96, 0xa4)); }

void DrawPartners(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(QColor(0xc8, 0xd4, 0xe8));
    p.drawRect(QRectF(2.5, 2.5, 8, 12));
    p.setBrush(kShade);
    p.drawRect(QRectF(10.5, 7.5, 4, 7));
    p.setPen(Pen(kBlue));
    for (qreal y : {5.0, 8.0, 11.0}) {
        p.drawLine(QPointF(4.5, y), QPointF(5.5, y));
        p.drawLine(QPointF(7.5, y), QPointF(8.5, y));
    }
}

void DrawPlan(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.setBrush(kRed);
    p.drawRect(QRectF(1.5, 2.5, 13, 3));
    p.setPen(Pen(kInk, 1.4));
    p.drawLine(QPointF(4.5, 1), QPointF(4.5, 3.5));
    p.drawLine(QPointF(11.5, 1), QPointF(11.5, 3.5));
    p.setPen(Pen(QColor(0x7a, 0x84, 0x90)));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) p.drawPoint(QPointF(3.5 + c * 3, 7.5 + r * 2.5));
}

void DrawSupport(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(kOrange);
    p.drawRect(QRectF(0.5, 4.5, 9, 7));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF{{9.5, 6.5}, {12.5, 6.5}, {15, 9}, {15, 11.5}, {9.5, 11.5}});
    p.setBrush(kInk);
    p.drawEllipse(QPointF(3.5, 12.5), 1.6, 1.6);
    p.drawEllipse(QPointF(12, 12.5), 1.6, 1.6);
}

void DrawAllLevels(QPainter& p) {
    const qreal indent[] = {1.5, 4.5, 7.5, 4.5};
    for (int i = 0; i < 4; ++i) {
        qreal y = 2.5 + i * 3.5;
        p.setPen(Pen(kInk));
        p.setBrush(i == 0 ? kBlue : (i == 2 ? kOrange : kGreen));
        p.drawRect(QRectF(indent[i], y, 2.5, 2.5));
        p.setPen(Pen(QColor(0x7a, 0x84, 0x90)));
        p.drawLine(QPointF(indent[i] + 4, y + 1.25), QPointF(15, y + 1.25));
    }
}

void DrawNameDisp(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(kYellow);
    p.drawPolygon(QPolygonF{{1.5, 4.5}, {11, 4.5}, {15, 8}, {11, 11.5}, {1.5, 11.5}});
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(11, 8), 1, 1);
    p.setPen(Pen(kInk));
    p.drawLine(QPointF(3.5, 7), QPointF(8, 7));
    p.drawLine(QPointF(3.5, 9), QPointF(7, 9));
}

void DrawParentSearch(QPainter& p) {
    Magnifier(p, 6, 9, 4);
    Arrow(p, QPointF(12.5, 8), QPointF(12.5, 1.5), kGreen);
}

void DrawGenkaPrint(QPainter& p) {
    Disc(p, kYellow, kOrange.darker(140), QString(QChar(0x00A5)), kBrown.darker(130), 10);
}

void DrawExplode(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(kBlue);
    p.drawRect(QRectF(1, 6, 4, 4));
    Arrow(p, QPointF(5.5, 8), QPointF(12.5, 3), kGreen);
    Arrow(p, QPointF(5.5, 8), QPointF(13, 8), kGreen);
    Arrow(p, QPointF(5.5, 8), QPointF(12.5, 13), kGreen);
}

void DrawClose(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setBrush(kBlue);
    p.drawRect(QRectF(1.5, 2.5, 13, 3));
    Cross(p, 8, 9.5, 2.3, kRed, 1.8);
}

const Draw kToolbar[tiCount] = {
    DrawSearch,   DrawAdd,     DrawItemView,   DrawPrint,      DrawSave,    DrawSaveAs,  DrawOpen,
    DrawClear,    DrawCopyAdd, DrawHelp,       DrawExit,       DrawStructure, DrawNew,   DrawDelete,
    DrawEdit,     DrawCsv,     DrawImport,     DrawExport,     DrawSettings, DrawPartners, DrawPlan,
    DrawSupport,  DrawAllLevels, DrawNameDisp, DrawParentSearch, DrawGenkaPrint, DrawExplode, DrawClose,
};

// --- imglstGriditem ---------------------------------------------------------
// The category pictures follow the marks of the printouts: ■ body, □ unit,
// ＊ parts, ☆ set.

void DrawBody(QPainter& p) {
    p.setPen(Pen(kBlue.darker(140)));
    p.setBrush(kBlue);
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
}

void DrawUnit(QPainter& p) {
    p.setPen(Pen(kGreen.darker(130), 1.6));
    p.setBrush(QColor(0xe2, 0xf4, 0xe4));
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
}

void DrawParts(QPainter& p) { Gear(p, 8, 8, 6.5, kOrange); }

void DrawAscending(QPainter& p) {
    p.setPen(Pen(QColor(0x60, 0x60, 0x60)));
    p.setBrush(QColor(0x60, 0x60, 0x60));
    p.drawPolygon(QPolygonF{{8, 5}, {12, 11}, {4, 11}});
}

void DrawDescending(QPainter& p) {
    p.setPen(Pen(QColor(0x60, 0x60, 0x60)));
    p.setBrush(QColor(0x60, 0x60, 0x60));
    p.drawPolygon(QPolygonF{{4, 5}, {12, 5}, {8, 11}});
}

void DrawSet(QPainter& p) { Star(p, 8, 8.5, 7, kYellow); }

void DrawPartner(QPainter& p) { DrawPartners(p); }

void DrawOwnStock(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF{{1, 7.5}, {8, 1.5}, {15, 7.5}});
    p.setBrush(QColor(0xf4, 0xe6, 0xc8));
    p.drawRect(QRectF(3, 7.5, 10, 7));
    p.setBrush(kBrown);
    p.drawRect(QRectF(6.5, 10, 3, 4.5));
}

const Draw kGrid[kGridItemCount] = {DrawBody, DrawUnit, DrawParts, DrawAscending,
                                    DrawDescending, DrawSet, DrawPartner, DrawOwnStock};

QPixmap Render(Draw draw, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 16.0, size / 16.0);
    draw(p);
    return pm;
}

QIcon MakeIcon(Draw draw) {
    QIcon icon;
    icon.addPixmap(Render(draw, 16));
    icon.addPixmap(Render(draw, 32));
    return icon;
}

// The caches live until the process ends (pixmaps must not be destroyed after
// the application object).
QIcon Cached(QHash<int, QIcon>* cache, int index, Draw draw) {
    auto it = cache->find(index);
    if (it == cache->end()) it = cache->insert(index, MakeIcon(draw));
    return *it;
}

}  // namespace

QIcon ToolbarIcon(int index) {
    static auto* cache = new QHash<int, QIcon>;
    if (index < 0 || index >= tiCount) return QIcon();
    return Cached(cache, index, kToolbar[index]);
}

QIcon GridItemIcon(int index) {
    static auto* cache = new QHash<int, QIcon>;
    if (index < 0 || index >= kGridItemCount) return QIcon();
    return Cached(cache, index, kGrid[index]);
}

}  // namespace TframeCommon
