// TfrmVersion: an empty window until its own work fills it.
#pragma once
#include <QDialog>

class TfrmVersion : public QDialog {
    Q_OBJECT
public:
    explicit TfrmVersion(QWidget* parent = nullptr);
};
