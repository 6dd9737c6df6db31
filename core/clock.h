#pragma once

#include <string>

namespace kestrune {

// A reading of the local wall clock, whole seconds. The date is kept as the system's short
// date text, since only the platform knows the locale's format.
struct ClockReading {
    int hour = 0;
    int minute = 0;
    int second = 0;
    std::string shortDate;
};

long long secondsSinceMidnight(const ClockReading& reading);

// "hh:nn:ss" of a number of seconds since midnight, wrapped to one day.
std::string timeOfDayText(long long secondsSinceMidnight);

// The short date, one blank, and the 24-hour time with seconds: "2024/5/6 09:20:07".
std::string clockText(const ClockReading& reading);

// The last 8 characters of the clock text: always the time of day.
std::string shortClockText(const ClockReading& reading);

}  // namespace kestrune
