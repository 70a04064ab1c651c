// TfrmMasItem: the item dialog. Adds, edits, copies and shows one record of
// the item master. Modal for add and edit; modeless in view mode, where the
// caller reloads it in place. Its rules live in clsItemMaster (core).
#pragma once
#include <QDialog>
#include <vector>

#include "itemmaster.h"
#include "masterwidgets.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class TRadioGroup;

class TfrmMasItem : public TPositionedDialog {
    Q_OBJECT
public:
    explicit TfrmMasItem(QWidget* parent = nullptr);

    // Dialog pattern: 0 add (new or copy), 1 edit (used in the structure),
    // 2 view, 3 edit (not used in the structure).
    void SetMode(int mode) { Mode = mode; }
    void Prepare(const QString& code);
    // View mode: shows another item in the open dialog.
    void Reload(const QString& code);
    bool IsCancelled() const { return Cancelled; }
    QString GetCode() const { return Code; }

    void FillTehaiList();
    void LoadItem(const QString& code);
    void actCalcTotal();
    // 0 when the record was written (the dialog may close), 1 when it stays
    // open. Conversion and engine errors propagate to the command boundary.
    int SaveItem();

    // Controls, named as designed.
    QTabWidget* pgcMain;
    QLineEdit* edtCd;
    TRadioGroup* rgKBN;
    QLineEdit* edtName;
    QLineEdit* edtKana;
    QLineEdit* edtKeitai;
    QLineEdit* edtKikaku;
    QLabel* dsplblHinban;
    QLineEdit* edtHinban;
    QLabel* dsplblMcode;
    QLineEdit* edtMcode;
    TRadioGroup* rgJANKBN;
    QLineEdit* edtJancode;
    QComboBox* cboTani;
    QLineEdit* numShuzaihi;
    QLineEdit* numKakouhi;
    QLineEdit* numGaichuuhi;
    QLabel* dsplblEtchi;
    QLineEdit* numEtchi;
    QLabel* dsplblTanka;
    TRadioGroup* rgTEHAIKBN;
    QComboBox* cboTehaicd;
    QLineEdit* numTehainisu;
    QLabel* lblTani;
    QComboBox* cboTehai;
    QComboBox* cboSouko;
    QComboBox* cboKoutei;
    QComboBox* cboLine;
    QLabel* dsplblYobi1;
    QLineEdit* edtYobi1;
    QLabel* dsplblYobi2;
    QLineEdit* edtYobi2;
    QLabel* dsplblYobi3;
    QLineEdit* edtYobi3;
    QPlainTextEdit* memMemo;
    QLabel* lblKou;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void SetOwner(QWidget* owner);
    void BuildForm();
    void ClearFields();
    void SetLblTani();
    void ApplyMode();
    QList<QLineEdit*> Edits() const;
    QList<QComboBox*> Combos() const;
    sItemForm ReadForm() const;

    int Mode = 0;
    bool Cancelled = true;
    QString Code;
    std::vector<sTehaiEntry> tehaiEntries_;
    QWidget* owner_;  // the parent the dialog was created with
};
