// Small controls shared by the master-data dialogs: a captioned radio group
// laid out in columns, edit boxes with a design length that still show a
// longer stored text whole, and the key filter of numeric text boxes.
#pragma once
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QStringList>

#include <functional>

class QBoxLayout;
class QButtonGroup;
class QGridLayout;
class QLabel;
class QPushButton;

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

// A line edit limited to maxLength characters while typing; width 0 leaves
// the width to the layout.
QLineEdit* NewEdit(QWidget* parent, int maxLength, ImeMode ime = ImeMode::Default, int width = 0);
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

// A dialog that remembers its top-left position under two keys of section
// PREFORM: read at creation, written at destruction. Without stored keys it
// opens centred on its owner.
class TPositionedDialog : public QDialog {
    Q_OBJECT
public:
    ~TPositionedDialog() override;

protected:
    TPositionedDialog(QWidget* parent, const char* topKey, const char* leftKey);
    void showEvent(QShowEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    const char* topKey_;
    const char* leftKey_;
    int top_ = 0, left_ = 0;
    bool known_ = false;  // a position was stored or the dialog was shown
};

// A tab page's grid of caption and control rows.
QGridLayout* NewPageGrid(QWidget* page);

// The bottom panel of a master dialog: a bold message on the left, OK (the
// default button) and cancel. OK runs save at the command boundary and
// closes the dialog when it returns 0.
struct sBottomPanel {
    QLabel* message;
    QPushButton* ok;
    QPushButton* cancel;
};
sBottomPanel AddBottomPanel(QDialog* dialog, QBoxLayout* root, std::function<int()> save);
