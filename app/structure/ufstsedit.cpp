#include "ufstsedit.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <memory>

#include "globals.h"
#include "listmodel.h"
#include "masterwrite.h"
#include "platform.h"
#include "settings.h"
#include "ucommon.h"
#include "udaors.h"
#include "ufparts.h"
#include "usersettings.h"
#include "verror.h"
#include "windowcalls.h"
#include "winutil.h"

namespace {
const int kWidth = 520;
const int kAddHeight = 394;
const int kEditHeight = 185;
}  // namespace

TfrmStrEdit::TfrmStrEdit(QWidget* parent) : QDialog(parent) {
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    setWindowTitle(QStringLiteral("構成編集"));

    actSearch = new QAction(QStringLiteral("検索(&S)"), this);
    actOk = new QAction(QStringLiteral("OK"), this);
    connect(actSearch, &QAction::triggered, this, [this] { RunCommand([this] { SearchItems(); }); });
    connect(actOk, &QAction::triggered, this, [this] { RunCommand([this] { SaveLine(); }); });

    // Search panel.
    pnlT = new QWidget(this);
    edtFind = new QLineEdit(pnlT);
    chkHontai = new QCheckBox(QStringLiteral("本体"), pnlT);
    chkUnit = new QCheckBox(QStringLiteral("ﾕﾆｯﾄ"), pnlT);
    chkParts = new QCheckBox(QStringLiteral("ﾊﾟｰﾂ"), pnlT);
    btnFind = new QPushButton(actSearch->text(), pnlT);
    btnFind->setAutoDefault(false);
    connect(btnFind, &QPushButton::clicked, actSearch, &QAction::trigger);
    lvMain = new TListView(pnlT);
    lvMain->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(lvMain, &TListView::selectionChangedRows, this, [this] { RunCommand([this] { lvMainSelectItem(); }); });
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(new QLabel(QStringLiteral("品番"), pnlT));
    findRow->addWidget(edtFind, 1);
    findRow->addWidget(chkHontai);
    findRow->addWidget(chkUnit);
    findRow->addWidget(chkParts);
    findRow->addWidget(btnFind);
    auto* top = new QVBoxLayout(pnlT);
    top->setContentsMargins(8, 8, 8, 0);
    top->addLayout(findRow);
    top->addWidget(lvMain, 1);

    // Edit panel.
    pnlE = new QWidget(this);
    edtCd = new QLineEdit(pnlE);
    edtCd->setReadOnly(true);
    edtCd->setFocusPolicy(Qt::NoFocus);
    edtCd->setAttribute(Qt::WA_InputMethodEnabled, false);
    numInzu = new QLineEdit(pnlE);
    numInzu->setMaxLength(4);
    numInzu->setAlignment(Qt::AlignRight);
    numInzu->setAttribute(Qt::WA_InputMethodEnabled, false);
    numInzu->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), numInzu));
    chkKanri = new QCheckBox(QStringLiteral("管理対象"), pnlE);
    chkChk = new QCheckBox(QStringLiteral("チェック済"), pnlE);
    btnOK = new QPushButton(QStringLiteral("OK"), pnlE);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, actOk, &QAction::trigger);
    btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), pnlE);
    btnCancel->setAutoDefault(false);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* grid = new QGridLayout(pnlE);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->addWidget(new QLabel(QStringLiteral("品番"), pnlE), 0, 0);
    grid->addWidget(edtCd, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("員数"), pnlE), 1, 0);
    grid->addWidget(numInzu, 1, 1);
    grid->addWidget(chkKanri, 1, 2);
    grid->addWidget(chkChk, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 2, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    numInzu->setMaximumWidth(80);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pnlT, 1);
    layout->addWidget(pnlE);
    setFixedSize(kWidth, kAddHeight);
}

void TfrmStrEdit::SetResultColumns() {
    lvMain->Model()->Clear();
    lvMain->Model()->SetColumns(
        {QStringLiteral("品番"), QStringLiteral("通称名"), QStringLiteral("形態"), QStringLiteral("規格")});
    lvMain->SetColumnWidths({250, 200, 200, 200});
}

void TfrmStrEdit::Prepare(const QString& parent, const QString& child, int parentKbn) {
    Cancelled = 1;
    ParentCode = parent;
    ChildCode = child;
    ParentKbn = parentKbn;

    numInzu->clear();
    chkKanri->setChecked(false);
    chkChk->setChecked(false);
    SetResultColumns();
    edtCd->clear();
    edtFind->clear();

    IniFile ini = AppSettings();
    chkHontai->setVisible(true);
    chkHontai->setChecked(ini.ReadCheck("PREFORM", "CHKS_BODY_STR"));
    chkUnit->setChecked(ini.ReadCheck("PREFORM", "CHKS_UNIT_STR"));
    chkParts->setChecked(ini.ReadCheck("PREFORM", "CHKS_PARTS_STR"));
    // Bodies are added below a set only; sets are never offered.
    if (parentKbn != 3) {
        chkHontai->setChecked(false);
        chkHontai->setVisible(false);
    }

    bool add = Mode == 0;
    for (QWidget* w : std::initializer_list<QWidget*>{edtCd, lvMain, chkHontai, chkUnit, chkParts, btnFind, edtFind})
        w->setEnabled(add);
    pnlT->setVisible(add);
    setFixedSize(kWidth, add ? kAddHeight : kEditHeight);
    setWindowTitle(add ? QStringLiteral("親[") + parent + QStringLiteral("] に追加")
                       : QStringLiteral("親[") + parent + QStringLiteral("] 子[") + child + QStringLiteral("] の編集"));
    LoadLine(parent, child);
    if (MainWindow()) CenterWindow(this);
    (add ? static_cast<QWidget*>(edtFind) : numInzu)->setFocus();
}

