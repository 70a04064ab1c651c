#include "ufparts.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRegularExpression>
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
#include "ufmsg.h"
#include "ufparentse.h"
#include "ufprg.h"
#include "ufprint.h"
#include "ufstsedit.h"
#include "verror.h"
#include "windowcalls.h"
#include "winutil.h"

// ---------------------------------------------------------------------------
// Pictures

namespace {

QPixmap Blank() {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    return p;
}

void DrawCheck(QPainter& g) {
    g.setPen(QPen(QColor(0, 140, 0), 2));
    g.drawLine(QPointF(8.5, 11), QPointF(11, 14));
    g.drawLine(QPointF(11, 14), QPointF(15, 8));
}

}  // namespace

QIcon StructureImage(int index) {
    static std::vector<QIcon> cache;
    if (cache.empty()) {
        for (int i = 0; i < 10; ++i) {
            QPixmap p = Blank();
            QPainter g(&p);
            g.setRenderHint(QPainter::Antialiasing);
            const QColor body(30, 70, 160), unit(30, 110, 190), part(200, 110, 20), set(210, 150, 0);
            switch (i) {
                case 0:  // body: filled square
                    g.setPen(body.darker());
                    g.setBrush(body);
                    g.drawRect(QRectF(2.5, 2.5, 11, 11));
                    break;
                case 1:  // unit (root): open square, thick
                case 5:
                case 6:
                    g.setPen(QPen(unit, i == 1 ? 2.5 : 1.8));
                    g.setBrush(QColor(230, 240, 252));
                    g.drawRect(QRectF(2.5, 2.5, i == 1 ? 11 : 9, i == 1 ? 11 : 9));
                    if (i == 6) DrawCheck(g);
                    break;
                case 2:  // parts: an asterisk
                case 7:
                case 8: {
                    g.setPen(QPen(part, 2));
                    QPointF c = i == 2 ? QPointF(8, 8) : QPointF(6.5, 6.5);
                    double r = i == 2 ? 5.5 : 4.5;
                    for (int k = 0; k < 3; ++k) {
                        double a = k * 3.14159265 / 3 + 3.14159265 / 2;
                        QPointF d(r * std::cos(a), r * std::sin(a));
                        g.drawLine(c - d, c + d);
                    }
                    if (i == 8) DrawCheck(g);
                    break;
                }
                case 3:  // ascending
                case 4: {
                    QPainterPath t;
                    if (i == 3) {
                        t.moveTo(8, 4);
                        t.lineTo(13, 11);
                        t.lineTo(3, 11);
                    } else {
                        t.moveTo(3, 5);
                        t.lineTo(13, 5);
                        t.lineTo(8, 12);
                    }
                    t.closeSubpath();
                    g.fillPath(t, QColor(110, 110, 110));
                    break;
                }
                case 9: {  // set: a star
                    QPainterPath star;
                    for (int k = 0; k < 10; ++k) {
                        double a = -3.14159265 / 2 + k * 3.14159265 / 5;
                        double r = k % 2 ? 3 : 7;
                        QPointF pt(8 + r * std::cos(a), 8.5 + r * std::sin(a));
                        if (k == 0) star.moveTo(pt);
                        else star.lineTo(pt);
                    }
                    star.closeSubpath();
                    g.setPen(set.darker(130));
                    g.setBrush(set);
                    g.drawPath(star);
                    break;
                }
            }
            g.end();
            cache.push_back(QIcon(p));
        }
    }
    return index >= 0 && index < 10 ? cache[static_cast<size_t>(index)] : QIcon();
}

// ---------------------------------------------------------------------------
// Form

namespace {
const int kDesignWidth = 704;
const int kDesignHeight = 492;
const std::vector<const char*> kWidthKeys = {"KLIST1W", "KLIST2W", "KLIST3W", "KLIST4W", "KLIST5W"};
const QColor kIndirect(0, 0, 255);
const QColor kDimmed(Qt::gray);

}  // namespace

QAction* StructureAction(QObject* parent, const QString& caption, bool checkable) {
    auto* a = new QAction(caption, parent);
    a->setCheckable(checkable);
    a->setIconText(QString(caption).remove(QRegularExpression(QStringLiteral("\\(&.\\)$"))));
    return a;
}

