#include "ufitem.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

#include "filecommands.h"
#include "fracommon.h"
#include "globals.h"
#include "installpaths.h"
#include "itemsearch.h"
#include "listmodel.h"
#include "listsort.h"
#include "mainsettings.h"
#include "platform.h"
#include "ufiment.h"
#include "ufinpexp.h"
#include "ufmsg.h"
#include "uforder.h"
#include "ufparts.h"
#include "ufprint.h"
#include "ufset.h"
#include "ufsup.h"
#include "uftori.h"
#include "ufversion.h"
#include "winutil.h"

namespace {

// Repainting of a widget suspended for the lifetime of the object (also when
// the work in between ends with an error).
class UpdatesSuspended {
public:
    explicit UpdatesSuspended(QWidget* w) : w_(w) { w_->setUpdatesEnabled(false); }
    ~UpdatesSuspended() { w_->setUpdatesEnabled(true); }
    UpdatesSuspended(const UpdatesSuspended&) = delete;
    UpdatesSuspended& operator=(const UpdatesSuspended&) = delete;

private:
    QWidget* w_;
};

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// A rule that refuses a command gives its message: shown, and true (the
// command stops). The empty text lets the command go on.
bool Refused(const std::string& message) {
    if (message.empty()) return false;
    Platform().Info(ToQ(message));
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction and settings

TfrmItem::TfrmItem(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmItem"));
    Dao = new clsDao();
    setWindowTitle(Q(kDesignCaption));
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    setFont(f);

    BuildActions();
    BuildMenus();
    BuildBands();
    BuildList();
    sMainSettings settings = LoadMainSettings(AppSettings());
    ApplySettings(settings);

    SortColumn = 1;
    InitList(true);
    // A version-1 file is closed again without a message; the caption then
    // names no file.
    if (ReopenAtStart(*Dao, settings.path)) SetCaptionFor(Dao->GetPath());
}

TfrmItem::~TfrmItem() {
    SaveSettings();
    delete Dao;
    Dao = nullptr;
}

QAction* TfrmItem::MakeAction(const QString& caption, int image, bool enabled, void (TfrmItem::*handler)()) {
    auto* a = new QAction(caption, this);
    if (image >= 0) a->setIcon(TframeCommon::ToolbarIcon(image));
    a->setEnabled(enabled);
    connect(a, &QAction::triggered, this, [this, handler] { RunCommand([&] { (this->*handler)(); }); });
    return a;
}

void TfrmItem::BuildActions() {
    FileNewAct = MakeAction(Q("新規作成(&N)"), 12, true, &TfrmItem::FileNewActExecute);
    FileOpenAct = MakeAction(Q("ﾌｧｲﾙを開く(&O)"), 6, true, &TfrmItem::FileOpenActExecute);
    FileSaveAct = MakeAction(Q("名前をつけて保存(&S)"), 5, true, &TfrmItem::FileSaveActExecute);
    FileCompactAct = MakeAction(Q("MDBﾌｧｲﾙ最適化(&C)"), -1, true, &TfrmItem::FileCompactActExecute);
    PrintAct = MakeAction(Q("印刷(&P)"), 3, true, &TfrmItem::PrintActExecute);
    ProgramEndAct = MakeAction(Q("終了(&X)"), 10, true, &TfrmItem::ProgramEndActExecute);
    PartsFormCallAct = MakeAction(Q("構成表(&P)"), 11, false, &TfrmItem::PartsFormCallActExecute);
    ItemEditAct = MakeAction(Q("ｱｲﾃﾑ編集(&E)"), 14, false, &TfrmItem::ItemEditActExecute);
    ItemAddAct = MakeAction(Q("ｱｲﾃﾑ追加(&A)"), 1, true, &TfrmItem::ItemAddActExecute);
    ItemDelAct = MakeAction(Q("ｱｲﾃﾑ削除(&D)"), 13, false, &TfrmItem::ItemDelActExecute);
    ItemCopyAddAct = MakeAction(Q("ｱｲﾃﾑｺﾋﾟｰ追加(&C)"), 8, false, &TfrmItem::ItemCopyAddActExecute);
    KankyoSetAct = MakeAction(Q("環境設定(&S)"), 18, true, &TfrmItem::KankyoSetActExecute);
    TMastaSetAct = MakeAction(Q("取引先設定(&T)"), 19, true, &TfrmItem::TMastaSetActExecute);
    OrderAct = MakeAction(Q("生産計画(&O)"), 20, true, &TfrmItem::OrderActExecute);
    SupAct = MakeAction(Q("発注支援(&S)"), 21, true, &TfrmItem::SupActExecute);
    ImportFileAct = MakeAction(Q("ｲﾝﾎﾟｰﾄ(&I)"), 16, true, &TfrmItem::ImportFileActExecute);
    ExportFileAct = MakeAction(Q("ｴｸｽﾎﾟｰﾄ(&E)"), 17, true, &TfrmItem::ExportFileActExecute);
    HelpAct = MakeAction(Q("ヘルプ(&H)"), 9, true, &TfrmItem::HelpActExecute);
    VersionDspAct = MakeAction(Q("ﾊﾞｰｼﾞｮﾝ情報(&A)"), -1, true, &TfrmItem::VersionDspActExecute);
    ItemListFindAct = MakeAction(Q("検索(&S)"), 0, true, &TfrmItem::ItemListFindActExecute);
    ItemListFindAct->setToolTip(Q("検索"));
}

void TfrmItem::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(Q("ﾌｧｲﾙ(&F)"));
    file->addActions({FileNewAct, FileOpenAct, FileSaveAct});
    file->addSeparator();
    file->addAction(FileCompactAct);
    file->addSeparator();
    file->addAction(PrintAct);
    file->addSeparator();
    file->addAction(ProgramEndAct);

    QMenu* edit = bar->addMenu(Q("編集(&E)"));
    edit->addAction(PartsFormCallAct);
    edit->addSeparator();
    edit->addActions({ItemEditAct, ItemAddAct, ItemDelAct, ItemCopyAddAct});

    QMenu* tools = bar->addMenu(Q("ﾂｰﾙ(&T)"));
    tools->addActions({KankyoSetAct, TMastaSetAct, OrderAct, SupAct});
    tools->addSeparator();
    tools->addActions({ImportFileAct, ExportFileAct});

    QMenu* help = bar->addMenu(Q("ﾍﾙﾌﾟ(&H)"));
    help->addAction(HelpAct);
    help->addSeparator();
    help->addAction(VersionDspAct);

    mnuListView = new QMenu(this);
    mnuListView->setObjectName(QStringLiteral("mnuListView"));
    mnuListView->addActions({ItemAddAct, ItemCopyAddAct, ItemEditAct, ItemDelAct});
    mnuListView->addSeparator();
    mnuListView->addAction(PartsFormCallAct);
}

void TfrmItem::BuildBands() {
    tbarTool = new TCoolBand(Q("ｺﾏﾝﾄﾞ"), kToolBandDesignWidth, this);
    tbarTool->setObjectName(QStringLiteral("tbarTool"));
    tbarTool->setMinimumSize(300, 31);
    struct Button {
        QAction* action;  // nullptr: separator
        const char* hint;
    };
    const Button buttons[] = {
        {ProgramEndAct, "終了"},        {PrintAct, "印刷"},         {nullptr, nullptr},
        {PartsFormCallAct, "構成表"},   {nullptr, nullptr},         {ItemEditAct, "ｱｲﾃﾑ編集"},
        {ItemAddAct, "ｱｲﾃﾑ追加"},       {ItemDelAct, "ｱｲﾃﾑ削除"},   {ItemCopyAddAct, "ｱｲﾃﾑｺﾋﾟｰして追加"},
        {nullptr, nullptr},             {KankyoSetAct, "環境設定"}, {TMastaSetAct, "取引先設定"},
        {OrderAct, "生産計画"},         {SupAct, "発注支援"},       {nullptr, nullptr},
        {HelpAct, "ヘルプ"},
    };
    for (const auto& b : buttons) {
        if (!b.action) {
            tbarTool->addSeparator();
            continue;
        }
        // The hint is the action's tool tip; menus do not show it.
        b.action->setToolTip(Q(b.hint));
        tbarTool->addAction(b.action);
        if (QWidget* w = tbarTool->widgetForAction(b.action)) w->setFixedWidth(25);
    }

    pnlSearch = new TCoolBand(Q("検索"), kSearchBandDesignWidth, this);
    pnlSearch->setObjectName(QStringLiteral("pnlSearch"));
    pnlSearch->setMinimumHeight(29);
    edtFind = new QLineEdit(pnlSearch);
    edtFind->setObjectName(QStringLiteral("edtFind"));
    edtFind->setMinimumWidth(60);
    edtFind->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    pnlSearch->addWidget(edtFind);
    auto makeCheck = [&](const char* caption, const char* name) {
        auto* c = new QCheckBox(Q(caption), pnlSearch);
        c->setObjectName(QString::fromLatin1(name));
        pnlSearch->addWidget(c);
        return c;
    };
    chkSet = makeCheck("ｾｯﾄ", "chkSet");
    chkHontai = makeCheck("本体", "chkHontai");
    chkUnit = makeCheck("ﾕﾆｯﾄ", "chkUnit");
    chkParts = makeCheck("ﾊﾟｰﾂ", "chkParts");
    btnFind = new QToolButton(pnlSearch);
    btnFind->setObjectName(QStringLiteral("btnFind"));
    btnFind->setDefaultAction(ItemListFindAct);
    btnFind->setToolButtonStyle(Qt::ToolButtonIconOnly);
    btnFind->setFixedWidth(25);
    pnlSearch->addWidget(btnFind);
}

void TfrmItem::BuildList() {
    lvMain = new TListView(this);
    lvMain->setObjectName(QStringLiteral("lvMain"));
    // The selection stays visible when the list loses the focus.
    QPalette p = lvMain->palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    lvMain->setPalette(p);
    lvMain->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lvMain, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { mnuListView->popup(lvMain->viewport()->mapToGlobal(pos)); });
    connect(lvMain, &TListView::columnClicked, this, [this](int position) { lvMainColumnClick(position); });
    connect(lvMain, &TListView::selectionChangedRows, this, [this] { lvMainSelectItem(); });
    setCentralWidget(lvMain);

