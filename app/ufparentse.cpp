#include "ufparentse.h"

TfrmParentSe::TfrmParentSe(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("親検索"));
}

