#include "engine/viewer/frame_statistics.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

constexpr std::int64_t kFrequency = 1000;  // counter in milliseconds

TEST(FrameStatistics, ReadsZeroUntilTheFirstFrameAfterAResetIsDone) {
    TFrameStatistics stats;
    EXPECT_EQ(stats.MeasuredFps(), 0.0f);
    stats.FrameStarted(5000);
    EXPECT_EQ(stats.MeasuredFps(), 0.0f) << "a frame in progress is not counted";
    stats.FrameEnded(4990, 5020, kFrequency);
    EXPECT_EQ(stats.FrameCount(), 1);
    EXPECT_FLOAT_EQ(stats.MeasuredFps(), 50.0f) << "1 frame over the 20 ms from the first-frame reading";
    EXPECT_DOUBLE_EQ(stats.LastFrameDuration(), 0.030) << "measured from the frame's own start";
}

TEST(FrameStatistics, AveragesEveryFrameSinceTheFirstFrameReading) {
    TFrameStatistics stats;
    std::int64_t now = 1000;
    for (int i = 0; i < 4; ++i) {
        stats.FrameStarted(now);
        now += 10;
        stats.FrameEnded(now - 10, now, kFrequency);
        now += 40;  // idle between frames counts as well
    }
    // Four frames from 1000 to the end of the fourth, at 1160.
    EXPECT_EQ(stats.FrameCount(), 4);
    EXPECT_FLOAT_EQ(stats.MeasuredFps(), 4.0f * 1000.0f / 160.0f);
    EXPECT_DOUBLE_EQ(stats.LastFrameDuration(), 0.010);
}

TEST(FrameStatistics, AResetStartsANewPeriodAtTheNextFrame) {
    TFrameStatistics stats;
    stats.FrameStarted(0);
    stats.FrameEnded(0, 10, kFrequency);
    stats.FrameStarted(500);
    stats.FrameEnded(500, 510, kFrequency);
    stats.Reset();
    EXPECT_EQ(stats.FrameCount(), 0);
    EXPECT_EQ(stats.MeasuredFps(), 0.0f);
    EXPECT_DOUBLE_EQ(stats.LastFrameDuration(), 0.010) << "the last frame's duration is no part of the count";
    stats.FrameStarted(2000);
    stats.FrameEnded(2000, 2004, kFrequency);
    EXPECT_FLOAT_EQ(stats.MeasuredFps(), 250.0f) << "the frames before the reset do not count";
}

TEST(FrameStatistics, AResetDuringAFrameMeasuresFromThatFramesStart) {
    TFrameStatistics stats;
    stats.FrameStarted(100);
    stats.FrameEnded(100, 110, kFrequency);
    stats.FrameStarted(3000);
    stats.Reset();  // from one of the frame's own events
    stats.FrameEnded(3000, 3025, kFrequency);
    EXPECT_EQ(stats.FrameCount(), 1);
    EXPECT_FLOAT_EQ(stats.MeasuredFps(), 40.0f) << "not 1 frame over the 3.025 s since counter value 0";
}

TEST(FrameStatistics, AFrameWithoutElapsedTimeLeavesTheRateAlone) {
    TFrameStatistics stats;
    stats.FrameStarted(700);
    stats.FrameEnded(700, 700, kFrequency);
    EXPECT_EQ(stats.FrameCount(), 1);
    EXPECT_EQ(stats.MeasuredFps(), 0.0f) << "no division by a zero period";
}

}  // namespace
}  // namespace engine
