// TfrmInpExp: CSV import and export of structure lines, items and partners.
// The caller sets the mode, calls Prepare and shows the dialog modally; the
// runs themselves are clsCsvImport and clsCsvExport of core, on a connection
// of their own.
#pragma once
#include <QDialog>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

class TfrmInpExp : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInpExp(QWidget* parent = nullptr);
    // 0 import, 1 export.
    void SetMode(int mode) { Mode = mode; }
    int GetMode() const { return Mode; }
    // Empties the paths, sets caption and labels by mode, shows chkDel in
    // import mode only, unticks the three table boxes (the header boxes and
    // chkDel keep their state) and empties the status.
    void Prepare();

    QLabel* lblMdb = nullptr;
    QLineEdit* edtMdb = nullptr;
    QPushButton* btnMdb = nullptr;
    QCheckBox* chkDel = nullptr;
    // Per table, in the order structure, items, partners.
    QCheckBox* chkStruct = nullptr;
    QCheckBox* chkItem = nullptr;
    QCheckBox* chkTori = nullptr;
    QCheckBox* chkStrHead = nullptr;
    QCheckBox* chkItemHead = nullptr;
    QCheckBox* chkToriHead = nullptr;
    QLabel* lblSCsv = nullptr;
    QLabel* lblICsv = nullptr;
    QLabel* lblTCsv = nullptr;
    QLineEdit* edtSCsv = nullptr;
    QLineEdit* edtICsv = nullptr;
    QLineEdit* edtTCsv = nullptr;
    QPushButton* btnSCsv = nullptr;
    QPushButton* btnICsv = nullptr;
    QPushButton* btnTCsv = nullptr;
    QAction* actOK = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QStatusBar* stsBar = nullptr;

    // The header, label, path and browse controls of a table are enabled
    // exactly while its box is ticked.
    void UpdateTableControls();
    void BrowseMdb();
    void BrowseCsv(int table);
    // actOK: the export in export mode, the import in import mode. The dialog
    // stays open.
    void RunOK();

private:
    struct TableControls {
        QCheckBox* chk;
        QCheckBox* head;
        QLabel* label;
        QLineEdit* path;
        QPushButton* browse;
    };
    TableControls Table(int t) const;
    // Sets the path of edit from a file dialog: a save dialog that asks before
    // overwriting, or an open dialog. A cancelled dialog leaves it.
    void Browse(QLineEdit* edit, const QString& title, const char* filter, const char* ext, bool save,
                bool mustExist);

    int Mode = 0;
};