QStatusBar* StructureStatusBar(QWidget* parent, QLabel* (&panels)[5]) {
    auto* bar = new QStatusBar(parent);
    bar->setSizeGripEnabled(false);
    const int widths[5] = {200, 100, 100, 180, 120};
    for (int i = 0; i < 5; ++i) {
        panels[i] = new QLabel(bar);
        if (i < 4) panels[i]->setFixedWidth(widths[i]);
        else panels[i]->setMinimumWidth(widths[i]);
        panels[i]->setFrameStyle(i == 0 ? QFrame::NoFrame : QFrame::StyledPanel | QFrame::Sunken);
        panels[i]->setContentsMargins(3, 0, 3, 0);
        bar->addWidget(panels[i], i == 4 ? 1 : 0);
    }
    return bar;
}

TfrmParts::TfrmParts(QWidget* parent) : QDialog(parent) {
    BuildForm();
    panes_.LoadSizes(this, QStringLiteral("FK_"), QSize(kDesignWidth, kDesignHeight), "KTREE_W", 196);
    SortColumn = 1;
    InitList(true);
}

TfrmParts::~TfrmParts() { panes_.SaveSizes(this, QStringLiteral("FK_"), "KTREE_W", kWidthKeys); }

void TfrmParts::BuildForm() {
    setWindowTitle(QStringLiteral("構成表管理ﾌﾟﾛｸﾞﾗﾑ [構成表]"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    setSizeGripEnabled(true);

    actTreeAdd = StructureAction(this, QStringLiteral("構造に追加(&A)"));
    actTreeEdit = StructureAction(this, QStringLiteral("編集(&E)"));
    actTreeDel = StructureAction(this, QStringLiteral("構造から削除(&D)"));
    actPrint = StructureAction(this, QStringLiteral("構成表印刷(&P)"));
    actGenkaPrint = StructureAction(this, QStringLiteral("原価表印刷(&G)"));
    actParentSearch = StructureAction(this, QStringLiteral("親検索(&S)"));
    actAllDsp = StructureAction(this, QStringLiteral("全階層表示"), true);
    actItemView = StructureAction(this, QStringLiteral("品目情報表示"));
    actNameDisp = StructureAction(this, QStringLiteral("名称表示"), true);
    actClose = StructureAction(this, QStringLiteral("閉じる(&X)"));
    actHelp = StructureAction(this, QStringLiteral("ヘルプ(&H)"));
    Command(actTreeAdd, &TfrmParts::actTreeAddExecute);
    Command(actTreeEdit, &TfrmParts::actTreeEditExecute);
    Command(actTreeDel, &TfrmParts::actTreeDelExecute);
    Command(actPrint, &TfrmParts::actPrintExecute);
    Command(actGenkaPrint, &TfrmParts::actGenkaPrintExecute);
    Command(actParentSearch, &TfrmParts::actParentSearchExecute);
    Command(actAllDsp, &TfrmParts::actAllDspExecute);
    Command(actItemView, &TfrmParts::actItemViewExecute);
    Command(actNameDisp, &TfrmParts::actNameDispExecute);
    Command(actHelp, &TfrmParts::actHelpExecute);
    connect(actClose, &QAction::triggered, this, [this] { close(); });

    auto* menu = new QMenuBar(this);
    QMenu* file = menu->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->addAction(actPrint);
    file->addAction(actGenkaPrint);
    file->addSeparator();
    file->addAction(actClose);
    menu->addMenu(QStringLiteral("検索(&S)"))->addAction(actParentSearch);
    QMenu* edit = menu->addMenu(QStringLiteral("構成(&S)"));
    edit->addActions({actTreeAdd, actTreeEdit, actTreeDel});
    menu->addMenu(QStringLiteral("表示(&V)"))->addActions({actAllDsp, actItemView, actNameDisp});
    menu->addMenu(QStringLiteral("ヘルプ(&H)"))->addAction(actHelp);

    tbMain = new QToolBar(QStringLiteral("コマンド"), this);
    tbMain->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tbMain->setStyleSheet(QStringLiteral("QToolButton { padding: 1px 2px; }"));
    tbMain->addActions({actClose, actPrint, actGenkaPrint});
    tbMain->addSeparator();
    tbMain->addAction(actParentSearch);
    tbMain->addSeparator();
    tbMain->addActions({actTreeAdd, actTreeEdit, actTreeDel});
    tbMain->addSeparator();
    tbMain->addActions({actAllDsp, actItemView, actNameDisp});
    tbMain->addSeparator();
    tbMain->addAction(actHelp);

    mnuTree = new QMenu(this);
    mnuTree->addActions({actTreeAdd, actTreeEdit, actTreeDel});

    panes_.Build(this, menu, tbMain, StructureStatusBar(this, sbarPanel));
    treeSt = panes_.tree;
    lvMain = panes_.list;
    spLine = panes_.split;
    treeSt->setContextMenuPolicy(Qt::CustomContextMenu);
    treeSt->installEventFilter(this);
    connect(treeSt, &QTreeWidget::currentItemChanged, this, [this] { RunCommand([this] { treeStChange(); }); });
    connect(treeSt, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { mnuTree->popup(treeSt->viewport()->mapToGlobal(p)); });
    lvMain->setContextMenuPolicy(Qt::CustomContextMenu);
    lvMain->installEventFilter(this);
    connect(lvMain, &TListView::columnClicked, this,
            [this](int position) { RunCommand([this, position] { lvMainColumnClick(position); }); });
    connect(lvMain, &TListView::selectionChangedRows, this, [this] { RunCommand([this] { lvMainSelectItem(); }); });
    connect(lvMain, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { mnuTree->popup(lvMain->viewport()->mapToGlobal(p)); });
    connect(lvMain, &QAbstractItemView::doubleClicked, this, [this] { actItemView->trigger(); });
}

void TfrmParts::Command(QAction* action, void (TfrmParts::*execute)()) {
    connect(action, &QAction::triggered, this, [this, execute] { RunCommand([this, execute] { (this->*execute)(); }); });
}

bool TfrmParts::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == treeSt) RunCommand([this] { treeStEnter(); });
        else if (watched == lvMain) RunCommand([this] { lvMainEnter(); });
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmParts::done(int r) {
    // FormClose: the item dialog shown from here goes with the window.
    CloseItemView();
    QDialog::done(r);
}

// ---------------------------------------------------------------------------
// Opening

int TfrmParts::CdListInit(int n) { return S.CdListInit(n); }

void TfrmParts::CdListAdd(int index, const QString& code) {
    if (!S.CdListAdd(index, ToStd(code)))
        Platform().Info(QStringLiteral("CdListInitを行ってから、CdListAddを行ってください。"));
}

void TfrmParts::ProgressShow(const QString& caption) {
    if (!frmPrg) return;
    frmPrg->setWindowTitle(caption);
    frmPrg->lblMsg->setText(QStringLiteral("0"));
    frmPrg->StartAnimation();
    frmPrg->show();
    frmPrg->repaint();
    lastPaint_ = 0;
}

void TfrmParts::ProgressCount(int n) {
    if (!frmPrg) return;
    frmPrg->lblMsg->setText(QString::number(n));
    // Repainting for every code read would cost more than the reading.
    long long now = QDateTime::currentMSecsSinceEpoch();
    if (now - lastPaint_ < 50) return;
    lastPaint_ = now;
    frmPrg->repaint();
}

void TfrmParts::ProgressClose() {
    if (!frmPrg) return;
    frmPrg->StopAnimation();
    frmPrg->close();
}

void TfrmParts::ReportLoops() {
    std::string m = S.Cycles().TakeNewMessage();
    if (!m.empty()) Platform().Info(ToQ(m));
}

void TfrmParts::LoadStructure() {
    // The nodes and rows of the previous structure go first: they point into
    // the memory that the load replaces.
    {
        QSignalBlocker block(treeSt);
        treeSt->clear();
    }
    lvMain->Model()->Clear();
    S.SetDao(&MainDao());
    S.OnLinesRead = [this](int n) { ProgressCount(n); };
    S.OnItemsRead = [this](int n) { ProgressCount(n); };
    ProgressShow(QStringLiteral("構造ﾃﾞｰﾀを読み込んでいます..."));
    actParentSearch->setEnabled(false);
    AllLevels = 0;
    NameDisplay = 0;
    actAllDsp->setChecked(false);
    actNameDisp->setChecked(false);
    try {
        S.LoadRootLines();
        ProgressShow(QStringLiteral("品目ﾃﾞｰﾀを読み込んでいます..."));
        S.LoadRootItems();
    } catch (...) {
        S.Clear();
        ProgressClose();
        throw;
    }
    RebuildTree();
    ProgressClose();
    InitList(false);
    ShowModes();
    if (treeSt->topLevelItemCount() > 0) treeSt->setCurrentItem(treeSt->topLevelItem(treeSt->topLevelItemCount() - 1));
    if (QWidget* main = MainWindow()) move(main->pos() + QPoint(30, 30));
    ReportLoops();
}

void TfrmParts::RebuildTree() {
    QSignalBlocker block(treeSt);
    treeSt->setUpdatesEnabled(false);
    treeSt->clear();
    for (int line : S.RootLines()) {
        const std::string& root = S.Lines()[static_cast<size_t>(line)].ChildCode;
        auto* node = new QTreeWidgetItem(treeSt, QStringList(ToQ(root)));
        node->setData(0, Qt::UserRole, line);
        int image = RootImage(S.Category(root));
        if (image >= 0) node->setIcon(0, StructureImage(image));
        BuildTree(node, ToQ(root));
    }
    treeSt->setUpdatesEnabled(true);
    ApplyNameDisplay();
}

int TfrmParts::LoadLines(const QString& code) { return S.LoadLines(ToStd(code)); }

void TfrmParts::LoadItems(int showProgress) { S.LoadItems(showProgress == 1); }

void TfrmParts::BuildTree(QTreeWidgetItem* node, const QString& code) {
    auto line = [this](int a) -> const sData& { return S.Lines()[static_cast<size_t>(a)]; };
    panes_.AddNodes(
        node, [&](const std::function<int(int, int)>& add) { S.WalkTree(ToStd(code), 0, add); },
        [&](int a) { return ToQ(line(a).ChildCode); },
        [&](int a) { return ChildImage(S.Category(line(a).ChildCode), line(a).Cflg); },
        [&](int a) { return line(a).Kflg == 0; });
}

int TfrmParts::NodeLine(QTreeWidgetItem* node) const { return node ? node->data(0, Qt::UserRole).toInt() : 0; }

const TfrmParts::sData& TfrmParts::NodeData(QTreeWidgetItem* node) const {
    int line = NodeLine(node);
    if (line <= 0 || line >= static_cast<int>(S.Lines().size())) line = 0;  // the placeholder
    return S.Lines()[static_cast<size_t>(line)];
}

QString TfrmParts::NodeCode(QTreeWidgetItem* node) const { return ToQ(NodeData(node).ChildCode); }

QTreeWidgetItem* TfrmParts::SelectedNode() const { return treeSt->currentItem(); }

std::vector<QTreeWidgetItem*> TfrmParts::AllNodes() const {
    std::vector<QTreeWidgetItem*> out;
    for (QTreeWidgetItemIterator it(treeSt); *it; ++it) out.push_back(*it);
    return out;
}

int TfrmParts::SelectedRow() const {
    QList<int> rows = lvMain->SelectedRows();
    return rows.size() == 1 ? rows.first() : -1;
}

void TfrmParts::ApplyNameDisplay() {
    std::vector<QTreeWidgetItem*> nodes = AllNodes();
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
        QString code = NodeCode(*it);
        const sMstData* m = NameDisplay == 1 ? S.FindItem(ToStd(code)) : nullptr;
        (*it)->setText(0, m ? ToQ(m->Name) : code);
    }
}

