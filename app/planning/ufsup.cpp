#include "ufsup.h"

TfrmSup::TfrmSup(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("発注支援"));
}

void TfrmSup::ResetWindow() {}
void TfrmSup::SaveGridWidths() {}
