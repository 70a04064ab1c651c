#include "ufparentse.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "globals.h"
#include "installpaths.h"
#include "listmodel.h"
#include "listsort.h"
#include "platform.h"
#include "ucommon.h"
#include "ufparts.h"
#include "ufprint.h"
#include "verror.h"
#include "windowcalls.h"
#include "winutil.h"

namespace {
const int kDesignWidth = 734;
const int kDesignHeight = 509;
const std::vector<const char*> kWidthKeys = {"PLIST1W", "PLIST2W", "PLIST3W", "PLIST4W"};
}  // namespace

TfrmParentSe::TfrmParentSe(QWidget* parent) : QDialog(parent) {
    BuildForm();
    panes_.LoadSizes(this, QStringLiteral("FP_"), QSize(kDesignWidth, kDesignHeight), "PTREE_W", 216);
    SortColumn = 1;
    InitList(true);
}

TfrmParentSe::~TfrmParentSe() { panes_.SaveSizes(this, QStringLiteral("FP_"), "PTREE_W", kWidthKeys); }

void TfrmParentSe::BuildForm() {
    setWindowTitle(QStringLiteral("構成表管理ﾌﾟﾛｸﾞﾗﾑ [親検索]"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    setSizeGripEnabled(true);

    actPrint = StructureAction(this, QStringLiteral("印刷(&P)"));
    actClose = StructureAction(this, QStringLiteral("閉じる(&X)"));
    actHelp = StructureAction(this, QStringLiteral("ヘルプ(&H)"));
    actAllDsp = StructureAction(this, QStringLiteral("全階層表示"), true);
    actNameDisp = StructureAction(this, QStringLiteral("名称表示"), true);
    Command(actPrint, &TfrmParentSe::actPrintExecute);
    Command(actHelp, &TfrmParentSe::actHelpExecute);
    Command(actAllDsp, &TfrmParentSe::actAllDspExecute);
    Command(actNameDisp, &TfrmParentSe::actNameDispExecute);
    connect(actClose, &QAction::triggered, this, [this] { close(); });

    auto* menu = new QMenuBar(this);
    QMenu* file = menu->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->addAction(actPrint);
    file->addSeparator();
    file->addAction(actClose);
    menu->addMenu(QStringLiteral("表示(&V)"))->addActions({actAllDsp, actNameDisp});
    menu->addMenu(QStringLiteral("ヘルプ(&H)"))->addAction(actHelp);

    tbMain = new QToolBar(QStringLiteral("コマンド"), this);
    tbMain->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tbMain->setStyleSheet(QStringLiteral("QToolButton { padding: 1px 2px; }"));
    tbMain->addActions({actClose, actPrint});
    tbMain->addSeparator();
    tbMain->addActions({actAllDsp, actNameDisp});
    tbMain->addSeparator();
    tbMain->addAction(actHelp);

    panes_.Build(this, menu, tbMain, StructureStatusBar(this, sbarPanel));
    treeSt = panes_.tree;
    lvMain = panes_.list;
    spLine = panes_.split;
    connect(treeSt, &QTreeWidget::currentItemChanged, this, [this] { RunCommand([this] { treeStChange(); }); });
    connect(lvMain, &TListView::columnClicked, this,
            [this](int position) { RunCommand([this, position] { lvMainColumnClick(position); }); });
}

void TfrmParentSe::Command(QAction* action, void (TfrmParentSe::*execute)()) {
    connect(action, &QAction::triggered, this,
            [this, execute] { RunCommand([this, execute] { (this->*execute)(); }); });
}

void TfrmParentSe::ReportLoops() {
    std::string m = P.Cycles().TakeNewMessage();
    if (!m.empty()) Platform().Info(ToQ(m));
}

QString TfrmParentSe::NodeCode(QTreeWidgetItem* node) const {
    if (!node) return QString();
    int line = node->data(0, Qt::UserRole).toInt();
    if (line <= 0 || line >= static_cast<int>(P.Lines().size())) return QString();
    return ToQ(P.Lines()[static_cast<size_t>(line)].ParentCode);
}

void TfrmParentSe::SearchParents(const QString& code) {
    AllLevels = 0;
    NameDisplay = 0;
    actAllDsp->setChecked(false);
    actNameDisp->setChecked(false);
    sbarPanel[4]->clear();
    WaitCursor wait;
    P.SetDao(&MainDao());
    P.SearchParents(ToStd(code));

    QTreeWidgetItem* root = nullptr;
    {
        QSignalBlocker block(treeSt);
        treeSt->setUpdatesEnabled(false);
        treeSt->clear();
        root = new QTreeWidgetItem(treeSt, QStringList(code));
        root->setData(0, Qt::UserRole, P.StartLine());
        int image = RootImage(P.Category(ToStd(code)));
        if (image >= 0) root->setIcon(0, StructureImage(image));
        BuildTree(root, code);
        treeSt->setUpdatesEnabled(true);
    }
    FillList(code, QString());
    treeSt->setCurrentItem(root);
    if (frmParts) move(frmParts->pos() + QPoint(30, 30));
    ReportLoops();
}

void TfrmParentSe::BuildTree(QTreeWidgetItem* node, const QString& code) {
    auto line = [this](int a) -> const clsParentSearch::sData& { return P.Lines()[static_cast<size_t>(a)]; };
    panes_.AddNodes(
        node, [&](const std::function<int(int, int)>& add) { P.WalkTree(ToStd(code), 0, add); },
        [&](int a) { return ToQ(line(a).ParentCode); },
        [&](int a) { return ChildImage(P.Category(line(a).ParentCode), line(a).Cflg); },
        [&](int a) { return line(a).Kflg == 0; });
}

void TfrmParentSe::treeStChange() {
    if (QTreeWidgetItem* node = treeSt->currentItem()) FillList(NodeCode(node), QString());
}

void TfrmParentSe::InitList(bool rebuildColumns) {
    TListModel* model = lvMain->Model();
    if (rebuildColumns) {
        panes_.SetColumns({QStringLiteral("品番"), QStringLiteral("種類"), QStringLiteral("通称名"),
                           QStringLiteral("員数")},
                          kWidthKeys, {120, 70, 120, 50});
        model->SetColumnAlignment(3, Qt::AlignRight);
    }
    model->Clear();
    for (int i = 0; i < 4; ++i) sbarPanel[i]->clear();
    model->SetSortMark(SortColumn);
}

void TfrmParentSe::FillList(const QString& code, const QString& selectCode) {
    // As in the structure window: millions of rows only when the user agrees.
    if (AllLevels == 1) {
        unsigned long long rows = P.CountListRows(ToStd(code), true);
        if (rows > kRowsAskAbove && !Platform().Question(ToQ(ListRowsQuestion(rows)), QStringLiteral("情報"), false)) {
            AllLevels = 0;
            actAllDsp->setChecked(false);
            sbarPanel[4]->setText(DisplayModesText(AllLevels, NameDisplay));
        }
    }
    WaitCursor wait;
    InitList(false);
    clsParentSearch::sListResult r = P.FillList(ToStd(code), AllLevels == 1);
    std::vector<ListRow> rows;
    rows.reserve(r.Rows.size());
    for (const auto& row : r.Rows)
        rows.push_back(StructureListRow({ToQ(row.Code), ToQ(row.KbnText), ToQ(row.Name), ToQ(row.Quantity)}, row));
    panes_.ShowRows(std::move(rows), SortColumn, selectCode);
    sbarPanel[0]->setText(code);
    sbarPanel[1]->setText(QStringLiteral("Unit: ") + QString::number(r.UnitCount));
    sbarPanel[2]->setText(QStringLiteral("Parts: ") + QString::number(r.PartsCount));
    ReportLoops();
}

void TfrmParentSe::lvMainColumnClick(int position) {
    SortColumn = NextSortColumn(SortColumn, position);
    lvMain->Model()->Sort(SortColumn);
    lvMain->Model()->SetSortMark(SortColumn);
}

void TfrmParentSe::ApplyNameDisplay() {
    for (QTreeWidgetItemIterator it(treeSt); *it; ++it) {
        QString code = NodeCode(*it);
        const auto* m = NameDisplay == 1 ? P.FindItem(ToStd(code)) : nullptr;
        (*it)->setText(0, m ? ToQ(m->Name) : code);
    }
}

void TfrmParentSe::actAllDspExecute() {
    AllLevels = actAllDsp->isChecked() ? 1 : 0;
    sbarPanel[4]->setText(DisplayModesText(AllLevels, NameDisplay));
    FillList(NodeCode(treeSt->currentItem()), QString());
}

void TfrmParentSe::actNameDispExecute() {
    NameDisplay = actNameDisp->isChecked() ? 1 : 0;
    sbarPanel[4]->setText(DisplayModesText(AllLevels, NameDisplay));
    ApplyNameDisplay();
}

void TfrmParentSe::actHelpExecute() { Platform().ShellOpen(ToQ(HelpPagePath())); }

void TfrmParentSe::actPrintExecute() {
    unsigned long long count = P.CountPrintLines();
    if (count > kRowsAskAbove && !Platform().Question(ToQ(PrintLinesQuestion(count)), QStringLiteral("情報"), false))
        return;
    std::vector<std::vector<std::string>> lines = P.ReportLines();
    frmPrint->InitPartsList(static_cast<int>(lines.size()));
    for (const auto& t : lines)
        frmPrint->AddPartsLine(ToQ(t[0]), ToQ(t[1]), ToQ(t[2]), ToQ(t[3]), ToQ(t[4]), ToQ(t[5]), ToQ(t[6]), ToQ(t[7]));
    frmPrint->SetPartsTitle(QStringLiteral("親検索"));
    ReportLoops();
    frmPrint->Preview(ReportId::Parts);
}
