// Small controls shared by the master-data dialogs: a captioned radio group
// laid out in columns, edit boxes with a design length that still show a
// longer stored text whole, and the key filter of numeric text boxes.
#pragma once
#include <QGroupBox>
#include <QLineEdit>
#include <QStringList>

class QButtonGroup;

// A group box of radio buttons in a number of columns, addressed by index.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);
    int ItemIndex() const;
    // Checks the button of index without emitting clicked.
    void SetItemIndex(int index);
    int Count() const;

signals:
    // The user chose a button.
    void clicked(int index);

private:
    QButtonGroup* group_;
};

// Input-method wish of a text box, as the dialogs are designed.
enum class ImeMode { Default, Off, Hiragana, HalfKatakana, Digits, Number };

// A line edit limited to maxLength characters while typing.
QLineEdit* NewEdit(QWidget* parent, int maxLength, ImeMode ime = ImeMode::Default);
// Shows a stored text whole: the typing limit only stops the user, it never
// cuts a value that comes from the data file.
void SetEditText(QLineEdit* e, const QString& text);
// Empties the box and gives it its design limit back.
void ClearEdit(QLineEdit* e);

// Discards every typed character except 0-9, '.' and backspace (the rule of
// NumKeyFilter); editing and navigation keys keep working.
void InstallNumKeyFilter(QLineEdit* e);
// Accepts typed digits only (a pasted text is taken as it is).
void SetDigitsOnly(QLineEdit* e);

// The top-left position of a dialog under two keys of section PREFORM: read
// at creation, written at destruction. Without stored keys the dialog opens
// centred on its owner.
class TFormPosition {
public:
    TFormPosition(const char* topKey, const char* leftKey) : topKey_(topKey), leftKey_(leftKey) {}
    void Load(QWidget* w);   // at creation
    void Shown(QWidget* w);  // from showEvent
    void Moved(QWidget* w);  // from moveEvent
    // Writes the keys when a position is known; a failed write is reported.
    void Save();

private:
    const char* topKey_;
    const char* leftKey_;
    int top_ = 0, left_ = 0;
    bool known_ = false;
};
