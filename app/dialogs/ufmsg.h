// TfrmMsg: a yes/no question with three centred lines of text, used before
// items or structure lines are deleted. Callers fill lbl01..lbl03, call
// SetAnswer(0), show it through Platform().ShowModal and act when GetAnswer()
// is 1. いいえ is the default button and takes the focus whenever the window
// is activated, so Enter answers いいえ; closing the window without a button
// keeps the preset answer.
#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>

class TfrmMsg : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMsg(QWidget* parent = nullptr);
    QLabel* lbl01 = nullptr;
    QLabel* lbl02 = nullptr;
    QLabel* lbl03 = nullptr;
    QPushButton* btnYes = nullptr;
    QPushButton* btnNo = nullptr;
    void SetAnswer(unsigned char value) { Answer = value; }
    unsigned char GetAnswer() const { return Answer; }

    void btnYesClick();
    void btnNoClick();

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    unsigned char Answer = 0;
};
