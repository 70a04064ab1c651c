#include "globals.h"

#include "ufiment.h"
#include "ufinpexp.h"
#include "ufitem.h"
#include "ufmastori.h"
#include "ufmsg.h"
#include "uforder.h"
#include "ufparentse.h"
#include "ufparts.h"
#include "ufprg.h"
#include "ufprint.h"
#include "ufset.h"
#include "ufstsedit.h"
#include "ufsup.h"
#include "uftori.h"
#include "ufversion.h"
#include "winutil.h"

TfrmItem* frmItem = nullptr;
TfrmMasItem* frmMasItem = nullptr;
TfrmParts* frmParts = nullptr;
TfrmSet* frmSet = nullptr;
TfrmTori* frmTori = nullptr;
TfrmStrEdit* frmStrEdit = nullptr;
TfrmMasTori* frmMasTori = nullptr;
TfrmParentSe* frmParentSe = nullptr;
TfrmInpExp* frmInpExp = nullptr;
TfrmPrint* frmPrint = nullptr;
TfrmPrg* frmPrg = nullptr;
TfrmMsg* frmMsg = nullptr;
TfrmVersion* frmVersion = nullptr;
TfrmOrder* frmOrder = nullptr;
TfrmSup* frmSup = nullptr;

void CreateWindows() {
    ResetSettingsAtExit();
    frmItem = new TfrmItem();
    frmMasItem = new TfrmMasItem(frmItem);
    frmParts = new TfrmParts(frmItem);
    frmSet = new TfrmSet(frmItem);
    frmTori = new TfrmTori(frmItem);
    frmStrEdit = new TfrmStrEdit(frmItem);
    frmMasTori = new TfrmMasTori(frmItem);
    frmParentSe = new TfrmParentSe(frmItem);
    frmInpExp = new TfrmInpExp(frmItem);
    frmPrint = new TfrmPrint();
    frmPrg = new TfrmPrg(frmItem);
    frmMsg = new TfrmMsg(frmItem);
    frmVersion = new TfrmVersion(frmItem);
    frmOrder = new TfrmOrder(frmItem);
    frmSup = new TfrmSup(frmItem);
}

template <class T>
static void Destroy(T*& w) {
    delete w;
    w = nullptr;
}

void DestroyWindows() {
    Destroy(frmSup);
    Destroy(frmOrder);
    Destroy(frmVersion);
    Destroy(frmMsg);
    Destroy(frmPrg);
    Destroy(frmPrint);
    Destroy(frmInpExp);
    Destroy(frmParentSe);
    Destroy(frmMasTori);
    Destroy(frmStrEdit);
    Destroy(frmTori);
    Destroy(frmSet);
    Destroy(frmParts);
    Destroy(frmMasItem);
    Destroy(frmItem);
}
