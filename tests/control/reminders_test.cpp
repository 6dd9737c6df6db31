#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "control/fake_operations.h"
#include "control/states.h"

namespace kestrune::testing {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;

// A desktop where a one-second countdown for 王芳 ran to time up.
struct TimeUp {
    TimeUp() {
        desk.typeName("王芳");
        desk.type(Combo::Combo3, "1");
        desk.click(Button::Command1);
        desk.tick(2);
        at = desk.ops.uptime;
    }

    // The moments, in seconds after time up, at which the alarm sounded while `time` passed; each
    // with the sound made ready before it.
    std::vector<long> callsWithin(std::chrono::seconds time) {
        std::vector<long> calls;
        desk.ops.alarmPrepared = false;
        for (auto s = 0s; s < time; s += 1s) {
            const int before = desk.ops.alarms;
            desk.wait(1s);
            if (desk.ops.alarms != before) {
                EXPECT_EQ(desk.ops.alarms, before + 1);
                EXPECT_TRUE(desk.ops.alarmPrepared) << "not made ready before the call";
                desk.ops.alarmPrepared = false;
                calls.push_back((desk.ops.uptime - at) / 1s);
            }
        }
        return calls;
    }

    FakeDesktop desk;
    std::chrono::milliseconds at{};
};

class Reminders : public ::testing::Test, protected TimeUp {};

TEST_F(Reminders, UnansweredTimeUpCallsEveryHalfMinuteThenEveryMinute) {
    ASSERT_EQ(desk.background(), timeUpColour);
    EXPECT_EQ(desk.ops.alarms, 1);
    EXPECT_THAT(callsWithin(10min), ElementsAre(30, 60, 90, 120, 150, 180, 210, 240, 270, 300, 360,
                                                420, 480, 540, 600));
    EXPECT_EQ(desk.ops.beeps, 2 * 16);
    // The notification is updated with how long it has gone unanswered, and each call is said.
    EXPECT_EQ(desk.ops.notices[1], "王芳");
    EXPECT_EQ(desk.ops.notices[2], "王芳\n已超时 1 分钟");
    EXPECT_EQ(desk.ops.notices[15], "王芳\n已超时 10 分钟");
    EXPECT_EQ(desk.ops.announcements[2], "王芳时间到！已超时 1 分钟");
    // The window keeps its look, and the computer stays awake.
    EXPECT_EQ(desk.display(), "王芳时间到！");
    EXPECT_EQ(desk.caption(Label::Label13), "时间停止在：");
    EXPECT_TRUE(desk.ops.awake);
    EXPECT_TRUE(desk.ops.timeUpShown);
}

TEST(RemindersWithoutAName, TheNotificationSaysWhichCountdownItWas) {
    FakeDesktop desk;
    desk.type(Combo::Combo3, "1");
    desk.click(Button::Command1);
    desk.tick(2);
    desk.wait(61s);
    EXPECT_THAT(desk.ops.notices, ElementsAre("00:01 · 开始 14:20:07", "00:01 · 开始 14:20:07",
                                              "00:01 · 开始 14:20:07\n已超时 1 分钟"));
    EXPECT_THAT(desk.ops.announcements,
                ElementsAre("时间到！", "时间到！", "时间到！已超时 1 分钟"));
}

// Every deliberate act on the window answers time up: no call after it, the notification gone and
// the computer free to sleep unless a new countdown runs.
TEST(RemindersAnswered, ByAnyActOnTheWindow) {
    const std::vector<std::pair<const char*, std::function<void(FakeDesktop&)>>> acts{
        {"a press on the background", [](FakeDesktop& d) { d.pressBackground(); }},
        {"a key", [](FakeDesktop& d) { d.form.Form_Input(); }},
        {"the notification's action", [](FakeDesktop& d) { d.form.Notice_Action(); }},
        {"Start", [](FakeDesktop& d) { d.click(Button::Command1); }},
        {"Pause", [](FakeDesktop& d) { d.click(Button::Command2); }},
        {"Reset", [](FakeDesktop& d) { d.click(Button::Command3); }},
        {"Exit", [](FakeDesktop& d) { d.click(Button::Command4); }},
        {"试敏", [](FakeDesktop& d) { d.click(Button::Command5); }},
        {"体温", [](FakeDesktop& d) { d.click(Button::Command6); }},
        {"Reset pressed by a screen reader", [](FakeDesktop& d) { d.form.Command3_Click(); }},
    };
    for (const auto& [act, answer] : acts) {
        SCOPED_TRACE(act);
        TimeUp up;
        FakeDesktop& desk = up.desk;
        desk.wait(45s);
        ASSERT_EQ(desk.ops.alarms, 2);
        answer(desk);
        EXPECT_FALSE(desk.ops.timeUpShown);
        EXPECT_FALSE(desk.form.timeUpCalling());
        EXPECT_EQ(desk.ops.awake, desk.ops.timerEnabled);
        desk.ops.timerEnabled = false;  // a new countdown's own alarm is not a reminder
        EXPECT_THAT(up.callsWithin(10min), ElementsAre());
    }
}

TEST_F(Reminders, PressingTheRedWindowLeavesItRedWithTheName) {
    desk.pressBackground();
    EXPECT_EQ(desk.background(), timeUpColour);
    EXPECT_EQ(desk.display(), "王芳时间到！");
    EXPECT_TRUE(desk.ops.isEnabled(Button::Command3));
}

// A sleep that the request to stay awake could not prevent (a closed lid): one call on waking,
// with the time overdue from the clock, and the rest on schedule from time up.
TEST_F(Reminders, AfterASleepOneCallTellsTheWholeTimeOverdue) {
    desk.wait(7min + 10s, /*asleep=*/true);
    EXPECT_EQ(desk.ops.alarms, 2);
    EXPECT_EQ(desk.ops.notices.back(), "王芳\n已超时 7 分钟");
    EXPECT_THAT(callsWithin(2min), ElementsAre(480, 540));
}

// Asleep through the end of the countdown: the ticks run on waking, and the call says how long ago
// the countdown ran out, then goes on on schedule from that moment.
TEST(RemindersAfterSleepingThroughTimeUp, CountFromWhenTheCountdownRanOut) {
    FakeDesktop desk;
    desk.typeName("王芳");
    desk.type(Combo::Combo3, "1");
    desk.click(Button::Command1);
    desk.sleepThroughTicks(40min);  // time up fell due 2 s in
    ASSERT_EQ(desk.background(), timeUpColour);
    EXPECT_EQ(desk.ops.alarms, 1);
    EXPECT_THAT(desk.ops.notices, ElementsAre("王芳\n已超时 39 分钟"));
    EXPECT_THAT(desk.ops.announcements, ElementsAre("王芳时间到！已超时 39 分钟"));
    desk.wait(1s);
    EXPECT_EQ(desk.ops.alarms, 1);
    desk.wait(1s);  // 40 minutes after it ran out
    EXPECT_EQ(desk.ops.alarms, 2);
    EXPECT_EQ(desk.ops.notices.back(), "王芳\n已超时 40 分钟");
}

TEST_F(Reminders, ANewTimeUpCallsAfreshFromItsOwnMoment) {
    desk.wait(100s);
    desk.click(Button::Command1);  // nothing set: up on the next tick
    desk.wait(7s);
    desk.tick();
    at = desk.ops.uptime;
    EXPECT_THAT(callsWithin(61s), ElementsAre(30, 60));
    EXPECT_EQ(desk.ops.notices.back(), "王芳\n已超时 1 分钟");
}

}  // namespace
}  // namespace kestrune::testing