void TfrmStrEdit::LoadLine(const QString& parent, const QString& child) {
    clsDaoRs rs(MainDao().GetDatabase());
    rs.OpenRecordset("SELECT * FROM iStruct WHERE CD1 = '" + SqlEsc(ToStd(parent)) + "' AND CD2 = '" +
                     SqlEsc(ToStd(child)) + "'");
    if (!rs.IsEOF()) {
        edtCd->setText(ToQ(rs.Text("CD2")));
        numInzu->setText(QString::number(rs.Int("INZU")));
        chkKanri->setChecked(rs.Int("KFLG") == 1);
        chkChk->setChecked(rs.Int("CFLG") == 1);
    }
    rs.Close();
}

void TfrmStrEdit::SearchItems() {
    if (!chkHontai->isChecked() && !chkUnit->isChecked() && !chkParts->isChecked()) {
        Platform().Info(QStringLiteral("検索する区分(本体/ﾕﾆｯﾄ/ﾊﾟｰﾂ)を選択してください。\n"));
        return;
    }
    SetResultColumns();
    WaitCursor wait;
    QStringList kinds;
    if (chkHontai->isChecked()) kinds << QStringLiteral("2");
    if (chkUnit->isChecked()) kinds << QStringLiteral("1");
    if (chkParts->isChecked()) kinds << QStringLiteral("0");
    std::string sql = "SELECT * FROM MasItem WHERE KBN IN (" + ToStd(kinds.join(',')) + ")";
    std::string find = ToStd(edtFind->text());
    if (!Trim(find).empty()) sql += " AND CD LIKE '" + SqlEsc(find) + "*'";
    sql += " ORDER BY CD";

    std::vector<ListRow> rows;
    clsDaoRs rs(MainDao().GetDatabase());
    rs.OpenRecordset(sql);
    while (!rs.IsEOF()) {
        ListRow r;
        int kbn = static_cast<int>(rs.Int("KBN"));
        r.image = kbn == 0 ? 2 : kbn == 1 ? 1 : kbn == 2 ? 0 : -1;
        r.texts = {ToQ(rs.Text("CD")), ToQ(rs.Text("NAME")), ToQ(rs.Text("KEITAI")), ToQ(rs.Text("KIKAKU"))};
        rows.push_back(std::move(r));
        rs.MoveRecord(0);
    }
    rs.Close();
    lvMain->Model()->SetRows(std::move(rows));
}

void TfrmStrEdit::lvMainSelectItem() {
    QList<int> rows = lvMain->SelectedRows();
    edtCd->setText(rows.isEmpty() ? QString() : lvMain->Model()->Row(rows.first()).texts[0]);
}

void TfrmStrEdit::SaveLine() {
    std::string code = Trim(ToStd(edtCd->text()));
    if (code.empty()) {
        Platform().Info(QStringLiteral("品番を入力してください。"));
        return;
    }
    std::string refused = FieldTextsMessage(MainDao(), "iStruct", {{"CD2", "品番", code}});
    if (!refused.empty()) {
        Platform().Info(ToQ(refused));
        return;
    }
    // The new child must not be the parent or lie above it: neither in the
    // lines the structure window holds nor in the file (an item outside the
    // opened structure that holds the parent closes a loop just the same).
    std::string parent = ToStd(ParentCode);
    if (frmParts->IsAncestorOrSelf(ParentCode, ToQ(code)) == 1 ||
        frmParts->Structure().ReachesInFile(code, parent)) {
        Platform().Info(QStringLiteral("構成がループになるので、登録できません。"));
        return;
    }
    long long quantity = 0;
    std::string qtext = Trim(ToStd(numInzu->text()));
    if (!qtext.empty()) {
        auto q = ParseInt(qtext);
        if (!q) throw ConvertError("'" + qtext + "' は整数に変換できません。");
        quantity = *q;
    }

    auto rs = std::make_unique<clsDaoRs>(MainDao().GetDatabase());
    rs->OpenRecordset("SELECT * FROM iStruct WHERE CD1 = '" + SqlEsc(parent) + "' AND CD2 = '" +
                      SqlEsc(ToStd(ChildCode)) + "'");
    rs->EditMode(rs->IsEOF() ? 0 : 1);
    rs->SetField("CD1", parent);
    rs->SetField("CD2", code);
    rs->SetField("INZU", quantity);
    rs->SetField("KFLG", chkKanri->isChecked() ? 1 : 0);
    rs->SetField("CFLG", chkChk->isChecked() ? 1 : 0);
    rs->EditMode(2);  // a second line of the same parent and child is refused here
    rs->Close();

    ChildCode = ToQ(code);
    Cancelled = 0;
    MarkProcurementChanged();
    accept();
}

void TfrmStrEdit::done(int r) {
    // FormClose: the category boxes as they were left (a hidden body box is
    // unchecked).
    RunCommand([this] {
        AppSettings().WriteStrings("PREFORM", {{"CHKS_BODY_STR", chkHontai->isChecked() ? "1" : "0"},
                                               {"CHKS_UNIT_STR", chkUnit->isChecked() ? "1" : "0"},
                                               {"CHKS_PARTS_STR", chkParts->isChecked() ? "1" : "0"}});
    });
    QDialog::done(r);
}
