// TfrmParts: the structure window. A tree of the assemblies below the roots
// chosen in the main window and a list of the lines below the selected item
// (one level or all levels), with the cost total, the line edit, the
// printouts, the parent search and the item view. The structure itself lives
// in clsStructure (core); this window draws it and drives the edits.
#pragma once
#include <QDialog>
#include <QIcon>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

#include "structure.h"

struct ListRow;
class QAction;
class QLabel;
class QMenuBar;
class QMenu;
class QSplitter;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class TListView;

// The ten pictures of imglstGriditem of the structure windows: 0 body, 1 unit
// root, 2 parts root, 3 ascending, 4 descending, 5 unit, 6 unit checked,
// 7 part, 8 part checked, 9 set.
QIcon StructureImage(int index);

// Pieces shared by the structure window and the parent search: an action
// whose tool button shows the caption without its accelerator, and the
// status bar with its five panels (200 without bevel, 100, 100, 180, 120;
// the last one takes the spare width).
QAction* StructureAction(QObject* parent, const QString& caption, bool checkable = false);
class QStatusBar;
QStatusBar* StructureStatusBar(QWidget* parent, QLabel* (&panels)[5]);
// The last panel: the display switches that are on ("全階層表示 名称表示").
QString DisplayModesText(bool allLevels, bool nameDisplay);

// The panes both windows share: the tree and the list beside it in a
// splitter, with the menu, the tool bar and the status bar laid out around
// them, and their sizes kept in section PREFORM.
struct StructurePanes {
    QTreeWidget* tree = nullptr;
    TListView* list = nullptr;
    QSplitter* split = nullptr;

    void Build(QDialog* w, QMenuBar* menu, QToolBar* tools, QStatusBar* status);
    // Window size from <prefix>WIDTH/HEIGHT, tree width from treeKey (0 or
    // missing: the designed width).
    void LoadSizes(QDialog* w, const QString& prefix, QSize design, const char* treeKey, int designTree);
    void SaveSizes(QDialog* w, const QString& prefix, const char* treeKey, const std::vector<const char*>& widthKeys);
    // Columns with their width keys and designed widths (at least 10).
    void SetColumns(const QStringList& captions, const std::vector<const char*>& widthKeys,
                    const std::vector<int>& designWidths);
    // Shows the rows, sorted by sortColumn; selects the first direct row
    // whose code is selectCode.
    void ShowRows(std::vector<ListRow> rows, int sortColumn, const QString& selectCode);
    // Adds below node one node per line a walk reports, and expands them.
    void AddNodes(QTreeWidgetItem* node,
                  const std::function<void(const std::function<int(int node, int line)>&)>& walk,
                  const std::function<QString(int line)>& text, const std::function<int(int line)>& image,
                  const std::function<bool(int line)>& dimmed);
};
// A list row of a structure list: blue when indirect, grey when not managed.
ListRow StructureListRow(const QStringList& texts, const clsStructure::sListRow& row);

class TfrmParts : public QDialog {
    Q_OBJECT
public:
    using sData = clsStructure::sData;
    using sMstData = clsStructure::sMstData;
    using sListEdt = clsStructure::sListEdt;

    explicit TfrmParts(QWidget* parent = nullptr);
    ~TfrmParts() override;

    // Opening, in this order (the main window's 構成表 command).
    int CdListInit(int n);
    void CdListAdd(int index, const QString& code);
    void LoadStructure();

    // Used by the line edit and after edits.
    int LoadLines(const QString& code);
    void LoadItems(int showProgress);
    void BuildTree(QTreeWidgetItem* node, const QString& code);
    void FillList(const QString& code, const QString& selectCode);
    void ApplyNameDisplay();
    void InitList(bool rebuildColumns);
    int IsAncestorOrSelf(const QString& code, const QString& candidate);
    // The line as the file holds it: quantity, managed and check flags.
    void ReadLine(const QString& parent, const QString& child, long long& quantity, int& kflg, int& cflg);
    int DeleteLine(const QString& parent, const QString& child);
    void ApplyLineChange(QTreeWidgetItem* node, const QString& oldParent, int fromTree, int mode,
                         const QString& newChild, const QString& parent, const QString& oldChild);

    // Events.
    void treeStChange();
    void treeStEnter();
    void lvMainEnter();
    void lvMainSelectItem();
    void lvMainColumnClick(int position);
    void UpdateTreeActions();
    void UpdateListActions();
    void ShowItemInfo();

    // Action executes.
    void actTreeAddExecute();
    void actTreeEditExecute();
    void actTreeDelExecute();
    void actPrintExecute();
    void actGenkaPrintExecute();
    void actParentSearchExecute();
    void actAllDspExecute();
    void actItemViewExecute();
    void actNameDispExecute();
    void actHelpExecute();

    // The memory: Lines, Items, RootCodes.
    clsStructure& Structure() { return S; }
    const std::vector<sData>& Lines() const { return S.Lines(); }
    const std::vector<sMstData>& Items() const { return S.Items(); }
    const std::vector<std::string>& RootCodes() const { return S.RootCodes; }

    // The code a tree node stands for (the child of its line), "" for none.
    QString NodeCode(QTreeWidgetItem* node) const;
    int NodeLine(QTreeWidgetItem* node) const;
    // The line of a node (the placeholder for none).
    const sData& NodeData(QTreeWidgetItem* node) const;

    QTreeWidget* treeSt = nullptr;
    TListView* lvMain = nullptr;
    QSplitter* spLine = nullptr;
    QToolBar* tbMain = nullptr;
    QLabel* sbarPanel[5] = {};
    QMenu* mnuTree = nullptr;
    QAction* actTreeAdd = nullptr;
    QAction* actTreeEdit = nullptr;
    QAction* actTreeDel = nullptr;
    QAction* actPrint = nullptr;
    QAction* actGenkaPrint = nullptr;
    QAction* actParentSearch = nullptr;
    QAction* actAllDsp = nullptr;
    QAction* actItemView = nullptr;
    QAction* actNameDisp = nullptr;
    QAction* actClose = nullptr;
    QAction* actHelp = nullptr;

    int SortColumn = 1;
    unsigned char AllLevels = 0;
    unsigned char NameDisplay = 0;
    // "treeSt" or "lvMain": the control that last had the focus.
    QString ActiveControl;

protected:
    void done(int r) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildForm();
    void Command(QAction* action, void (TfrmParts::*execute)());
    void ProgressShow(const QString& caption);
    void ProgressCount(int n);
    void ProgressClose();
    void ReportLoops();
    // The whole tree from the memory: the roots and what lies below them.
    void RebuildTree();
    void ShowModes();
    // False when the print list is too long and the user declines it.
    bool PrintAgreed();
    QTreeWidgetItem* SelectedNode() const;
    std::vector<QTreeWidgetItem*> AllNodes() const;
    int SelectedRow() const;
    // The line an edit or a removal acts on: from the tree the selected
    // node's line, from the list the selected row below the selected node.
    // False, after the refusal message for a root or an indirect row, when
    // there is none to act on; verb names the act in that message.
    bool PickLine(const QString& verb, QString& parent, QString& child, int& fromTree, int& parentKbn);

    clsStructure S;
    StructurePanes panes_;
    long long lastPaint_ = 0;
};
