#include "core/duration.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "core/clock.h"
#include "core/time_up_text.h"

namespace kestrune {
namespace {

struct SerialCase {
    int hours, minutes, seconds;
    const char* text;
};

class TimeSerialTest : public ::testing::TestWithParam<SerialCase> {};

TEST_P(TimeSerialTest, WritesTheWholeHoursLeft) {
    const auto& c = GetParam();
    EXPECT_EQ(durationText(timeSerial(c.hours, c.minutes, c.seconds)), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TimeSerialTest,
    ::testing::Values(SerialCase{0, 5, 30, "00:05:30"}, SerialCase{0, 60, 0, "01:00:00"},
                      SerialCase{0, 0, 60, "00:01:00"}, SerialCase{0, 90, 0, "01:30:00"},
                      SerialCase{24, 0, 0, "24:00:00"}, SerialCase{25, 0, 0, "25:00:00"},
                      SerialCase{100, 0, 0, "100:00:00"}, SerialCase{0, 0, 0, "00:00:00"},
                      SerialCase{1, -30, 0, "00:30:00"}, SerialCase{-5, 0, 0, "00:00:00"},
                      SerialCase{0, 0, -1, "00:00:00"},
                      SerialCase{32767, 32767, 32767, "33322:13:07"},
                      SerialCase{-32768, -32768, -32768, "00:00:00"}));

TEST(OneSecondLess, StepsAcrossHoursAndDays) {
    EXPECT_EQ(durationText(oneSecondLess(timeSerial(1, 0, 0))), "00:59:59");
    EXPECT_EQ(durationText(oneSecondLess(timeSerial(25, 0, 0))), "24:59:59");
    EXPECT_EQ(durationText(oneSecondLess(timeSerial(0, 0, 1))), "00:00:00");
}

TEST(OneSecondLess, ReachesExactlyZeroAndStaysThere) {
    Duration d = timeSerial(1, 0, 0);
    for (int i = 0; i < 3600; ++i) {
        d = oneSecondLess(d);
    }
    EXPECT_EQ(d, Duration{0});
    EXPECT_EQ(oneSecondLess(d), Duration{0});
}

TEST(OneSecondLess, OfTheSmallestCountIsZeroWithoutOverflow) {
    EXPECT_EQ(oneSecondLess(Duration{INT64_MIN}), Duration{0});
    EXPECT_EQ(durationText(Duration{INT64_MIN}), "00:00:00");
    EXPECT_EQ(durationText(Duration{INT64_MAX}), "2562047788015215:30:07");
}

TEST(WhoseTimeIsUp, IsTheNameOrElseTheLengthAndTheStart) {
    EXPECT_EQ(whoseTimeIsUp("王芳", Duration{1500}, "10:05:12"), "王芳");
    EXPECT_EQ(whoseTimeIsUp("", Duration{1500}, "10:05:12"), "25:00 · 开始 10:05:12");
    EXPECT_EQ(whoseTimeIsUp("  ", Duration{59}, "09:00:00"), "00:59 · 开始 09:00:00");
    EXPECT_EQ(whoseTimeIsUp("", Duration{3930}, "23:59:59"), "1:05:30 · 开始 23:59:59");
    EXPECT_EQ(whoseTimeIsUp("", Duration{90000}, "08:00:00"), "25:00:00 · 开始 08:00:00");
}

TEST(ClockText, IsTheShortDateAndA24HourTime) {
    const ClockReading morning{9, 20, 7, "2024/5/6"};
    EXPECT_EQ(clockText(morning), "2024/5/6 09:20:07");
    EXPECT_EQ(shortClockText(morning), "09:20:07");
    EXPECT_EQ(shortClockText(ClockReading{23, 59, 59, "12/31/24"}), "23:59:59");
}

}  // namespace
}  // namespace kestrune
