#pragma once

#include <QRect>
#include <array>

#include "control/controls.h"

namespace kestrune {

// Positions and sizes are twips; one logical pixel is 15 twips (96 dpi). Qt scales logical pixels
// for high-density screens.
constexpr double twipsPerPixel = 15.0;

struct TwipRect {
    int left, top, width, height;
};

constexpr int windowWidthTwips = 5328;
constexpr int windowHeightTwips = 2700;

constexpr TwipRect panelRect{240, 120, 4215, 1695};

constexpr std::array<TwipRect, labelCount> labelRects{{
    {360, 600, 3975, 855},    // Label1
    {3240, 1920, 375, 255},   // Label2
    {240, 2280, 4215, 255},   // Label3
    {240, 1920, 375, 255},    // Label4
    {1200, 1920, 375, 255},   // Label5
    {2160, 1920, 375, 255},   // Label6
    {240, 2280, 0, 255},      // Label7
    {3240, 1440, 1095, 255},  // Label8
    {2280, 1440, 975, 255},   // Label9
    {360, 1440, 975, 255},    // Label10
    {1200, 1440, 975, 255},   // Label11
    {1440, 240, 2895, 255},   // Label12
    {360, 240, 1095, 255},    // Label13
}};

constexpr std::array<TwipRect, comboCount> comboRects{{
    {600, 1875, 615, 300},   // Combo1
    {1560, 1875, 615, 300},  // Combo2
    {2520, 1875, 615, 300},  // Combo3
}};

constexpr TwipRect nameFieldRect{3600, 1905, 855, 270};  // Text1

constexpr std::array<TwipRect, buttonCount> buttonRects{{
    {4560, 120, 615, 320},   // Command1
    {4560, 555, 615, 320},   // Command2
    {4560, 990, 615, 320},   // Command3
    {4560, 2280, 615, 320},  // Command4
    {4560, 1845, 615, 320},  // Command5
    {4560, 1410, 615, 320},  // Command6
}};

// Rounds each edge to the nearest logical pixel, so that controls sharing an edge in twips share it
// on the screen too.
int toPixels(double twips);
QRect toPixels(const TwipRect& rect);

}  // namespace kestrune