    sbarPanel0 = new QLabel(this);
    sbarPanel0->setFixedWidth(200);
    sbarPanel1 = new QLabel(this);
    sbarPanel1->setObjectName(QStringLiteral("sbarPanel1"));
    sbarPanel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar()->setObjectName(QStringLiteral("sbarMain"));
    statusBar()->addWidget(sbarPanel0);
    statusBar()->addWidget(sbarPanel1, 1);
    statusBar()->setSizeGripEnabled(true);
}

void TfrmItem::ApplySettings(const sMainSettings& s) {
    chkHontai->setChecked(s.chkBody);
    chkUnit->setChecked(s.chkUnit);
    chkParts->setChecked(s.chkParts);
    chkSet->setChecked(s.chkSet);
    // The first band always begins a row, so COOL_1B changes nothing.
    ArrangeBands(this, s.toolBarFirst ? tbarTool : pnlSearch, s.toolBarFirst ? pnlSearch : tbarTool, s.break2,
                 s.width1, s.width2);
    LoadFormGeometry(this, QStringLiteral("FM_"), kMainDesignWidth, kMainDesignHeight);
}

bool TfrmItem::SaveSettings() {
    sMainSettings s;
    s.path = Dao ? Dao->GetPath() : std::string();
    s.chkBody = chkHontai->isChecked();
    s.chkUnit = chkUnit->isChecked();
    s.chkParts = chkParts->isChecked();
    s.chkSet = chkSet->isChecked();
    TCoolBand* first = nullptr;
    TCoolBand* second = nullptr;
    BandLayout(this, tbarTool, pnlSearch, &first, &second, &s.break2);
    s.toolBarFirst = first == tbarTool;
    s.break1 = true;
    s.width1 = first->width();
    s.width2 = second->width();
    QList<int> widths = lvMain->ColumnWidths();
    for (int i = 0; i < 4 && i < widths.size(); ++i) s.columns[i] = widths[i];
    return SaveSettingsAtExit([&] {
        IniFile ini = AppSettings();
        SaveMainSettings(ini, s);
        SaveFormGeometry(this, QStringLiteral("FM_"));
    });
}

