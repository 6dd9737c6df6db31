#pragma once

#include <cstdint>
#include <vector>

namespace kestrune {

// The alarm: two short, clear beeps, made here as 16-bit mono samples rather than read from a file.
struct AlarmTone {
    static constexpr int sampleRate = 48000;
    static constexpr int frequency = 1000;  // Hz
    static constexpr int beepMs = 150;
    static constexpr int gapMs = 120;
    static constexpr int fadeMs = 5;  // soft edges, so the beeps do not click

    static std::vector<std::int16_t> samples();
};

}  // namespace kestrune
