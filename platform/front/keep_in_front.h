#pragma once

class QWidget;

namespace kestrune {

// While time up calls, the red window stands above every other window, so that a nurse whose
// screen covers it still sees it; it never takes the keyboard from the program the nurse is typing
// in. False lets other windows cover it again. Where the desktop decides the order of windows
// itself (Wayland), nothing changes. One file per system.
void keepInFront(QWidget& window, bool inFront);

}  // namespace kestrune
