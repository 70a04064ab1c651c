#include "ufinpexp.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "csvexport.h"
#include "csvimport.h"
#include "platform.h"
#include "winutil.h"

namespace {

const char* const kMdbFilter = "MDBﾌｧｲﾙ|*.mdb|全てのﾌｧｲﾙ|*.*";
const char* const kCsvFilter = "CSVﾌｧｲﾙ|*.csv|全てのﾌｧｲﾙ|*.*";

// The run's status texts go to the status bar, its messages to the platform.
// Per-row progress is repainted at most every 100 ms, and always for the
// first and the last row.
class DialogListener : public CsvRunListener {
public:
    explicit DialogListener(QStatusBar* bar) : bar_(bar) { timer_.start(); }
    void Status(const std::string& text) override {
        bar_->showMessage(ToQ(text));
        bar_->repaint();
    }
    void Progress(const char* prefix, long long i, long long n) override {
        if (i != 1 && i != n && timer_.elapsed() < 100) return;
        timer_.restart();
        Status(CsvProgressText(prefix, i, n));
    }
    void Message(const std::string& text) override { Platform().Info(ToQ(text)); }
    void Busy(bool on) override { Platform().SetWaitCursor(on); }

private:
    QStatusBar* bar_;
    QElapsedTimer timer_;
};

QFrame* Separator(QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

}  // namespace

TfrmInpExp::TfrmInpExp(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("構成表管理ﾌﾟﾛｸﾞﾗﾑ [ｲﾝﾎﾟｰﾄ]"));
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    auto* body = new QVBoxLayout();
    body->setContentsMargins(12, 10, 12, 8);
    body->setSpacing(4);
    top->addLayout(body);

    auto pathRow = [this](QLineEdit*& edit, QPushButton*& button) {
        auto* row = new QHBoxLayout();
        edit = new QLineEdit(this);
        button = new QPushButton(QStringLiteral("参照"), this);
        button->setAutoDefault(false);
        button->setFixedWidth(64);
        row->addWidget(edit, 1);
        row->addWidget(button);
        return row;
    };

    lblMdb = new QLabel(this);
    body->addWidget(lblMdb);
    body->addLayout(pathRow(edtMdb, btnMdb));
    chkDel = new QCheckBox(QStringLiteral("もともとあるﾃﾞｰﾀは削除してからｲﾝﾎﾟｰﾄする"), this);
    body->addWidget(chkDel);

    struct Names {
        const char* caption;
        QCheckBox** chk;
        QCheckBox** head;
        QLabel** label;
        QLineEdit** path;
        QPushButton** browse;
    } names[kCsvTableCount] = {
        {"構造データ", &chkStruct, &chkStrHead, &lblSCsv, &edtSCsv, &btnSCsv},
        {"品目データ", &chkItem, &chkItemHead, &lblICsv, &edtICsv, &btnICsv},
        {"取引先データ", &chkTori, &chkToriHead, &lblTCsv, &edtTCsv, &btnTCsv},
    };
    for (int t = 0; t < kCsvTableCount; ++t) {
        const Names& n = names[t];
        body->addSpacing(4);
        body->addWidget(Separator(this));
        auto* head = new QHBoxLayout();
        *n.chk = new QCheckBox(QString::fromUtf8(n.caption), this);
        *n.head = new QCheckBox(QStringLiteral("ヘッダー付加"), this);
        head->addWidget(*n.chk);
        head->addStretch(1);
        head->addWidget(*n.head);
        body->addLayout(head);
        auto* indent = new QVBoxLayout();
        indent->setContentsMargins(20, 0, 0, 0);
        indent->setSpacing(2);
        *n.label = new QLabel(this);
        indent->addWidget(*n.label);
        indent->addLayout(pathRow(*n.path, *n.browse));
        body->addLayout(indent);
        connect(*n.chk, &QCheckBox::clicked, this, [this] { UpdateTableControls(); });
        connect(*n.browse, &QPushButton::clicked, this, [this, t] { RunCommand([this, t] { BrowseCsv(t); }); });
    }
    connect(btnMdb, &QPushButton::clicked, this, [this] { RunCommand([this] { BrowseMdb(); }); });