// ---------------------------------------------------------------------------
// The list

void TfrmItem::InitList(bool rebuildColumns) {
    TListModel* m = lvMain->Model();
    m->Clear();
    if (rebuildColumns) {
        m->SetColumns({Q("品番"), Q("通称名"), Q("形態"), Q("規格")});
        auto w = LoadListColumnWidths(AppSettings());
        lvMain->SetColumnWidths({w[0], w[1], w[2], w[3]});
    }
    m->SetSortMark(SortColumn);
    UpdatePrintAction();
}

void TfrmItem::SearchItem(const QString& selectCode) {
    std::vector<int> categories =
        CheckedCategories(chkHontai->isChecked(), chkUnit->isChecked(), chkParts->isChecked(), chkSet->isChecked());
    if (categories.empty()) {
        Platform().Info(Q(kMsgNoCategory));
        return;
    }
    InitList(false);
    // A search that ends with an engine error leaves an empty list without a
    // count; the cursor and the painting come back on their own.
    sbarPanel1->clear();
    {
        WaitCursor wait;
        UpdatesSuspended suspended(lvMain);
        std::vector<sItemRow> found = RunItemSearch(Dao->GetDatabase(), ItemSearchSql(categories, ToStd(edtFind->text())));
        sbarPanel1->setText(ToQ(HitCountText(static_cast<long long>(found.size()))));
        // Sorted once, before the rows go into the list.
        SortItemRows(found, SortColumn);
        std::vector<ListRow> rows;
        rows.reserve(found.size());
        for (auto& r : found) {
            ListRow row;
            row.texts = QStringList{ToQ(r.cd), ToQ(r.name), ToQ(r.keitai), ToQ(r.kikaku)};
            row.image = r.image;
            rows.push_back(std::move(row));
        }
        lvMain->Model()->SetRows(std::move(rows));
    }
    if (!selectCode.isEmpty()) {
        for (int i = 0; i < lvMain->Model()->Count(); ++i) {
            if (lvMain->Model()->Row(i).texts.value(0) == selectCode) {
                lvMain->SelectRow(i);
                break;
            }
        }
    }
    UpdatePrintAction();
}

