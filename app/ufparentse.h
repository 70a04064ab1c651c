// TfrmParentSe: an empty window until its own work fills it.
#pragma once
#include <QDialog>

class TfrmParentSe : public QDialog {
    Q_OBJECT
public:
    explicit TfrmParentSe(QWidget* parent = nullptr);
};
