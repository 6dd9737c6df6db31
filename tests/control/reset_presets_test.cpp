#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "control/fake_operations.h"
#include "control/states.h"

namespace kestrune::testing {
namespace {

using ::testing::ElementsAre;

class ResetAndPresets : public ::testing::Test {
protected:
    FakeDesktop desk;
};

TEST_F(ResetAndPresets, SkinTestFromIdleRunsTwentyFiveMinutes) {
    desk.click(Button::Command5);
    EXPECT_THAT(desk.ops.texts, ElementsAre("", "25", ""));
    EXPECT_EQ(desk.display(), "00:25:00");
    EXPECT_EQ(desk.background(), runningColour);
    EXPECT_TRUE(desk.ops.timerEnabled);
    EXPECT_FALSE(desk.ops.isEnabled(Button::Command3));
    EXPECT_EQ(desk.caption(Label::Label13), "当前时间:");
    EXPECT_EQ(desk.caption(Label::Label11), "14:20:07");
    EXPECT_EQ(desk.caption(Label::Label8), "14:45:07");
    desk.tick(25 * 60);
    EXPECT_EQ(desk.display(), "00:00:00");
    EXPECT_EQ(desk.bar(), 4215.0f);
    desk.tick();
    EXPECT_EQ(desk.background(), timeUpColour);
}

TEST_F(ResetAndPresets, SkinTestClearsHoursAndSeconds) {
    desk.pick(Combo::Combo1, "1");
    desk.pick(Combo::Combo3, "30");
    desk.click(Button::Command5);
    EXPECT_THAT(desk.ops.texts, ElementsAre("", "25", ""));
    EXPECT_EQ(desk.display(), "00:25:00");
}

TEST_F(ResetAndPresets, TemperatureKeepsHoursAndSeconds) {
    desk.pick(Combo::Combo1, "1");
    desk.pick(Combo::Combo3, "30");
    desk.click(Button::Command6);
    EXPECT_THAT(desk.ops.texts, ElementsAre("1", "5", "30"));
    EXPECT_EQ(desk.display(), "01:05:30");
    EXPECT_EQ(desk.caption(Label::Label8), "15:25:38");
    EXPECT_EQ(desk.background(), runningColour);
}

TEST_F(ResetAndPresets, APresetPressedWhileRunningRestartsFromItsFullLength) {
    desk.click(Button::Command6);
    desk.tick(100);
    EXPECT_EQ(desk.display(), "00:03:20");
    desk.click(Button::Command6);
    EXPECT_EQ(desk.display(), "00:05:00");
    EXPECT_EQ(desk.bar(), 0.0f);
    EXPECT_EQ(desk.caption(Label::Label8), "14:25:07");
    EXPECT_TRUE(desk.ops.timerEnabled);

    desk.tick(10);
    desk.click(Button::Command5);
    EXPECT_EQ(desk.display(), "00:25:00");
    desk.tick(10);
    desk.click(Button::Command5);
    EXPECT_EQ(desk.display(), "00:25:00");
}

TEST_F(ResetAndPresets, ResetAfterPauseReturnsToIdle) {
    desk.typeName("李");
    desk.click(Button::Command6);
    desk.tick(3);
    desk.click(Button::Command2);
    desk.click(Button::Command3);
    EXPECT_EQ(desk.caption(Label::Label13), "当前时间:");
    EXPECT_EQ(desk.bar(), 0.0f);
    EXPECT_EQ(desk.background(), idleColour);
    EXPECT_THAT(desk.ops.texts, ElementsAre("", "", ""));
    EXPECT_EQ(desk.display(), "00:00:00");
    EXPECT_EQ(desk.form.remaining(), Duration{0});
    EXPECT_EQ(desk.ops.focus, Combo::Combo1);
    EXPECT_TRUE(desk.ops.isEnabled(Button::Command3));
    EXPECT_FALSE(desk.ops.timerEnabled);
    // Reset leaves the name and the start, finish and clock values.
    EXPECT_EQ(desk.ops.name, "李");
    EXPECT_EQ(desk.caption(Label::Label11), "14:20:07");
    EXPECT_EQ(desk.caption(Label::Label12), "2024/5/6 14:20:07");
}

TEST_F(ResetAndPresets, ResetAfterTimeUpShowsZeroAgain) {
    desk.type(Combo::Combo3, "2");
    desk.click(Button::Command1);
    desk.tick(3);
    ASSERT_EQ(desk.display(), "时间到！");
    ASSERT_TRUE(desk.ops.timeUpShown);
    desk.click(Button::Command3);
    EXPECT_EQ(desk.display(), "00:00:00");
    EXPECT_EQ(desk.background(), idleColour);
    EXPECT_EQ(desk.caption(Label::Label13), "当前时间:");
    EXPECT_FALSE(desk.ops.timeUpShown);
}

// The notification and the alert go with the red window, whichever way it ends.
TEST_F(ResetAndPresets, EveryWayOutOfTimeUpWithdrawsTheAnnouncement) {
    for (Button out : {Button::Command1, Button::Command3, Button::Command5, Button::Command6}) {
        desk.type(Combo::Combo3, "1");
        desk.click(Button::Command1);
        desk.tick(2);
        ASSERT_TRUE(desk.ops.timeUpShown);
        desk.click(out);
        EXPECT_FALSE(desk.ops.timeUpShown) << "button " << index(out) + 1;
        desk.click(Button::Command2);
        desk.click(Button::Command3);
    }
}

TEST_F(ResetAndPresets, ResetIsDisabledUntilPausedOrTimeUp) {
    desk.click(Button::Command3);
    EXPECT_EQ(desk.caption(Label::Label13), "当前时间：");  // the click never arrived
    desk.click(Button::Command6);
    desk.click(Button::Command3);
    EXPECT_EQ(desk.background(), runningColour);
}

TEST_F(ResetAndPresets, ExitUnloadsTheWindowWhileRunning) {
    desk.click(Button::Command5);
    desk.click(Button::Command4);
    EXPECT_TRUE(desk.ops.unloaded);
}

}  // namespace
}  // namespace kestrune::testing
