#include "window/progress_bar.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "window/layout.h"
#include "window/palette.h"

namespace kestrune {

ProgressBar::ProgressBar(QWidget* parent) : QLabel(parent) {}

void ProgressBar::setTwips(float width) {
    const int before = devicePixels();
    twips_ = width;
    if (devicePixels() != before) {
        update();  // most ticks move the bar by less than a pixel: nothing to repaint
    }
}

int ProgressBar::devicePixels() const {
    const double pixels = std::lround(twips_ / twipsPerPixel * devicePixelRatioF());
    return std::clamp(static_cast<int>(pixels), 0,
                      static_cast<int>(std::lround(width() * devicePixelRatioF())));
}

void ProgressBar::paintEvent(QPaintEvent*) {
    const int filled = devicePixels();
    if (filled <= 0) {
        return;
    }
    QPainter painter(this);
    painter.fillRect(QRectF(0, 0, filled / devicePixelRatioF(), height()), barGreen);
}

}  // namespace kestrune
