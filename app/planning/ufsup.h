// TfrmSup: an empty window until its own work fills it.
#pragma once
#include <QDialog>

class TfrmSup : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSup(QWidget* parent = nullptr);
    void ResetWindow();
    void SaveGridWidths();
};
