#include "control/window_place.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrune {
namespace {

constexpr double windowWidth = 5328;
constexpr double windowHeight = 2700;

struct Screen {
    double width, height;  // twips
    int clearPlaces;       // places that fit without touching another window
};

class WindowPlaceTest : public ::testing::TestWithParam<Screen> {};

// The first window is centred, and every later one up to a screenful stands clear of the others,
// wholly on the screen.
TEST_P(WindowPlaceTest, LaterWindowsStandClearOfTheOthersOnTheScreen) {
    const Screen screen = GetParam();
    const auto place = [&](int n) {
        return windowPlace(n, screen.width, screen.height, windowWidth, windowHeight);
    };
    EXPECT_DOUBLE_EQ(place(0).left, (screen.width - windowWidth) / 2);
    EXPECT_DOUBLE_EQ(place(0).top, (screen.height - windowHeight) / 2);

    std::vector<ScreenPoint> open;
    for (int n = 0; n < screen.clearPlaces; ++n) {
        const ScreenPoint at = place(n);
        EXPECT_GE(at.left, 0) << "place " << n;
        EXPECT_GE(at.top, 0) << "place " << n;
        EXPECT_LE(at.left + windowWidth, screen.width) << "place " << n;
        EXPECT_LE(at.top + windowHeight, screen.height) << "place " << n;
        for (const ScreenPoint& other : open) {
            const bool apart =
                at.left >= other.left + windowWidth || other.left >= at.left + windowWidth ||
                at.top >= other.top + windowHeight || other.top >= at.top + windowHeight;
            EXPECT_TRUE(apart) << "place " << n << " overlaps an earlier one";
        }
        open.push_back(at);
    }
    // The next round covers none of the first exactly.
    const ScreenPoint again = place(screen.clearPlaces);
    for (const ScreenPoint& other : open) {
        EXPECT_FALSE(again.left == other.left && again.top == other.top);
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowPlaceTest,
                         ::testing::Values(Screen{1280 * 15, 800 * 15, 9},
                                           Screen{1920 * 15, 1080 * 15, 25},
                                           Screen{400 * 15, 300 * 15, 1}));

TEST(WindowPlace, TheSecondWindowOpensToTheRightOfTheFirst) {
    const ScreenPoint first = windowPlace(0, 19200, 12000, windowWidth, windowHeight);
    const ScreenPoint second = windowPlace(1, 19200, 12000, windowWidth, windowHeight);
    EXPECT_DOUBLE_EQ(second.top, first.top);
    EXPECT_GT(second.left, first.left + windowWidth);
}

}  // namespace
}  // namespace kestrune
