#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "control/fake_operations.h"
#include "control/states.h"

namespace kestrune::testing {
namespace {

using ::testing::ElementsAre;

class DurationEntry : public ::testing::Test {
protected:
    FakeDesktop desk;
};

TEST_F(DurationEntry, LoadCentresTheWindowAndFillsTheLists) {
    EXPECT_DOUBLE_EQ(desk.ops.left, (1920 * 15 - 5328) / 2.0);
    EXPECT_DOUBLE_EQ(desk.ops.top, (1080 * 15 - 2700) / 2.0);
    EXPECT_EQ(desk.ops.timerInterval, 1000);
    EXPECT_FALSE(desk.ops.timerEnabled);

    const auto& hours = desk.ops.items[index(Combo::Combo1)];
    ASSERT_EQ(hours.size(), 101u);
    EXPECT_EQ(hours.front(), "0");
    EXPECT_EQ(hours.back(), "100");
    for (Combo c : {Combo::Combo2, Combo::Combo3}) {
        const auto& list = desk.ops.items[index(c)];
        ASSERT_EQ(list.size(), 61u);
        EXPECT_EQ(list[7], "7");
        EXPECT_EQ(list.back(), "60");
    }

    EXPECT_EQ(desk.display(), "00:00:00");
    EXPECT_EQ(desk.bar(), 0.0f);
    EXPECT_EQ(desk.form.remaining(), Duration{0});
    EXPECT_EQ(desk.background(), idleColour);
}

TEST_F(DurationEntry, EveryKeystrokeUpdatesTheDisplay) {
    desk.type(Combo::Combo3, "15");
    EXPECT_THAT(desk.ops.displayHistory, ElementsAre("00:00:01", "00:00:15"));
    EXPECT_EQ(desk.form.remaining(), Duration{15});
    EXPECT_EQ(desk.form.secondsSet(), 15);
}

TEST_F(DurationEntry, PickingFromTheListsCarriesMinutesAndSeconds) {
    desk.pick(Combo::Combo2, "60");
    EXPECT_EQ(desk.display(), "01:00:00");
    desk.pick(Combo::Combo3, "60");
    EXPECT_EQ(desk.display(), "01:01:00");
    desk.pick(Combo::Combo1, "24");
    EXPECT_EQ(desk.display(), "25:01:00");
}

TEST_F(DurationEntry, LettersCountAsNothing) {
    desk.pick(Combo::Combo2, "5");
    desk.type(Combo::Combo1, "ab");
    EXPECT_EQ(desk.display(), "00:05:00");
    EXPECT_EQ(desk.form.hoursSet(), 0);
}

TEST_F(DurationEntry, FractionsRoundHalvesToEven) {
    desk.type(Combo::Combo2, "2.5");
    EXPECT_EQ(desk.display(), "00:02:00");
    desk.clearField(Combo::Combo2);
    desk.type(Combo::Combo2, "3.5");
    EXPECT_EQ(desk.display(), "00:04:00");
}

TEST_F(DurationEntry, OutOfRangeAndNegativeInputGivesAWellFormedDisplay) {
    desk.type(Combo::Combo1, "100000");
    EXPECT_EQ(desk.form.hoursSet(), 32767);
    EXPECT_EQ(desk.display(), "32767:00:00");

    desk.clearField(Combo::Combo1);
    desk.type(Combo::Combo1, "-5");
    EXPECT_EQ(desk.display(), "00:00:00");
    EXPECT_EQ(desk.form.remaining(), Duration{0});

    desk.clearField(Combo::Combo1);
    desk.type(Combo::Combo1, std::string(5000, '9'));
    EXPECT_EQ(desk.display(), "32767:00:00");

    desk.clearField(Combo::Combo1);
    desk.type(Combo::Combo1, "时间1e5");
    EXPECT_EQ(desk.display(), "00:00:00");
}

}  // namespace
}  // namespace kestrune::testing
