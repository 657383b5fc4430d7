#include "tools/synth/curve.h"
#include "tools/synth/filter.h"
#include "tools/synth/loop.h"
#include "tools/synth/noise_source.h"
#include "tools/synth/oscillator.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tools::synth {
namespace {

int ZeroCrossings(const Signal& signal, std::size_t from, std::size_t to) {
    int count = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        count += (signal[i - 1] < 0) != (signal[i] < 0);
    }
    return count;
}

double Rms(const Signal& signal) {
    double sum = 0;
    for (const float sample : signal) {
        sum += static_cast<double>(sample) * sample;
    }
    return std::sqrt(sum / static_cast<double>(signal.size()));
}

TEST(Synth, EveryWaveFollowsItsPitchAndStaysInRange) {
    for (const Wave wave : {Wave::Sine, Wave::Triangle, Wave::Saw, Wave::Square}) {
        // A quarter-cycle start keeps the saw and square off their zero line at the sample points.
        const Signal tone = Oscillate(wave, Curve(441.0f), 1.0, 0.25);
        ASSERT_EQ(tone.size(), 44100u);
        EXPECT_NEAR(ZeroCrossings(tone, 0, tone.size()), 882, 2) << static_cast<int>(wave);
        EXPECT_LE(Peak(tone), 1.1f) << "band-limiting overshoots little";

        // An octave slide up, evenly in pitch: the second half sings higher.
        const Signal slide = Oscillate(wave, Curve({{0, 220}, {1, 880}}, Curve::Shape::Exponential), 1.0, 0.25);
        const int firstHalf = ZeroCrossings(slide, 0, 22050);
        const int secondHalf = ZeroCrossings(slide, 22050, 44100);
        EXPECT_NEAR(secondHalf, 2 * firstHalf, 0.05 * secondHalf);
    }
    EXPECT_FLOAT_EQ(Curve({{0, 100}, {1, 400}}, Curve::Shape::Exponential).At(0.5), 200.0f);
    EXPECT_THROW(Curve({{0, 0}, {1, 400}}, Curve::Shape::Exponential), std::invalid_argument);
}

TEST(Synth, FiltersKeepTheirBandAndLoopsJoinWithoutAStep) {
    SeededRandom random(7);
    const Signal noise = WhiteNoise(random, 1.0);
    const Signal low = Filtered(noise, FilterKind::LowPass, 500.0f);
    const Signal high = Filtered(noise, FilterKind::HighPass, 500.0f);
    // White noise has as much power in every hertz: below 500 Hz lies about 2 % of it.
    EXPECT_LT(Rms(low), 0.25 * Rms(noise));
    EXPECT_GT(Rms(high), 0.9 * Rms(noise));
    const Signal tone = Oscillate(Wave::Sine, Curve(200.0f), 1.0);
    EXPECT_NEAR(Rms(Filtered(tone, FilterKind::BandPass, 200.0f, 2.0f)), Rms(tone), 0.05 * Rms(tone));

    const Signal loop = SeamlessLoop(low, 30000, 5000, Crossfade::EqualPower);
    ASSERT_EQ(loop.size(), 30000u);
    EXPECT_NEAR(loop.front(), low[30000], 1e-6f) << "the loop's start carries on from its end";
    EXPECT_EQ(loop[5000], low[5000]);
    EXPECT_THROW(SeamlessLoop(low, 40000, 5000, Crossfade::Linear), std::invalid_argument);
}

}  // namespace
}  // namespace tools::synth
