// TfrmOrder: an empty window until its own work fills it.
#pragma once
#include <QDialog>

class TfrmOrder : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOrder(QWidget* parent = nullptr);
    void ResetWindow();
    void SaveGridWidths();
};
