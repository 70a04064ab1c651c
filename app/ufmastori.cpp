#include "ufmastori.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "globals.h"
#include "platform.h"
#include "ufitem.h"
#include "winutil.h"

namespace {

QGridLayout* PageGrid(QWidget* page) {
    auto* g = new QGridLayout(page);
    g->setContentsMargins(14, 12, 14, 12);
    g->setHorizontalSpacing(10);
    g->setVerticalSpacing(7);
    g->setColumnMinimumWidth(0, 90);
    return g;
}

// A row of a caption and one or more controls, separated by dashes when
// they are the parts of a composite field.
void AddRow(QGridLayout* g, int row, const QString& caption, QList<QWidget*> fields, bool dashes = false) {
    QWidget* page = g->parentWidget();
    g->addWidget(new QLabel(caption, page), row, 0);
    auto* h = new QHBoxLayout;
    h->setSpacing(4);
    for (int i = 0; i < fields.size(); ++i) {
        if (i && dashes) h->addWidget(new QLabel(QStringLiteral("－"), page));
        h->addWidget(fields[i]);
    }
    h->addStretch(1);
    g->addLayout(h, row, 1);
}

QLineEdit* Edit(QWidget* page, int maxLength, int width, ImeMode ime = ImeMode::Default) {
    QLineEdit* e = NewEdit(page, maxLength, ime);
    e->setFixedWidth(width);
    return e;
}

QLineEdit* Digits(QWidget* page, int maxLength) {
    QLineEdit* e = NewEdit(page, maxLength, ImeMode::Digits);
    SetDigitsOnly(e);
    e->setFixedWidth(14 + 9 * maxLength);
    return e;
}

clsDao& MainDao() { return *frmItem->Dao; }

}  // namespace

TfrmMasTori::TfrmMasTori(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("取引先 [追加]"));
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 6);
    pgcMain = new QTabWidget(this);
    root->addWidget(pgcMain);

    auto* pgBasic = new QWidget;
    auto* g = PageGrid(pgBasic);
    edtCd = Edit(pgBasic, 10, 110, ImeMode::Off);
    rgKBN = new TRadioGroup(QStringLiteral("区分"), {"仕入先", "払出先(外注)"}, 2, pgBasic);
    edtName = Edit(pgBasic, 32, 300, ImeMode::Hiragana);
    edtRname = Edit(pgBasic, 20, 200, ImeMode::Hiragana);
    edtKana = Edit(pgBasic, 10, 110, ImeMode::HalfKatakana);
    int r = 0;
    AddRow(g, r++, QStringLiteral("コード"), {edtCd});
    g->addWidget(rgKBN, r++, 0, 1, 2);
    AddRow(g, r++, QStringLiteral("名称"), {edtName});
    AddRow(g, r++, QStringLiteral("略名"), {edtRname});
    AddRow(g, r++, QStringLiteral("検索名"), {edtKana});
    g->setRowStretch(r, 1);
    pgcMain->addTab(pgBasic, QStringLiteral("基本情報"));

    auto* pgDetail = new QWidget;
    g = PageGrid(pgDetail);
    numYubin1 = Digits(pgDetail, 3);
    numYubin2 = Digits(pgDetail, 4);
    edtAdrs1 = Edit(pgDetail, 32, 300, ImeMode::Hiragana);
    edtAdrs2 = Edit(pgDetail, 32, 300, ImeMode::Hiragana);
    edtAdrs3 = Edit(pgDetail, 20, 200, ImeMode::Hiragana);
    numTel1 = Digits(pgDetail, 4);
    numTel2 = Digits(pgDetail, 4);
    numTel3 = Digits(pgDetail, 5);
    numTelkensaku = Digits(pgDetail, 4);
    numFax1 = Digits(pgDetail, 4);
    numFax2 = Digits(pgDetail, 4);
    numFax3 = Digits(pgDetail, 5);
    edtDaihyosha = Edit(pgDetail, 20, 200, ImeMode::Hiragana);
    edtMadoguchi = Edit(pgDetail, 20, 200, ImeMode::Hiragana);
    r = 0;
    AddRow(g, r++, QStringLiteral("郵便番号"), {numYubin1, numYubin2}, true);
    AddRow(g, r++, QStringLiteral("住所１"), {edtAdrs1});
    AddRow(g, r++, QStringLiteral("住所２"), {edtAdrs2});
    AddRow(g, r++, QStringLiteral("住所３"), {edtAdrs3});
    AddRow(g, r++, QStringLiteral("電話番号"), {numTel1, numTel2, numTel3}, true);
    AddRow(g, r++, QStringLiteral("検索電話番号"), {numTelkensaku});
    AddRow(g, r++, QStringLiteral("FAX番号"), {numFax1, numFax2, numFax3}, true);
    AddRow(g, r++, QStringLiteral("代表者名"), {edtDaihyosha});
    AddRow(g, r++, QStringLiteral("窓口担当者名"), {edtMadoguchi});
    g->setRowStretch(r, 1);
    pgcMain->addTab(pgDetail, QStringLiteral("詳細"));

    auto* bottom = new QHBoxLayout;
    lblKou = new QLabel(this);
    QFont bold = lblKou->font();
    bold.setBold(true);
    lblKou->setFont(bold);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    bottom->addWidget(lblKou, 1);
    bottom->addWidget(btnOK);
    bottom->addWidget(btnCancel);
    root->addLayout(bottom);
    connect(btnOK, &QPushButton::clicked, this, [this] {
        RunCommand([this] {
            if (SaveTori() == 0) accept();
        });
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    rgKBN->SetItemIndex(0);
    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));
    position_.Load(this);
}

