// TfrmStrEdit: an empty window until its own work fills it.
#pragma once
#include <QDialog>

class TfrmStrEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStrEdit(QWidget* parent = nullptr);
};
