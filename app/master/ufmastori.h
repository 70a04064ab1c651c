// TfrmMasTori: the partner dialog. Adds, edits and copies one business
// partner; shown modally by the partner list. Its rules live in
// clsPartnerMaster (core).
#pragma once
#include <QDialog>
#include <array>

#include "masterwidgets.h"
#include "partnermaster.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TRadioGroup;

class TfrmMasTori : public TPositionedDialog {
    Q_OBJECT
public:
    explicit TfrmMasTori(QWidget* parent = nullptr);

    // 0 add (also copy), 1 edit of a partner items refer to, 2 edit of one
    // no item refers to.
    void SetMode(int mode) { Mode = mode; }
    void Prepare(const QString& code, int kbn);
    bool IsCancelled() const { return Cancelled; }
    QString GetCode() const { return Code; }
    int GetKbn() const { return Kbn; }

    void LoadTori(const QString& code, int kbn);
    // 0 when written (the dialog may close), 1 when it stays open.
    int SaveTori();

    QTabWidget* pgcMain;
    QLineEdit* edtCd;
    TRadioGroup* rgKBN;
    QLineEdit* edtName;
    QLineEdit* edtRname;
    QLineEdit* edtKana;
    QLineEdit* numYubin1;
    QLineEdit* numYubin2;
    QLineEdit* edtAdrs1;
    QLineEdit* edtAdrs2;
    QLineEdit* edtAdrs3;
    QLineEdit* numTel1;
    QLineEdit* numTel2;
    QLineEdit* numTel3;
    QLineEdit* numTelkensaku;
    QLineEdit* numFax1;
    QLineEdit* numFax2;
    QLineEdit* numFax3;
    QLineEdit* edtDaihyosha;
    QLineEdit* edtMadoguchi;
    QLabel* lblKou;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    QList<QLineEdit*> Edits() const;

    int Mode = 0;
    bool Cancelled = true;
    QString Code;
    int Kbn = -1;
};
