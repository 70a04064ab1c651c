#include "ufprg.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include "fileutil.h"
#include "fonts.h"
#include "winutil.h"

namespace {
constexpr int kFrameMs = 100;
}

TAnimate::TAnimate(QWidget* parent) : QWidget(parent) {
    timer_.setInterval(kFrameMs);
    connect(&timer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void TAnimate::SetKind(Kind kind) {
    kind_ = kind;
    update();
}

int TAnimate::Frame() const {
    if (!active_ || !clock_.isValid()) return 1;
    return static_cast<int>(clock_.elapsed() / kFrameMs % FrameCount()) + 1;
}

void TAnimate::SetActive(bool active) {
    active_ = active;
    if (active) {
        clock_.start();
        timer_.start();
    } else {
        timer_.stop();
    }
    update();
}

void TAnimate::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind_ == Kind::Tree) PaintTree(p, Frame());
    else PaintFileCopy(p, Frame());
}

// A structure tree in 32 by 32: the root box on top, three children and
// their parts below; one more node lights up per frame.
void TAnimate::PaintTree(QPainter& p, int frame) {
    struct Node {
        QRectF box;
        int parent;
    };
    static const Node nodes[] = {
        {{12, 1, 8, 6}, -1}, {{2, 12, 7, 5}, 0},  {{12.5, 12, 7, 5}, 0}, {{23, 12, 7, 5}, 0},
        {{0, 23, 5, 4}, 1},  {{6, 23, 5, 4}, 1},  {{13.5, 23, 5, 4}, 2}, {{21, 23, 5, 4}, 3},
        {{27, 23, 5, 4}, 3},
    };
    const int count = static_cast<int>(sizeof nodes / sizeof nodes[0]);
    const int lit = frame <= count ? frame : count;  // the last frames hold the full tree
    p.setPen(QPen(QColor(90, 90, 90), 1));
    for (int i = 1; i < count; ++i) {
        QPointF from(nodes[nodes[i].parent].box.center().x(), nodes[nodes[i].parent].box.bottom());
        QPointF to(nodes[i].box.center().x(), nodes[i].box.top());
        p.drawLine(from, QPointF(from.x(), (from.y() + to.y()) / 2));
        p.drawLine(QPointF(from.x(), (from.y() + to.y()) / 2), QPointF(to.x(), (from.y() + to.y()) / 2));
        p.drawLine(QPointF(to.x(), (from.y() + to.y()) / 2), to);
    }
    for (int i = 0; i < count; ++i) {
        p.setBrush(i < lit ? (i == lit - 1 ? QColor(230, 120, 20) : QColor(40, 110, 200)) : QColor(230, 230, 230));
        p.drawRect(nodes[i].box);
    }
}

// Two folders and a sheet travelling along an arc from the left one to the
// right one.
void TAnimate::PaintFileCopy(QPainter& p, int frame) {
    const double w = width(), h = height();
    auto folder = [&](double x) {
        QRectF body(x, h - 26, 36, 22);
        p.setPen(QPen(QColor(150, 110, 20), 1));
        p.setBrush(QColor(245, 205, 90));
        p.drawRect(QRectF(x, h - 30, 14, 5));
        p.drawRect(body);
    };
    const double leftX = 18, rightX = w - 54;
    folder(leftX);
    folder(rightX);
    const double t = (frame - 1) / double(FrameCount() - 1);
    const double startX = leftX + 10, endX = rightX + 10;
    const double x = startX + (endX - startX) * t;
    const double y = (h - 34) - 4 * (h - 40) * t * (1 - t) * 0.9;
    p.save();
    p.translate(x + 8, y + 10);
    p.rotate(-25 + 50 * t);
    QRectF sheet(-8, -10, 16, 20);
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.setPen(QPen(QColor(120, 120, 200), 1));
    for (int i = 0; i < 4; ++i) p.drawLine(QPointF(-5, -6 + 4 * i), QPointF(5, -6 + 4 * i));
    p.restore();
}

TfrmPrg::TfrmPrg(QWidget* parent, const QString& programDir)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmPrg"));
    setWindowTitle(QStringLiteral("構造ﾃﾞｰﾀを読み込んでいます...."));
    setFont(DesignPixelFont(12, false));
    setModal(false);

    lblMsg = new QLabel(this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1 = new QLabel(QStringLiteral("しばらくお待ちください・・・"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(DesignPixelFont(12, true));
    Animate1 = new TAnimate(this);
    Animate1->setObjectName(QStringLiteral("Animate1"));

    // With TREE.avi beside the program the window shows the small tree
    // animation beside the text; without it the wide file-copy animation
    // across the top. The tree is drawn by the program: the AVI file only
    // chooses the layout.
    QString dir = programDir.isEmpty() ? QString::fromStdString(ProgramDir()) : programDir;
    const int width = 269;
    if (QFileInfo::exists(dir + QStringLiteral("/TREE.avi"))) {
        Animate1->SetKind(TAnimate::Kind::Tree);
        Animate1->setGeometry(24, 9, 32, 32);
        Label1->setGeometry(81, 17, width - 81, 16);
        lblMsg->setGeometry(6, 47, 257, 16);
        setFixedSize(width, 97);
    } else {
        Animate1->SetKind(TAnimate::Kind::FileCopy);
        Animate1->setGeometry(0, 0, width, 60);
        Label1->setGeometry(65, 80, width - 65, 16);
        lblMsg->setGeometry(6, 64, 257, 16);
        setFixedSize(width, 123);
    }
}

void TfrmPrg::StartAnimation() { Animate1->SetActive(true); }
void TfrmPrg::StopAnimation() { Animate1->SetActive(false); }

void TfrmPrg::setVisible(bool visible) {
    bool appearing = visible && !isVisible();
    QDialog::setVisible(visible);
    if (appearing) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmPrg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CenterWindow(this);
}

// The window has no close button; Escape must not close it either while the
// caller is still working.
void TfrmPrg::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(e);
}
