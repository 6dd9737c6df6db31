#pragma once

#include <string>
#include <string_view>

#include "core/clock.h"
#include "core/duration.h"

namespace kestrune {

// The time of day a countdown set from the three field texts will finish when started at the
// clock reading: the reading plus the fields' duration, plus the second of the tick that raises
// time up when the seconds text is not empty. A finish on a later day shows its time of day.
std::string finishText(const ClockReading& reading, std::string_view hoursText,
                       std::string_view minutesText, std::string_view secondsText);

// The time of day a countdown with `remaining` left finishes when it goes on at the clock
// reading: the time up tick comes one second after the display reaches 00:00:00.
std::string finishTextAfter(const ClockReading& reading, Duration remaining);

// The duration the three field texts describe.
Duration fieldsDuration(std::string_view hoursText, std::string_view minutesText,
                        std::string_view secondsText);

}  // namespace kestrune