// ---------------------------------------------------------------------------
// List

void TfrmParts::InitList(bool rebuildColumns) {
    TListModel* model = lvMain->Model();
    if (rebuildColumns) {
        panes_.SetColumns({QStringLiteral("品番"), QStringLiteral("種類"), QStringLiteral("員数"),
                           QStringLiteral("通称名"), QStringLiteral("単価")},
                          kWidthKeys, {120, 70, 70, 120, 100});
        model->SetColumnAlignment(2, Qt::AlignRight);
        model->SetColumnAlignment(4, Qt::AlignRight);
    }
    model->Clear();
    for (int i = 0; i < 4; ++i) sbarPanel[i]->clear();
    model->SetSortMark(SortColumn);
}

void TfrmParts::FillList(const QString& code, const QString& selectCode) {
    // Rows are per path: a list of millions is made only when the user
    // agrees; otherwise the list goes back to one level.
    if (AllLevels == 1) {
        unsigned long long rows = S.CountListRows(ToStd(code), true);
        if (rows > kRowsAskAbove && !Platform().Question(ToQ(ListRowsQuestion(rows)), QStringLiteral("情報"), false)) {
            AllLevels = 0;
            actAllDsp->setChecked(false);
            ShowModes();
        }
    }
    WaitCursor wait;
    InitList(false);
    clsStructure::sListResult r = S.FillList(ToStd(code), AllLevels == 1);
    std::vector<ListRow> rows;
    rows.reserve(r.Rows.size());
    for (const auto& row : r.Rows)
        rows.push_back(StructureListRow(
            {ToQ(row.Code), ToQ(row.KbnText), ToQ(row.Quantity), ToQ(row.Name), ToQ(row.Price)}, row));
    panes_.ShowRows(std::move(rows), SortColumn, selectCode);
    sbarPanel[0]->setText(code);
    sbarPanel[1]->setText(QStringLiteral("Unit: ") + QString::number(r.UnitCount));
    sbarPanel[2]->setText(QStringLiteral("Parts: ") + QString::number(r.PartsCount));
    sbarPanel[3]->setText(QStringLiteral("費用計: ") + ToQ(FormatMoney(r.CostTotal)));
    ReportLoops();
}