void TfrmItem::UpdatePrintAction() { PrintAct->setEnabled(lvMain->Model()->Count() > 0); }

void TfrmItem::lvMainColumnClick(int position) {
    SortColumn = NextSortColumn(SortColumn, position);
    lvMain->Model()->Sort(SortColumn);
    lvMain->Model()->SetSortMark(SortColumn);
}

void TfrmItem::lvMainSelectItem() {
    std::vector<int> images;
    for (int r : lvMain->SelectedRows()) images.push_back(lvMain->Model()->Row(r).image);
    sItemActionState s = ItemActionState(images);
    ItemEditAct->setEnabled(s.edit);
    ItemDelAct->setEnabled(s.edit);
    ItemCopyAddAct->setEnabled(s.edit);
    PartsFormCallAct->setEnabled(s.parts);
}

std::vector<sItemRow> TfrmItem::SelectedItems() const {
    std::vector<sItemRow> out;
    for (int r : lvMain->SelectedRows()) {
        const ListRow& row = lvMain->Model()->Row(r);
        sItemRow item;
        item.cd = ToStd(row.texts.value(0));
        item.name = ToStd(row.texts.value(1));
        item.keitai = ToStd(row.texts.value(2));
        item.kikaku = ToStd(row.texts.value(3));
        item.image = row.image;
        out.push_back(std::move(item));
    }
    return out;
}

// ---------------------------------------------------------------------------
// Data file commands

bool TfrmItem::HasDataFile(bool search) {
    if (Dao->GetPath().empty()) {
        Platform().Info(ToQ(NoDataFileMessage(search)));
        return false;
    }
    if (DataFileMissing(*Dao)) {
        // Working on a file that is gone would write into nothing: drop it.
        Platform().Info(ToQ(MissingDataFileMessage(Dao->GetPath())));
        Dao->Close();
        FileLost();
        return false;
    }
    return true;
}

void TfrmItem::SetCaptionFor(const std::string& path) { setWindowTitle(ToQ(DataFileCaption(path))); }

void TfrmItem::FileLost() {
    setWindowTitle(Q(kDesignCaption));
    InitList(false);
}

