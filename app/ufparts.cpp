#include "ufparts.h"

TfrmParts::TfrmParts(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("構成表"));
}

void TfrmParts::CdListInit(int n) {
    CdList.clear();
    for (int i = 0; i < n; ++i) CdList << QString();
}

void TfrmParts::CdListAdd(int k, const QString& code) {
    if (k >= 1 && k <= CdList.size()) CdList[k - 1] = code;
}

void TfrmParts::LoadStructure() {}
