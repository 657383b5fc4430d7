#include "engine/platform/cursor_animation.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

using std::chrono::milliseconds;

const CursorClock::time_point kStart = CursorClock::time_point{} + std::chrono::hours(1);

CursorClock::time_point At(int ms) { return kStart + milliseconds(ms); }

TEST(CursorAnimation, ShowsEachStepForItsRateInJiffiesAndLoops) {
    // 6, 12 and 30 jiffies: 100, 200 and 500 ms.
    CursorAnimation animation({0, 1, 2}, {6, 12, 30});
    animation.Restart(kStart);
    EXPECT_EQ(animation.Frame(), 0u);
    EXPECT_FALSE(animation.Update(At(99)));
    EXPECT_TRUE(animation.Update(At(100)));
    EXPECT_EQ(animation.Frame(), 1u);
    EXPECT_FALSE(animation.Update(At(299)));
    EXPECT_TRUE(animation.Update(At(300)));
    EXPECT_EQ(animation.Frame(), 2u);
    EXPECT_TRUE(animation.Update(At(800)));
    EXPECT_EQ(animation.Step(), 0u) << "after the last step the cycle starts again";
}

TEST(CursorAnimation, ALateUpdateLandsOnTheStepDueThenWithoutShiftingThePace) {
    CursorAnimation animation({0, 1}, {6, 6});  // a 200 ms cycle
    animation.Restart(kStart);
    animation.Update(At(10'150));
    EXPECT_EQ(animation.Frame(), 1u);
    animation.Update(At(10'200));
    EXPECT_EQ(animation.Frame(), 0u);
}

TEST(CursorAnimation, ReportsAChangeOnlyWhenTheShownFrameChanges) {
    CursorAnimation animation({3, 3, 4}, {6, 6, 6});
    animation.Restart(kStart);
    EXPECT_FALSE(animation.Update(At(100))) << "step 1 shows the same frame as step 0";
    EXPECT_EQ(animation.Step(), 1u);
    EXPECT_TRUE(animation.Update(At(200)));
    EXPECT_EQ(animation.Frame(), 4u);
}

TEST(CursorAnimation, RestartBeginsAgainAtTheFirstStep) {
    CursorAnimation animation({0, 1}, {6, 6});
    animation.Restart(kStart);
    animation.Update(At(150));
    animation.Restart(At(150));
    EXPECT_EQ(animation.Frame(), 0u);
    EXPECT_FALSE(animation.Update(At(240)));
    EXPECT_TRUE(animation.Update(At(250)));
}

TEST(CursorAnimation, ZeroRatesStillMoveAtOneJiffyPerStep) {
    CursorAnimation animation({0, 1}, {0, 0});
    animation.Restart(kStart);
    animation.Update(At(17));
    EXPECT_EQ(animation.Frame(), 1u);
    animation.Update(At(34));
    EXPECT_EQ(animation.Frame(), 0u);
}

TEST(CursorAnimation, AStaticCursorNeverChanges) {
    CursorAnimation animation({0}, {});
    animation.Restart(kStart);
    EXPECT_FALSE(animation.Update(At(100'000)));
    EXPECT_EQ(animation.Frame(), 0u);
}

}  // namespace
}  // namespace engine
