#include "platform/sound/alarm_tone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <vector>

namespace kestrune {
namespace {

// The stretches of sound in the samples: where each starts and how long it lasts, in samples.
std::vector<std::pair<int, int>> soundsIn(const std::vector<std::int16_t>& samples) {
    std::vector<std::pair<int, int>> sounds;
    for (int i = 0, n = int(samples.size()); i < n;) {
        if (samples[i] == 0 && (i + 1 == n || samples[i + 1] == 0)) {
            ++i;
            continue;
        }
        int end = i;
        while (end < n && !(samples[end] == 0 && (end + 1 == n || samples[end + 1] == 0))) {
            ++end;
        }
        sounds.emplace_back(i, end - i);
        i = end;
    }
    return sounds;
}

// Two beeps of 150 ms of 1000 Hz, 120 ms apart, at half of full scale, as the recorded alarm is
// checked against.
TEST(AlarmTone, IsTwoBeepsOfAThousandHertzAtHalfScale) {
    const std::vector<std::int16_t> samples = AlarmTone::samples();
    const int perMs = AlarmTone::sampleRate / 1000;
    const auto sounds = soundsIn(samples);
    ASSERT_EQ(sounds.size(), 2u);
    for (const auto& [start, length] : sounds) {
        EXPECT_NEAR(length, 150 * perMs, perMs);
        const auto first = samples.begin() + start;
        const int crossings = int(std::inner_product(
            first, first + length - 1, first + 1, 0, std::plus<>(),
            [](std::int16_t a, std::int16_t b) { return (a < 0) != (b < 0) ? 1 : 0; }));
        EXPECT_NEAR(crossings / 2.0 / 0.150, 1000, 10);
        const int loudest = std::abs(*std::max_element(
            first, first + length, [](auto a, auto b) { return std::abs(a) < std::abs(b); }));
        EXPECT_NEAR(20 * std::log10(loudest / 32768.0), -6.0, 0.1);
        // Soft edges: no click at either end.
        EXPECT_LT(std::abs(first[0]) + std::abs(first[length - 1]), 200);
    }
    EXPECT_NEAR(sounds[1].first - (sounds[0].first + sounds[0].second), 120 * perMs, perMs);
}

}  // namespace
}  // namespace kestrune
