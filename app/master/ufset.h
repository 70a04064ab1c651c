// TfrmSet: the environment settings dialog. Edits the four selection lists
// and the six captions of the user-named item fields in the settings file.
// The list rules live in clsSelectionList (core).
#pragma once
#include <QDialog>
#include <array>

#include "selectionlists.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

class TfrmSet : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSet(QWidget* parent = nullptr);
    void LoadSettings();
    void SaveSettings();

    // Operations of list i (0 単位, 1 倉庫, 2 工程, 3 ライン), run by its list
    // box and buttons.
    void ListSelect(int list);
    void ListAdd(int list);
    void ListReplace(int list);
    void ListDelete(int list);
    void ListUp(int list);
    void ListDown(int list);

    // The controls of one list page.
    struct sListPage {
        QListWidget* lst = nullptr;
        QLineEdit* edt = nullptr;
        QPushButton* btnAdd = nullptr;
        QPushButton* btnEdit = nullptr;
        QPushButton* btnDel = nullptr;
        QPushButton* btnUp = nullptr;
        QPushButton* btnDown = nullptr;
    };
    QTabWidget* pgcMain;
    // lstTani/edtTani/btnT..., lstSouko/edtSouko/btnS..., lstFlow/edtFlow/btnF...,
    // lstLine/edtLine/btnL...
    std::array<sListPage, kSelectionListCount> Pages;
    QLineEdit* edtEtchi;
    QLineEdit* edtHinban;
    QLineEdit* edtMcode;
    QLineEdit* edtYobi1;
    QLineEdit* edtYobi2;
    QLineEdit* edtYobi3;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    void showEvent(QShowEvent* e) override;

private:
    // Runs a list operation on the model with the edit box's text and shows
    // the result.
    void RunListOp(int list, bool (clsSelectionList::*op)());
    void ShowList(int list);
    QList<QLineEdit*> CaptionEdits() const;

    clsEnvSettings env_;
};
