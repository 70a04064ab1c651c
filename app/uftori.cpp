#include "uftori.h"

TfrmTori::TfrmTori(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("取引先設定"));
}

void TfrmTori::ClearList() {}
