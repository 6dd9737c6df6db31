#include "platform/timer/tick_schedule.h"

#include <gtest/gtest.h>

#include "platform/clock/slept_time.h"

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

// Windows 7's boot clock: the steady clock plus the sleep that GetTickCount64 saw.
TEST(SleptTimeTest, CountsSleepButNotTheCoarseClocksStepsOrDrift) {
    SleptTime slept;
    EXPECT_EQ(slept.update(1000ms, 1016ms), 0ms);         // a 16 ms step of the coarse clock
    EXPECT_EQ(slept.update(2000ms, 1984ms), 0ms);         // and one behind
    EXPECT_EQ(slept.update(3000ms, 603000ms), 600000ms);  // ten minutes asleep
    EXPECT_EQ(slept.update(4000ms, 604015ms), 600000ms);  // awake again: no jumps back or forth
    EXPECT_EQ(slept.update(5000ms, 605090ms), 600000ms);  // an hour's drift is no sleep
    EXPECT_EQ(slept.update(6000ms, 666000ms), 660000ms);  // a second sleep adds to the first
}

}  // namespace
}  // namespace kestrune
