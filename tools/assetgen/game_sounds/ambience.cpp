#include "tools/assetgen/game_sounds/effect_recipes.h"

#include "tools/synth/filter.h"
#include "tools/synth/loop.h"
#include "tools/synth/noise_source.h"

#include <array>
#include <cstdint>
#include <cmath>
#include <numbers>

namespace tools::assetgen {

using namespace synth;

namespace {

constexpr std::uint64_t kSeed = 0xA3B1E;
constexpr double kLoop = 12.0;
constexpr double kFade = 1.5;

// A slow wandering value in -1..1 made of sines that each repeat a whole number of times in the
// loop, so that gusts and whistles carry on across the seam. `lag` shifts it in time, which
// gives the right ear the left's wind a moment later.
Signal Wander(SeededRandom& random, std::size_t samples, double lag) {
    constexpr std::array<int, 5> kCycles{1, 2, 3, 5, 8};
    std::array<double, kCycles.size()> phases{};
    for (double& phase : phases) {
        phase = random.NextFloat();
    }
    Signal out(samples);
    for (std::size_t i = 0; i < samples; ++i) {
        double sum = 0;
        for (std::size_t k = 0; k < kCycles.size(); ++k) {
            sum += std::sin(2.0 * std::numbers::pi * (kCycles[k] * (TimeOf(i) - lag) / kLoop + phases[k])) /
                   (1.0 + static_cast<double>(k));
        }
        out[i] = static_cast<float>(sum);
    }
    NormalisePeak(out, 1.0f);
    return out;
}

// One ear's wind: a dark bed of rumbling air and a whistling band that wanders with the gusts.
Signal Wind(SeededRandom& random, const Signal& gusts, const Signal& whistle) {
    const std::size_t samples = gusts.size();
    Signal bed = BrownNoise(random, TimeOf(samples));
    Filter(bed, FilterKind::LowPass, Curve(350.0f));
    Signal strength(samples);
    Signal pitch(samples);
    for (std::size_t i = 0; i < samples; ++i) {
        strength[i] = 0.55f + 0.45f * gusts[i];
        pitch[i] = 520.0f * std::exp2(0.9f * whistle[i]);
    }
    Multiply(bed, strength);
    Signal band = WhiteNoise(random, TimeOf(samples));
    Filter(band, FilterKind::BandPass, pitch, 3.5f);
    Multiply(band, strength);
    Multiply(band, strength);
    Signal air = WhiteNoise(random, TimeOf(samples));
    Filter(air, FilterKind::BandPass, Curve(3500.0f), 0.6f);
    Multiply(air, strength);
    Signal wind;
    AddLayer(wind, bed, 1.0f);
    AddLayer(wind, band, 0.45f);
    AddLayer(wind, air, 0.08f);
    return wind;
}

}  // namespace

platform::PcmSound MakeAmbience() {
    SeededRandom random(kSeed);
    const std::size_t loop = SamplesFor(kLoop);
    const std::size_t fade = SamplesFor(kFade);
    const std::size_t samples = loop + fade;
    const Signal gustsLeft = Wander(random, samples, 0.0);
    const Signal whistleLeft = Wander(random, samples, 0.0);
    // The right ear hears the same weather a little later, with air of its own.
    SeededRandom sameWeather(kSeed);
    const Signal gustsRight = Wander(sameWeather, samples, 0.35);
    const Signal whistleRight = Wander(sameWeather, samples, 0.35);
    const Signal left = Wind(random, gustsLeft, whistleLeft);
    const Signal right = Wind(random, gustsRight, whistleRight);
    return FinishLoop(SeamlessLoop(left, loop, fade, Crossfade::EqualPower),
                      SeamlessLoop(right, loop, fade, Crossfade::EqualPower), 0.35f);
}

}  // namespace tools::assetgen
