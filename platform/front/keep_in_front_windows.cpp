// In front on Windows: a topmost window, set without activating it, so that the program the nurse
// types in keeps the keyboard.
#include <windows.h>

#include <QWidget>

#include "platform/front/keep_in_front.h"

namespace kestrune {

void keepInFront(QWidget& window, bool inFront) {
    SetWindowPos(reinterpret_cast<HWND>(window.winId()), inFront ? HWND_TOPMOST : HWND_NOTOPMOST, 0,
                 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace kestrune
