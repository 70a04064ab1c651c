// TfrmMasItem: an empty window until its own work fills it.
#pragma once
#include <QDialog>

class TfrmMasItem : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMasItem(QWidget* parent = nullptr);
    // Dialog pattern: 0 add, 1 edit (used in the structure), 2 view, 3 edit.
    void SetMode(int mode) { Mode = mode; }
    void Prepare(const QString& code);
    // View mode: shows another item in the open dialog.
    void Reload(const QString& code);
    bool IsCancelled() const { return Cancelled; }
    QString GetCode() const { return Code; }

private:
    int Mode = 0;
    bool Cancelled = true;
    QString Code;
};
