// TfrmInpExp: an empty window until its own work fills it.
#pragma once
#include <QDialog>

class TfrmInpExp : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInpExp(QWidget* parent = nullptr);
    // 0 import, 1 export.
    void SetMode(int mode) { Mode = mode; }
    void Prepare();

private:
    int Mode = 0;
};
