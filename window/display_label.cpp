#include "window/display_label.h"

#include <QFontMetricsF>
#include <QPainter>

namespace kestrune {

DisplayLabel::DisplayLabel(QWidget* parent) : QLabel(parent) {}

QFont DisplayLabel::fittedFont() const {
    QFont fitted = font();
    const qreal available = contentsRect().width() - 2;
    const qreal needed = QFontMetricsF(fitted).horizontalAdvance(text());
    if (needed > available && needed > 0) {
        fitted.setPointSizeF(fitted.pointSizeF() * available / needed);
        // Point sizes are rounded when the font is realised; shrink until it really fits.
        while (fitted.pointSizeF() > 1 &&
               QFontMetricsF(fitted).horizontalAdvance(text()) > available) {
            fitted.setPointSizeF(fitted.pointSizeF() * 0.95);
        }
    }
    return fitted;
}

void DisplayLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(fittedFont());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}

}  // namespace kestrune
