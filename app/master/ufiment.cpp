#include "ufiment.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "masterwidgets.h"
#include "platform.h"
#include "selectionlists.h"
#include "settings.h"
#include "ucommon.h"
#include "usersettings.h"
#include "verror.h"
#include "windowcalls.h"
#include "winutil.h"

namespace {

const char* const kUsedMessage = "この品目は構成表に使用されています";

QComboBox* NewCombo(QWidget* parent, int width) {
    auto* c = new QComboBox(parent);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);  // Enter must not add the text to the list
    c->setMaxVisibleItems(16);
    c->setFixedWidth(width);
    return c;
}

QLabel* BoldLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

void AddRow(QGridLayout* g, int row, QWidget* label, QWidget* field, QWidget* after = nullptr) {
    g->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    if (!after) {
        g->addWidget(field, row, 1, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
        return;
    }
    g->addWidget(field, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
    g->addWidget(after, row, 2, Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace

TfrmMasItem::TfrmMasItem(QWidget* parent) : TPositionedDialog(parent, "FIM_TOP", "FIM_LEFT"), owner_(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("アイテム [追加]"));
    BuildForm();
}

void TfrmMasItem::BuildForm() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 6);
    pgcMain = new QTabWidget(this);
    root->addWidget(pgcMain);

    // 基本情報
    auto* pgBasic = new QWidget;
    auto* g = NewPageGrid(pgBasic);
    edtCd = NewEdit(pgBasic, 18, ImeMode::Off, 170);
    rgKBN = new TRadioGroup(QStringLiteral("区分"), {"セット", "本体", "ユニット", "パーツ"}, 4, pgBasic);
    edtName = NewEdit(pgBasic, 64, ImeMode::Hiragana, 380);
    edtKana = NewEdit(pgBasic, 10, ImeMode::HalfKatakana, 110);
    edtKeitai = NewEdit(pgBasic, 32, ImeMode::Default, 280);
    edtKikaku = NewEdit(pgBasic, 32, ImeMode::Default, 280);
    dsplblHinban = new QLabel(pgBasic);
    edtHinban = NewEdit(pgBasic, 20, ImeMode::Off, 190);
    dsplblMcode = new QLabel(pgBasic);
    edtMcode = NewEdit(pgBasic, 36, ImeMode::Off, 300);
    rgJANKBN = new TRadioGroup(QStringLiteral("JAN区分"), {"13桁", "８桁"}, 2, pgBasic);
    edtJancode = NewEdit(pgBasic, 13, ImeMode::Off, 130);
    cboTani = NewCombo(pgBasic, 110);
    int r = 0;
    AddRow(g, r++, new QLabel(QStringLiteral("品番"), pgBasic), edtCd);
    g->addWidget(rgKBN, r++, 0, 1, 3);
    AddRow(g, r++, new QLabel(QStringLiteral("通称名"), pgBasic), edtName);
    AddRow(g, r++, new QLabel(QStringLiteral("検索名"), pgBasic), edtKana);
    AddRow(g, r++, new QLabel(QStringLiteral("形態"), pgBasic), edtKeitai);
    AddRow(g, r++, new QLabel(QStringLiteral("規格"), pgBasic), edtKikaku);
    AddRow(g, r++, dsplblHinban, edtHinban);
    AddRow(g, r++, dsplblMcode, edtMcode);
    g->addWidget(rgJANKBN, r++, 0, 1, 2);
    AddRow(g, r++, new QLabel(QStringLiteral("JANｺｰﾄﾞ"), pgBasic), edtJancode);
    AddRow(g, r++, new QLabel(QStringLiteral("単位"), pgBasic), cboTani);
    g->setRowStretch(r, 1);
    g->setColumnStretch(2, 1);
    pgcMain->addTab(pgBasic, QStringLiteral("基本情報"));

    // 経費
    auto* pgCost = new QWidget;
    g = NewPageGrid(pgCost);
    auto costEdit = [&](QLineEdit*& e) {
        e = NewEdit(pgCost, 14, ImeMode::Number, 150);
        InstallNumKeyFilter(e);
        connect(e, &QLineEdit::textChanged, this, [this] { RunCommand([this] { actCalcTotal(); }); });
    };
    costEdit(numShuzaihi);
    costEdit(numKakouhi);
    costEdit(numGaichuuhi);
    costEdit(numEtchi);
    dsplblEtchi = new QLabel(pgCost);
    dsplblTanka = BoldLabel(QStringLiteral("0"), pgCost);
    dsplblTanka->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    dsplblTanka->setFixedWidth(150);
    dsplblTanka->setFrameShape(QFrame::Panel);
    dsplblTanka->setFrameShadow(QFrame::Sunken);
    r = 0;
    AddRow(g, r++, new QLabel(QStringLiteral("主材費"), pgCost), numShuzaihi, new QLabel(QStringLiteral("円"), pgCost));
    AddRow(g, r++, new QLabel(QStringLiteral("加工費"), pgCost), numKakouhi, new QLabel(QStringLiteral("円"), pgCost));
    AddRow(g, r++, new QLabel(QStringLiteral("外注費"), pgCost), numGaichuuhi, new QLabel(QStringLiteral("円"), pgCost));
    AddRow(g, r++, dsplblEtchi, numEtchi, new QLabel(QStringLiteral("円"), pgCost));
    auto* rule = new QFrame(pgCost);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    g->addWidget(rule, r++, 0, 1, 3);
    AddRow(g, r++, BoldLabel(QStringLiteral("基準単価"), pgCost), dsplblTanka, new QLabel(QStringLiteral("円"), pgCost));
    g->setRowStretch(r, 1);
    g->setColumnStretch(2, 1);
    pgcMain->addTab(pgCost, QStringLiteral("経費"));

    // 手配
    auto* pgTehai = new QWidget;
    g = NewPageGrid(pgTehai);
    rgTEHAIKBN = new TRadioGroup(QStringLiteral("手配先区分"), {"自達", "仕入先", "払出先(外注)"}, 3, pgTehai);
    cboTehaicd = NewCombo(pgTehai, 300);
    numTehainisu = NewEdit(pgTehai, 8, ImeMode::Number, 90);
    InstallNumKeyFilter(numTehainisu);
    lblTani = new QLabel(pgTehai);
    lblTani->setMinimumWidth(56);
    cboTehai = NewCombo(pgTehai, 110);
    cboSouko = NewCombo(pgTehai, 150);
    cboKoutei = NewCombo(pgTehai, 150);
    cboLine = NewCombo(pgTehai, 150);
    r = 0;
    g->addWidget(rgTEHAIKBN, r++, 0, 1, 3);
    AddRow(g, r++, new QLabel(QStringLiteral("手配先ｺｰﾄﾞ"), pgTehai), cboTehaicd);
    // One row reads as "10 個で 箱": so many units per package.
    auto* package = new QHBoxLayout;
    package->setSpacing(6);
    package->addWidget(numTehainisu);
    package->addWidget(lblTani);
    package->addSpacing(10);
    package->addWidget(new QLabel(QStringLiteral("手配荷姿(単位)"), pgTehai));
    package->addWidget(cboTehai);
    package->addStretch(1);
    g->addWidget(new QLabel(QStringLiteral("手配荷姿の入数"), pgTehai), r, 0);
    g->addLayout(package, r++, 1, 1, 2);
    AddRow(g, r++, new QLabel(QStringLiteral("倉庫"), pgTehai), cboSouko);
    AddRow(g, r++, new QLabel(QStringLiteral("工程"), pgTehai), cboKoutei);
    AddRow(g, r++, new QLabel(QStringLiteral("ライン"), pgTehai), cboLine);
    g->setRowStretch(r, 1);
    g->setColumnStretch(2, 1);
    pgcMain->addTab(pgTehai, QStringLiteral("手配"));
    connect(rgTEHAIKBN, &TRadioGroup::clicked, this, [this] { RunCommand([this] { FillTehaiList(); }); });
    // The label follows the unit as the user types or picks it.
    for (QComboBox* c : {cboTani, cboTehai}) {
        connect(c->lineEdit(), &QLineEdit::textEdited, this, [this] { SetLblTani(); });
        connect(c, &QComboBox::activated, this, [this] { SetLblTani(); });
    }

    // その他
    auto* pgOther = new QWidget;
    g = NewPageGrid(pgOther);
    dsplblYobi1 = new QLabel(pgOther);
    edtYobi1 = NewEdit(pgOther, 32, ImeMode::Default, 280);
    dsplblYobi2 = new QLabel(pgOther);
    edtYobi2 = NewEdit(pgOther, 32, ImeMode::Default, 280);
    dsplblYobi3 = new QLabel(pgOther);
    edtYobi3 = NewEdit(pgOther, 64, ImeMode::Default, 400);
    memMemo = new QPlainTextEdit(pgOther);
    memMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memMemo->setTabChangesFocus(true);
    r = 0;
    AddRow(g, r++, dsplblYobi1, edtYobi1);
    AddRow(g, r++, dsplblYobi2, edtYobi2);
    AddRow(g, r++, dsplblYobi3, edtYobi3);
    g->addWidget(new QLabel(QStringLiteral("備考"), pgOther), r, 0, Qt::AlignLeft | Qt::AlignTop);
    g->addWidget(memMemo, r, 1, 1, 2);
    g->setRowStretch(r, 1);
    g->setColumnStretch(2, 1);
    pgcMain->addTab(pgOther, QStringLiteral("その他"));

    sBottomPanel bottom = AddBottomPanel(this, root, [this] { return SaveItem(); });
    lblKou = bottom.message;
    btnOK = bottom.ok;
    btnCancel = bottom.cancel;

    // Captions of the user-named fields are read on every Prepare; these
    // give the layout its size.
    for (auto [label, c] : {std::pair{dsplblHinban, ItemCaption::Hinban}, {dsplblMcode, ItemCaption::Mcode},
                            {dsplblEtchi, ItemCaption::Etchi}, {dsplblYobi1, ItemCaption::Yobi1},
                            {dsplblYobi2, ItemCaption::Yobi2}, {dsplblYobi3, ItemCaption::Yobi3}})
        label->setText(ToQ(ItemCaptionDefault(c)));
    rgKBN->SetItemIndex(0);
    rgJANKBN->SetItemIndex(0);
    rgTEHAIKBN->SetItemIndex(0);
    cboTehaicd->setEnabled(false);
    numTehainisu->setText(QStringLiteral("1"));
    setFixedSize(sizeHint().expandedTo(QSize(560, 0)));
}

QList<QLineEdit*> TfrmMasItem::Edits() const {
    return {edtCd,       edtName,    edtKana,      edtKeitai, edtKikaku,    edtHinban, edtMcode, edtJancode,
            numShuzaihi, numKakouhi, numGaichuuhi, numEtchi,  numTehainisu, edtYobi1,  edtYobi2, edtYobi3};
}

QList<QComboBox*> TfrmMasItem::Combos() const { return {cboTani, cboTehaicd, cboTehai, cboSouko, cboKoutei, cboLine}; }

void TfrmMasItem::SetLblTani() { lblTani->setText(cboTani->currentText() + QStringLiteral("で　")); }

void TfrmMasItem::Prepare(const QString& code) {
    // In view mode the dialog stays open beside its caller, which may itself
    // be shown modally; as that window's child it is not blocked by it.
    QWidget* modal = QApplication::activeModalWidget();
    SetOwner(Mode == 2 && modal && modal != this ? modal : owner_);

    Cancelled = true;
    Code = code;
    pgcMain->setCurrentIndex(0);
    lblTani->clear();
    lblKou->setText(Mode == 1 ? QString::fromUtf8(kUsedMessage) : QString());

    for (QLineEdit* e : Edits()) ClearEdit(e);
    for (QComboBox* c : Combos()) c->clear();
    memMemo->clear();
    numTehainisu->setText(QStringLiteral("1"));
    dsplblTanka->setText(QStringLiteral("0"));
    rgKBN->SetItemIndex(0);
    rgJANKBN->SetItemIndex(0);

    // The selection lists, each value as stored.
    auto fill = [](SelectionListId id, std::initializer_list<QComboBox*> combos) {
        std::vector<std::string> entries = ReadSelectionList(id, false);
        for (QComboBox* c : combos) {
            for (const auto& e : entries) c->addItem(ToQ(e));
            c->setCurrentIndex(-1);
            c->setEditText(QString());
        }
    };
    fill(SelectionListId::Tani, {cboTani, cboTehai});
    fill(SelectionListId::Souko, {cboSouko});
    fill(SelectionListId::Flow, {cboKoutei});
    fill(SelectionListId::Linen, {cboLine});

    rgTEHAIKBN->SetItemIndex(0);
    FillTehaiList();

    dsplblEtchi->setText(ToQ(ReadItemCaption(ItemCaption::Etchi)));
    dsplblHinban->setText(ToQ(ReadItemCaption(ItemCaption::Hinban)));
    dsplblMcode->setText(ToQ(ReadItemCaption(ItemCaption::Mcode)));
    dsplblYobi1->setText(ToQ(ReadItemCaption(ItemCaption::Yobi1)));
    dsplblYobi2->setText(ToQ(ReadItemCaption(ItemCaption::Yobi2)));
    dsplblYobi3->setText(ToQ(ReadItemCaption(ItemCaption::Yobi3)));

    if (!code.isEmpty()) LoadItem(code);
    ApplyMode();
}

void TfrmMasItem::SetOwner(QWidget* owner) {
    QWidget* current = parentWidget();
    if (owner == current) return;
    if (current && current != owner_) current->removeEventFilter(this);
    setParent(owner, windowFlags());
    if (owner != owner_) owner->installEventFilter(this);
}

bool TfrmMasItem::eventFilter(QObject* watched, QEvent* e) {
    // The modal caller closes: the dialog goes back to its own parent, so it
    // never lives or dies with a window that lent it its place.
    if (watched == parentWidget() && parentWidget() != owner_ && e->type() == QEvent::Hide &&
        !parentWidget()->isVisible()) {
        bool visible = isVisible();
        QPoint at = pos();
        SetOwner(owner_);
        move(at);
        if (visible) show();
    }
    return TPositionedDialog::eventFilter(watched, e);
}

void TfrmMasItem::ApplyMode() {
    static const char* const captions[4] = {"アイテム [追加]", "アイテム [編集]", "アイテム [参照]", "アイテム [編集]"};
    setWindowTitle(QString::fromUtf8(captions[Mode >= 0 && Mode <= 3 ? Mode : 0]));
    edtCd->setEnabled(Mode != 1);
    rgKBN->setEnabled(Mode != 1);
    for (int i = 0; i < pgcMain->count(); ++i) pgcMain->widget(i)->setEnabled(Mode != 2);
    btnOK->setVisible(Mode != 2);
    btnCancel->setText(Mode == 2 ? QStringLiteral("閉じる") : QStringLiteral("ｷｬﾝｾﾙ"));
}

void TfrmMasItem::Reload(const QString& code) {
    for (QLineEdit* e : Edits()) ClearEdit(e);
    memMemo->clear();
    for (QComboBox* c : Combos()) {
        c->setCurrentIndex(-1);
        c->setEditText(QString());
    }
    dsplblTanka->setText(QStringLiteral("0"));
    rgKBN->SetItemIndex(0);
    rgJANKBN->SetItemIndex(0);
    rgTEHAIKBN->SetItemIndex(0);
    FillTehaiList();
    if (!code.isEmpty()) LoadItem(code);
    update();
}

void TfrmMasItem::FillTehaiList() {
    cboTehaicd->clear();
    const int index = rgTEHAIKBN->ItemIndex();
    cboTehaicd->setEnabled(Mode == 2 || index != 0);
    tehaiEntries_ = clsItemMaster(MainDao()).TehaiEntries(Mode == 2, index);
    for (const auto& e : tehaiEntries_) cboTehaicd->addItem(ToQ(e.text));
    cboTehaicd->setCurrentIndex(-1);
    cboTehaicd->setEditText(QString());
}

void TfrmMasItem::LoadItem(const QString& code) {
    auto item = clsItemMaster(MainDao()).LoadItem(ToStd(code));
    if (!item) return;
    const sItemForm& f = *item;
    SetEditText(edtCd, ToQ(f.Cd));
    if (f.KbnIndex >= 0) rgKBN->SetItemIndex(f.KbnIndex);
    SetEditText(edtName, ToQ(f.Name));
    SetEditText(edtKana, ToQ(f.Kana));
    SetEditText(edtKeitai, ToQ(f.Keitai));
    SetEditText(edtKikaku, ToQ(f.Kikaku));
    SetEditText(edtHinban, ToQ(f.Hinban));
    SetEditText(edtMcode, ToQ(f.Mcode));
    if (f.JanIndex >= 0) rgJANKBN->SetItemIndex(f.JanIndex);
    SetEditText(edtJancode, ToQ(f.Jancode));
    cboTani->setEditText(ToQ(f.Tani));
    dsplblTanka->setText(ToQ(f.Tanka));
    SetEditText(numShuzaihi, ToQ(f.Costs[0]));
    SetEditText(numKakouhi, ToQ(f.Costs[1]));
    SetEditText(numGaichuuhi, ToQ(f.Costs[2]));
    SetEditText(numEtchi, ToQ(f.Costs[3]));
    actCalcTotal();
    if (f.TehaiIndex >= 0) rgTEHAIKBN->SetItemIndex(f.TehaiIndex);
    FillTehaiList();
    int entry = FindTehaiEntry(tehaiEntries_, f.Tehaicd);
    cboTehaicd->setCurrentIndex(entry);
    if (entry < 0) cboTehaicd->setEditText(QString());
    cboTehai->setEditText(ToQ(f.Tehaini));
    SetEditText(numTehainisu, ToQ(f.Tehainisu));
    cboSouko->setEditText(ToQ(f.Souko));
    cboKoutei->setEditText(ToQ(f.Flow));
    cboLine->setEditText(ToQ(f.Line));
    SetEditText(edtYobi1, ToQ(f.Yobi[0]));
    SetEditText(edtYobi2, ToQ(f.Yobi[1]));
    SetEditText(edtYobi3, ToQ(f.Yobi[2]));
    memMemo->setPlainText(ToQ(f.Memo));
    SetLblTani();
}

void TfrmMasItem::actCalcTotal() {
    // A field that is not a number ends here through the error report; the
    // label keeps what it showed.
    double total = CostTotal({ToStd(numShuzaihi->text()), ToStd(numKakouhi->text()), ToStd(numGaichuuhi->text()),
                              ToStd(numEtchi->text())});
    dsplblTanka->setText(ToQ(FormatMoney(total)));
}

sItemForm TfrmMasItem::ReadForm() const {
    sItemForm f;
    f.Cd = ToStd(edtCd->text());
    f.KbnIndex = rgKBN->ItemIndex();
    f.Name = ToStd(edtName->text());
    f.Kana = ToStd(edtKana->text());
    f.Keitai = ToStd(edtKeitai->text());
    f.Kikaku = ToStd(edtKikaku->text());
    f.Hinban = ToStd(edtHinban->text());
    f.Mcode = ToStd(edtMcode->text());
    f.JanIndex = rgJANKBN->ItemIndex();
    f.Jancode = ToStd(edtJancode->text());
    f.Tani = ToStd(cboTani->currentText());
    f.Costs = {ToStd(numShuzaihi->text()), ToStd(numKakouhi->text()), ToStd(numGaichuuhi->text()),
               ToStd(numEtchi->text())};
    f.TehaiIndex = rgTEHAIKBN->ItemIndex();
    f.Tehaicd = TehaiCodeOf(Trim(ToStd(cboTehaicd->currentText())), tehaiEntries_);
    f.Tehaini = ToStd(cboTehai->currentText());
    f.Tehainisu = ToStd(numTehainisu->text());
    f.Souko = ToStd(cboSouko->currentText());
    f.Flow = ToStd(cboKoutei->currentText());
    f.Line = ToStd(cboLine->currentText());
    f.Yobi = {ToStd(edtYobi1->text()), ToStd(edtYobi2->text()), ToStd(edtYobi3->text())};
    f.Memo = ToStd(memMemo->toPlainText());
    return f;
}

int TfrmMasItem::SaveItem() {
    sItemSaveUi ui{[](const std::string& m) { Platform().Info(ToQ(m)); },
                   [](const std::string& q) { return Platform().Question(ToQ(q)); }};
    std::string saved;
    if (clsItemMaster(MainDao()).SaveItem(Mode, ToStd(Code), ReadForm(), ui, saved) != 0) return 1;
    Code = ToQ(saved);
    Cancelled = false;
    return 0;
}
