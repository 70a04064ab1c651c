// TfrmParentSe: where an item is used. A tree upward from the item (its
// holders, their holders, ...) and a list of the holders of the selected
// item, one level or all levels up; printout "親検索". The lines live in
// clsParentSearch (core).
#pragma once
#include <QDialog>
#include <QString>
#include <vector>

#include "parentsearch.h"
#include "ufparts.h"

class QAction;
class QLabel;
class QSplitter;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class TListView;

class TfrmParentSe : public QDialog {
    Q_OBJECT
public:
    explicit TfrmParentSe(QWidget* parent = nullptr);
    ~TfrmParentSe() override;

    void SearchParents(const QString& code);

    void BuildTree(QTreeWidgetItem* node, const QString& code);
    void FillList(const QString& code, const QString& selectCode);
    void InitList(bool rebuildColumns);
    void ApplyNameDisplay();
    void treeStChange();
    void lvMainColumnClick(int position);

    void actPrintExecute();
    void actAllDspExecute();
    void actNameDispExecute();
    void actHelpExecute();

    clsParentSearch& Search() { return P; }
    // The code a node stands for: the parent code of its line.
    QString NodeCode(QTreeWidgetItem* node) const;

    QTreeWidget* treeSt = nullptr;
    TListView* lvMain = nullptr;
    QSplitter* spLine = nullptr;
    QToolBar* tbMain = nullptr;
    QLabel* sbarPanel[5] = {};
    QAction* actPrint = nullptr;
    QAction* actClose = nullptr;
    QAction* actHelp = nullptr;
    QAction* actAllDsp = nullptr;
    QAction* actNameDisp = nullptr;

    int SortColumn = 1;
    unsigned char AllLevels = 0;
    unsigned char NameDisplay = 0;

private:
    void BuildForm();
    void Command(QAction* action, void (TfrmParentSe::*execute)());
    void ReportLoops();

    clsParentSearch P;
    StructurePanes panes_;
};