QString DisplayModesText(bool allLevels, bool nameDisplay) {
    QStringList modes;
    if (allLevels) modes << QStringLiteral("全階層表示");
    if (nameDisplay) modes << QStringLiteral("名称表示");
    return modes.join(QStringLiteral(" "));
}

void StructurePanes::Build(QDialog* w, QMenuBar* menu, QToolBar* tools, QStatusBar* status) {
    tree = new QTreeWidget(w);
    tree->setObjectName(QStringLiteral("treeSt"));
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setUniformRowHeights(true);
    list = new TListView(w);
    list->setObjectName(QStringLiteral("lvMain"));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->Model()->SetIconProvider(StructureImage);
    split = new QSplitter(Qt::Horizontal, w);
    split->addWidget(tree);
    split->addWidget(list);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu);
    layout->addWidget(tools);
    layout->addWidget(split, 1);
    layout->addWidget(status);
}

void StructurePanes::LoadSizes(QDialog* w, const QString& prefix, QSize design, const char* treeKey, int designTree) {
    LoadFormGeometry(w, prefix, design.width(), design.height());
    int treeWidth = AppSettings().ReadInteger("PREFORM", treeKey, 0);
    if (treeWidth <= 0) treeWidth = designTree;
    split->setSizes({treeWidth, std::max(100, w->width() - treeWidth)});
}

