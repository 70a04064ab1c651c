#include "ufset.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "masterwidgets.h"
#include "platform.h"
#include "winutil.h"

TfrmSet::TfrmSet(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("構成表管理ﾌﾟﾛｸﾞﾗﾑ [環境設定]"));
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 6);
    pgcMain = new QTabWidget(this);
    root->addWidget(pgcMain);

    const char* const titles[kSelectionListCount] = {"単位", "倉庫", "工程", "ライン"};
    for (int i = 0; i < kSelectionListCount; ++i) {
        auto* page = new QWidget;
        auto* g = new QGridLayout(page);
        g->setContentsMargins(12, 12, 12, 12);
        sListPage& p = Pages[i];
        p.edt = NewEdit(page, 64);
        p.lst = new QListWidget(page);
        p.lst->setSelectionMode(QAbstractItemView::SingleSelection);
        p.btnAdd = new QPushButton(QStringLiteral("追加"), page);
        p.btnEdit = new QPushButton(QStringLiteral("置換"), page);
        p.btnDel = new QPushButton(QStringLiteral("削除"), page);
        p.btnUp = new QPushButton(QStringLiteral("↑"), page);
        p.btnDown = new QPushButton(QStringLiteral("↓"), page);
        for (QPushButton* b : {p.btnAdd, p.btnEdit, p.btnDel, p.btnUp, p.btnDown}) {
            b->setAutoDefault(false);
            b->setFixedWidth(72);
        }
        g->addWidget(p.edt, 0, 0);
        g->addWidget(p.btnAdd, 0, 1);
        g->addWidget(p.lst, 1, 0, 5, 1);
        g->addWidget(p.btnEdit, 1, 1);
        g->addWidget(p.btnDel, 2, 1);
        g->addWidget(p.btnUp, 3, 1);
        g->addWidget(p.btnDown, 4, 1);
        g->setRowStretch(5, 1);
        pgcMain->addTab(page, QString::fromUtf8(titles[i]));
        connect(p.lst, &QListWidget::currentRowChanged, this, [this, i] { ListSelect(i); });
        connect(p.btnAdd, &QPushButton::clicked, this, [this, i] { ListAdd(i); });
        connect(p.btnEdit, &QPushButton::clicked, this, [this, i] { ListReplace(i); });
        connect(p.btnDel, &QPushButton::clicked, this, [this, i] { ListDelete(i); });
        connect(p.btnUp, &QPushButton::clicked, this, [this, i] { ListUp(i); });
        connect(p.btnDown, &QPushButton::clicked, this, [this, i] { ListDown(i); });
    }

    auto* names = new QWidget;
    auto* v = new QVBoxLayout(names);
    v->setContentsMargins(12, 10, 12, 10);
    v->setSpacing(3);
    auto caption = [&](const char* label) {
        v->addWidget(new QLabel(QString::fromUtf8(label), names));
        QLineEdit* e = NewEdit(names, 64);
        v->addWidget(e);
        v->addSpacing(5);
        return e;
    };
    edtEtchi = caption("(その他費用)");
    edtHinban = caption("(外部品番)");
    edtMcode = caption("(ﾒｰｶｰｺｰﾄﾞ)");
    edtYobi1 = caption("(予備１)");
    edtYobi2 = caption("(予備２)");
    edtYobi3 = caption("(予備３)");
    v->addStretch(1);
    pgcMain->addTab(names, QStringLiteral("名称"));

    auto* bottom = new QHBoxLayout;
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    bottom->addStretch(1);
    bottom->addWidget(btnOK);
    bottom->addWidget(btnCancel);
    root->addLayout(bottom);
    connect(btnOK, &QPushButton::clicked, this, [this] {
        RunCommand([this] {
            SaveSettings();
            accept();
        });
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint().expandedTo(QSize(400, 380)));
}

void TfrmSet::showEvent(QShowEvent* e) {
    CenterWindow(this);
    QDialog::showEvent(e);
}

QList<QLineEdit*> TfrmSet::CaptionEdits() const { return {edtEtchi, edtHinban, edtMcode, edtYobi1, edtYobi2, edtYobi3}; }

void TfrmSet::LoadSettings() {
    pgcMain->setCurrentIndex(0);
    env_.Load();
    for (int i = 0; i < kSelectionListCount; ++i) ShowList(i);
    QList<QLineEdit*> edits = CaptionEdits();
    for (int i = 0; i < edits.size(); ++i) SetEditText(edits[i], ToQ(env_.Captions[i]));
}

void TfrmSet::SaveSettings() {
    QList<QLineEdit*> edits = CaptionEdits();
    for (int i = 0; i < edits.size(); ++i) env_.Captions[i] = ToStd(edits[i]->text());
    env_.Save();
}

void TfrmSet::ShowList(int list) {
    const clsSelectionList& l = env_.Lists[list];
    sListPage& p = Pages[list];
    QSignalBlocker block(p.lst);
    p.lst->clear();
    for (const auto& e : l.Entries) p.lst->addItem(ToQ(e));
    if (l.Selected >= 0) {
        p.lst->setCurrentRow(l.Selected);
    } else {
        p.lst->setCurrentItem(nullptr);
        p.lst->clearSelection();
    }
    SetEditText(p.edt, ToQ(l.EditText));
}

void TfrmSet::RunListOp(int list, bool (clsSelectionList::*op)()) {
    clsSelectionList& l = env_.Lists[list];
    l.EditText = ToStd(Pages[list].edt->text());
    if ((l.*op)()) ShowList(list);
}

void TfrmSet::ListSelect(int list) {
    clsSelectionList& l = env_.Lists[list];
    if (l.Select(Pages[list].lst->currentRow())) SetEditText(Pages[list].edt, ToQ(l.EditText));
}

void TfrmSet::ListAdd(int list) { RunListOp(list, &clsSelectionList::Add); }
void TfrmSet::ListReplace(int list) { RunListOp(list, &clsSelectionList::Replace); }
void TfrmSet::ListDelete(int list) { RunListOp(list, &clsSelectionList::Delete); }
void TfrmSet::ListUp(int list) { RunListOp(list, &clsSelectionList::Up); }
void TfrmSet::ListDown(int list) { RunListOp(list, &clsSelectionList::Down); }
