// TfrmTori: an empty window until its own work fills it.
#pragma once
#include <QDialog>

class TfrmTori : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTori(QWidget* parent = nullptr);
    void ClearList();
};