void StructurePanes::SaveSizes(QDialog* w, const QString& prefix, const char* treeKey,
                               const std::vector<const char*>& widthKeys) {
    // At program end: a settings file that cannot be written is reported once,
    // never thrown out of a destructor.
    SaveSettingsAtExit([&] {
        SaveFormGeometry(w, prefix);
        std::vector<std::pair<std::string, std::string>> keys{{treeKey, std::to_string(tree->width())}};
        QList<int> widths = list->ColumnWidths();
        for (size_t i = 0; i < widthKeys.size() && static_cast<int>(i) < widths.size(); ++i)
            keys.emplace_back(widthKeys[i], std::to_string(widths[static_cast<int>(i)]));
        AppSettings().WriteStrings("PREFORM", keys);
    });
}

void StructurePanes::SetColumns(const QStringList& captions, const std::vector<const char*>& widthKeys,
                                const std::vector<int>& designWidths) {
    list->Model()->SetColumns(captions);
    IniFile ini = AppSettings();
    QList<int> widths;
    for (size_t i = 0; i < widthKeys.size(); ++i)
        widths << std::max(10, ini.ReadInteger("PREFORM", widthKeys[i], designWidths[i]));
    list->SetColumnWidths(widths);
}

void StructurePanes::ShowRows(std::vector<ListRow> rows, int sortColumn, const QString& selectCode) {
    list->setUpdatesEnabled(false);
    list->Model()->SetRows(std::move(rows));
    list->Model()->Sort(sortColumn);
    if (!selectCode.isEmpty())
        for (int i = 0; i < list->Model()->Count(); ++i) {
            const ListRow& row = list->Model()->Row(i);
            if (row.texts[0] == selectCode && row.data.toInt() == 1) {
                list->SelectRow(i);
                break;
            }
        }
    list->setUpdatesEnabled(true);
}

