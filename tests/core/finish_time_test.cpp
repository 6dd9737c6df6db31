#include "core/finish_time.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

struct FinishCase {
    int hour, minute, second;
    const char *hours, *minutes, *seconds;
    const char* finish;
};

class FinishTextTest : public ::testing::TestWithParam<FinishCase> {};

TEST_P(FinishTextTest, AddsTheFieldsToTheClock) {
    const auto& c = GetParam();
    EXPECT_EQ(
        finishText(ClockReading{c.hour, c.minute, c.second, ""}, c.hours, c.minutes, c.seconds),
        c.finish);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, FinishTextTest,
    ::testing::Values(
        // Carries from seconds to minutes to hours, with the time-up tick's second.
        FinishCase{10, 59, 50, "", "", "15", "11:00:06"},
        FinishCase{9, 5, 3, "0", "5", "30", "09:10:34"},
        // Past midnight only the time of day shows.
        FinishCase{23, 30, 0, "2", "", "", "01:30:00"},
        FinishCase{23, 59, 59, "", "", "0", "00:00:00"},
        // The extra second only when the seconds text is not empty.
        FinishCase{14, 20, 7, "", "", "", "14:20:07"},
        FinishCase{14, 20, 7, "", "", "0", "14:20:08"},
        FinishCase{14, 20, 7, "", "", "abc", "14:20:08"},
        FinishCase{8, 0, 0, "100", "60", "60", "13:01:01"},
        FinishCase{0, 0, 0, "", "25", "", "00:25:00"},
        // The countdown's own whole values: fractions round, negatives count as nothing.
        FinishCase{10, 0, 7, "", "2.5", "", "10:02:07"},
        FinishCase{10, 0, 7, "", "1.6", "", "10:02:07"},
        FinishCase{10, 0, 0, "-5", "", "", "10:00:00"},
        FinishCase{10, 0, 0, "1", "-90", "", "10:00:00"},
        FinishCase{10, 0, 0, "100000", "", "", "17:00:00"}));

TEST(FinishTextAfter, AddsTheTimeLeftAndTheTimeUpTick) {
    EXPECT_EQ(finishTextAfter(ClockReading{10, 0, 0, ""}, Duration{90}), "10:01:31");
    EXPECT_EQ(finishTextAfter(ClockReading{23, 59, 59, ""}, Duration{0}), "00:00:00");
    EXPECT_EQ(finishTextAfter(ClockReading{12, 0, 0, ""}, timeSerial(100, 0, 0)), "16:00:01");
}

}  // namespace
}  // namespace kestrune
