#include "platform/tick_schedule.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

using namespace std::chrono_literals;

class TickScheduleTest : public ::testing::Test {
protected:
    TickScheduleTest() { schedule.setInterval(1000ms); }

    static TickSchedule::TimePoint at(std::chrono::milliseconds t) {
        return TickSchedule::TimePoint(t);
    }

    // A tick handler in the logic's manner: disable, work, and enable again to go on.
    void handleTick(bool goOn = true) {
        schedule.setEnabled(false, at(0ms));
        if (goOn) {
            schedule.setEnabled(true, at(999999ms));  // the handler's time must not count
        }
    }

    TickSchedule schedule;
};

TEST_F(TickScheduleTest, EnablingStartsAFreshInterval) {
    EXPECT_FALSE(schedule.nextDue());
    schedule.setEnabled(true, at(250ms));
    EXPECT_EQ(schedule.nextDue(), at(1250ms));
    EXPECT_FALSE(schedule.beginTick(at(1249ms)));
    EXPECT_TRUE(schedule.beginTick(at(1250ms)));
}

TEST_F(TickScheduleTest, ReEnablingInsideTheTickKeepsPaceWithTheDueTimes) {
    schedule.setEnabled(true, at(0ms));
    for (int n = 1; n <= 5; ++n) {
        // Each wake-up comes 30 ms late, yet the next tick stays on the whole second.
        ASSERT_TRUE(schedule.beginTick(at(n * 1000ms + 30ms)));
        handleTick();
        schedule.endTick();
        EXPECT_EQ(schedule.nextDue(), at((n + 1) * 1000ms));
    }
}

TEST_F(TickScheduleTest, MissedTicksAreAllDueAtOnce) {
    schedule.setEnabled(true, at(0ms));
    int ticks = 0;
    while (schedule.beginTick(at(5500ms))) {
        handleTick();
        schedule.endTick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 5);
    EXPECT_EQ(schedule.nextDue(), at(6000ms));
}

TEST_F(TickScheduleTest, ATickThatDisablesTheTimerEndsTheTicks) {
    schedule.setEnabled(true, at(0ms));
    ASSERT_TRUE(schedule.beginTick(at(1000ms)));
    handleTick(false);
    schedule.endTick();
    EXPECT_FALSE(schedule.enabled());
    EXPECT_FALSE(schedule.beginTick(at(9000ms)));
}

TEST_F(TickScheduleTest, EnablingAnEnabledTimerKeepsItsPendingTick) {
    schedule.setEnabled(true, at(0ms));
    schedule.setEnabled(true, at(700ms));
    EXPECT_EQ(schedule.nextDue(), at(1000ms));
}

TEST_F(TickScheduleTest, EnablingAfterAPauseStartsAFreshInterval) {
    schedule.setEnabled(true, at(0ms));
    schedule.setEnabled(false, at(400ms));
    schedule.setEnabled(true, at(3400ms));
    EXPECT_EQ(schedule.nextDue(), at(4400ms));
}

TEST_F(TickScheduleTest, AZeroIntervalNeverTicks) {
    TickSchedule unset;
    unset.setEnabled(true, at(0ms));
    EXPECT_FALSE(unset.nextDue());
    EXPECT_FALSE(unset.beginTick(at(100000ms)));
}

}  // namespace
}  // namespace kestrune
