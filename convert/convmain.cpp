#include "convmain.h"

#include <QGuiApplication>
#include <QScreen>

#include "dataconvert.h"
#include "filecommands.h"
#include "fonts.h"

TfrmMain::TfrmMain(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Velmoﾃﾞｰﾀ変換"));
    setFont(DesignPixelFont(12, false));
    setFixedSize(kWidth, kHeight);

    Label1 = new QLabel(QStringLiteral("Velmo Version1.x のﾃﾞｰﾀを Version2.x に変換します。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(12, 10, 310, 16);

    Label2 = new QLabel(QStringLiteral("変換元ファイル名"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(12, 36, 240, 14);
    edtFrom = new QLineEdit(this);
    edtFrom->setObjectName(QStringLiteral("edtFrom"));
    edtFrom->setGeometry(12, 52, 250, 22);
    btnRefFrom = new QPushButton(QStringLiteral("参照"), this);
    btnRefFrom->setObjectName(QStringLiteral("btnRefFrom"));
    btnRefFrom->setGeometry(268, 51, 52, 24);

    Label3 = new QLabel(QStringLiteral("変換先ファイル名"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(12, 80, 240, 14);
    edtTo = new QLineEdit(this);
    edtTo->setObjectName(QStringLiteral("edtTo"));
    edtTo->setGeometry(12, 96, 250, 22);
    btnRefTo = new QPushButton(QStringLiteral("参照"), this);
    btnRefTo->setObjectName(QStringLiteral("btnRefTo"));
    btnRefTo->setGeometry(268, 95, 52, 24);

    btnOK = new QPushButton(QStringLiteral("実行"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(160, 128, 75, 25);
    btnClose = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(245, 128, 75, 25);
    // Enter in a name box neither opens a dialog nor runs the conversion.
    for (QPushButton* b : {btnRefFrom, btnRefTo, btnOK, btnClose}) b->setAutoDefault(false);

    dlgOpen.title = QStringLiteral("ﾌｧｲﾙを開く");
    dlgOpen.filter = QString::fromUtf8(kDataFileFilter);
    dlgOpen.mustExist = true;
    dlgNew.filter = QString::fromUtf8(kDataFileFilter);
    dlgNew.defaultExt = QStringLiteral("mdb");
    dlgNew.overwritePrompt = true;

    connect(btnRefFrom, &QPushButton::clicked, this, [this] { RunCommand([this] { btnRefFromClick(); }); });
    connect(btnRefTo, &QPushButton::clicked, this, [this] { RunCommand([this] { btnRefToClick(); }); });
    connect(btnOK, &QPushButton::clicked, this, [this] { RunCommand([this] { btnOKClick(); }); });
    connect(btnClose, &QPushButton::clicked, this, &TfrmMain::btnCloseClick);
}

void TfrmMain::btnRefFromClick() {
    QString name = Platform().OpenFileName(dlgOpen);
    if (!name.isEmpty()) edtFrom->setText(name);
}

void TfrmMain::btnRefToClick() {
    dlgNew.title = QStringLiteral("名前をつけて保存");
    QString name = Platform().SaveFileName(dlgNew);
    if (!name.isEmpty()) edtTo->setText(name);
}

void TfrmMain::btnOKClick() {
    // The names as typed: no trimming.
    std::string source = edtFrom->text().toStdString();
    std::string target = edtTo->text().toStdString();
    clsConvert convert;
    {
        WaitCursor wait;
        convert.Run(source, target);
    }
    Platform().Info(QString::fromStdString(convert.Message()));
}

void TfrmMain::btnCloseClick() { close(); }

void TfrmMain::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Centred on the desktop.
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    QRect g = frameGeometry();
    g.moveCenter(s->availableGeometry().center());
    move(g.topLeft());
}
