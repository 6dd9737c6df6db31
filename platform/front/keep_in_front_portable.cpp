// In front through Qt: on X11 the window manager is asked to keep the window above the others
// (_NET_WM_STATE_ABOVE) and to raise it, neither of which moves the keyboard focus.
#include <QWidget>
#include <QWindow>

#include "platform/front/keep_in_front.h"

namespace kestrune {

void keepInFront(QWidget& window, bool inFront) {
    QWindow* handle = window.windowHandle();
    if (!handle) {
        return;
    }
    handle->setFlag(Qt::WindowStaysOnTopHint, inFront);
    if (inFront) {
        handle->raise();
    }
}

}  // namespace kestrune
