#include "window/window_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include "compat/qt_compat.h"

namespace kestrune {

namespace {

const QColor stripeTeal{0, 154, 156};
const QColor bandBlue{8, 36, 107};

constexpr int iconSizes[] = {16, 32, 48, 256};

void drawIcon(QPainter& painter, int size) {
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
}

// Draws the icon whenever a size is asked for and keeps no pixmaps: the desktop takes its copy
// once, and the window need not hold a quarter of a megabyte for the largest size.
class IconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->save();
        painter->translate(rect.topLeft());
        drawIcon(*painter, std::min(rect.width(), rect.height()));
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) KESTRUNE_ICON_SIZES_CONST override {
        QList<QSize> sizes;
        for (int size : iconSizes) {
            sizes.append(QSize(size, size));
        }
        return sizes;
    }

    QIconEngine* clone() const override { return new IconEngine; }
    QString key() const override { return QStringLiteral("kestrune"); }
};

}  // namespace

QIcon kestruneIcon() {
    return QIcon(new IconEngine);
}

}  // namespace kestrune
