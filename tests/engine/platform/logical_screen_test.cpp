#include "engine/platform/logical_screen.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace engine {
namespace {

struct Display {
    int width;
    int height;
    ScreenRect box;
};

class LogicalScreenOn : public testing::TestWithParam<Display> {};

TEST_P(LogicalScreenOn, LetterboxesToFourByThreeInTheMiddle) {
    const Display display = GetParam();
    const LogicalScreen screen(800, 600, display.width, display.height);
    const ScreenRect box = screen.Box();
    EXPECT_EQ(box.x, display.box.x);
    EXPECT_EQ(box.y, display.box.y);
    EXPECT_EQ(box.width, display.box.width);
    EXPECT_EQ(box.height, display.box.height);
    const ScreenRect fromBottom = screen.BoxFromBottom();
    EXPECT_EQ(fromBottom.y, display.height - box.y - box.height);
}

TEST_P(LogicalScreenOn, MapsTheBoxCornersToTheLogicalCorners) {
    const Display display = GetParam();
    const LogicalScreen screen(800, 600, display.width, display.height);
    const ScreenRect& box = screen.Box();
    const ScreenPoint topLeft = screen.ToLogical(box.x, box.y);
    const ScreenPoint bottomRight = screen.ToLogical(box.x + box.width - 1, box.y + box.height - 1);
    EXPECT_EQ(topLeft.x, 0);
    EXPECT_EQ(topLeft.y, 0);
    EXPECT_EQ(bottomRight.x, 799);
    EXPECT_EQ(bottomRight.y, 599);
}

TEST_P(LogicalScreenOn, ClampsPointsOnTheBarsToTheNearestEdge) {
    const Display display = GetParam();
    const LogicalScreen screen(800, 600, display.width, display.height);
    const ScreenPoint farLeftTop = screen.ToLogical(-5, -5);
    const ScreenPoint farRightBottom = screen.ToLogical(display.width + 5, display.height + 5);
    EXPECT_EQ(farLeftTop.x, 0);
    EXPECT_EQ(farLeftTop.y, 0);
    EXPECT_EQ(farRightBottom.x, 799);
    EXPECT_EQ(farRightBottom.y, 599);
    const ScreenPoint leftBar = screen.ToLogical(0, display.height / 2);
    EXPECT_EQ(leftBar.x, 0);
}

TEST_P(LogicalScreenOn, WarpingAndReadingBackLandsOnTheSameLogicalPixel) {
    const Display display = GetParam();
    const LogicalScreen screen(800, 600, display.width, display.height);
    // Where the logical screen is shrunk several logical pixels share one outer pixel; the error then
    // stays within one outer pixel's worth.
    const int width = screen.Box().width;
    const int tolerance = width < 800 ? (800 + width - 1) / width : 0;
    for (int x = 0; x < 800; ++x) {
        const ScreenPoint outer = screen.ToOuter(x, 300);
        EXPECT_LE(std::abs(screen.ToLogical(outer.x, outer.y).x - x), tolerance) << "x " << x;
        EXPECT_GE(outer.x, screen.Box().x);
        EXPECT_LT(outer.x, screen.Box().x + screen.Box().width);
    }
    for (int y = 0; y < 600; ++y) {
        const ScreenPoint outer = screen.ToOuter(400, y);
        EXPECT_LE(std::abs(screen.ToLogical(outer.x, outer.y).y - y), tolerance) << "y " << y;
    }
    // The game's drag wrap warps to x = 1 and x = Width - 2 and must read back exactly that on any
    // display of at least 640 x 480.
    for (int x : {1, 798}) {
        if (width < 640) {
            break;
        }
        const ScreenPoint outer = screen.ToOuter(x, 300);
        EXPECT_EQ(screen.ToLogical(outer.x, outer.y).x, x);
    }
}

INSTANTIATE_TEST_SUITE_P(Displays, LogicalScreenOn,
                         testing::Values(Display{800, 600, {0, 0, 800, 600}}, Display{1920, 1080, {240, 0, 1440, 1080}},
                                         Display{1280, 1024, {0, 32, 1280, 960}}, Display{640, 480, {0, 0, 640, 480}},
                                         Display{1000, 600, {100, 0, 800, 600}}, Display{801, 601, {0, 0, 801, 601}},
                                         Display{333, 1000, {0, 375, 333, 250}}));

TEST(LogicalScreen, IsTheIdentityAtItsOwnSize) {
    const LogicalScreen screen(800, 600, 800, 600);
    for (int i = 0; i < 600; ++i) {
        const ScreenPoint logical = screen.ToLogical(i + 200, i);
        EXPECT_EQ(logical.x, i + 200);
        EXPECT_EQ(logical.y, i);
        const ScreenPoint outer = screen.ToOuter(i + 200, i);
        EXPECT_EQ(outer.x, i + 200);
        EXPECT_EQ(outer.y, i);
    }
}

TEST(LogicalScreen, ScalesMousePositionsByTheBoxScale) {
    const LogicalScreen screen(800, 600, 1920, 1080);  // 1.8 outer pixels per logical one
    const ScreenPoint middle = screen.ToLogical(960, 540);
    EXPECT_EQ(middle.x, 400);
    EXPECT_EQ(middle.y, 300);
    const ScreenPoint outer = screen.ToOuter(400, 300);
    EXPECT_EQ(outer.x, 240 + 720);
    EXPECT_EQ(outer.y, 540);
}

TEST(LogicalScreen, SurvivesAnEmptyWindow) {
    const LogicalScreen screen(800, 600, 0, 0);
    EXPECT_GE(screen.Box().width, 1);
    EXPECT_GE(screen.Box().height, 1);
    const ScreenPoint logical = screen.ToLogical(10, 10);
    EXPECT_LT(logical.x, 800);
    EXPECT_LT(logical.y, 600);
}

}  // namespace
}  // namespace engine
