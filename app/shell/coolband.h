// The two bands of a cool bar (the command tool bar and the search panel) as
// tool bars of a main window: their order, their rows and their widths, as
// the windows keep them in the settings file.
#pragma once
#include <QToolBar>

class QMainWindow;

// A band. Its width is the band width of the settings (0 = the design width);
// the last band of a row takes the rest.
class TCoolBand : public QToolBar {
    Q_OBJECT
public:
    TCoolBand(const QString& text, int designWidth, QWidget* parent);
    void SetBandWidth(int width) { bandWidth_ = width > 0 ? width : designWidth_; updateGeometry(); }
    QSize sizeHint() const override;

private:
    int designWidth_;
    int bandWidth_;
};

// Puts the two bands into the window: first, then second, on a new row when
// newRow2; with their widths (0 = the design width).
void ArrangeBands(QMainWindow* w, TCoolBand* first, TCoolBand* second, bool newRow2, int width1, int width2);
// The order of the bands a and b as they stand now, and whether the second
// starts a row of its own.
void BandLayout(QMainWindow* w, TCoolBand* a, TCoolBand* b, TCoolBand** first, TCoolBand** second, bool* newRow2);
