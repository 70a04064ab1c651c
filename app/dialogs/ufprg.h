// TfrmPrg: the progress window shown while a structure is loaded or a plan is
// computed. The caller sets the caption and lblMsg, starts the animation,
// shows the window modelessly and repaints it between the steps of its work,
// then stops the animation and closes the window.
#pragma once
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

// A small looping animation drawn by the program: a tree whose branches
// light up one after another, or a sheet of paper flying from one folder to
// another. The frame shown follows the time since the start, so a window
// repainted by its caller between work steps shows the animation moving even
// while no events are processed.
class TAnimate : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Tree, FileCopy };
    explicit TAnimate(QWidget* parent = nullptr);

    void SetKind(Kind kind);
    Kind GetKind() const { return kind_; }
    int FrameCount() const { return kind_ == Kind::Tree ? 14 : 20; }
    // Current frame, 1-based.
    int Frame() const;
    bool Active() const { return active_; }
    void SetActive(bool active);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void PaintTree(QPainter& p, int frame);
    void PaintFileCopy(QPainter& p, int frame);

    Kind kind_ = Kind::FileCopy;
    bool active_ = false;
    QElapsedTimer clock_;
    QTimer timer_;
};

class TfrmPrg : public QDialog {
    Q_OBJECT
public:
    // The layout depends on whether TREE.avi lies in the program folder
    // (programDir; empty: the folder of the running program).
    explicit TfrmPrg(QWidget* parent = nullptr, const QString& programDir = QString());

    QLabel* lblMsg = nullptr;
    QLabel* Label1 = nullptr;
    TAnimate* Animate1 = nullptr;

    void StartAnimation();
    void StopAnimation();

    // Showing also lets the window system put the window on screen before
    // the caller's work begins; from then on the caller's repaint calls are
    // enough to show each new text.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};
