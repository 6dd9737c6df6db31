#include "control/window_place.h"

#include <algorithm>
#include <cmath>

namespace kestrune {

namespace {

constexpr double gap = 120;      // twips between neighbouring windows
constexpr double lapStep = 360;  // twips each later lap round the grid is moved down and across

// How many whole cells fit on each side of the middle one.
int cellsBeside(double middle, double cell) {
    return middle > 0 ? static_cast<int>(std::floor(middle / cell)) : 0;
}

}  // namespace

ScreenPoint windowPlace(int place, double screenWidth, double screenHeight, double windowWidth,
                        double windowHeight) {
    const ScreenPoint middle{(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
    const int columns = cellsBeside(middle.left, windowWidth + gap);
    const int rows = cellsBeside(middle.top, windowHeight + gap);
    const int across = 2 * columns + 1;
    const int cells = across * (2 * rows + 1);
    place = std::max(place, 0);

    // Cells in reading order, counted from the middle one and wrapping round to the top left.
    const int middleCell = rows * across + columns;
    const int cell = (middleCell + place % cells) % cells;
    const int lap = place / cells;
    ScreenPoint at{middle.left + (cell % across - columns) * (windowWidth + gap),
                   middle.top + (cell / across - rows) * (windowHeight + gap)};
    if (lap > 0) {
        at.left =
            std::clamp(at.left + lap * lapStep, 0.0, std::max(screenWidth - windowWidth, 0.0));
        at.top =
            std::clamp(at.top + lap * lapStep, 0.0, std::max(screenHeight - windowHeight, 0.0));
    }
    return at;
}

}  // namespace kestrune
