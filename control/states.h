#pragma once

#include <string_view>

#include "control/controls.h"

namespace kestrune {

// The window's background marks the countdown's state.
constexpr Colour idleColour = 0x00E0E0E0;     // light grey
constexpr Colour runningColour = 0x00C0C000;  // red 0, green 192, blue 192
constexpr Colour pausedColour = 0x00FF8080;   // red 128, green 128, blue 255
constexpr Colour timeUpColour = 0x000000C0;   // red 192

// The clock caption in front of the clock value. The start caption ends in a full-width colon,
// the running and paused ones in an ASCII colon.
constexpr std::string_view startClockCaption = "当前时间：";
constexpr std::string_view runningClockCaption = "当前时间:";
constexpr std::string_view pausedClockCaption = "暂停时间:";
constexpr std::string_view stoppedClockCaption = "时间停止在：";

constexpr std::string_view timeUpSuffix = "时间到！";

}  // namespace kestrune