void StructurePanes::AddNodes(QTreeWidgetItem* node,
                              const std::function<void(const std::function<int(int, int)>&)>& walk,
                              const std::function<QString(int)>& text, const std::function<int(int)>& image,
                              const std::function<bool(int)>& dimmed) {
    std::vector<QTreeWidgetItem*> nodes{node};
    walk([&](int parent, int line) {
        auto* item = new QTreeWidgetItem(nodes[static_cast<size_t>(parent)], QStringList(text(line)));
        item->setData(0, Qt::UserRole, line);
        int i = image(line);
        if (i >= 0) item->setIcon(0, StructureImage(i));
        if (dimmed(line)) item->setForeground(0, kDimmed);
        nodes.push_back(item);
        return static_cast<int>(nodes.size()) - 1;
    });
    for (QTreeWidgetItem* n : nodes) n->setExpanded(true);
}

ListRow StructureListRow(const QStringList& texts, const clsStructure::sListRow& row) {
    ListRow lr;
    lr.texts = texts;
    lr.image = row.Image;
    lr.data = row.Direct ? 1 : 0;
    if (!row.Direct) lr.color = kIndirect;
    lr.dimmed = row.Dimmed;
    return lr;
}

void TfrmParts::ShowModes() { sbarPanel[4]->setText(DisplayModesText(AllLevels == 1, NameDisplay == 1)); }

void TfrmParts::lvMainColumnClick(int position) {
    SortColumn = NextSortColumn(SortColumn, position);
    lvMain->Model()->Sort(SortColumn);
    lvMain->Model()->SetSortMark(SortColumn);
}

// ---------------------------------------------------------------------------
// Selection and enabling

void TfrmParts::treeStChange() {
    QTreeWidgetItem* node = SelectedNode();
    if (!node) return;
    FillList(NodeCode(node), QString());
    UpdateTreeActions();
    if (ItemViewVisible()) ShowItemInfo();
}

void TfrmParts::treeStEnter() {
    ActiveControl = QStringLiteral("treeSt");
    UpdateTreeActions();
    if (ItemViewVisible()) ShowItemInfo();
}

void TfrmParts::lvMainEnter() {
    ActiveControl = QStringLiteral("lvMain");
    UpdateListActions();
    if (ItemViewVisible()) ShowItemInfo();
}

void TfrmParts::lvMainSelectItem() {
    UpdateListActions();
    if (ItemViewVisible()) ShowItemInfo();
}

void TfrmParts::UpdateTreeActions() {
    QTreeWidgetItem* node = SelectedNode();
    if (!node) return;
    actTreeAdd->setEnabled(true);
    bool root = NodeData(node).ParentCode.empty();
    actTreeEdit->setEnabled(!root);
    actTreeDel->setEnabled(!root);
}

void TfrmParts::UpdateListActions() {
    actTreeAdd->setEnabled(true);
    int row = SelectedRow();
    bool one = row >= 0;
    bool direct = one && lvMain->Model()->Row(row).data.toInt() == 1;
    actParentSearch->setEnabled(one);
    actTreeEdit->setEnabled(direct);
    actTreeDel->setEnabled(direct);
}

void TfrmParts::ShowItemInfo() {
    QString code;
    if (ActiveControl == QLatin1String("treeSt")) code = NodeCode(SelectedNode());
    else if (int row = SelectedRow(); row >= 0) code = lvMain->Model()->Row(row).texts[0];
    ShowItemView(code);
}

// ---------------------------------------------------------------------------
// Actions

void TfrmParts::actAllDspExecute() {
    AllLevels = actAllDsp->isChecked() ? 1 : 0;
    ShowModes();
    FillList(NodeCode(SelectedNode()), QString());
}

void TfrmParts::actNameDispExecute() {
    NameDisplay = actNameDisp->isChecked() ? 1 : 0;
    ShowModes();
    ApplyNameDisplay();
}

