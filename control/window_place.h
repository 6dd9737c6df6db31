#pragma once

namespace kestrune {

// A window's top-left corner on the screen, in twips.
struct ScreenPoint {
    double left = 0;
    double top = 0;
};

// Where a window opens when it holds place `place` among the Kestrune windows on one desktop. Place
// 0 is the middle of the screen. The others are the cells of a grid of window-sized cells around
// it, a small gap apart, taken row by row from the middle one on (to its right, then the next row
// down, and back to the top once the screen's bottom is reached), so that each window stands clear
// of those before it and wholly on the screen. When every cell is taken the next round starts
// again, stepped down and across so that no window hides another exactly.
ScreenPoint windowPlace(int place, double screenWidth, double screenHeight, double windowWidth,
                        double windowHeight);

}  // namespace kestrune
