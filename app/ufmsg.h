// TfrmMsg: an empty window until its own work fills it.
#pragma once
#include <QDialog>
#include <QLabel>
class TfrmMsg : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMsg(QWidget* parent = nullptr);
    QLabel* lbl01 = nullptr;
    QLabel* lbl02 = nullptr;
    QLabel* lbl03 = nullptr;
    void SetAnswer(unsigned char value) { Answer = value; }
    unsigned char GetAnswer() const { return Answer; }

private:
    unsigned char Answer = 0;
};
