// TfrmMain: the one window of Velmo1_2. It asks for the source and target
// names and hands them to the conversion (clsConvert, core); closing it ends
// the program.
#pragma once
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform.h"

class TfrmMain : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);

    // Client size of the window.
    static constexpr int kWidth = 332;
    static constexpr int kHeight = 160;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* edtFrom = nullptr;
    QPushButton* btnRefFrom = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* edtTo = nullptr;
    QPushButton* btnRefTo = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnClose = nullptr;
    FileDialogOptions dlgOpen;
    FileDialogOptions dlgNew;

    void btnRefFromClick();
    void btnRefToClick();
    // 実行: converts, then shows the outcome's message.
    void btnOKClick();
    void btnCloseClick();

protected:
    void showEvent(QShowEvent* e) override;
};