namespace {

FileDialogOptions DataFileDialog(const char* title, bool save) {
    FileDialogOptions o;
    o.title = Q(title);
    o.filter = Q(kDataFileFilter);
    o.defaultExt = save ? QStringLiteral("mdb") : QString();
    o.overwritePrompt = save;
    o.mustExist = !save;
    return o;
}

// The save dialog of 新規作成 and 名前をつけて保存: the chosen name, or "" when
// cancelled or when the file may not be written over (the dialog refuses
// read-only files).
std::string AskTargetFile(const char* title) {
    QString name = Platform().SaveFileName(DataFileDialog(title, true));
    if (name.isEmpty()) return std::string();
    std::string n = ToStd(name);
    return Refused(TargetFileMessage(n)) ? std::string() : n;
}

}  // namespace

void TfrmItem::FileNewActExecute() {
    std::string n = AskTargetFile("新規作成");
    if (n.empty()) return;
    if (NewDataFile(*Dao, n)) {
        InitList(false);
        SetCaptionFor(n);
    } else {
        FileLost();
    }
}

void TfrmItem::FileOpenActExecute() {
    QString name = Platform().OpenFileName(DataFileDialog("ﾌｧｲﾙを開く", false));
    if (name.isEmpty()) return;
    std::string n = ToStd(name);
    bool hadFile = !Dao->GetPath().empty();
    switch (OpenDataFile(*Dao, n)) {
        case OpenResult::Opened:
            InitList(false);
            SetCaptionFor(n);
            return;
        case OpenResult::OldVersion:
            Platform().Info(Q(kMsgOldVersion));
            break;
        case OpenResult::Failed: break;
    }
    if (hadFile && Dao->GetPath().empty()) FileLost();
}

void TfrmItem::FileSaveActExecute() {
    // With no file open there is nothing to copy.
    if (!HasDataFile(false)) return;
    std::string n = AskTargetFile("名前をつけて保存");
    if (n.empty()) return;
    std::string error;
    switch (SaveDataFileAs(*Dao, n, &error)) {
        case SaveAsResult::Saved: SetCaptionFor(n); return;
        case SaveAsResult::CopyFailed:
            Platform().Info(ToQ(n + " に保存できませんでした。\n(" + error + ")\n"));
            break;
        case SaveAsResult::OpenFailed: break;
    }
    if (Dao->GetPath().empty()) FileLost();
}

void TfrmItem::FileCompactActExecute() {
    if (!HasDataFile(true)) return;
    if (DataFileReadOnly(*Dao)) {
        Platform().Info(Q(kMsgCompactReadOnly));
        return;
    }
    if (!Platform().Question(Q(kMsgCompactQuestion))) return;
    {
        WaitCursor wait;
        CompactDataFile(*Dao);
    }
    if (Dao->GetPath().empty()) {
        FileLost();
        return;
    }
    Platform().Info(Q(kMsgCompactDone));
}

// ---------------------------------------------------------------------------
// Item commands

void TfrmItem::ItemListFindActExecute() {
    if (!HasDataFile(true)) return;
    SearchItem(QString());
}

void TfrmItem::PartsFormCallActExecute() {
    if (!HasDataFile(false)) return;
    std::vector<sItemRow> rows = SelectedItems();
    if (Refused(SelectionMessage(ItemCommand::PartsForm, static_cast<int>(rows.size())))) return;
    int n = static_cast<int>(rows.size());
    frmParts->CdListInit(n);
    for (int k = 1; k <= n; ++k) frmParts->CdListAdd(k, ToQ(rows[static_cast<size_t>(k - 1)].cd));
    {
        WaitCursor wait;
        frmParts->LoadStructure();
    }
    frmParts->repaint();
    Platform().ShowModal(frmParts);
}

void TfrmItem::EditItem(int mode, const QString& code) {
    frmMasItem->SetMode(mode);
    frmMasItem->Prepare(code);
    Platform().ShowModal(frmMasItem);
    if (!frmMasItem->IsCancelled()) SearchItem(frmMasItem->GetCode());
}

void TfrmItem::ItemEditActExecute() {
    if (!HasDataFile(false)) return;
    std::vector<sItemRow> rows = SelectedItems();
    if (Refused(SelectionMessage(ItemCommand::Edit, static_cast<int>(rows.size())))) return;
    const std::string& code = rows.front().cd;
    EditItem(UsedInStructure(Dao->GetDatabase(), code) ? 1 : 3, ToQ(code));
}

