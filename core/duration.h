#pragma once

#include <compare>
#include <cstdint>
#include <string>

namespace kestrune {

// The time left of a countdown, in whole seconds. Never negative: a negative total counts as zero.
struct Duration {
    std::int64_t seconds = 0;

    auto operator<=>(const Duration&) const = default;
};

// hours x 3600 + minutes x 60 + seconds; minutes and seconds carry freely.
Duration timeSerial(std::int16_t hours, std::int16_t minutes, std::int16_t seconds);

// hh:nn:ss with the whole hours of the duration (at least two digits): 25 hours is "25:00:00".
std::string durationText(Duration d);

// Exactly one second less, never below zero.
Duration oneSecondLess(Duration d);

}  // namespace kestrune
