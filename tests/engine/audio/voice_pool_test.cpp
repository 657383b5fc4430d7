#include "engine/audio/voice_pool.h"

#include "engine/audio/game_sounds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace engine {
namespace {

constexpr double kStep = 1.0 / 60;

// The game's sound traits with lengths close to the generated sounds'.
TVoicePool GamePool() {
    std::vector<double> durations(gsCount, 0.5);
    durations[gsGatling] = 0.15;
    durations[gsBlast] = 3.2;
    durations[gsLaser] = 2.0;
    return TVoicePool(GameSoundTraits(), durations);
}

std::vector<TVoiceChange> Starts(const TVoicePool& pool) {
    std::vector<TVoiceChange> starts;
    for (const TVoiceChange& change : pool.Changes()) {
        if (change.Kind == TVoiceChange::vcStart) {
            starts.push_back(change);
        }
    }
    return starts;
}

TEST(VoicePool, ThirtyGatlingTowersFiringTenTimesASecondKeepAFewVoicesBusy) {
    TVoicePool pool = GamePool();
    constexpr int kTowers = 30;
    constexpr int kSteps = 120;
    int stepsPlaying = 0;
    for (int step = 0; step < kSteps; ++step) {
        // Each tower every sixth step: five shots a step, 300 a second.
        for (int tower = step % 6; tower < kTowers; tower += 6) {
            const double angle = 2 * std::numbers::pi * tower / kTowers;
            pool.Play(gsGatling, {static_cast<float>(20 * std::cos(angle)), 0, static_cast<float>(20 * std::sin(angle))});
        }
        pool.Step(kStep);
        EXPECT_LE(Starts(pool).size(), 1u) << "the shots of a step merge into one";
        pool.ClearChanges();
        EXPECT_LE(pool.Playing(gsGatling), GameSoundTraits()[gsGatling].MaxVoices);
        stepsPlaying += pool.Playing(gsGatling) > 0;
    }
    const std::int64_t starts = pool.StartCounts()[gsGatling];
    EXPECT_LE(starts, static_cast<std::int64_t>(kSteps * kStep / GameSoundTraits()[gsGatling].MinInterval) + 1);
    EXPECT_GE(starts, 20) << "a continuous rattle, not a shot now and then";
    EXPECT_EQ(stepsPlaying, kSteps) << "never a gap in the rattle";
}

TEST(VoicePool, TheLoudestOfARepeatIsKeptAndOnlyAMuchLouderOneComesTooSoon) {
    TVoicePool pool = GamePool();
    pool.Play(gsBlast, {95, 0, 0});
    pool.Play(gsBlast, {60, 0, 0});
    pool.Play(gsBlast, {80, 0, 0});
    pool.Step(kStep);
    ASSERT_EQ(Starts(pool).size(), 1u);
    EXPECT_EQ(Starts(pool)[0].Position, (TVec3{60, 0, 0}));
    pool.ClearChanges();

    // Within the blast's interval: about as loud is held back, far louder is not.
    pool.Play(gsBlast, {50, 0, 0});
    pool.Step(kStep);
    EXPECT_TRUE(Starts(pool).empty());
    pool.Play(gsBlast, {1, 0, 0});
    pool.Step(kStep);
    EXPECT_EQ(Starts(pool).size(), 1u);
    EXPECT_EQ(pool.StartCounts()[gsBlast], 2);
}

TEST(VoicePool, BusyVoicesGiveWayOnlyToLouderSounds) {
    TVoicePool pool = GamePool();
    const int voices = GameSoundTraits()[gsBlast].MaxVoices;
    for (int i = 0; i < voices; ++i) {
        pool.Play(gsBlast, {60, 0, 0});
        pool.Step(0.1);
    }
    pool.ClearChanges();
    ASSERT_EQ(pool.Playing(gsBlast), voices);
    pool.Play(gsBlast, {80, 0, 0});
    pool.Step(0.1);
    EXPECT_TRUE(Starts(pool).empty()) << "fainter than every blast still ringing";
    pool.Play(gsBlast, {1, 0, 0});
    pool.Step(0.1);
    ASSERT_EQ(Starts(pool).size(), 1u);
    int oldest = 0;
    while (pool.SoundOf(oldest) != gsBlast) {
        ++oldest;
    }
    EXPECT_EQ(Starts(pool)[0].Voice, oldest) << "the oldest, with the least left to give, makes room";
    EXPECT_EQ(pool.Playing(gsBlast), voices);
}

TEST(VoicePool, LoopsPlayForTheLoudestOwnersAndStopAtOnce) {
    TVoicePool pool = GamePool();
    for (int owner = 0; owner < 5; ++owner) {
        pool.StartLoop(gsLaser, owner, {10.0f * owner, 0, 0});
    }
    pool.Step(kStep);
    EXPECT_EQ(pool.Playing(gsLaser), 3);
    EXPECT_EQ(Starts(pool).size(), 3u);
    EXPECT_EQ(Starts(pool)[2].Position, (TVec3{20, 0, 0})) << "the three nearest";
    pool.ClearChanges();

    pool.SetListener({40, 0, 0});
    pool.Step(kStep);
    EXPECT_EQ(pool.Changes().size(), 4u) << "two stop, two start";
    EXPECT_EQ(pool.Playing(gsLaser), 3);
    pool.ClearChanges();
    pool.StartLoop(gsLaser, 4, {41, 0, 0});
    pool.StopLoop(gsLaser, 3);
    ASSERT_EQ(pool.Changes().size(), 1u);
    EXPECT_EQ(pool.Changes()[0].Kind, TVoiceChange::vcStop);
    pool.ClearChanges();
    pool.Step(kStep);
    // Owner 4 only moves; owner 1 takes the stopped voice.
    ASSERT_EQ(pool.Changes().size(), 2u);
    EXPECT_EQ(pool.Changes()[0].Kind, TVoiceChange::vcMove);
    EXPECT_EQ(pool.Changes()[1].Position, (TVec3{10, 0, 0}));
    EXPECT_EQ(pool.StartCounts()[gsLaser], 6);
}

TEST(VoicePool, PauseFreezesTheWorldButNotTheInterfaceOrTheAmbience) {
    TVoicePool pool = GamePool();
    pool.Play(gsLaunch, {});
    pool.StartLoop(gsAmbience, 0, {});
    pool.Step(0.25);
    pool.SetPaused(true);
    pool.Play(gsBlast, {});
    pool.Play(gsPurchase, {});
    pool.StartLoop(gsLaser, 1, {});
    pool.Step(10);
    EXPECT_EQ(pool.Playing(gsLaunch), 1) << "half played, and waiting";
    EXPECT_EQ(pool.Playing(gsBlast), 0) << "the world raised nothing while it stood still";
    EXPECT_EQ(pool.Playing(gsLaser), 0);
    EXPECT_EQ(pool.StartCounts()[gsPurchase], 1);
    EXPECT_EQ(pool.Playing(gsAmbience), 1);

    pool.SetPaused(false);
    pool.Step(0.2);
    EXPECT_EQ(pool.Playing(gsLaunch), 1);
    EXPECT_EQ(pool.Playing(gsLaser), 1);
    pool.Step(0.1);
    EXPECT_EQ(pool.Playing(gsLaunch), 0) << "its second half played after the pause";
}

}  // namespace
}  // namespace engine
