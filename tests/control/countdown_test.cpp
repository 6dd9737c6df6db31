#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "control/fake_operations.h"
#include "control/states.h"

namespace kestrune::testing {
namespace {

using ::testing::ElementsAre;

class Countdown : public ::testing::Test {
protected:
    void startSeconds(std::string_view seconds) {
        desk.type(Combo::Combo3, seconds);
        desk.click(Button::Command1);
        desk.ops.displayHistory.clear();
    }

    FakeDesktop desk;
};

TEST_F(Countdown, StartTurnsTheWindowToRunning) {
    desk.pick(Combo::Combo2, "5");
    desk.click(Button::Command1);
    EXPECT_EQ(desk.background(), runningColour);
    EXPECT_TRUE(desk.ops.timerEnabled);
    EXPECT_TRUE(desk.ops.awake);
    EXPECT_FALSE(desk.ops.isEnabled(Button::Command3));
    EXPECT_EQ(desk.caption(Label::Label13), "当前时间:");
    EXPECT_EQ(desk.caption(Label::Label11), "14:20:07");
    EXPECT_EQ(desk.caption(Label::Label8), "14:25:07");
    EXPECT_EQ(desk.display(), "00:05:00");
}

TEST_F(Countdown, StartAndFinishTimesComeFromOneReadingOfTheClock) {
    desk.pick(Combo::Combo2, "5");
    desk.ops.secondTurnsAfterEachReading = true;
    desk.click(Button::Command1);
    EXPECT_EQ(desk.caption(Label::Label11), "14:20:07");
    EXPECT_EQ(desk.caption(Label::Label8), "14:25:07");
}

TEST_F(Countdown, ThreeSecondsCountDownAndTimeIsUpOnTheFourthTick) {
    desk.typeName("王芳");
    startSeconds("3");
    desk.tick(3);
    EXPECT_THAT(desk.ops.displayHistory, ElementsAre("00:00:02", "00:00:01", "00:00:00"));
    EXPECT_EQ(desk.ops.beeps, 0);
    EXPECT_EQ(desk.ops.alarms, 0);
    EXPECT_EQ(desk.background(), runningColour);
    EXPECT_EQ(desk.caption(Label::Label12), "2024/5/6 14:20:07");

    desk.ops.focus.reset();
    desk.tick();
    EXPECT_EQ(desk.ops.beeps, 2);
    EXPECT_EQ(desk.ops.alarms, 1);
    EXPECT_THAT(desk.ops.announcements, ElementsAre("王芳时间到！"));
    EXPECT_THAT(desk.ops.notices, ElementsAre("王芳"));
    EXPECT_FALSE(desk.ops.timerEnabled);
    EXPECT_TRUE(desk.ops.isEnabled(Button::Command3));
    EXPECT_THAT(desk.ops.texts, ElementsAre("", "", ""));
    EXPECT_EQ(desk.ops.focus, Combo::Combo1);
    EXPECT_EQ(desk.display(), "王芳时间到！");
    EXPECT_EQ(desk.background(), timeUpColour);
    EXPECT_EQ(desk.caption(Label::Label13), "时间停止在：");
    EXPECT_EQ(desk.form.remaining(), Duration{0});
    EXPECT_EQ(desk.bar(), 0.0f);
}

TEST_F(Countdown, TimeUpWithoutANameShowsOnlyTheMessage) {
    startSeconds("1");
    desk.tick(2);
    EXPECT_EQ(desk.display(), "时间到！");
    // The notification says which countdown ended: its length and when it started.
    EXPECT_THAT(desk.ops.notices, ElementsAre("00:01 · 开始 14:20:07"));
}

TEST_F(Countdown, OneMinuteGrowsTheBarByAnEqualStepToTheFullTrack) {
    desk.pick(Combo::Combo2, "1");
    desk.click(Button::Command1);
    desk.tick();
    EXPECT_EQ(desk.bar(), 70.25f);
    desk.tick(59);
    EXPECT_EQ(desk.display(), "00:00:00");
    EXPECT_EQ(desk.bar(), 4215.0f);
}

TEST_F(Countdown, AFractionalFieldFillsTheBarExactlyWhenTheDisplayReachesZero) {
    desk.type(Combo::Combo2, "1.6");
    desk.click(Button::Command1);
    EXPECT_EQ(desk.display(), "00:02:00");
    desk.tick(119);
    EXPECT_LT(desk.bar(), 4215.0f);
    desk.tick();
    EXPECT_EQ(desk.display(), "00:00:00");
    EXPECT_EQ(desk.bar(), 4215.0f);
}

TEST_F(Countdown, TheBarNeverRunsPastTheTrack) {
    // 300 steps of 4215 / 300 add up to a little more than 4215 in single precision.
    desk.click(Button::Command6);
    desk.tick(300);
    EXPECT_EQ(desk.display(), "00:00:00");
    EXPECT_LE(desk.bar(), 4215.0f);
    EXPECT_NEAR(desk.bar(), 4215.0f, 0.01f);
}

TEST_F(Countdown, AVeryLongCountdownGrowsTheBarByTheMinimumStep) {
    desk.type(Combo::Combo1, "10000");
    desk.click(Button::Command1);
    desk.tick(1000);
    EXPECT_NEAR(desk.bar(), 1.0f, 1e-3f);
}

TEST_F(Countdown, TwentyFiveHoursRunNinetyThousandTicksPlusOne) {
    desk.pick(Combo::Combo1, "25");
    desk.click(Button::Command1);
    EXPECT_EQ(desk.display(), "25:00:00");
    desk.tick();
    EXPECT_EQ(desk.display(), "24:59:59");
    desk.tick(90000 - 1);
    EXPECT_EQ(desk.display(), "00:00:00");
    EXPECT_EQ(desk.background(), runningColour);
    EXPECT_NEAR(desk.bar(), 4215.0f, 1.0f);
    desk.tick();
    EXPECT_EQ(desk.background(), timeUpColour);
}

TEST_F(Countdown, TheAlarmIsMadeReadyTenSecondsBeforeTimeUp) {
    desk.pick(Combo::Combo2, "1");
    desk.click(Button::Command1);
    desk.tick(49);
    EXPECT_FALSE(desk.ops.alarmPrepared);
    desk.tick();
    EXPECT_EQ(desk.display(), "00:00:10");
    EXPECT_TRUE(desk.ops.alarmPrepared);
}

TEST_F(Countdown, StartWithNothingSetIsUpOnTheFirstTick) {
    desk.click(Button::Command1);
    desk.tick();
    EXPECT_EQ(desk.background(), timeUpColour);
    EXPECT_EQ(desk.ops.beeps, 2);
}

TEST_F(Countdown, TwentyFourHoursRunADayRatherThanEndingAtOnce) {
    desk.pick(Combo::Combo1, "24");
    desk.click(Button::Command1);
    desk.tick();
    EXPECT_EQ(desk.display(), "23:59:59");
    EXPECT_EQ(desk.background(), runningColour);
}

TEST_F(Countdown, PauseStopsTheClockAndStartResumesFromTheTimeLeft) {
    desk.pick(Combo::Combo2, "1");
    desk.click(Button::Command1);
    desk.tick(20);
    const float bar = desk.bar();

    desk.ops.clock = ClockReading{15, 0, 0, "2024/5/6"};
    desk.click(Button::Command2);
    EXPECT_EQ(desk.caption(Label::Label13), "暂停时间:");
    EXPECT_FALSE(desk.ops.timerEnabled);
    EXPECT_TRUE(desk.ops.isEnabled(Button::Command3));
    EXPECT_EQ(desk.background(), pausedColour);
    EXPECT_EQ(desk.caption(Label::Label12), "2024/5/6 14:20:07");  // the last tick's time
    desk.tick(5);
    EXPECT_EQ(desk.display(), "00:00:40");

    desk.ops.clock = ClockReading{15, 10, 0, "2024/5/6"};
    desk.click(Button::Command1);
    EXPECT_EQ(desk.display(), "00:00:40");
    EXPECT_EQ(desk.bar(), bar);
    EXPECT_EQ(desk.caption(Label::Label11), "15:10:00");
    // 40 seconds left, and the tick that raises time up.
    EXPECT_EQ(desk.caption(Label::Label8), "15:10:41");
    desk.tick();
    EXPECT_EQ(desk.display(), "00:00:39");
}

TEST_F(Countdown, PauseFromIdleChangesOnlyCaptionResetAndColour) {
    desk.click(Button::Command2);
    EXPECT_EQ(desk.background(), pausedColour);
    EXPECT_EQ(desk.caption(Label::Label13), "暂停时间:");
    EXPECT_TRUE(desk.ops.isEnabled(Button::Command3));
    EXPECT_EQ(desk.display(), "00:00:00");
}

TEST_F(Countdown, EditingAFieldMidRunRestartsFromTheNewValue) {
    desk.pick(Combo::Combo2, "2");
    desk.click(Button::Command1);
    desk.tick(30);
    desk.pick(Combo::Combo2, "1");
    EXPECT_EQ(desk.display(), "00:01:00");
    EXPECT_EQ(desk.bar(), 0.0f);
    EXPECT_TRUE(desk.ops.timerEnabled);
    desk.tick();
    EXPECT_EQ(desk.display(), "00:00:59");
    EXPECT_EQ(desk.bar(), 70.25f);
}

TEST_F(Countdown, DraggingMovesTheWindowByThePointersTravel) {
    desk.ops.left = 3000;
    desk.ops.top = 1500;
    desk.form.Form_MouseDown(1, 0, 100, 60);
    // The window follows the pointer, so each move is measured from the window's new place.
    desk.form.Form_MouseMove(1, 0, 250, 135);
    desk.form.Form_MouseMove(1, 0, 250, 135);
    desk.form.Form_MouseUp(1, 0, 100, 60);
    EXPECT_DOUBLE_EQ(desk.ops.left, 3000 + 300);
    EXPECT_DOUBLE_EQ(desk.ops.top, 1500 + 150);

    desk.form.Form_MouseMove(0, 0, 900, 900);
    EXPECT_DOUBLE_EQ(desk.ops.left, 3300);
    EXPECT_DOUBLE_EQ(desk.ops.top, 1650);
}

}  // namespace
}  // namespace kestrune::testing
