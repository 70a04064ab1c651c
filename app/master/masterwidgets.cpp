#include "masterwidgets.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QGridLayout>
#include <QKeyEvent>
#include <QRadioButton>
#include <QInputMethodEvent>

#include "platform.h"
#include "settings.h"
#include "ucommon.h"
#include "winutil.h"

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setHorizontalSpacing(16);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        group_->addButton(b, i);
        grid->addWidget(b, i / columns, i % columns);
    }
    for (int c = 0; c < columns; ++c) grid->setColumnStretch(c, 1);
    connect(group_, &QButtonGroup::idClicked, this, &TRadioGroup::clicked);
}

int TRadioGroup::ItemIndex() const { return group_->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
    if (auto* b = group_->button(index)) b->setChecked(true);
}

int TRadioGroup::Count() const { return static_cast<int>(group_->buttons().size()); }

namespace {

const char* kDesignLimit = "designMaxLength";

// Swallows typed characters outside the allowed set. Control characters
// (shortcuts such as Ctrl+C) and keys without text pass, as do pasted texts.
class KeyCharFilter : public QObject {
public:
    KeyCharFilter(QObject* parent, bool numeric) : QObject(parent), numeric_(numeric) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const QString t = static_cast<QKeyEvent*>(e)->text();
            for (QChar ch : t) {
                char16_t c = ch.unicode();
                if (c < 32 || c == 127) continue;
                if (c > 127) return true;
                if (numeric_ ? NumKeyFilter(static_cast<char>(c)) == 0 : (c < '0' || c > '9')) return true;
            }
        }
        // Text composed by an input method is never a plain digit.
        if (e->type() == QEvent::InputMethod && !static_cast<QInputMethodEvent*>(e)->commitString().isEmpty())
            return true;
        return QObject::eventFilter(o, e);
    }

private:
    bool numeric_;
};

}  // namespace

QLineEdit* NewEdit(QWidget* parent, int maxLength, ImeMode ime, int width) {
    auto* e = new QLineEdit(parent);
    if (width > 0) e->setFixedWidth(width);
    if (maxLength > 0) {
        e->setMaxLength(maxLength);
        e->setProperty(kDesignLimit, maxLength);
    }
    switch (ime) {
        case ImeMode::Off: e->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText); break;
        case ImeMode::Digits: e->setInputMethodHints(Qt::ImhDigitsOnly); break;
        case ImeMode::Number: e->setInputMethodHints(Qt::ImhFormattedNumbersOnly); break;
        case ImeMode::Hiragana:
        case ImeMode::HalfKatakana:
        case ImeMode::Default: break;  // the input method stays as the user has it
    }
    return e;
}

void SetEditText(QLineEdit* e, const QString& text) {
    if (text.size() > e->maxLength()) e->setMaxLength(static_cast<int>(text.size()));
    e->setText(text);
}

void ClearEdit(QLineEdit* e) {
    e->clear();
    QVariant limit = e->property(kDesignLimit);
    if (limit.isValid()) e->setMaxLength(limit.toInt());
}

void InstallNumKeyFilter(QLineEdit* e) {
    e->installEventFilter(new KeyCharFilter(e, true));
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void SetDigitsOnly(QLineEdit* e) { e->installEventFilter(new KeyCharFilter(e, false)); }

TPositionedDialog::TPositionedDialog(QWidget* parent, const char* topKey, const char* leftKey)
    : QDialog(parent), topKey_(topKey), leftKey_(leftKey) {
    IniFile ini = AppSettings();
    if (!ini.KeyExists("PREFORM", topKey_) || !ini.KeyExists("PREFORM", leftKey_)) return;
    top_ = ini.ReadInteger("PREFORM", topKey_, 0);
    left_ = ini.ReadInteger("PREFORM", leftKey_, 0);
    known_ = true;
    move(left_, top_);
}

TPositionedDialog::~TPositionedDialog() {
    if (!known_) return;  // never shown, nothing stored: nothing to remember
    SaveSettingsAtExit([this] {
        AppSettings().WriteStrings("PREFORM", {{topKey_, std::to_string(top_)}, {leftKey_, std::to_string(left_)}});
    });
}

void TPositionedDialog::showEvent(QShowEvent* e) {
    if (!known_) {
        CenterWindow(this);
        known_ = true;
    }
    top_ = y();
    left_ = x();
    QDialog::showEvent(e);
}

void TPositionedDialog::moveEvent(QMoveEvent* e) {
    if (isVisible()) {
        top_ = y();
        left_ = x();
    }
    QDialog::moveEvent(e);
}

QGridLayout* NewPageGrid(QWidget* page) {
    auto* g = new QGridLayout(page);
    g->setContentsMargins(14, 12, 14, 12);
    g->setHorizontalSpacing(10);
    g->setVerticalSpacing(7);
    g->setColumnMinimumWidth(0, 90);
    return g;
}

sBottomPanel AddBottomPanel(QDialog* dialog, QBoxLayout* root, std::function<int()> save) {
    sBottomPanel p;
    p.message = new QLabel(dialog);
    QFont bold = p.message->font();
    bold.setBold(true);
    p.message->setFont(bold);
    p.ok = new QPushButton(QStringLiteral("OK"), dialog);
    p.ok->setDefault(true);
    p.cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), dialog);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(p.message, 1);
    bottom->addWidget(p.ok);
    bottom->addWidget(p.cancel);
    root->addLayout(bottom);
    QObject::connect(p.ok, &QPushButton::clicked, dialog, [dialog, save = std::move(save)] {
        RunCommand([&] {
            if (save() == 0) dialog->accept();
        });
    });
    QObject::connect(p.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return p;
}
