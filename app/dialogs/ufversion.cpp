#include "ufversion.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "corever.h"
#include "fonts.h"
#include "platform.h"
#include "winutil.h"

const char* const TfrmVersion::kWebPage = "https://www.velmo.example/";
const char* const TfrmVersion::kMailAddress = "support@velmo.example";

void TClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}

namespace {

// The program icon: the application's own when one is set, else a small
// structure tree.
QPixmap ProgramIcon() {
    QIcon icon = QApplication::windowIcon();
    if (!icon.isNull() && !icon.availableSizes().isEmpty()) return icon.pixmap(32, 32);
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.drawLine(QPointF(16, 9), QPointF(16, 14));
    p.drawLine(QPointF(6, 14), QPointF(26, 14));
    for (double x : {6.0, 16.0, 26.0}) p.drawLine(QPointF(x, 14), QPointF(x, 19));
    p.setBrush(QColor(40, 110, 200));
    p.drawRoundedRect(QRectF(10, 1, 12, 8), 1.5, 1.5);
    p.setBrush(QColor(245, 205, 90));
    for (double x : {1.0, 11.0, 21.0}) p.drawRoundedRect(QRectF(x, 19, 10, 7), 1.5, 1.5);
    p.setBrush(QColor(230, 120, 20));
    p.drawRect(QRectF(3, 28, 6, 3));
    p.drawRect(QRectF(23, 28, 6, 3));
    p.drawLine(QPointF(6, 26), QPointF(6, 28));
    p.drawLine(QPointF(26, 26), QPointF(26, 28));
    return pm;
}

TClickLabel* LinkLabel(QWidget* parent, const QString& text, const QString& name) {
    auto* l = new TClickLabel(text, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::blue);
    l->setPalette(pal);
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

}  // namespace

TfrmVersion::TfrmVersion(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmVersion"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setFont(DesignPixelFont(12, false));
    setFixedSize(324, 129);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ProgramIcon());
    Image1->setGeometry(16, 14, 32, 32);
    setWindowIcon(QIcon(Image1->pixmap()));

    Label1 = new QLabel(QStringLiteral("構成表管理プログラム"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(DesignPixelFont(16, true));
    Label1->setGeometry(64, 10, 250, 20);
    Label2 = new QLabel(QString::fromUtf8(kVersionText), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(64, 32, 250, 16);
    Label3 = new QLabel(QStringLiteral("Copyright (C) Velmo Project"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(64, 50, 250, 16);
    Label4 = LinkLabel(this, QString::fromUtf8(kWebPage), QStringLiteral("Label4"));
    Label4->setGeometry(64, 70, 250, 16);
    Label6 = new QLabel(QStringLiteral("お問合せ先メールアドレス"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(64, 90, 250, 16);
    Label5 = LinkLabel(this, QString::fromUtf8(kMailAddress), QStringLiteral("Label5"));
    Label5->setGeometry(64, 106, 250, 16);

    connect(Label4, &TClickLabel::clicked, this, &TfrmVersion::Label4Click);
    connect(Label5, &TClickLabel::clicked, this, &TfrmVersion::Label5Click);
}

void TfrmVersion::Label4Click() { Platform().ShellOpen(QString::fromUtf8(kWebPage)); }

void TfrmVersion::Label5Click() {
    Platform().ShellOpen(QStringLiteral("mailto:") + QString::fromUtf8(kMailAddress));
}

void TfrmVersion::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CenterWindow(this);
}
