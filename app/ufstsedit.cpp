#include "ufstsedit.h"

TfrmStrEdit::TfrmStrEdit(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("構成編集"));
}

