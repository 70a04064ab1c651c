#include "coolband.h"

#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <algorithm>

TCoolBand::TCoolBand(const QString& text, int designWidth, QWidget* parent)
    : QToolBar(text, parent), designWidth_(designWidth), bandWidth_(designWidth) {
    setMovable(true);
    setFloatable(false);
    setAllowedAreas(Qt::TopToolBarArea);
    setIconSize(QSize(16, 16));
    // The band text, as a cool bar shows it at the left of its band.
    auto* caption = new QLabel(text, this);
    caption->setObjectName(QStringLiteral("bandText"));
    caption->setContentsMargins(2, 0, 6, 0);
    addWidget(caption);
}

QSize TCoolBand::sizeHint() const {
    QSize s = QToolBar::sizeHint();
    s.setWidth(std::max(bandWidth_, minimumWidth()));
    return s;
}

void ArrangeBands(QMainWindow* w, TCoolBand* first, TCoolBand* second, bool newRow2, int width1, int width2) {
    w->addToolBar(Qt::TopToolBarArea, first);
    if (newRow2) w->addToolBarBreak(Qt::TopToolBarArea);
    w->addToolBar(Qt::TopToolBarArea, second);
    first->SetBandWidth(width1);
    second->SetBandWidth(width2);
}

void BandLayout(QMainWindow* w, TCoolBand* a, TCoolBand* b, TCoolBand** first, TCoolBand** second, bool* newRow2) {
    if (QLayout* l = w->layout()) l->activate();
    QRect ra = a->geometry();
    QRect rb = b->geometry();
    bool aFirst = ra.y() != rb.y() ? ra.y() < rb.y() : ra.x() <= rb.x();
    *first = aFirst ? a : b;
    *second = aFirst ? b : a;
    *newRow2 = ra.y() != rb.y();
}
