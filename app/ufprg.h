// TfrmPrg: an empty window until its own work fills it.
#pragma once
#include <QDialog>
#include <QLabel>
class TfrmPrg : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPrg(QWidget* parent = nullptr);
    QLabel* lblMsg = nullptr;
    void StartAnimation();
    void StopAnimation();
};