TfrmMasTori::~TfrmMasTori() { position_.Save(); }

void TfrmMasTori::showEvent(QShowEvent* e) {
    position_.Shown(this);
    QDialog::showEvent(e);
}

void TfrmMasTori::moveEvent(QMoveEvent* e) {
    position_.Moved(this);
    QDialog::moveEvent(e);
}

QList<QLineEdit*> TfrmMasTori::Edits() const {
    return {edtCd,   edtName, edtRname, edtKana,       numYubin1, numYubin2, edtAdrs1,     edtAdrs2,    edtAdrs3,
            numTel1, numTel2, numTel3,  numTelkensaku, numFax1,   numFax2,   numFax3,      edtDaihyosha, edtMadoguchi};
}

void TfrmMasTori::Prepare(const QString& code, int kbn) {
    Cancelled = true;
    Code = code;
    Kbn = kbn;
    pgcMain->setCurrentIndex(0);
    lblKou->setText(Mode == 1 ? QStringLiteral("この取引先は品目マスタに使用されています") : QString());
    for (QLineEdit* e : Edits()) ClearEdit(e);
    rgKBN->SetItemIndex(0);
    if (!code.isEmpty()) LoadTori(code, kbn);
    edtCd->setEnabled(Mode != 1);
    rgKBN->setEnabled(Mode != 1);
    setWindowTitle(Mode == 0 ? QStringLiteral("取引先 [追加]") : QStringLiteral("取引先 [編集]"));
}

void TfrmMasTori::LoadTori(const QString& code, int kbn) {
    auto tori = clsPartnerMaster(MainDao()).LoadTori(ToStd(code), kbn);
    if (!tori) return;
    const sToriForm& f = *tori;
    SetEditText(edtCd, ToQ(f.Cd));
    rgKBN->SetItemIndex(f.KbnIndex);
    SetEditText(edtName, ToQ(f.Name));
    SetEditText(edtRname, ToQ(f.Rname));
    SetEditText(edtKana, ToQ(f.Kana));
    SetEditText(numYubin1, ToQ(f.Yubin[0]));
    SetEditText(numYubin2, ToQ(f.Yubin[1]));
    SetEditText(edtAdrs1, ToQ(f.Adrs[0]));
    SetEditText(edtAdrs2, ToQ(f.Adrs[1]));
    SetEditText(edtAdrs3, ToQ(f.Adrs[2]));
    SetEditText(numTel1, ToQ(f.Tel[0]));
    SetEditText(numTel2, ToQ(f.Tel[1]));
    SetEditText(numTel3, ToQ(f.Tel[2]));
    SetEditText(numTelkensaku, ToQ(f.Telkensaku));
    SetEditText(numFax1, ToQ(f.Fax[0]));
    SetEditText(numFax2, ToQ(f.Fax[1]));
    SetEditText(numFax3, ToQ(f.Fax[2]));
    SetEditText(edtDaihyosha, ToQ(f.Daihyosha));
    SetEditText(edtMadoguchi, ToQ(f.Madoguchi));
}

int TfrmMasTori::SaveTori() {
    sToriForm f;
    f.Cd = ToStd(edtCd->text());
    f.KbnIndex = rgKBN->ItemIndex();
    f.Name = ToStd(edtName->text());
    f.Rname = ToStd(edtRname->text());
    f.Kana = ToStd(edtKana->text());
    f.Yubin = {ToStd(numYubin1->text()), ToStd(numYubin2->text())};
    f.Adrs = {ToStd(edtAdrs1->text()), ToStd(edtAdrs2->text()), ToStd(edtAdrs3->text())};
    f.Tel = {ToStd(numTel1->text()), ToStd(numTel2->text()), ToStd(numTel3->text())};
    f.Telkensaku = ToStd(numTelkensaku->text());
    f.Fax = {ToStd(numFax1->text()), ToStd(numFax2->text()), ToStd(numFax3->text())};
    f.Daihyosha = ToStd(edtDaihyosha->text());
    f.Madoguchi = ToStd(edtMadoguchi->text());
    sToriSaveUi ui{[](const std::string& m) { Platform().Info(ToQ(m)); },
                   [](const std::string& q) { return Platform().Question(ToQ(q)); }};
    std::string code;
    int kbn = 0;
    if (clsPartnerMaster(MainDao()).SaveTori(Mode, ToStd(Code), Kbn, f, ui, code, kbn) != 0) return 1;
    Code = ToQ(code);
    Kbn = kbn;
    Cancelled = false;
    return 0;
}
