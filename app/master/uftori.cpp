#include "uftori.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "fracommon.h"
#include "globals.h"
#include "installpaths.h"
#include "listmodel.h"
#include "listsort.h"
#include "partnermaster.h"
#include "platform.h"
#include "settings.h"
#include "ufprint.h"
#include "windowcalls.h"
#include "winutil.h"

namespace {

const int kColumns = 7;
const int kShownColumns = 4;
const int kDefaultWidths[kShownColumns] = {80, 80, 200, 200};

// A band of the cool bar: a tool bar that asks for the width it was left
// with in the last session.
class TBand : public QToolBar {
public:
    TBand(const QString& title, QWidget* parent) : QToolBar(title, parent) {
        setMovable(true);
        setFloatable(false);
        setAllowedAreas(Qt::TopToolBarArea);
        setIconSize(QSize(16, 16));
    }
    int preferredWidth = 0;
    QSize sizeHint() const override {
        QSize s = QToolBar::sizeHint();
        if (preferredWidth > s.width()) s.setWidth(preferredWidth);
        return s;
    }
};

}  // namespace

TfrmTori::TfrmTori(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("構成表管理ﾌﾟﾛｸﾞﾗﾑ [取引先設定]"));
    setSizeGripEnabled(true);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    frame = new QMainWindow(this);
    frame->setWindowFlags(Qt::Widget);  // a main window always starts as a window of its own
    root->addWidget(frame);

    lvMain = new TListView(frame);
    frame->setCentralWidget(lvMain);
    sbarMain = frame->statusBar();
    sbarMain->setSizeGripEnabled(false);
    auto* panel0 = new QLabel(sbarMain);
    panel0->setMinimumWidth(200);
    sbarPanel1 = new QLabel(sbarMain);
    sbarPanel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sbarMain->addWidget(panel0, 1);
    sbarMain->addPermanentWidget(sbarPanel1);

    BuildActions();
    BuildBands();
    connect(lvMain, &TListView::columnClicked, this, [this](int p) { lvMainColumnClick(p); });
    connect(lvMain, &TListView::selectionChangedRows, this, [this] { lvMainSelectItem(); });
    connect(lvMain, &QAbstractItemView::doubleClicked, ItemEditAct, &QAction::trigger);

    LoadFormGeometry(this, QStringLiteral("FT_"), 640, 420);
    SortColumn = 1;
    InitList(true);
    lvMainSelectItem();
}

TfrmTori::~TfrmTori() {
    SaveSettingsAtExit([this] {
        SaveFormGeometry(this, QStringLiteral("FT_"));
        SaveBands();
        std::vector<std::pair<std::string, std::string>> widths;
        QList<int> w = lvMain->ColumnWidths();
        for (int i = 0; i < kShownColumns && i < w.size(); ++i)
            widths.emplace_back("TLIST" + std::to_string(i + 1) + "W", std::to_string(w[i]));
        AppSettings().WriteStrings("PREFORM", widths);
    });
}

void TfrmTori::BuildActions() {
    auto action = [this](const char* caption, int image, const char* hint, void (TfrmTori::*run)()) {
        auto* a = new QAction(TframeCommon::ToolbarIcon(image), QString::fromUtf8(caption), this);
        a->setToolTip(QString::fromUtf8(hint));
        if (run) connect(a, &QAction::triggered, this, [this, run] { RunCommand([this, run] { (this->*run)(); }); });
        return a;
    };
    ProgramEndAct = action("終了(&X)", 10, "閉じる", nullptr);
    connect(ProgramEndAct, &QAction::triggered, this, &QDialog::reject);
    PrintAct = action("印刷(&P)", 3, "印刷", &TfrmTori::Print);
    ItemEditAct = action("ｱｲﾃﾑ編集(&E)", 14, "編集", &TfrmTori::ItemEdit);
    ItemAddAct = action("ｱｲﾃﾑ追加(&A)", 1, "追加", &TfrmTori::ItemAdd);
    ItemDelAct = action("ｱｲﾃﾑ削除(&D)", 13, "削除", &TfrmTori::ItemDel);
    ItemCopyAddAct = action("ｱｲﾃﾑｺﾋﾟｰ追加(&C)", 8, "ｺﾋﾟｰして追加", &TfrmTori::ItemCopyAdd);
    ItemListFindAct = action("検索(&S)", 0, "検索", nullptr);
    connect(ItemListFindAct, &QAction::triggered, this, [this] { RunCommand([this] { SearchTori(QString(), -1); }); });
    HelpAct = action("ヘルプ(&H)", 9, "ヘルプ", nullptr);
    connect(HelpAct, &QAction::triggered, this, [] {
        Platform().ShellOpen(ToQ(HelpPagePath()));
    });

    QMenuBar* menu = frame->menuBar();
    QMenu* file = menu->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->addAction(PrintAct);
    file->addSeparator();
    file->addAction(ProgramEndAct);
    QMenu* edit = menu->addMenu(QStringLiteral("編集(&E)"));
    edit->addActions({ItemEditAct, ItemAddAct, ItemDelAct, ItemCopyAddAct});
    QMenu* help = menu->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    help->addAction(HelpAct);

    // The list's context menu offers the edit commands too.
    lvMain->setContextMenuPolicy(Qt::ActionsContextMenu);
    lvMain->addActions({ItemAddAct, ItemCopyAddAct, ItemEditAct, ItemDelAct});
}

