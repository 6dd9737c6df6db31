#include "core/clock.h"

#include <cstdio>

namespace kestrune {

std::string timeOfDayText(long long secondsSinceMidnight) {
    constexpr long long day = 86400;
    const long long s = (secondsSinceMidnight % day + day) % day;
    char text[16];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return text;
}

long long secondsSinceMidnight(const ClockReading& reading) {
    return reading.hour * 3600LL + reading.minute * 60LL + reading.second;
}

std::string clockText(const ClockReading& reading) {
    return reading.shortDate + " " + shortClockText(reading);
}

std::string shortClockText(const ClockReading& reading) {
    return timeOfDayText(secondsSinceMidnight(reading));
}

}  // namespace kestrune