void TfrmParts::actItemViewExecute() { ShowItemInfo(); }

void TfrmParts::actHelpExecute() { Platform().ShellOpen(ToQ(HelpPagePath())); }

void TfrmParts::actParentSearchExecute() {
    int row = SelectedRow();
    if (row < 0) return;
    QString code = ToQ(Trim(ToStd(lvMain->Model()->Row(row).texts[0])));
    if (code.isEmpty()) return;
    frmParentSe->SearchParents(code);
    Platform().ShowModal(frmParentSe);
}

bool TfrmParts::PrintAgreed() {
    unsigned long long lines = S.CountPrintLines();
    return lines <= kRowsAskAbove || Platform().Question(ToQ(PrintLinesQuestion(lines)), QStringLiteral("情報"), false);
}

void TfrmParts::actPrintExecute() {
    if (!PrintAgreed()) return;
    std::vector<std::vector<std::string>> lines = S.PartsReportLines();
    frmPrint->InitPartsList(static_cast<int>(lines.size()));
    for (const auto& t : lines)
        frmPrint->AddPartsLine(ToQ(t[0]), ToQ(t[1]), ToQ(t[2]), ToQ(t[3]), ToQ(t[4]), ToQ(t[5]), ToQ(t[6]), ToQ(t[7]));
    frmPrint->SetPartsTitle(QStringLiteral("構成表"));
    ReportLoops();
    frmPrint->Preview(ReportId::Parts);
}

void TfrmParts::actGenkaPrintExecute() {
    if (!PrintAgreed()) return;
    ReportSnapshot r = S.CostReport();
    frmPrint->InitGenkaList(static_cast<int>(r.lines.size()));
    for (const auto& t : r.lines)
        frmPrint->AddGenkaLine(ToQ(t[0]), ToQ(t[1]), ToQ(t[2]), ToQ(t[3]), ToQ(t[4]), ToQ(t[5]), ToQ(t[6]), ToQ(t[7]));
    frmPrint->SetGenkaTotals(ToQ(r.genkaTotal), ToQ(r.genkaHeading));
    ReportLoops();
    frmPrint->Preview(ReportId::Genka);
}

// ---------------------------------------------------------------------------
// Line edit

int TfrmParts::IsAncestorOrSelf(const QString& code, const QString& candidate) {
    return S.IsAncestorOrSelf(ToStd(code), ToStd(candidate));
}

void TfrmParts::ReadLine(const QString& parent, const QString& child, long long& quantity, int& kflg, int& cflg) {
    S.ReadLine(ToStd(parent), ToStd(child), quantity, kflg, cflg);
}

int TfrmParts::DeleteLine(const QString& parent, const QString& child) {
    return S.DeleteLine(ToStd(parent), ToStd(child));
}

void TfrmParts::actTreeAddExecute() {
    QTreeWidgetItem* node = SelectedNode();
    if (!node) return;
    QString parent = NodeCode(node);
    int parentKbn = std::max(0, S.Category(ToStd(parent)));
    frmStrEdit->SetMode(0);
    frmStrEdit->Prepare(parent, QString(), parentKbn);
    Platform().ShowModal(frmStrEdit);
    if (!frmStrEdit->IsCancelled()) ApplyLineChange(node, QString(), 1, 0, frmStrEdit->GetCode(), parent, QString());
}

bool TfrmParts::PickLine(const QString& verb, QString& parent, QString& child, int& fromTree, int& parentKbn) {
    QTreeWidgetItem* node = SelectedNode();
    if (!node) return false;
    parentKbn = 0;
    if (ActiveControl == QLatin1String("treeSt")) {
        fromTree = 1;
        const sData& l = NodeData(node);
        parent = ToQ(l.ParentCode);
        child = ToQ(l.ChildCode);
        if (parent.isEmpty()) {
            Platform().Info(QStringLiteral("ルートの") + verb + QStringLiteral("はできません(後にﾒﾆｭｰ自体を無効にします)"));
            return false;
        }
        parentKbn = std::max(0, S.Category(l.ParentCode));
        return true;
    }
    fromTree = 0;
    int row = SelectedRow();
    if (row < 0) return false;
    parent = NodeCode(node);
    child = lvMain->Model()->Row(row).texts[0];
    if (lvMain->Model()->Row(row).data.toInt() == 0) {
        Platform().Info(QStringLiteral("淡色表示行の") + verb + QStringLiteral("はできません(後にﾒﾆｭｰ自体を無効にします)"));
        return false;
    }
    return true;
}