void TfrmTori::BuildBands() {
    auto* tool = new TBand(QStringLiteral("コマンド"), frame);
    tbarTool = tool;
    tbarTool->setToolButtonStyle(Qt::ToolButtonIconOnly);  // the captions are the hints
    tbarTool->addAction(ProgramEndAct);
    tbarTool->addAction(PrintAct);
    tbarTool->addSeparator();
    tbarTool->addActions({ItemEditAct, ItemAddAct, ItemDelAct, ItemCopyAddAct});
    tbarTool->addSeparator();
    tbarTool->addAction(HelpAct);

    auto* search = new TBand(QStringLiteral("検索"), frame);
    bandSearch = search;
    pnlSearch = new QWidget(search);
    auto* h = new QHBoxLayout(pnlSearch);
    h->setContentsMargins(2, 0, 2, 0);
    h->setSpacing(4);
    edtFind = new QLineEdit(pnlSearch);
    edtFind->setMinimumWidth(120);
    edtFind->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    btnFind = new QToolButton(pnlSearch);
    btnFind->setDefaultAction(ItemListFindAct);
    h->addWidget(edtFind, 1);
    h->addWidget(btnFind);
    pnlSearch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    bandSearch->addWidget(pnlSearch);
    connect(edtFind, &QLineEdit::returnPressed, ItemListFindAct, &QAction::trigger);

    // TCOOL_1 = "2": the search band comes first. TCOOL_2B = "1": the second
    // band starts a new row. TCOOL_nW: the band widths of the last session.
    IniFile ini = AppSettings();
    bool swapped = ini.ReadString("PREFORM", "TCOOL_1", "1") == "2";
    TBand* first = swapped ? search : tool;
    TBand* second = swapped ? tool : search;
    first->preferredWidth = ini.ReadInteger("PREFORM", "TCOOL_1W", 0);
    second->preferredWidth = ini.ReadInteger("PREFORM", "TCOOL_2W", 0);
    frame->addToolBar(Qt::TopToolBarArea, first);
    if (ini.ReadString("PREFORM", "TCOOL_2B", "0") == "1") frame->addToolBarBreak(Qt::TopToolBarArea);
    frame->addToolBar(Qt::TopToolBarArea, second);
}

void TfrmTori::showEvent(QShowEvent* e) {
    shown_ = true;
    QDialog::showEvent(e);
}

void TfrmTori::SaveBands() {
    // Bands that were never laid out have no order or width to remember;
    // the keys of the last session stay.
    if (!shown_) return;
    // Bands in their order on screen: by row, then from the left.
    QToolBar* bands[2] = {tbarTool, bandSearch};
    auto before = [](QToolBar* a, QToolBar* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    };
    if (before(bands[1], bands[0])) std::swap(bands[0], bands[1]);
    bool secondBreaks = bands[1]->y() > bands[0]->y();
    auto id = [this](QToolBar* b) { return b == tbarTool ? std::string("1") : std::string("2"); };
    AppSettings().WriteStrings("PREFORM", {{"TCOOL_1", id(bands[0])},
                                           {"TCOOL_2", id(bands[1])},
                                           {"TCOOL_1B", "1"},
                                           {"TCOOL_2B", secondBreaks ? "1" : "0"},
                                           {"TCOOL_1W", std::to_string(bands[0]->width())},
                                           {"TCOOL_2W", std::to_string(bands[1]->width())}});
}

void TfrmTori::ClearList() { InitList(false); }

void TfrmTori::InitList(bool rebuildColumns) {
    TListModel* m = lvMain->Model();
    m->Clear();
    if (rebuildColumns) {
        m->SetColumns({"区分", "コード", "名称", "略称", "電話番号", "FAX", "住所１"});
        IniFile ini = AppSettings();
        QList<int> widths;
        for (int i = 0; i < kShownColumns; ++i)
            widths << ini.ReadInteger("PREFORM", "TLIST" + std::to_string(i + 1) + "W", kDefaultWidths[i]);
        lvMain->SetColumnWidths(widths);
        // Telephone, fax and address only carry data for the printout.
        for (int c = kShownColumns; c < kColumns; ++c) lvMain->setColumnHidden(c, true);
    }
    m->SetSortMark(SortColumn);
    UpdatePrintAction();
}

void TfrmTori::UpdatePrintAction() { PrintAct->setEnabled(lvMain->Model()->Count() > 0); }

