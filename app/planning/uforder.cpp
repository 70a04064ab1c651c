#include "uforder.h"

TfrmOrder::TfrmOrder(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("生産計画"));
}

void TfrmOrder::ResetWindow() {}
void TfrmOrder::SaveGridWidths() {}