void TfrmItem::ItemAddActExecute() {
    if (!HasDataFile(false)) return;
    EditItem(0, QString());
}

void TfrmItem::ItemCopyAddActExecute() {
    if (!HasDataFile(false)) return;
    std::vector<sItemRow> rows = SelectedItems();
    if (Refused(SelectionMessage(ItemCommand::CopyAdd, static_cast<int>(rows.size())))) return;
    EditItem(0, ToQ(rows.front().cd));
}

void TfrmItem::ItemDelActExecute() { DeleteItems(); }

void TfrmItem::DeleteItems() {
    if (!HasDataFile(false)) return;
    std::vector<sItemRow> rows = SelectedItems();
    if (Refused(SelectionMessage(ItemCommand::Delete, static_cast<int>(rows.size())))) return;
    for (const auto& r : rows) {
        if (UsedInStructure(Dao->GetDatabase(), r.cd)) {
            Platform().Info(Q(kMsgUsedInStructure));
            return;
        }
    }
    sDeleteQuestion q = DeleteQuestion(rows);
    frmMsg->lbl01->setText(ToQ(q.lbl01));
    frmMsg->lbl02->setText(ToQ(q.lbl02));
    frmMsg->lbl03->setText(ToQ(q.lbl03));
    frmMsg->SetAnswer(0);
    Platform().ShowModal(frmMsg);
    if (frmMsg->GetAnswer() != 1) return;
    std::vector<std::string> codes;
    for (const auto& r : rows) codes.push_back(r.cd);
    // All or none; a refused deletion (read-only file) leaves the list as it is.
    if (DeleteItemRecords(*Dao, codes) == 0) SearchItem(QString());
}

void TfrmItem::PrintActExecute() {
    int n = lvMain->Model()->Count();
    if (n == 0) {
        Platform().Info(Q(kMsgPrintFirstSearch));
        return;
    }
    std::vector<sItemRow> rows;
    rows.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const ListRow& row = lvMain->Model()->Row(i);
        rows.push_back({ToStd(row.texts.value(0)), ToStd(row.texts.value(1)), ToStd(row.texts.value(2)),
                        ToStd(row.texts.value(3)), row.image});
    }
    frmPrint->InitItemList(n);
    for (const auto& l : ItemListLines(rows)) frmPrint->AddItemLine(ToQ(l[0]), ToQ(l[1]), ToQ(l[2]), ToQ(l[3]), ToQ(l[4]));
    frmPrint->Preview(ReportId::Item);
}

// ---------------------------------------------------------------------------
// Other windows

void TfrmItem::KankyoSetActExecute() {
    frmSet->LoadSettings();
    Platform().ShowModal(frmSet);
}

void TfrmItem::TMastaSetActExecute() {
    frmTori->ClearList();
    Platform().ShowModal(frmTori);
}

void TfrmItem::OrderActExecute() {
    if (!HasDataFile(false)) return;
    frmOrder->ResetWindow();
    Platform().ShowModal(frmOrder);
    frmOrder->SaveGridWidths();
}

void TfrmItem::SupActExecute() {
    if (!HasDataFile(false)) return;
    frmSup->ResetWindow();
    Platform().ShowModal(frmSup);
    frmSup->SaveGridWidths();
}

void TfrmItem::RunInpExp(int mode) {
    // The CSV dialog opens the data file with a connection of its own.
    std::string path = Dao->GetPath();
    if (!path.empty()) Dao->Close();
    struct Reopen {
        TfrmItem* w;
        std::string path;
        ~Reopen() {
            if (!path.empty() && w->Dao->OpenDatabase(path) != 0) w->FileLost();
        }
    } reopen{this, path};
    frmInpExp->SetMode(mode);
    frmInpExp->Prepare();
    Platform().ShowModal(frmInpExp);
}

void TfrmItem::ImportFileActExecute() { RunInpExp(0); }
void TfrmItem::ExportFileActExecute() { RunInpExp(1); }

void TfrmItem::HelpActExecute() { Platform().ShellOpen(ToQ(HelpPagePath())); }

void TfrmItem::VersionDspActExecute() { Platform().ShowModal(frmVersion); }

void TfrmItem::ProgramEndActExecute() { close(); }
