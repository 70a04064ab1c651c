#include "ufversion.h"

TfrmVersion::TfrmVersion(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
}

