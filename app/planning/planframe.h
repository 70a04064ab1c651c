// TfrmPlanFrame: the window frame of the two monthly planning windows. The
// cool bar with the command band and the search band (a text box, two
// category boxes and the search button), the month panel with the picker,
// the grid with its in-cell editing, the status bar, the menus and the
// commands Search, Save, Clear, Print, CSV output, Close, item view and help.
// The rules live in clsPlanFrame (core); a planning window configures the
// frame (columns, keys, recomputation, CSV rules, questions) and supplies its
// search, save and print, and may add commands of its own.
#pragma once
#include <QDate>
#include <QIcon>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QTableWidget>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "coolband.h"
// The rules of the frame; this header has the same name, so the path is spelt out.
#include "../../core/planframe.h"

class QAction;
class QCheckBox;
class QDateEdit;
class QLabel;
class QMenu;
class QToolButton;
class QHBoxLayout;

// The grid: a string grid with one header row whose cells are edited in
// place; every change of the text in the editor is reported at once.
class TPlanGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TPlanGrid(QWidget* parent);
    // Called on every change of the editor's text (each keystroke).
    std::function<void(int row, int column, const QString& text)> onEdited;
    // The open in-cell editor, or nullptr.
    QLineEdit* Editor() const { return editor_; }
    // Ends in-cell editing, keeping the text.
    void EndEdit();

private:
    friend class TPlanGridDelegate;
    QPointer<QLineEdit> editor_;
};

struct sPlanWindowDesign {
    QString caption;                 // window title
    QStringList checkCaptions;       // the two category boxes
    QStringList checkNames;          // their object names ("chkSet", ...)
    QSize size;                      // designed window size
};

class TfrmPlanFrame : public QMainWindow {
    Q_OBJECT
public:
    TfrmPlanFrame(sPlanFrameConfig config, const sPlanWindowDesign& design, QWidget* parent);
    ~TfrmPlanFrame() override;

    // Frame operations.
    void ResetWindow();
    void InitGrid();
    void UpdateActions();
    void SetEditState(bool on);
    void RunSearch();
    void SaveGridWidths();
    void UpdateEditOption();
    void ShowItemInfo();

    clsPlanFrame& Frame() { return frame_; }
    const clsPlanFrame& Frame() const { return frame_; }
    // The month of the picker and its key "yyyymm".
    QDate Month() const;
    std::string MonthKey() const;
    // Status bar panel 1 after a search: "該当件数: n件　　".
    QString HitText() const;
    // Ends in-cell editing (the text typed so far stays).
    void EndCellEdit();
    // Writes the window's settings (size, position, category boxes, bands);
    // done by the destructor.
    void SaveSettings();

    // Controls.
    TCoolBand* tbarTool = nullptr;   // band "ｺﾏﾝﾄﾞ"
    TCoolBand* pnlSearch = nullptr;  // band "検索"
    QLineEdit* edtFind = nullptr;
    QCheckBox* chk[2] = {nullptr, nullptr};
    QToolButton* btnFind = nullptr;
    QWidget* pnlMonth = nullptr;
    QDateEdit* datD = nullptr;
    TPlanGrid* grMain = nullptr;
    QLabel* sbarPanel0 = nullptr;
    QLabel* sbarPanel1 = nullptr;
    QMenu* mnuFile = nullptr;
    QToolButton* btnClose = nullptr;

    // Commands.
    QAction* actSearch = nullptr;
    QAction* actSave = nullptr;
    QAction* actClear = nullptr;
    QAction* actPrint = nullptr;
    QAction* actCsv = nullptr;
    QAction* actClose = nullptr;
    QAction* actView = nullptr;
    QAction* actHelp = nullptr;

    // Command handlers.
    void actSaveExecute();
    void actClearExecute();
    void actPrintExecute();
    void actCsvExecute();
    void actCloseExecute();
    void actHelpExecute();

protected:
    // The rows of a search; called in edit state with the hourglass on.
    virtual std::vector<PlanRow> SearchRows(bool check0, bool check1, const std::string& find) = 0;
    // A check before the search enters the edit state; false stops it (after
    // its own message).
    virtual bool SearchAllowed() { return true; }
    // Writes the rows; false when nothing was saved (after the message).
    virtual bool SaveRows() = 0;
    // Hands the rows to the printout and shows its preview.
    virtual void PrintRows() = 0;
    // A picture drawn before the text of a cell (none by default).
    virtual QIcon CellIcon(int row, int column) const;

    // An extra command of the search state: a button in the month panel and
    // a menu item after 保存.
    void AddSearchStateAction(QAction* action, const QString& buttonName);
    // An action whose handler runs at the command boundary; image: tool-bar
    // picture (TframeCommon::ToolbarImage), -1 none.
    QAction* MakeAction(const QString& caption, int image, bool enabled, std::function<void()> run);

    void closeEvent(QCloseEvent* e) override;

private:
    void BuildActions();
    void BuildBands();
    void BuildBody();
    void FillGrid();
    void RefreshRow(int row, int skipColumn);
    void CellEdited(int row, int column, const QString& text);
    void CellClicked(int row, int column);
    void CellDoubleClicked(int row, int column);

    clsPlanFrame frame_;
    sPlanWindowDesign design_;
    std::vector<QAction*> searchStateActions_;
    QHBoxLayout* monthLayout_ = nullptr;
};
