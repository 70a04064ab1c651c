// The fifteen windows of the program, created once at start-up in this order
// and reached through these pointers until the program ends.
#pragma once

class TfrmItem;
class TfrmMasItem;
class TfrmParts;
class TfrmSet;
class TfrmTori;
class TfrmStrEdit;
class TfrmMasTori;
class TfrmParentSe;
class TfrmInpExp;
class TfrmPrint;
class TfrmPrg;
class TfrmMsg;
class TfrmVersion;
class TfrmOrder;
class TfrmSup;

extern TfrmItem* frmItem;
extern TfrmMasItem* frmMasItem;
extern TfrmParts* frmParts;
extern TfrmSet* frmSet;
extern TfrmTori* frmTori;
extern TfrmStrEdit* frmStrEdit;
extern TfrmMasTori* frmMasTori;
extern TfrmParentSe* frmParentSe;
extern TfrmInpExp* frmInpExp;
extern TfrmPrint* frmPrint;
extern TfrmPrg* frmPrg;
extern TfrmMsg* frmMsg;
extern TfrmVersion* frmVersion;
extern TfrmOrder* frmOrder;
extern TfrmSup* frmSup;

// Creates the windows in their fixed order (the main window first; its
// constructor may already open the remembered data file).
void CreateWindows();
// Destroys them in reverse order; the main window last, so its destructor
// writes its settings after every other window has written its own.
void DestroyWindows();
