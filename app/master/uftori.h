// TfrmTori: the business-partner list. Searches partners by the start of
// their name and is the place where partners are added, edited, copied,
// deleted and printed. Shown modally from the main window; opens empty.
#pragma once
#include <QDialog>

class QAction;
class QLabel;
class QLineEdit;
class QMainWindow;
class QStatusBar;
class QToolBar;
class QToolButton;
class TListView;

class TfrmTori : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTori(QWidget* parent = nullptr);
    ~TfrmTori() override;

    void ClearList();
    void InitList(bool rebuildColumns);
    // Runs the search and, when code is not empty, selects the partner
    // (code, kbn) in the result.
    void SearchTori(const QString& code, int kbn);
    void UpdatePrintAction();

    // Commands.
    QAction* ProgramEndAct;
    QAction* PrintAct;
    QAction* ItemEditAct;
    QAction* ItemAddAct;
    QAction* ItemDelAct;
    QAction* ItemCopyAddAct;
    QAction* ItemListFindAct;
    QAction* HelpAct;

    QMainWindow* frame;  // holds the menu, the two bands and the status bar
    QToolBar* tbarTool;
    QToolBar* bandSearch;
    QWidget* pnlSearch;
    QLineEdit* edtFind;
    QToolButton* btnFind;
    TListView* lvMain;
    QStatusBar* sbarMain;
    QLabel* sbarPanel1;  // hit count

    int SortColumn = 1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void BuildActions();
    void BuildBands();
    void SaveBands();
    void lvMainColumnClick(int position);
    void lvMainSelectItem();
    void ItemEdit();
    void ItemAdd();
    void ItemCopyAdd();
    void ItemDel();
    void Print();
    // Shows the partner dialog and refreshes the list when it saved.
    void ShowPartnerDialog(int mode, const QString& code, int kbn);
    // Code and category of a list line.
    QString RowCode(int row) const;
    int RowKbn(int row) const;

    bool shown_ = false;  // the bands have been laid out at least once
};
