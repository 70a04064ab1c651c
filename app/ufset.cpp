#include "ufset.h"

TfrmSet::TfrmSet(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("構成表管理ﾌﾟﾛｸﾞﾗﾑ [環境設定]"));
}

void TfrmSet::LoadSettings() {}
void TfrmSet::SaveSettings() {}
