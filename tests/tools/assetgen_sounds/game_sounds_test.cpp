#include "tools/assetgen/game_sounds/game_sounds.h"

#include "platform/paths.h"
#include "platform/wav_decoder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <numeric>
#include <string>

namespace tools::assetgen {
namespace {

namespace fs = std::filesystem;
using namespace game_sound_files;

// Generates the sounds twice into temporary folders and reads them back through the game's reader.
class GameSounds : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_root = fs::temp_directory_path() / ("assetgen_sounds_" + std::to_string(::getpid()));
        for (const char* run : {"a", "b"}) {
            OutputFolder output(s_root / run);
            GenerateGameSounds(output);
        }
    }
    static void TearDownTestSuite() { fs::remove_all(s_root); }

    static std::vector<std::uint8_t> Bytes(const std::string& run, const std::string& name) {
        return platform::ReadWholeFile((s_root / run / kFolder / (name + kExtension)).string());
    }

    static fs::path s_root;
};

fs::path GameSounds::s_root;

struct Expected {
    double MinSeconds;
    double MaxSeconds;
    bool Loop;
    int Channels = 1;
};

const std::map<std::string, Expected> kExpected = {
    {"launch", {1.0, 1.6, false}},   {"blast", {2.0, 4.0, false}},    {"gatling", {0.1, 0.2, false}},
    {"laser", {2.0, 2.0, true}},     {"bug_death", {0.4, 1.0, false}}, {"base_hit", {0.3, 1.0, false}},
    {"alarm", {0.8, 1.8, false}},    {"purchase", {0.2, 0.7, false}}, {"refused", {0.15, 0.4, false}},
    {"place", {0.15, 0.5, false}},   {"repair", {0.6, 1.3, false}},   {"pause", {0.2, 0.6, false}},
    {"resume", {0.2, 0.6, false}},   {"ambience", {12.0, 12.0, true, 2}}, {"sell", {0.3, 0.7, false}},
    {"wave", {1.4, 2.5, false}},     {"fallen", {3.0, 4.5, false}},
};

double Channel(const platform::PcmSound& sound, std::size_t frame, int channel) {
    return sound.Samples[frame * static_cast<std::size_t>(sound.Channels) + static_cast<std::size_t>(channel)] / 32768.0;
}

TEST_F(GameSounds, EverySoundIsDeterministicInRangeWithoutOffsetAndOfItsLength) {
    ASSERT_EQ(kExpected.size(), kNames.size());
    for (const char* name : kNames) {
        SCOPED_TRACE(name);
        const Expected& expected = kExpected.at(name);
        const std::vector<std::uint8_t> bytes = Bytes("a", name);
        EXPECT_EQ(bytes, Bytes("b", name)) << "the same seed makes the same file";
        const platform::PcmSound sound = platform::DecodeWav(bytes);
        EXPECT_EQ(sound.SampleRate, 44100);
        ASSERT_EQ(sound.Channels, expected.Channels);
        const double seconds = static_cast<double>(sound.Frames()) / sound.SampleRate;
        EXPECT_GE(seconds, expected.MinSeconds - 1e-9);
        EXPECT_LE(seconds, expected.MaxSeconds + 1e-9);

        const auto [low, high] = std::minmax_element(sound.Samples.begin(), sound.Samples.end());
        const double peak = std::max(-*low, static_cast<int>(*high)) / 32768.0;
        EXPECT_GT(peak, 0.3) << "audible";
        EXPECT_LT(peak, 0.7) << "headroom for the mix";
        const double mean = std::accumulate(sound.Samples.begin(), sound.Samples.end(), 0.0) / sound.Samples.size() / 32768.0;
        EXPECT_LT(std::fabs(mean), 0.002) << "no DC offset";

        for (int c = 0; c < sound.Channels; ++c) {
            const double first = Channel(sound, 0, c);
            const double last = Channel(sound, sound.Frames() - 1, c);
            if (!expected.Loop) {
                EXPECT_LT(std::fabs(first), 0.01) << "starts without a click";
                EXPECT_LT(std::fabs(last), 0.01) << "ends without a click";
                continue;
            }
            // Across the seam the wave moves no more than it usually does from sample to sample.
            double sumOfSquares = 0;
            for (std::size_t i = 1; i < sound.Frames(); ++i) {
                const double step = Channel(sound, i, c) - Channel(sound, i - 1, c);
                sumOfSquares += step * step;
            }
            const double typicalStep = std::sqrt(sumOfSquares / static_cast<double>(sound.Frames() - 1));
            EXPECT_LE(std::fabs(first - last), 3 * typicalStep) << "channel " << c << " clicks at its loop point";
        }
    }
}

}  // namespace
}  // namespace tools::assetgen
