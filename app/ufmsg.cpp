#include "ufmsg.h"

TfrmMsg::TfrmMsg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("構成表管理ﾌﾟﾛｸﾞﾗﾑ"));
    lbl01 = new QLabel(this);
    lbl02 = new QLabel(this);
    lbl03 = new QLabel(this);
}

