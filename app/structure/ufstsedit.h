// TfrmStrEdit: adds or edits one structure line. Searches the item to add
// (add mode), takes the quantity and the two flags, refuses a line that would
// close a loop, and writes the line. Shown modally by the structure window.
#pragma once
#include <QDialog>
#include <QString>

class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;
class TListView;

class TfrmStrEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStrEdit(QWidget* parent = nullptr);

    // Dialog pattern: 0 add, 1 edit.
    void SetMode(int mode) { Mode = static_cast<unsigned char>(mode); }
    void Prepare(const QString& parent, const QString& child, int parentKbn);
    bool IsCancelled() const { return Cancelled != 0; }
    QString GetCode() const { return ChildCode; }

    // actSearch and actOk (also the Enter key).
    void SearchItems();
    void SaveLine();
    void lvMainSelectItem();

    QWidget* pnlT = nullptr;
    QWidget* pnlE = nullptr;
    QLineEdit* edtFind = nullptr;
    QCheckBox* chkHontai = nullptr;
    QCheckBox* chkUnit = nullptr;
    QCheckBox* chkParts = nullptr;
    QPushButton* btnFind = nullptr;
    TListView* lvMain = nullptr;
    QLineEdit* edtCd = nullptr;
    QLineEdit* numInzu = nullptr;
    QCheckBox* chkKanri = nullptr;
    QCheckBox* chkChk = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QAction* actSearch = nullptr;
    QAction* actOk = nullptr;

protected:
    void done(int r) override;

private:
    void LoadLine(const QString& parent, const QString& child);
    void SetResultColumns();

    unsigned char Mode = 0;
    unsigned char Cancelled = 1;
    QString ParentCode;
    QString ChildCode;
    int ParentKbn = 0;
};
