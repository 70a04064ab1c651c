// TfrmSet: an empty window until its own work fills it.
#pragma once
#include <QDialog>

class TfrmSet : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSet(QWidget* parent = nullptr);
    void LoadSettings();
    void SaveSettings();
};
