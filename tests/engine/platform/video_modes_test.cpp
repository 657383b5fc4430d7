#include "engine/platform/video_modes.h"

#include "engine/platform/screen_error.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace engine {
namespace {

const ModeCandidate kDesktop{1920, 1080, 24, 60};

const auto kAcceptAll = [](int, int, int) { return true; };
// A driver that knows its list and refuses anything else, as SDL's is.
ModeTester OnlyListed(std::vector<ModeCandidate> modes) {
    return [modes](int width, int height, int bits) {
        for (const ModeCandidate& m : modes) {
            if (m.width == width && m.height == height && m.bits == bits) {
                return true;
            }
        }
        return false;
    };
}

VideoModeTable TableOf(std::vector<ModeCandidate> modes, ModeCandidate desktop = kDesktop) {
    return VideoModeTable::Enumerate(desktop, modes, OnlyListed(modes));
}

using Size = std::tuple<int, int, int>;
Size SizeOf(const VideoMode& mode) { return {mode.width, mode.height, mode.bits}; }

TEST(VideoModeTable, DesktopComesFirstAndRepeatsOnlyRaiseTheRefreshRate) {
    const VideoModeTable table = TableOf({{1024, 768, 32, 60}, {800, 600, 24, 75}, {1024, 768, 32, 85},
                                          {800, 600, 24, 60}, {1920, 1080, 24, 60}});
    ASSERT_EQ(table.Size(), 4u);
    EXPECT_EQ(SizeOf(table[0]), Size(1920, 1080, 24));
    EXPECT_EQ(table[0].description, "default");
    EXPECT_EQ(SizeOf(table[1]), Size(1024, 768, 32));
    EXPECT_EQ(table[1].refreshRate, 85);
    EXPECT_EQ(table[1].description, "1024 x 768, 32 bpp");
    EXPECT_EQ(table[2].refreshRate, 75) << "a lower rate seen later does not lower the highest";
    EXPECT_EQ(SizeOf(table[3]), Size(1920, 1080, 24)) << "the desktop mode is also listed as a mode";
}

TEST(VideoModeTable, RefusedModesAreLeftOutAndStandardModesOfferedToATrustedDriver) {
    const std::vector<ModeCandidate> listed = {{800, 600, 24, 60}, {640, 480, 8, 60}};
    const auto test = [](int width, int height, int bits) {
        return (width == 800 && height == 600) || (width == 400 && height == 300 && bits >= 16);
    };
    const VideoModeTable table = VideoModeTable::Enumerate(kDesktop, listed, test);
    std::vector<Size> sizes;
    for (std::size_t i = 1; i < table.Size(); ++i) {
        sizes.push_back(SizeOf(table[i]));
    }
    EXPECT_EQ(sizes, (std::vector<Size>{{800, 600, 24}, {400, 300, 16}, {400, 300, 24}, {400, 300, 32}}));
    EXPECT_EQ(table[2].refreshRate, 0);
}

TEST(VideoModeTable, ADriverThatAcceptsAnAbsurdModeGetsNoStandardModes) {
    const std::vector<ModeCandidate> listed = {{800, 600, 24, 60}};
    const VideoModeTable table = VideoModeTable::Enumerate(kDesktop, listed, kAcceptAll);
    EXPECT_EQ(table.Size(), 2u);
}

TEST(VideoModeTable, HoldsAtMostTwoHundredModes) {
    std::vector<ModeCandidate> listed;
    for (int i = 0; i < 300; ++i) {
        listed.push_back({640 + i, 480, 32, 60});
    }
    const VideoModeTable table = VideoModeTable::Enumerate(kDesktop, listed, OnlyListed(listed));
    EXPECT_EQ(table.Size(), VideoModeTable::kMaxModes);
    EXPECT_EQ(table[VideoModeTable::kMaxModes - 1].width, 640 + 198);
}

TEST(VideoModeTable, BestModeTakesTheSmallestExcessInEachDimension) {
    // No 24-bit mode: the 800 x 600 one with more bits fits better than the larger one.
    EXPECT_EQ(TableOf({{1024, 768, 32, 60}, {800, 600, 32, 60}}).BestMode(800, 600, 24), 2u);
    EXPECT_EQ(TableOf({{800, 600, 32, 60}, {800, 600, 24, 60}, {1024, 768, 24, 60}}).BestMode(800, 600, 24), 2u);
    EXPECT_EQ(TableOf({{640, 480, 32, 60}, {800, 600, 16, 60}}).BestMode(800, 600, 24), 0u) << "nothing fits";
    // A later mode must not be worse in any dimension than the best so far, so the order decides
    // between a mode with more pixels and one with more bits.
    EXPECT_EQ(TableOf({{1024, 768, 24, 60}, {800, 600, 32, 60}}).BestMode(800, 600, 24), 1u);
}

TEST(VideoModeTable, BestModeNeverAnswersTheDesktopEntry) {
    const VideoModeTable table = TableOf({{640, 480, 32, 60}}, {800, 600, 24, 60});
    EXPECT_EQ(table.BestMode(800, 600, 24), 0u);
}

TEST(PlanFullScreen, KeepsTheDesktopWhenItAlreadyHasTheRequestedMode) {
    const VideoModeTable table = TableOf({{1024, 768, 24, 60}, {800, 600, 24, 85}}, {800, 600, 24, 60});
    const FullScreenPlan plan = PlanFullScreen(table, 800, 600, 24, 85);
    EXPECT_EQ(plan.modeIndex, 2u);
    EXPECT_FALSE(plan.switchDisplay);
}

TEST(PlanFullScreen, KeepsTheDesktopWhenTheBestModeIsTheDesktopsOwn) {
    const VideoModeTable table = TableOf({{1280, 1024, 24, 60}}, {1280, 1024, 24, 60});
    EXPECT_FALSE(PlanFullScreen(table, 800, 600, 24, 85).switchDisplay);
}

TEST(PlanFullScreen, AsksForTheRequestedRateButNoMoreThanTheModeHasShown) {
    const VideoModeTable table = TableOf({{800, 600, 24, 75}, {800, 600, 24, 60}});
    FullScreenPlan plan = PlanFullScreen(table, 800, 600, 24, 85);
    EXPECT_TRUE(plan.switchDisplay);
    EXPECT_EQ(plan.refreshRate, 75);
    EXPECT_EQ(PlanFullScreen(table, 800, 600, 24, 70).refreshRate, 70);
    EXPECT_EQ(PlanFullScreen(table, 800, 600, 24, 0).refreshRate, 0) << "0 leaves the rate to the driver";
}

TEST(PlanFullScreen, RefusesWhenNoModeFits) {
    const VideoModeTable table = TableOf({{640, 480, 24, 60}});
    try {
        PlanFullScreen(table, 800, 600, 24, 0);
        FAIL() << "expected EScreenError";
    } catch (const EScreenError& error) {
        EXPECT_STREQ(error.what(), "Unsupported video mode");
    }
}

}  // namespace
}  // namespace engine
