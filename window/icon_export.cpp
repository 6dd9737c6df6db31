// Writes the window's icon as PNG files for the desktop's icon theme: icon_export DIR writes
// DIR/16x16/apps/kestrune.png and the same for 32, 48 and 256 pixels.
#include <QDir>
#include <QGuiApplication>

#include "window/window_icon.h"

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        return 2;
    }
    const QIcon icon = kestrune::kestruneIcon();
    for (int size : {16, 32, 48, 256}) {
        const QString folder = QString("%1/%2x%2/apps").arg(argv[1]).arg(size);
        if (!QDir().mkpath(folder) || !icon.pixmap(size).save(folder + "/kestrune.png")) {
            return 1;
        }
    }
    return 0;
}
