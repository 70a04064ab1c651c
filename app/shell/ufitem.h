// TfrmItem: the main window. Owns the program's connection; searches and
// lists items and opens every other window. The rules live in core
// (itemsearch.h, filecommands.h, mainsettings.h); this unit holds the
// controls and wires them to those rules.
#pragma once
#include <QMainWindow>
#include "coolband.h"
#include "udao.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class TListView;
struct sItemRow;
struct sMainSettings;

class TfrmItem : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmItem(QWidget* parent = nullptr);
    ~TfrmItem() override;

    // The program's one connection; every window uses it through frmItem.
    clsDao* Dao = nullptr;
    // Sort column of the list, 1-based, negative for descending.
    int SortColumn = 1;

    void InitList(bool rebuildColumns);
    void SearchItem(const QString& selectCode);
    void UpdatePrintAction();
    void DeleteItems();

    // Writes the window's keys to the settings file (done by the destructor).
    // A settings file that cannot be written is reported; returns false then.
    bool SaveSettings();

    // Controls.
    TCoolBand* tbarTool = nullptr;   // band "ｺﾏﾝﾄﾞ"
    TCoolBand* pnlSearch = nullptr;  // band "検索"
    QLineEdit* edtFind = nullptr;
    QCheckBox* chkSet = nullptr;
    QCheckBox* chkHontai = nullptr;
    QCheckBox* chkUnit = nullptr;
    QCheckBox* chkParts = nullptr;
    QToolButton* btnFind = nullptr;
    TListView* lvMain = nullptr;
    QLabel* sbarPanel0 = nullptr;
    QLabel* sbarPanel1 = nullptr;
    QMenu* mnuListView = nullptr;

    // Actions (actItemList).
    QAction* FileNewAct = nullptr;
    QAction* FileOpenAct = nullptr;
    QAction* FileSaveAct = nullptr;
    QAction* FileCompactAct = nullptr;
    QAction* PrintAct = nullptr;
    QAction* ProgramEndAct = nullptr;
    QAction* PartsFormCallAct = nullptr;
    QAction* ItemEditAct = nullptr;
    QAction* ItemAddAct = nullptr;
    QAction* ItemDelAct = nullptr;
    QAction* ItemCopyAddAct = nullptr;
    QAction* KankyoSetAct = nullptr;
    QAction* TMastaSetAct = nullptr;
    QAction* OrderAct = nullptr;
    QAction* SupAct = nullptr;
    QAction* ImportFileAct = nullptr;
    QAction* ExportFileAct = nullptr;
    QAction* HelpAct = nullptr;
    QAction* VersionDspAct = nullptr;
    QAction* ItemListFindAct = nullptr;

    // The bands cannot be hidden: no menu of tool bars on a right click.
    QMenu* createPopupMenu() override { return nullptr; }

    // List events.
    void lvMainColumnClick(int position);
    void lvMainSelectItem();

private:
    QAction* MakeAction(const QString& caption, int image, bool enabled, void (TfrmItem::*handler)());
    void BuildActions();
    void BuildMenus();
    void BuildBands();
    void BuildList();
    void ApplySettings(const sMainSettings& s);

    // A command that needs a data file: false (after the message) when none
    // is open or the open file has gone.
    bool HasDataFile(bool search);
    void SetCaptionFor(const std::string& path);
    // The connection has lost its file (gone from its folder, or a reopen
    // failed): the window shows the design caption and an empty list.
    void FileLost();
    std::vector<sItemRow> SelectedItems() const;
    void EditItem(int mode, const QString& code);
    void RunInpExp(int mode);

    // Action handlers.
    void FileNewActExecute();
    void FileOpenActExecute();
    void FileSaveActExecute();
    void FileCompactActExecute();
    void PrintActExecute();
    void ProgramEndActExecute();
    void PartsFormCallActExecute();
    void ItemEditActExecute();
    void ItemAddActExecute();
    void ItemDelActExecute();
    void ItemCopyAddActExecute();
    void KankyoSetActExecute();
    void TMastaSetActExecute();
    void OrderActExecute();
    void SupActExecute();
    void ImportFileActExecute();
    void ExportFileActExecute();
    void HelpActExecute();
    void VersionDspActExecute();
    void ItemListFindActExecute();
};
