#include "ufmsg.h"

#include <QEvent>

#include "fonts.h"
#include "winutil.h"

TfrmMsg::TfrmMsg(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmMsg"));
    setWindowTitle(QStringLiteral("構成表管理ﾌﾟﾛｸﾞﾗﾑ"));
    setFont(DesignPixelFont(12, false));
    setFixedSize(431, 123);

    auto label = [this](const char* name, const QString& text, int top) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setGeometry(0, top, 431, 16);
        return l;
    };
    lbl01 = label("lbl01", QStringLiteral("lbl01"), 18);
    lbl02 = label("lbl02", QStringLiteral("lbl01"), 38);
    lbl03 = label("lbl03", QStringLiteral("を外しますか？"), 58);

    btnYes = new QPushButton(QStringLiteral("はい"), this);
    btnYes->setObjectName(QStringLiteral("btnYes"));
    btnYes->setGeometry(131, 86, 75, 25);
    btnNo = new QPushButton(QStringLiteral("いいえ"), this);
    btnNo->setObjectName(QStringLiteral("btnNo"));
    btnNo->setGeometry(225, 86, 75, 25);
    btnNo->setDefault(true);
    connect(btnYes, &QPushButton::clicked, this, &TfrmMsg::btnYesClick);
    connect(btnNo, &QPushButton::clicked, this, &TfrmMsg::btnNoClick);
}

void TfrmMsg::btnYesClick() {
    Answer = 1;
    accept();
}

void TfrmMsg::btnNoClick() {
    Answer = 0;
    reject();
}

void TfrmMsg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CenterWindow(this);
    btnNo->setDefault(true);
    btnNo->setFocus(Qt::ActiveWindowFocusReason);
}

void TfrmMsg::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
        btnNo->setDefault(true);
        btnNo->setFocus(Qt::ActiveWindowFocusReason);
    }
}
