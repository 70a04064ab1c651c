#include "ufinpexp.h"

TfrmInpExp::TfrmInpExp(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ｲﾝﾎﾟｰﾄ"));
}

void TfrmInpExp::Prepare() {}
