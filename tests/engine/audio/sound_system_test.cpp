#include "engine/audio/sound_system.h"

#include "engine/audio/game_sounds.h"
#include "platform/paths.h"
#include "platform/wav_decoder.h"
#include "tools/assetgen/game_sounds/game_sounds.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>

namespace engine {
namespace {

namespace fs = std::filesystem;

constexpr double kStep = 1.0 / 60;

// The game's sounds, generated once into a temporary folder; every system renders into memory
// through OpenAL's loopback device, so no sound card is needed.
class SoundSystemTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_root = fs::temp_directory_path() / ("sound_system_test_" + std::to_string(::getpid()));
        tools::OutputFolder output(s_root);
        tools::assetgen::GenerateGameSounds(output);
    }
    static void TearDownTestSuite() { fs::remove_all(s_root); }

    static fs::path Sounds() { return s_root / "sounds"; }
    static std::unique_ptr<TSoundSystem> Recorder(int volume = 80, bool muted = false) {
        auto system = std::make_unique<TSoundSystem>(
            GameSoundTraits(), Sounds(), TAudioOptions{aoFile, (s_root / "mix.wav").string(), volume, muted});
        system->SetListener({0, 0, 0}, {0, 0, -1}, {0, 1, 0});
        return system;
    }
    // Steps for the given seconds of game time, raising the step's events first.
    static void Run(TSoundSystem& system, double seconds, const std::function<void(int step)>& events = {}) {
        const int steps = static_cast<int>(std::lround(seconds / kStep));
        for (int step = 0; step < steps; ++step) {
            if (events) {
                events(step);
            }
            system.Step(kStep);
        }
    }

    static fs::path s_root;
};

fs::path SoundSystemTest::s_root;

double Rms(const std::vector<std::int16_t>& samples, std::size_t from = 0, std::size_t to = SIZE_MAX) {
    to = std::min(to, samples.size());
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) / 32768.0 : 0.0;
}

// Samples (both channels) of the recording between two times.
std::size_t At(double seconds) { return 2 * static_cast<std::size_t>(std::lround(seconds * TSoundSystem::kFileSampleRate)); }

// The events of a full battle: thirty gatling towers ten shots a second each, two blasts and two
// launches a second around the base, three lasers burning, bugs dying, the wind.
void FullBattle(TSoundSystem& system, int step) {
    if (step == 0) {
        system.StartLoop(gsAmbience, 0);
        for (int laser = 0; laser < 3; ++laser) {
            system.StartLoop(gsLaser, laser, {4.0f * laser, 0, -6});
        }
    }
    for (int tower = step % 6; tower < 30; tower += 6) {
        const double angle = 2 * std::numbers::pi * tower / 30;
        system.Play(gsGatling, {static_cast<float>(6 * std::cos(angle)), 0, static_cast<float>(6 * std::sin(angle))});
    }
    if (step % 30 == 0) {
        system.Play(gsBlast, {1, 0, -2});
        system.Play(gsLaunch, {-2, 0, -1});
    }
    if (step % 20 == 0) {
        system.Play(gsBugDeath, {2, 0, -3});
    }
}

TEST_F(SoundSystemTest, ABlastBesideTheListenerIsLouderThanOneAcrossTheValley) {
    double rms[2];
    const float distances[2] = {2, 80};
    for (int i = 0; i < 2; ++i) {
        auto system = Recorder();
        system->Play(gsBlast, {0, 0, -distances[i]});
        Run(*system, 2.0);
        rms[i] = Rms(system->Recording().Samples);
    }
    EXPECT_GT(rms[0], 0.02);
    EXPECT_GT(rms[1], 0.0);
    // Full level within its reference distance of 14, then falling as 14 / distance.
    EXPECT_NEAR(rms[1] / rms[0], 14.0 / 80.0, 0.03);
}

TEST_F(SoundSystemTest, PauseStopsTheWorldAndSoftensTheAmbience) {
    auto world = Recorder();
    auto wind = Recorder();
    auto unpaused = Recorder();
    for (TSoundSystem* system : {world.get(), unpaused.get()}) {
        system->StartLoop(gsLaser, 1, {0, 0, -3});
    }
    wind->StartLoop(gsAmbience, 0);
    Run(*unpaused, 2.0);
    for (TSoundSystem* system : {world.get(), wind.get()}) {
        Run(*system, 1.0);
        system->SetPaused(true);
        Run(*system, 1.0);
        system->SetPaused(false);
        Run(*system, 1.0);
    }
    const auto& laser = world->Recording().Samples;
    EXPECT_GT(Rms(laser, At(0.1), At(1)), 0.01);
    EXPECT_EQ(Rms(laser, At(1.05), At(2)), 0.0) << "the beam's hum stops with the world";
    // After the pause the hum goes on from where it stood.
    const auto& reference = unpaused->Recording().Samples;
    EXPECT_NEAR(Rms(laser, At(2.1), At(3)), Rms(reference, At(1.1), At(2)), 0.05 * Rms(reference, At(1.1), At(2)));
    // The wind's own gusts vary; compared over the same stretch of its loop.
    const auto& air = wind->Recording().Samples;
    EXPECT_NEAR(Rms(air, At(1.05), At(2)) / Rms(air, At(0.05), At(1)), TSoundSystem::kPausedAmbience, 0.15);

    world->SetPaused(true);
    world->Play(gsPause);
    Run(*world, 0.3);
    EXPECT_GT(Rms(laser, At(3), At(3.3)), 0.005) << "the pause's own cue plays while paused";
}

