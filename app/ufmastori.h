// TfrmMasTori: an empty window until its own work fills it.
#pragma once
#include <QDialog>

class TfrmMasTori : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMasTori(QWidget* parent = nullptr);
    void SetMode(int mode) { Mode = mode; }
    void Prepare(const QString& code, int kbn);
    bool IsCancelled() const { return Cancelled; }
    QString GetCode() const { return Code; }
    int GetKbn() const { return Kbn; }

private:
    int Mode = 0;
    bool Cancelled = true;
    QString Code;
    int Kbn = 1;
};