    body->addSpacing(6);
    body->addWidget(Separator(this));
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    actOK = new QAction(QStringLiteral("実行"), this);
    btnOK = new QPushButton(actOK->text(), this);
    btnOK->setAutoDefault(false);
    btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    btnCancel->setAutoDefault(false);
    for (auto* b : {btnOK, btnCancel}) b->setMinimumWidth(80);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    body->addLayout(buttons);
    connect(btnOK, &QPushButton::clicked, actOK, &QAction::trigger);
    connect(actOK, &QAction::triggered, this, [this] { RunOK(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    stsBar = new QStatusBar(this);
    stsBar->setSizeGripEnabled(false);
    top->addWidget(stsBar);

    // A dialog of fixed size that follows its contents (chkDel is hidden in
    // export mode).
    top->setSizeConstraint(QLayout::SetFixedSize);
    edtMdb->setMinimumWidth(400);
    Prepare();
}

TfrmInpExp::TableControls TfrmInpExp::Table(int t) const {
    switch (t) {
        case 0: return {chkStruct, chkStrHead, lblSCsv, edtSCsv, btnSCsv};
        case 1: return {chkItem, chkItemHead, lblICsv, edtICsv, btnICsv};
        default: return {chkTori, chkToriHead, lblTCsv, edtTCsv, btnTCsv};
    }
}

void TfrmInpExp::Prepare() {
    bool exportMode = Mode == 1;
    setWindowTitle(exportMode ? QStringLiteral("構成表管理ﾌﾟﾛｸﾞﾗﾑ [ｴｸｽﾎﾟｰﾄ]") : QStringLiteral("構成表管理ﾌﾟﾛｸﾞﾗﾑ [ｲﾝﾎﾟｰﾄ]"));
    lblMdb->setText(exportMode ? QStringLiteral("ｴｸｽﾎﾟｰﾄ元MDBﾌｧｲﾙ") : QStringLiteral("ｲﾝﾎﾟｰﾄ先MDBﾌｧｲﾙ"));
    edtMdb->clear();
    chkDel->setVisible(!exportMode);
    for (int t = 0; t < kCsvTableCount; ++t) {
        TableControls c = Table(t);
        c.label->setText(exportMode ? QStringLiteral("ｴｸｽﾎﾟｰﾄ先CSVﾌｧｲﾙ") : QStringLiteral("ｲﾝﾎﾟｰﾄ元CSVﾌｧｲﾙ"));
        c.path->clear();
        c.chk->setChecked(false);
    }
    stsBar->clearMessage();
    UpdateTableControls();
}

void TfrmInpExp::UpdateTableControls() {
    for (int t = 0; t < kCsvTableCount; ++t) {
        TableControls c = Table(t);
        bool on = c.chk->isChecked();
        for (QWidget* w : std::initializer_list<QWidget*>{c.head, c.label, c.path, c.browse}) w->setEnabled(on);
    }
}

void TfrmInpExp::BrowseMdb() {
    if (Mode == 1) Browse(edtMdb, QStringLiteral("ｴｸｽﾎﾟｰﾄ元MDB"), kMdbFilter, "mdb", false, false);
    else Browse(edtMdb, QStringLiteral("ｲﾝﾎﾟｰﾄ先MDB"), kMdbFilter, "mdb", true, false);
}

void TfrmInpExp::BrowseCsv(int table) {
    QLineEdit* edit = Table(table).path;
    if (Mode == 1) Browse(edit, QStringLiteral("ｴｸｽﾎﾟｰﾄ先CSV"), kCsvFilter, "csv", true, false);
    else Browse(edit, QStringLiteral("ｲﾝﾎﾟｰﾄ元CSV"), kCsvFilter, "csv", false, true);
}

void TfrmInpExp::Browse(QLineEdit* edit, const QString& title, const char* filter, const char* ext, bool save,
                        bool mustExist) {
    FileDialogOptions o;
    o.title = title;
    o.filter = QString::fromUtf8(filter);
    o.defaultExt = QString::fromUtf8(ext);
    o.overwritePrompt = save;
    o.mustExist = mustExist;
    o.initialPath = edit->text().trimmed();
    QString name = save ? Platform().SaveFileName(o) : Platform().OpenFileName(o);
    if (!name.isEmpty()) edit->setText(name);
}

void TfrmInpExp::RunOK() {
    CsvRunOptions o;
    o.mdbPath = ToStd(edtMdb->text());
    for (int t = 0; t < kCsvTableCount; ++t) {
        TableControls c = Table(t);
        o.chosen[t] = c.chk->isChecked();
        o.header[t] = c.head->isChecked();
        o.csvPath[t] = ToStd(c.path->text());
    }
    o.deleteFirst = chkDel->isChecked();
    DialogListener listener(stsBar);
    RunCommand([&] {
        if (Mode == 1) clsCsvExport(listener).Run(o);
        else clsCsvImport(listener).Run(o);
    });
}
