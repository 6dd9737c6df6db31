#include "window/panel_shape.h"

#include <QPainter>

#include "window/palette.h"

namespace kestrune {

PanelShape::PanelShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PanelShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), panelTeal);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace kestrune
