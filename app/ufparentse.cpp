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

#include "fileutil.h"
#include "globals.h"
#include "listmodel.h"
#include "listsort.h"
#include "platform.h"
#include "ucommon.h"
#include "ufitem.h"
#include "ufparts.h"
#include "ufprint.h"
#include "verror.h"
#include "winutil.h"

namespace {
const int kDesignWidth = 734;
const int kDesignHeight = 509;
const char* const kWidthKeys[4] = {"PLIST1W", "PLIST2W", "PLIST3W", "PLIST4W"};
const int kDefaultWidths[4] = {120, 70, 120, 50};
}  // namespace

TfrmParentSe::TfrmParentSe(QWidget* parent) : QDialog(parent) {
    BuildForm();
    IniFile ini = AppSettings();
    LoadFormGeometry(this, QStringLiteral("FP_"), kDesignWidth, kDesignHeight);
    int treeWidth = ini.ReadInteger("PREFORM", "PTREE_W", 0);
    spLine->setSizes({treeWidth > 0 ? treeWidth : 216, std::max(100, width() - (treeWidth > 0 ? treeWidth : 216))});
    SortColumn = 1;
    InitList(true);
}

TfrmParentSe::~TfrmParentSe() {
    try {
        SaveFormGeometry(this, QStringLiteral("FP_"));
        std::vector<std::pair<std::string, std::string>> keys;
        keys.emplace_back("PTREE_W", std::to_string(treeSt->width()));
        QList<int> widths = lvMain->ColumnWidths();
        for (int i = 0; i < 4 && i < widths.size(); ++i) keys.emplace_back(kWidthKeys[i], std::to_string(widths[i]));
        AppSettings().WriteStrings("PREFORM", keys);
    } catch (const VelmoError& e) {
        Platform().ErrorReport(ToQ(e.Kind()), QString::fromUtf8(e.what()));
    }
}

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

    treeSt = new QTreeWidget(this);
    treeSt->setObjectName(QStringLiteral("treeSt"));
    treeSt->setHeaderHidden(true);
    treeSt->setEditTriggers(QAbstractItemView::NoEditTriggers);
    treeSt->setUniformRowHeights(true);
    connect(treeSt, &QTreeWidget::currentItemChanged, this, [this] { RunCommand([this] { treeStChange(); }); });

    lvMain = new TListView(this);
    lvMain->setObjectName(QStringLiteral("lvMain"));
    lvMain->setSelectionMode(QAbstractItemView::SingleSelection);
    lvMain->Model()->SetIconProvider(StructureImage);
    connect(lvMain, &TListView::columnClicked, this,
            [this](int position) { RunCommand([this, position] { lvMainColumnClick(position); }); });

    spLine = new QSplitter(Qt::Horizontal, this);
    spLine->addWidget(treeSt);
    spLine->addWidget(lvMain);
    spLine->setStretchFactor(1, 1);
    spLine->setChildrenCollapsible(false);

    QStatusBar* sbarMain = StructureStatusBar(this, sbarPanel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu);
    layout->addWidget(tbMain);
    layout->addWidget(spLine, 1);
    layout->addWidget(sbarMain);
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
    P.SetDao(frmItem->Dao);
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
    std::vector<QTreeWidgetItem*> nodes{node};
    P.WalkTree(ToStd(code), 0, [&](int parent, int line) {
        const auto& l = P.Lines()[static_cast<size_t>(line)];
        auto* item = new QTreeWidgetItem(nodes[static_cast<size_t>(parent)], QStringList(ToQ(l.ParentCode)));
        item->setData(0, Qt::UserRole, line);
        int image = ChildImage(P.Category(l.ParentCode), l.Cflg);
        if (image >= 0) item->setIcon(0, StructureImage(image));
        if (l.Kflg == 0) item->setForeground(0, QColor(Qt::gray));
        nodes.push_back(item);
        return static_cast<int>(nodes.size()) - 1;
    });
    for (QTreeWidgetItem* n : nodes) n->setExpanded(true);
}

void TfrmParentSe::treeStChange() {
    if (QTreeWidgetItem* node = treeSt->currentItem()) FillList(NodeCode(node), QString());
}

void TfrmParentSe::InitList(bool rebuildColumns) {
    TListModel* model = lvMain->Model();
    if (rebuildColumns) {
        model->SetColumns(
            {QStringLiteral("品番"), QStringLiteral("種類"), QStringLiteral("通称名"), QStringLiteral("員数")});
        model->SetColumnAlignment(3, Qt::AlignRight);
        IniFile ini = AppSettings();
        QList<int> widths;
        for (int i = 0; i < 4; ++i) widths << std::max(10, ini.ReadInteger("PREFORM", kWidthKeys[i], kDefaultWidths[i]));
        lvMain->SetColumnWidths(widths);
    }
    model->Clear();
    for (int i = 0; i < 4; ++i) sbarPanel[i]->clear();
    model->SetSortMark(SortColumn);
}

void TfrmParentSe::FillList(const QString& code, const QString& selectCode) {
    WaitCursor wait;
    InitList(false);
    clsParentSearch::sListResult r = P.FillList(ToStd(code), AllLevels == 1);
    std::vector<ListRow> rows;
    rows.reserve(r.Rows.size());
    for (const auto& row : r.Rows) {
        ListRow lr;
        lr.texts = {ToQ(row.Code), ToQ(row.KbnText), ToQ(row.Name), ToQ(row.Quantity)};
        lr.image = row.Image;
        lr.data = row.Direct ? 1 : 0;
        if (!row.Direct) lr.color = QColor(0, 0, 255);
        lr.dimmed = row.Dimmed;
        rows.push_back(std::move(lr));
    }
    lvMain->setUpdatesEnabled(false);
    lvMain->Model()->SetRows(std::move(rows));
    lvMain->Model()->Sort(SortColumn);
    if (!selectCode.isEmpty())
        for (int i = 0; i < lvMain->Model()->Count(); ++i)
            if (lvMain->Model()->Row(i).texts[0] == selectCode && lvMain->Model()->Row(i).data.toInt() == 1) {
                lvMain->SelectRow(i);
                break;
            }
    lvMain->setUpdatesEnabled(true);
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

void TfrmParentSe::actHelpExecute() { Platform().ShellOpen(ToQ(ProgramDir()) + QStringLiteral("/Help/index.html")); }

void TfrmParentSe::actPrintExecute() {
    std::vector<std::vector<std::string>> lines = P.ReportLines();
    frmPrint->InitPartsList(static_cast<int>(lines.size()));
    for (const auto& t : lines)
        frmPrint->AddPartsLine(ToQ(t[0]), ToQ(t[1]), ToQ(t[2]), ToQ(t[3]), ToQ(t[4]), ToQ(t[5]), ToQ(t[6]), ToQ(t[7]));
    frmPrint->SetPartsTitle(QStringLiteral("親検索"));
    ReportLoops();
    frmPrint->Preview(ReportId::Parts);
}