void TfrmParts::actTreeEditExecute() {
    QString parent, child;
    int fromTree = 0, parentKbn = 0;
    if (!PickLine(QStringLiteral("編集"), parent, child, fromTree, parentKbn)) return;
    QTreeWidgetItem* node = SelectedNode();
    frmStrEdit->SetMode(1);
    frmStrEdit->Prepare(parent, child, parentKbn);
    Platform().ShowModal(frmStrEdit);
    if (!frmStrEdit->IsCancelled()) ApplyLineChange(node, parent, 1, 1, frmStrEdit->GetCode(), parent, child);
}

void TfrmParts::actTreeDelExecute() {
    QString parent, child;
    int fromTree = 0, parentKbn = 0;
    if (!PickLine(QStringLiteral("削除"), parent, child, fromTree, parentKbn)) return;
    QTreeWidgetItem* node = SelectedNode();
    frmMsg->lbl01->setText(QStringLiteral("親品番[") + parent + QStringLiteral("]から"));
    frmMsg->lbl02->setText(QStringLiteral("子品番[") + child + QStringLiteral("]を"));
    frmMsg->lbl03->setText(QStringLiteral("を外しますか？"));
    frmMsg->SetAnswer(0);
    Platform().ShowModal(frmMsg);
    if (frmMsg->GetAnswer() != 1) return;
    // A delete the file refused (already reported) leaves the window as it
    // is: it keeps showing what the file holds.
    if (DeleteLine(parent, child) != 0) return;
    ApplyLineChange(node, parent, fromTree, 2, QString(), QString(), child);
}

void TfrmParts::ApplyLineChange(QTreeWidgetItem* node, const QString& oldParent, int fromTree, int mode,
                                const QString& newChild, const QString& parent, const QString& oldChild) {
    QTreeWidgetItem* parentNode = node ? node->parent() : nullptr;
    QSignalBlocker block(treeSt);
    treeSt->setUpdatesEnabled(false);
    // Deletes, from the last node to the first, the nodes that match; a
    // deleted node takes its sub-tree with it (visited before it).
    auto deleteNodes = [this](const std::function<bool(QTreeWidgetItem*)>& match) {
        std::vector<QTreeWidgetItem*> nodes = AllNodes();
        for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
            if (match(*it)) delete *it;
    };

    if (mode == 0 || mode == 1) ProgressShow(QStringLiteral("追加構造ﾃﾞｰﾀを読み込んでいます..."));
    clsStructure::sLineChange c;
    try {
        c = S.ApplyLineChange(mode, ToStd(oldParent), ToStd(oldChild), ToStd(parent), ToStd(newChild));
    } catch (...) {
        // The memory may be half changed: show what it now holds.
        ProgressClose();
        RebuildTree();
        throw;
    }
    for (int removed : {c.OldLine, c.NewLine})
        if (removed) deleteNodes([&](QTreeWidgetItem* n) { return NodeLine(n) == removed; });
    if (mode == 0 || mode == 1) {
        std::string p = ToStd(parent);
        deleteNodes([&](QTreeWidgetItem* n) { return NodeData(n).ParentCode == p; });
        std::vector<QTreeWidgetItem*> targets;
        for (QTreeWidgetItem* n : AllNodes()) {
            const sData& l = NodeData(n);
            if (l.ChildCode == p && !l.Removed) targets.push_back(n);
        }
        for (QTreeWidgetItem* n : targets) BuildTree(n, parent);
        ProgressClose();
    }

    if (mode == 2 && fromTree == 1 && parentNode) {
        treeSt->setCurrentItem(parentNode);
    } else if (mode == 1) {
        std::string child = ToStd(newChild);
        for (QTreeWidgetItem* n : AllNodes())
            if (n->parent() == parentNode && NodeData(n).ChildCode == child) {
                treeSt->setCurrentItem(n);
                break;
            }
    }
    FillList(NodeCode(SelectedNode()), newChild);
    treeSt->setUpdatesEnabled(true);
    ApplyNameDisplay();
    UpdateTreeActions();
    ReportLoops();
}
