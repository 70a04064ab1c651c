#include "ufprg.h"

TfrmPrg::TfrmPrg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("構造ﾃﾞｰﾀを読み込んでいます...."));
    lblMsg = new QLabel(this);
}

void TfrmPrg::StartAnimation() {}
void TfrmPrg::StopAnimation() {}
