#include "window/window_icon.h"

#include <QPainter>
#include <QPixmap>

namespace kestrune {

namespace {

const QColor stripeTeal{0, 154, 156};
const QColor bandBlue{8, 36, 107};

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);

    const int stripe = std::max(1, size / 10);
    const int bandTop = size / 4;
    const int bandHeight = size - 2 * bandTop;
    painter.fillRect(0, bandTop - 2 * stripe, size, stripe, stripeTeal);
    painter.fillRect(0, bandTop, size, bandHeight, bandBlue);
    painter.fillRect(0, bandTop + bandHeight + stripe, size, stripe, stripeTeal);

    // Below 32 pixels two Chinese characters would be a blur: a bold K stands in.
    QFont font;
    font.setBold(true);
    font.setPixelSize(std::max(7, bandHeight * 3 / 4));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing, size >= 32);
    painter.drawText(QRect(0, bandTop, size, bandHeight), Qt::AlignCenter,
                     size >= 32 ? QStringLiteral("计时") : QStringLiteral("K"));
    return pixmap;
}

}  // namespace

QIcon kestruneIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 256}) {
        icon.addPixmap(drawIcon(size));
    }
    return icon;
}

}  // namespace kestrune
