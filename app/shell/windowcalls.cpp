#include "windowcalls.h"

#include "globals.h"
#include "platform.h"
#include "ufiment.h"
#include "ufitem.h"
#include "ufmastori.h"

clsDao& MainDao() { return *frmItem->Dao; }

QWidget* MainWindow() { return frmItem; }

bool ItemViewVisible() { return frmMasItem && frmMasItem->isVisible(); }

void ShowItemView(const QString& code) {
    if (!frmMasItem) return;
    if (frmMasItem->isVisible()) {
        frmMasItem->Reload(code);
        return;
    }
    frmMasItem->SetMode(2);
    frmMasItem->Prepare(code);
    frmMasItem->show();
    frmMasItem->raise();
}

void CloseItemView() {
    if (ItemViewVisible()) frmMasItem->close();
}

bool EditPartner(int mode, const QString& code, int kbn, QString* savedCode, int* savedKbn) {
    frmMasTori->SetMode(mode);
    frmMasTori->Prepare(code, kbn);
    Platform().ShowModal(frmMasTori);
    if (frmMasTori->IsCancelled()) return false;
    if (savedCode) *savedCode = frmMasTori->GetCode();
    if (savedKbn) *savedKbn = frmMasTori->GetKbn();
    return true;
}