// At 3x the game takes three steps for every pass of its loop and raises their events, but the
// sound system only hears the seconds a pass stands for.
TEST_F(SoundSystemTest, AFasterGamePlaysMoreEventsAtTheSamePitch) {
    std::vector<std::int16_t> laser[2];
    std::int64_t launches[2];
    const int speeds[2] = {1, 3};
    for (int i = 0; i < 2; ++i) {
        auto system = Recorder();
        int gameStep = 0;
        Run(*system, 6.0, [&](int) {
            for (int s = 0; s < speeds[i]; ++s, ++gameStep) {
                system->StartLoop(gsLaser, 0, {0, 0, -4});
                // Three rocket towers, each firing every three seconds of game time.
                if (gameStep % 180 < 3) {
                    system->Play(gsLaunch, {20.0f * static_cast<float>(gameStep % 180), 0, -10});
                }
            }
        });
        launches[i] = system->StartCounts()[gsLaunch].second;
        auto only = Recorder();
        only->StartLoop(gsLaser, 0, {0, 0, -4});
        Run(*only, 0.5);
        laser[i] = only->Recording().Samples;
        EXPECT_EQ(system->Recording().Frames(), 6u * TSoundSystem::kFileSampleRate);
    }
    EXPECT_EQ(launches[0], 2);
    EXPECT_EQ(launches[1], 6);
    EXPECT_EQ(laser[0], laser[1]);
}

TEST_F(SoundSystemTest, TheSameEventsWriteTheSameFileAndMuteWritesSilence) {
    auto first = Recorder();
    auto second = Recorder();
    auto quiet = Recorder(40);
    auto muted = Recorder(80, true);
    for (TSoundSystem* system : {first.get(), second.get(), quiet.get(), muted.get()}) {
        Run(*system, 2.0, [system](int step) { FullBattle(*system, step); });
    }
    EXPECT_EQ(first->Recording().Samples, second->Recording().Samples);
    EXPECT_EQ(first->StartCounts(), muted->StartCounts()) << "muting silences, it does not skip";
    EXPECT_TRUE(std::all_of(muted->Recording().Samples.begin(), muted->Recording().Samples.end(),
                            [](std::int16_t s) { return s == 0; }));
    EXPECT_NEAR(Rms(quiet->Recording().Samples) / Rms(first->Recording().Samples), 0.5, 0.05);

    first->Finish();
    const platform::PcmSound written = platform::DecodeWav(platform::ReadWholeFile((s_root / "mix.wav").string()));
    EXPECT_EQ(written.SampleRate, 44100);
    EXPECT_EQ(written.Channels, 2);
    EXPECT_EQ(written.Samples, first->Recording().Samples);
}

TEST_F(SoundSystemTest, AFullBattleAtFullVolumeNeverClips) {
    auto system = Recorder(100);
    Run(*system, 4.0, [&](int step) { FullBattle(*system, step); });
    const auto& samples = system->Recording().Samples;
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    EXPECT_LT(std::max(-static_cast<int>(*low), static_cast<int>(*high)), 32767);
    EXPECT_GT(Rms(samples), 0.05);
    for (const auto& [name, count] : system->StartCounts()) {
        EXPECT_LE(count, 4 * 60) << name << ": at most one start a step";
    }
}

TEST_F(SoundSystemTest, MissingFilesAreReportedAndTheRestPlays) {
    const fs::path partial = s_root / "partial";
    fs::create_directories(partial);
    fs::copy_file(Sounds() / "blast.wav", partial / "blast.wav");
    std::ofstream(partial / "launch.wav") << "not a sound";
    TAudioOptions nowhere;
    nowhere.Output = aoNone;
    TSoundSystem system(GameSoundTraits(), partial, nowhere);
    ASSERT_EQ(system.Problems().size(), static_cast<std::size_t>(gsCount - 1));
    EXPECT_NE(system.Problems()[0].find("launch.wav: not a RIFF/WAVE file"), std::string::npos);
    EXPECT_NE(system.Problems()[1].find("gatling.wav"), std::string::npos);
    system.Play(gsLaunch);
    system.Play(gsBlast);
    system.Step(kStep);
    EXPECT_EQ(system.StartCounts()[gsLaunch].second, 0);
    EXPECT_EQ(system.StartCounts()[gsBlast].second, 1);
    EXPECT_EQ(system.OutputName(), "none");
}

// OpenAL chooses its backends once per process, so each case runs in a process of its own. The
// machine's own default may or may not find a device; either way nothing else reaches stderr.
TEST_F(SoundSystemTest, WithoutADeviceTheGamePlaysSilentlyAndSaysSoOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct {
        const char* drivers;  // nullptr: OpenAL's own choice
        const char* output;   // nullptr: either
    } cases[] = {{"none", "none"}, {"null", "device"}, {nullptr, nullptr}};
    for (const auto& c : cases) {
        EXPECT_EXIT(
            {
                if (c.drivers != nullptr) {
                    ::setenv("ALSOFT_DRIVERS", c.drivers, 1);
                }
                bool expected = false;
                {
                    TSoundSystem system(GameSoundTraits(), Sounds(), {});
                    system.Play(gsPurchase);
                    system.Step(kStep);
                    const bool none = system.OutputName() == "none";
                    const std::vector<std::string> told =
                        none ? std::vector<std::string>{"no sound device: playing silently"} : std::vector<std::string>{};
                    expected = (c.output == nullptr || system.OutputName() == c.output) && system.Problems() == told &&
                               system.StartCounts()[gsPurchase].second == 1;
                }
                // The child made its own sound folder and leaves before the suite's tear-down.
                fs::remove_all(s_root);
                std::exit(expected ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "^$")
            << (c.drivers != nullptr ? c.drivers : "default");
    }
}

}  // namespace
}  // namespace engine
