// TfrmParts: an empty window until its own work fills it.
#pragma once
#include <QDialog>

class TfrmParts : public QDialog {
    Q_OBJECT
public:
    explicit TfrmParts(QWidget* parent = nullptr);
    void CdListInit(int n);
    void CdListAdd(int k, const QString& code);
    void LoadStructure();

private:
    QStringList CdList;
};