void TfrmTori::SearchTori(const QString& code, int kbn) {
    WaitCursor wait;
    // The statement runs before the list is emptied, so a failed search
    // leaves the list as it was.
    std::vector<sToriRow> found = ::SearchTori(MainDao(), ToStd(edtFind->text()));
    InitList(false);
    std::vector<ListRow> rows;
    rows.reserve(found.size());
    for (const auto& r : found) {
        ListRow row;
        row.texts = QStringList{ToQ(r.caption), ToQ(r.cd), ToQ(r.name), ToQ(r.rname), ToQ(r.tel), ToQ(r.fax),
                                ToQ(r.adrs1)};
        row.image = r.image;
        rows.push_back(std::move(row));
    }
    TListModel* m = lvMain->Model();
    m->SetRows(std::move(rows));
    sbarPanel1->setText(QStringLiteral("該当件数: %1件　　").arg(m->Count()));
    m->Sort(SortColumn);
    if (!code.isEmpty()) {
        const QString caption = ToQ(ToriCaption(kbn == 1 || kbn == 2 ? kbn : -1));
        for (int i = 0; i < m->Count(); ++i)
            if (m->Row(i).texts[0] == caption && m->Row(i).texts[1] == code) {
                lvMain->SelectRow(i);
                break;
            }
    }
    UpdatePrintAction();
}

void TfrmTori::lvMainColumnClick(int position) {
    SortColumn = NextSortColumn(SortColumn, position);
    lvMain->Model()->Sort(SortColumn);
    lvMain->Model()->SetSortMark(SortColumn);
}

void TfrmTori::lvMainSelectItem() {
    int n = static_cast<int>(lvMain->SelectedRows().size());
    ItemEditAct->setEnabled(n == 1);
    ItemCopyAddAct->setEnabled(n == 1);
    ItemDelAct->setEnabled(n >= 1);
}

QString TfrmTori::RowCode(int row) const { return lvMain->Model()->Row(row).texts[1]; }

int TfrmTori::RowKbn(int row) const { return ToriKbnFromCaption(ToStd(lvMain->Model()->Row(row).texts[0])); }

void TfrmTori::ShowPartnerDialog(int mode, const QString& code, int kbn) {
    QString saved;
    int savedKbn = 0;
    if (EditPartner(mode, code, kbn, &saved, &savedKbn)) SearchTori(saved, savedKbn);
}

void TfrmTori::ItemEdit() {
    QList<int> sel = lvMain->SelectedRows();
    if (sel.size() > 1) {
        Platform().Info(QStringLiteral("一度に指定できる項目はひとつのみです。\n"));
        return;
    }
    if (sel.isEmpty()) {
        Platform().Info(QStringLiteral("編集する項目を選んでください。\n"));
        return;
    }
    QString code = RowCode(sel[0]);
    int kbn = RowKbn(sel[0]);
    ShowPartnerDialog(IsToriUsed(MainDao(), ToStd(code), kbn) ? 1 : 2, code, kbn);
}

void TfrmTori::ItemAdd() { ShowPartnerDialog(0, QString(), -1); }

void TfrmTori::ItemCopyAdd() {
    QList<int> sel = lvMain->SelectedRows();
    if (sel.size() > 1) {
        Platform().Info(QStringLiteral("一度に指定できるｺﾋﾟｰ元項目はひとつのみです。\n"));
        return;
    }
    if (sel.isEmpty()) {
        Platform().Info(QStringLiteral("ｺﾋﾟｰ元項目を選んでください。\n"));
        return;
    }
    ShowPartnerDialog(0, RowCode(sel[0]), RowKbn(sel[0]));
}

void TfrmTori::ItemDel() {
    QList<int> sel = lvMain->SelectedRows();
    if (sel.isEmpty()) {
        Platform().Info(QStringLiteral("削除項目を選んでください。\n"));
        return;
    }
    std::vector<std::pair<std::string, int>> keys;
    bool used = false;
    for (int row : sel) {
        keys.emplace_back(ToStd(RowCode(row)), RowKbn(row));
        if (IsToriUsed(MainDao(), keys.back().first, keys.back().second)) used = true;
    }
    if (used) {
        Platform().Info(QStringLiteral("品目マスタに使用されています。削除できません。\n"));
        return;
    }
    if (!Platform().Question(QStringLiteral("削除してもよろしいですか？"))) return;
    clsPartnerMaster(MainDao()).DeleteTori(keys);
    SearchTori(QString(), -1);
}

void TfrmTori::Print() {
    TListModel* m = lvMain->Model();
    if (m->Count() == 0) {
        Platform().Info(QStringLiteral("検索をしてから、印刷を実行してください。"));
        return;
    }
    frmPrint->InitToriList(m->Count());
    for (int i = 0; i < m->Count(); ++i) {
        const QStringList& t = m->Row(i).texts;
        frmPrint->AddToriLine(t[1], t[0], t[2], t[3], t[4], t[5], t[6]);
    }
    frmPrint->Preview(ReportId::Tori);
}
