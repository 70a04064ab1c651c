#include "ufmastori.h"

TfrmMasTori::TfrmMasTori(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("取引先"));
}

void TfrmMasTori::Prepare(const QString& code, int kbn) {
    Code = code;
    Kbn = kbn;
    Cancelled = true;
}
