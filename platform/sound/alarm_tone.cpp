#include "platform/sound/alarm_tone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kestrune {

std::vector<std::int16_t> AlarmTone::samples() {
    constexpr int beep = sampleRate * beepMs / 1000;
    constexpr int gap = sampleRate * gapMs / 1000;
    constexpr int fade = sampleRate * fadeMs / 1000;
    constexpr double amplitude = 0.5 * 32767;

    std::vector<std::int16_t> out(2 * beep + gap, 0);
    for (int start : {0, beep + gap}) {
        for (int i = 0; i < beep; ++i) {
            const double edge = std::min({1.0, double(i) / fade, double(beep - 1 - i) / fade});
            const double wave = std::sin(2 * std::numbers::pi * frequency * i / sampleRate);
            out[start + i] = static_cast<std::int16_t>(std::lround(amplitude * edge * wave));
        }
    }
    return out;
}

}  // namespace kestrune
