#include "ufmastori.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform.h"
#include "windowcalls.h"
#include "winutil.h"

namespace {

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

QLineEdit* Digits(QWidget* page, int maxLength) {
    QLineEdit* e = NewEdit(page, maxLength, ImeMode::Digits);
    SetDigitsOnly(e);
    e->setFixedWidth(14 + 9 * maxLength);
    return e;
}

}  // namespace

TfrmMasTori::TfrmMasTori(QWidget* parent) : TPositionedDialog(parent, "FTM_TOP", "FTM_LEFT") {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("取引先 [追加]"));
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 6);
    pgcMain = new QTabWidget(this);
    root->addWidget(pgcMain);

    auto* pgBasic = new QWidget;
    auto* g = NewPageGrid(pgBasic);
    edtCd = NewEdit(pgBasic, 10, ImeMode::Off, 110);
    rgKBN = new TRadioGroup(QStringLiteral("区分"), {"仕入先", "払出先(外注)"}, 2, pgBasic);
    edtName = NewEdit(pgBasic, 32, ImeMode::Hiragana, 300);
    edtRname = NewEdit(pgBasic, 20, ImeMode::Hiragana, 200);
    edtKana = NewEdit(pgBasic, 10, ImeMode::HalfKatakana, 110);
    int r = 0;
    AddRow(g, r++, QStringLiteral("コード"), {edtCd});
    g->addWidget(rgKBN, r++, 0, 1, 2);
    AddRow(g, r++, QStringLiteral("名称"), {edtName});
    AddRow(g, r++, QStringLiteral("略名"), {edtRname});
    AddRow(g, r++, QStringLiteral("検索名"), {edtKana});
    g->setRowStretch(r, 1);
    pgcMain->addTab(pgBasic, QStringLiteral("基本情報"));

    auto* pgDetail = new QWidget;
    g = NewPageGrid(pgDetail);
    numYubin1 = Digits(pgDetail, 3);
    numYubin2 = Digits(pgDetail, 4);
    edtAdrs1 = NewEdit(pgDetail, 32, ImeMode::Hiragana, 300);
    edtAdrs2 = NewEdit(pgDetail, 32, ImeMode::Hiragana, 300);
    edtAdrs3 = NewEdit(pgDetail, 20, ImeMode::Hiragana, 200);
    numTel1 = Digits(pgDetail, 4);
    numTel2 = Digits(pgDetail, 4);
    numTel3 = Digits(pgDetail, 5);
    numTelkensaku = Digits(pgDetail, 4);
    numFax1 = Digits(pgDetail, 4);
    numFax2 = Digits(pgDetail, 4);
    numFax3 = Digits(pgDetail, 5);
    edtDaihyosha = NewEdit(pgDetail, 20, ImeMode::Hiragana, 200);
    edtMadoguchi = NewEdit(pgDetail, 20, ImeMode::Hiragana, 200);
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

    sBottomPanel bottom = AddBottomPanel(this, root, [this] { return SaveTori(); });
    lblKou = bottom.message;
    btnOK = bottom.ok;
    btnCancel = bottom.cancel;

    rgKBN->SetItemIndex(0);
    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));
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
