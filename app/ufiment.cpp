#include "ufiment.h"

TfrmMasItem::TfrmMasItem(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ｱｲﾃﾑ"));
}

void TfrmMasItem::Prepare(const QString& code) {
    Code = code;
    Cancelled = true;
}

void TfrmMasItem::Reload(const QString& code) { Code = code; }
