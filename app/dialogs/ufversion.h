// TfrmVersion: the version information window. The web page and mail
// address labels open through the desktop; the window has no button and is
// closed by its title bar.
#pragma once
#include <QDialog>
#include <QLabel>

// A label that reports a click of the left mouse button.
class TClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

class TfrmVersion : public QDialog {
    Q_OBJECT
public:
    explicit TfrmVersion(QWidget* parent = nullptr);

    static const char* const kWebPage;
    static const char* const kMailAddress;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    TClickLabel* Label4 = nullptr;
    TClickLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Image1 = nullptr;

    void Label4Click();
    void Label5Click();

protected:
    void showEvent(QShowEvent* e) override;
};
