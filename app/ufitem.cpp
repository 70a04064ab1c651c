#include "ufitem.h"

#include "corever.h"

TfrmItem::TfrmItem(QWidget* parent) : QMainWindow(parent) {
    Dao = new clsDao();
    setWindowTitle(QStringLiteral("構成表管理プログラム"));
    resize(733, 510);
}

TfrmItem::~TfrmItem() { delete Dao; }

void TfrmItem::InitList(bool) {}
void TfrmItem::SearchItem(const QString&) {}
void TfrmItem::UpdatePrintAction() {}
void TfrmItem::DeleteItems() {}
