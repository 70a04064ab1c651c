#include "planframe.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include "fileutil.h"
#include "fracommon.h"
#include "installpaths.h"
#include "platform.h"
#include "ucommon.h"
#include "windowcalls.h"
#include "winutil.h"

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

const QColor kEditableText(Qt::blue);
constexpr int kRowHeight = 18;
constexpr int kToolBandDesignWidth = 300;
constexpr int kSearchBandDesignWidth = 320;

}  // namespace

// ---------------------------------------------------------------------------
// The grid

class TPlanGridDelegate : public QStyledItemDelegate {
public:
    explicit TPlanGridDelegate(TPlanGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* e = new QLineEdit(parent);
        e->setFrame(false);
        e->setAlignment(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) | Qt::AlignVCenter);
        int row = index.row(), column = index.column();
        TPlanGrid* grid = grid_;
        QObject::connect(e, &QLineEdit::textEdited, grid, [grid, row, column](const QString& text) {
            if (grid->onEdited) grid->onEdited(row, column, text);
        });
        grid_->editor_ = e;
        return e;
    }

private:
    TPlanGrid* grid_;
};

TPlanGrid::TPlanGrid(QWidget* parent) : QTableWidget(parent) {
    setItemDelegate(new TPlanGridDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setShowGrid(true);
    setWordWrap(false);
}

void TPlanGrid::EndEdit() {
    if (editor_ && state() == QAbstractItemView::EditingState) {
        QLineEdit* e = editor_;
        commitData(e);
        closeEditor(e, QAbstractItemDelegate::NoHint);
    }
    editor_ = nullptr;
}

// ---------------------------------------------------------------------------
// Construction and settings

TfrmPlanFrame::TfrmPlanFrame(sPlanFrameConfig config, const sPlanWindowDesign& design, QWidget* parent)
    : QMainWindow(parent), frame_(std::move(config)), design_(design) {
    setWindowFlags(windowFlags() | Qt::Window);
    setWindowTitle(design.caption);
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    setFont(f);

    BuildActions();
    BuildBands();
    BuildBody();

    sPlanFrameSettings s = LoadPlanFrameSettings(AppSettings(), frame_.Config().keys);
    for (int i = 0; i < 2; ++i) chk[i]->setChecked(s.checks[static_cast<size_t>(i)]);
    ArrangeBands(this, s.toolBarFirst ? tbarTool : pnlSearch, s.toolBarFirst ? pnlSearch : tbarTool, s.break2,
                 s.width1, s.width2);
    LoadFormGeometry(this, ToQ(frame_.Config().keys.geometryPrefix), design.size.width(), design.size.height());
    InitGrid();
    datD->setDate(QDate::currentDate());
    SetEditState(false);
}

TfrmPlanFrame::~TfrmPlanFrame() { SaveSettings(); }

void TfrmPlanFrame::SaveSettings() {
    sPlanFrameSettings s;
    for (int i = 0; i < 2; ++i) s.checks[static_cast<size_t>(i)] = chk[i]->isChecked();
    TCoolBand* first = nullptr;
    TCoolBand* second = nullptr;
    bool newRow2 = false;
    BandLayout(this, tbarTool, pnlSearch, &first, &second, &newRow2);
    s.toolBarFirst = first == tbarTool;
    s.break1 = false;
    s.break2 = newRow2;
    s.width1 = first->width();
    s.width2 = second->width();
    const sPlanFrameKeys& keys = frame_.Config().keys;
    SaveSettingsAtExit([&] {
        IniFile ini = AppSettings();
        SavePlanFrameSettings(ini, keys, s);
        SaveFormGeometry(this, ToQ(keys.geometryPrefix));
    });
}

QAction* TfrmPlanFrame::MakeAction(const QString& caption, int image, bool enabled, std::function<void()> run) {
    auto* a = new QAction(caption, this);
    if (image >= 0) a->setIcon(TframeCommon::ToolbarIcon(image));
    a->setEnabled(enabled);
    connect(a, &QAction::triggered, this, [run = std::move(run)] { RunCommand(run); });
    return a;
}

void TfrmPlanFrame::BuildActions() {
    using namespace TframeCommon;
    actSearch = MakeAction(Q("検索(&S)"), tiSearch, true, [this] { RunSearch(); });
    actSave = MakeAction(Q("保存(&S)"), tiSave, false, [this] { actSaveExecute(); });
    actClear = MakeAction(Q("ﾃﾞｰﾀｸﾘｱ(&D)"), tiClear, false, [this] { actClearExecute(); });
    actPrint = MakeAction(Q("印刷(&P)"), tiPrint, true, [this] { actPrintExecute(); });
    actCsv = MakeAction(Q("CSV出力(&C)"), tiCsv, true, [this] { actCsvExecute(); });
    actClose = MakeAction(Q("閉じる(&X)"), tiClose, true, [this] { actCloseExecute(); });
    actView = MakeAction(Q("品目情報表示(&V)"), tiItemView, true, [this] { ShowItemInfo(); });
    actHelp = MakeAction(Q("ヘルプ(&H)"), tiHelp, true, [this] { actHelpExecute(); });
    actSearch->setObjectName(QStringLiteral("actSearch"));
    actSave->setObjectName(QStringLiteral("actSave"));
    actClear->setObjectName(QStringLiteral("actClear"));
    actPrint->setObjectName(QStringLiteral("actPrint"));
    actCsv->setObjectName(QStringLiteral("actCsv"));
    actClose->setObjectName(QStringLiteral("actClose"));
    actView->setObjectName(QStringLiteral("actView"));
    actHelp->setObjectName(QStringLiteral("actHelp"));

    QMenuBar* bar = menuBar();
    mnuFile = bar->addMenu(Q("ﾌｧｲﾙ(&F)"));
    mnuFile->addActions({actClear, actSave});
    mnuFile->addSeparator();
    mnuFile->addActions({actPrint, actCsv});
    mnuFile->addSeparator();
    mnuFile->addAction(actClose);
    bar->addMenu(Q("表示(&V)"))->addAction(actView);
    bar->addMenu(Q("ﾍﾙﾌﾟ(&H)"))->addAction(actHelp);
}

void TfrmPlanFrame::BuildBands() {
    tbarTool = new TCoolBand(Q("ｺﾏﾝﾄﾞ"), kToolBandDesignWidth, this);
    tbarTool->setObjectName(QStringLiteral("tbarTool"));
    tbarTool->setMinimumHeight(31);
    struct Button {
        QAction* action;  // nullptr: separator
        const char* hint;
    };
    const Button buttons[] = {
        {actClose, "閉じる"}, {actPrint, "印刷"},   {actCsv, "CSV出力"},        {nullptr, nullptr},
        {actClear, "ﾃﾞｰﾀｸﾘｱ"}, {actSave, "保存"},  {nullptr, nullptr},         {actView, "品目情報表示"},
        {nullptr, nullptr},   {actHelp, "ヘルプ"},
    };
    for (const auto& b : buttons) {
        if (!b.action) {
            tbarTool->addSeparator();
            continue;
        }
        b.action->setToolTip(Q(b.hint));
        tbarTool->addAction(b.action);
        if (QWidget* w = tbarTool->widgetForAction(b.action)) w->setFixedWidth(25);
    }
    btnClose = qobject_cast<QToolButton*>(tbarTool->widgetForAction(actClose));

    pnlSearch = new TCoolBand(Q("検索"), kSearchBandDesignWidth, this);
    pnlSearch->setObjectName(QStringLiteral("pnlSearch"));
    pnlSearch->setMinimumHeight(29);
    edtFind = new QLineEdit(pnlSearch);
    edtFind->setObjectName(QStringLiteral("edtFind"));
    edtFind->setMinimumWidth(60);
    edtFind->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    pnlSearch->addWidget(edtFind);
    for (int i = 0; i < 2; ++i) {
        chk[i] = new QCheckBox(design_.checkCaptions.value(i), pnlSearch);
        chk[i]->setObjectName(design_.checkNames.value(i));
        chk[i]->setChecked(true);
        pnlSearch->addWidget(chk[i]);
    }
    btnFind = new QToolButton(pnlSearch);
    btnFind->setObjectName(QStringLiteral("btnFind"));
    btnFind->setDefaultAction(actSearch);
    btnFind->setToolButtonStyle(Qt::ToolButtonIconOnly);
    btnFind->setFixedWidth(25);
    pnlSearch->addWidget(btnFind);
    // Return in the text box searches.
    connect(edtFind, &QLineEdit::returnPressed, actSearch, &QAction::trigger);
}

void TfrmPlanFrame::BuildBody() {
    auto* central = new QWidget(this);
    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    pnlMonth = new QWidget(central);
    pnlMonth->setObjectName(QStringLiteral("pnlMonth"));
    monthLayout_ = new QHBoxLayout(pnlMonth);
    monthLayout_->setContentsMargins(6, 4, 6, 4);
    monthLayout_->addWidget(new QLabel(Q("対象年月"), pnlMonth));
    datD = new QDateEdit(pnlMonth);
    datD->setObjectName(QStringLiteral("datD"));
    datD->setDisplayFormat(Q("yyyy年MM月"));
    datD->setCurrentSection(QDateTimeEdit::MonthSection);
    monthLayout_->addWidget(datD);
    monthLayout_->addStretch(1);
    v->addWidget(pnlMonth);

    grMain = new TPlanGrid(central);
    grMain->setObjectName(QStringLiteral("grMain"));
    grMain->setColumnCount(frame_.ColumnCount());
    grMain->onEdited = [this](int row, int column, const QString& text) {
        RunCommand([&] { CellEdited(row, column, text); });
    };
    connect(grMain, &QTableWidget::cellClicked, this,
            [this](int row, int column) { RunCommand([&] { CellClicked(row, column); }); });
    connect(grMain, &QTableWidget::currentCellChanged, this, [this] { UpdateEditOption(); });
    connect(grMain, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { RunCommand([&] { CellDoubleClicked(row, column); }); });
    v->addWidget(grMain, 1);
    setCentralWidget(central);

    sbarPanel0 = new QLabel(this);
    sbarPanel0->setObjectName(QStringLiteral("sbarPanel0"));
    sbarPanel0->setFixedWidth(200);
    sbarPanel1 = new QLabel(this);
    sbarPanel1->setObjectName(QStringLiteral("sbarPanel1"));
    sbarPanel1->setMinimumWidth(50);
    sbarPanel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar()->addWidget(sbarPanel0);
    statusBar()->addWidget(sbarPanel1, 1);
}

void TfrmPlanFrame::AddSearchStateAction(QAction* action, const QString& buttonName) {
    auto* b = new QToolButton(pnlMonth);
    b->setObjectName(buttonName);
    b->setDefaultAction(action);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    monthLayout_->insertWidget(monthLayout_->count() - 1, b);
    // Menu ﾌｧｲﾙ: after 保存.
    QList<QAction*> items = mnuFile->actions();
    int at = static_cast<int>(items.indexOf(actSave)) + 1;
    mnuFile->insertAction(at < items.size() ? items[at] : nullptr, action);
    searchStateActions_.push_back(action);
    action->setEnabled(!frame_.EditState());
}

// ---------------------------------------------------------------------------
// Frame operations

void TfrmPlanFrame::ResetWindow() {
    EndCellEdit();
    frame_.ResetWindow();
    InitGrid();
    sbarPanel0->clear();
    SetEditState(false);
}

void TfrmPlanFrame::InitGrid() {
    EndCellEdit();
    grMain->setRowCount(0);
    const auto& cols = frame_.Config().columns;
    std::vector<int> widths = LoadPlanGridWidths(AppSettings(), frame_.Config());
    for (int c = 0; c < frame_.ColumnCount(); ++c) {
        const sPlanColumn& col = cols[static_cast<size_t>(c)];
        auto* h = new QTableWidgetItem(ToQ(col.header));
        h->setTextAlignment((col.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        if (col.editable) h->setForeground(kEditableText);
        grMain->setHorizontalHeaderItem(c, h);
        int w = widths[static_cast<size_t>(c)];
        grMain->setColumnWidth(c, w);
        grMain->setColumnHidden(c, col.hidden || w <= 0);
    }
    UpdateActions();
}

void TfrmPlanFrame::UpdateActions() {
    sPlanActions a = frame_.Actions();
    actPrint->setEnabled(a.print);
    actSave->setEnabled(a.save);
    actCsv->setEnabled(a.csv);
    actView->setEnabled(a.view);
}

void TfrmPlanFrame::SetEditState(bool on) {
    EndCellEdit();
    frame_.SetEditState(on);
    sPlanActions a = frame_.Actions();
    edtFind->setEnabled(a.searchControls);
    for (QCheckBox* c : chk) c->setEnabled(a.searchControls);
    actSearch->setEnabled(a.searchControls);
    datD->setEnabled(a.searchControls);
    for (QAction* x : searchStateActions_) x->setEnabled(a.searchControls);
    actClear->setEnabled(a.clear);
    actSave->setEnabled(on);
    actClose->setText(ToQ(a.closeMenu));
    actClose->setToolTip(ToQ(a.closeHint));
    if (!on) InitGrid();
}

void TfrmPlanFrame::RunSearch() {
    if (!chk[0]->isChecked() && !chk[1]->isChecked()) {
        Platform().Info(ToQ(frame_.Config().noCategoryMessage));
        return;
    }
    if (!SearchAllowed()) return;
    SetEditState(true);
    WaitCursor wait;
    frame_.SetRows(SearchRows(chk[0]->isChecked(), chk[1]->isChecked(), ToStd(edtFind->text())));
    FillGrid();
    sbarPanel1->setText(HitText());
    UpdateActions();
}

QString TfrmPlanFrame::HitText() const {
    return ToQ(PlanHitText(static_cast<long long>(frame_.Rows().size())));
}

void TfrmPlanFrame::FillGrid() {
    grMain->setUpdatesEnabled(false);
    const auto& rows = frame_.Rows();
    const auto& cols = frame_.Config().columns;
    grMain->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < frame_.ColumnCount(); ++c) {
            const sPlanColumn& col = cols[static_cast<size_t>(c)];
            auto* item = new QTableWidgetItem(ToQ(frame_.Cell(r, c)));
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (col.editable) {
                flags |= Qt::ItemIsEditable;
                item->setForeground(kEditableText);
            }
            item->setFlags(flags);
            item->setTextAlignment((col.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            DecorateItem(item, r, c);
            grMain->setItem(r, c, item);
        }
    }
    grMain->setUpdatesEnabled(true);
    if (!rows.empty()) grMain->setCurrentCell(0, 0);
}

void TfrmPlanFrame::RefreshRow(int row, int skipColumn) {
    for (int c = 0; c < frame_.ColumnCount(); ++c) {
        if (c == skipColumn) continue;
        if (QTableWidgetItem* item = grMain->item(row, c)) item->setText(ToQ(frame_.Cell(row, c)));
    }
}

void TfrmPlanFrame::CellEdited(int row, int column, const QString& text) {
    if (frame_.EditCell(row, column, ToStd(text))) RefreshRow(row, column);
}

void TfrmPlanFrame::SaveGridWidths() {
    std::vector<int> widths;
    const auto& cols = frame_.Config().columns;
    for (int c = 0; c < frame_.ColumnCount(); ++c)
        widths.push_back(cols[static_cast<size_t>(c)].hidden || grMain->isColumnHidden(c) ? 0 : grMain->columnWidth(c));
    SaveSettingsAtExit([&] {
        IniFile ini = AppSettings();
        SavePlanGridWidths(ini, frame_.Config(), widths);
    });
}

void TfrmPlanFrame::UpdateEditOption() {
    // In-cell editing follows the item flags: only the editable columns
    // carry Qt::ItemIsEditable, so the current column decides.
    int c = grMain->currentColumn();
    grMain->setEditTriggers(frame_.Editable(c) ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                                     QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked
                                               : QAbstractItemView::NoEditTriggers);
}

void TfrmPlanFrame::ShowItemInfo() {
    int row = grMain->currentRow();
    if (row < 0 || !frame_.HasRows()) return;
    ShowItemView(ToQ(frame_.Cell(row, frame_.Config().codeColumn)));
}

void TfrmPlanFrame::CellClicked(int row, int) {
    UpdateEditOption();
    if (ItemViewVisible() && row >= 0 && row < static_cast<int>(frame_.Rows().size()))
        ShowItemView(ToQ(frame_.Cell(row, frame_.Config().codeColumn)));
}

void TfrmPlanFrame::CellDoubleClicked(int, int column) {
    const auto& cols = frame_.Config().columns;
    if (column >= 0 && column < frame_.ColumnCount() && cols[static_cast<size_t>(column)].viewOnDoubleClick)
        ShowItemInfo();
}

QDate TfrmPlanFrame::Month() const { return datD->date(); }

std::string TfrmPlanFrame::MonthKey() const { return ::MonthKey(Month().year(), Month().month()); }

void TfrmPlanFrame::EndCellEdit() {
    if (grMain) grMain->EndEdit();
}

// ---------------------------------------------------------------------------
// Commands

void TfrmPlanFrame::actSaveExecute() {
    EndCellEdit();
    if (!Platform().Question(ToQ(frame_.Config().saveQuestion), ToQ(kPlanQuestionTitle), false)) return;
    if (!SaveRows()) return;
    frame_.Saved();
    Platform().Info(ToQ(frame_.Config().savedMessage));
}

void TfrmPlanFrame::actClearExecute() {
    EndCellEdit();
    if (!Platform().Question(ToQ(frame_.Config().clearQuestion), ToQ(kPlanQuestionTitle), false)) return;
    frame_.Clear();
    for (int r = 0; r < static_cast<int>(frame_.Rows().size()); ++r) RefreshRow(r, -1);
}

void TfrmPlanFrame::actPrintExecute() {
    EndCellEdit();
    if (!frame_.HasRows()) {
        Platform().Info(ToQ(kPlanPrintFirst));
        return;
    }
    PrintRows();
}

void TfrmPlanFrame::actCsvExecute() {
    EndCellEdit();
    FileDialogOptions o;
    o.title = ToQ(kPlanCsvTitle);
    o.filter = ToQ(kPlanCsvFilter);
    o.defaultExt = QStringLiteral("csv");
    o.overwritePrompt = true;
    QString path = Platform().SaveFileName(o);
    if (path.isEmpty()) return;
    // The whole file is written next to the old one and renamed over it: a
    // failed write leaves an existing file as it was.
    if (!WriteFileAtomic(ToStd(path), frame_.CsvBytes())) {
        Platform().Info(Q("CSVﾌｧｲﾙを書き込めませんでした。\n") + path);
        return;
    }
    Platform().Info(ToQ(kPlanCsvDone));
}

void TfrmPlanFrame::actCloseExecute() {
    SaveGridWidths();
    EndCellEdit();
    switch (frame_.CloseCommand()) {
    case PlanClose::CloseWindow: close(); return;
    case PlanClose::AskLeave:
        if (!Platform().Question(ToQ(kPlanLeaveQuestion), ToQ(kPlanQuestionTitle), false)) return;
        [[fallthrough]];
    case PlanClose::Leave:
        frame_.Leave();
        SetEditState(false);
        return;
    }
}

void TfrmPlanFrame::actHelpExecute() { Platform().ShellOpen(ToQ(HelpPagePath())); }

void TfrmPlanFrame::closeEvent(QCloseEvent* e) {
    SaveGridWidths();
    EndCellEdit();
    if (frame_.ExitNeedsQuestion() &&
        !Platform().Question(ToQ(kPlanExitQuestion), ToQ(kPlanQuestionTitle), false)) {
        e->ignore();
        return;
    }
    QMainWindow::closeEvent(e);
}
