#include "tools/assetgen/game_sounds/effect_recipes.h"

#include "tools/synth/curve.h"
#include "tools/synth/filter.h"
#include "tools/synth/loop.h"
#include "tools/synth/noise_source.h"
#include "tools/synth/oscillator.h"
#include "tools/synth/reverb.h"

namespace tools::assetgen {

using namespace synth;

platform::PcmSound MakeLaunch() {
    SeededRandom random(0x1A0C401);
    constexpr double kLength = 1.3;
    Signal mix;
    // The motor lighting: a short low thump.
    Signal thump = Oscillate(Wave::Sine, Curve({{0, 120}, {0.18, 42}}, kExp), 0.4);
    Multiply(thump, Percussive(0.004, 0.07, 0.4));
    Saturate(thump, 2.0f);
    AddLayer(mix, thump, 0.7f);
    // The exhaust: a band of noise that rises as the rocket gathers speed and falls as it leaves.
    Signal roar = WhiteNoise(random, kLength);
    Filter(roar, FilterKind::BandPass, Curve({{0, 500}, {0.3, 2600}, {kLength, 800}}, kExp), 1.1f);
    Multiply(roar, Curve({{0, 0}, {0.03, 1}, {0.35, 0.8}, {kLength, 0}}).Render(roar.size()));
    AddLayer(mix, roar, 0.75f);
    Signal rumble = BrownNoise(random, kLength);
    Filter(rumble, FilterKind::LowPass, Curve({{0, 450}, {kLength, 150}}, kExp));
    Multiply(rumble, Percussive(0.01, 0.35, kLength));
    AddLayer(mix, rumble, 0.55f);
    // Burning fuel crackling, thinning out.
    Signal crackle = Crackle(random, Curve({{0, 500}, {0.6, 60}, {kLength, 0}}), kLength);
    Filter(crackle, FilterKind::HighPass, 1800.0f);
    AddLayer(mix, crackle, 0.3f);
    return FinishOneShot(mix, 0.5f, 0.1);
}

platform::PcmSound MakeBlast() {
    SeededRandom random(0xB1A57);
    constexpr double kLength = 2.4;
    Signal mix;
    // The shock front: a few milliseconds of bright noise.
    Signal crack = WhiteNoise(random, 0.05);
    Filter(crack, FilterKind::HighPass, 900.0f);
    Multiply(crack, Percussive(0.0005, 0.008, 0.05));
    AddLayer(mix, crack, 0.7f);
    // The body: a falling boom, saturated so that its overtones carry on small speakers.
    Signal boom = Oscillate(Wave::Sine, Curve({{0, 78}, {0.9, 30}}, kExp), 1.6);
    Multiply(boom, Percussive(0.003, 0.4, 1.6));
    Saturate(boom, 2.5f);
    AddLayer(mix, boom, 1.0f);
    Signal punch = Oscillate(Wave::Sine, Curve({{0, 130}, {0.5, 50}}, kExp), 1.0);
    Multiply(punch, Percussive(0.002, 0.15, 1.0));
    AddLayer(mix, punch, 0.45f);
    // The fireball's roar and the rumble after it, darkening as they die.
    Signal roar = WhiteNoise(random, 1.2);
    Filter(roar, FilterKind::LowPass, Curve({{0, 6000}, {1.2, 350}}, kExp));
    Multiply(roar, Percussive(0.002, 0.16, 1.2));
    AddLayer(mix, roar, 0.5f);
    Signal rumble = BrownNoise(random, kLength);
    Filter(rumble, FilterKind::LowPass, Curve({{0, 2200}, {0.4, 500}, {kLength, 110}}, kExp));
    Multiply(rumble, Percussive(0.004, 0.55, kLength));
    AddLayer(mix, rumble, 0.8f);
    // Debris falling back.
    Signal debris = Crackle(random, Curve({{0, 0}, {0.08, 160}, {1.4, 8}, {1.8, 0}}), 1.8);
    Filter(debris, FilterKind::BandPass, 2800.0f, 0.8f);
    AddLayer(mix, debris, 0.22f, 0.05);
    // The valley answering: a long dark tail.
    Signal tail = Reverb(mix, 0.9f, 0.7f, 0.8);
    AddLayer(mix, tail, 0.3f);
    return FinishOneShot(mix, 0.6f, 0.4);
}

platform::PcmSound MakeGatling() {
    SeededRandom random(0x6A71);
    constexpr int kRounds = 3;
    constexpr double kRoundInterval = 0.033;
    Signal burst;
    for (int round = 0; round < kRounds; ++round) {
        const double at = round * kRoundInterval;
        const float level = random.Range(0.85f, 1.0f);
        // The muzzle's snap, the punch of the charge and the ring of the barrel.
        Signal snap = WhiteNoise(random, 0.06);
        Filter(snap, FilterKind::BandPass, random.Range(2200.0f, 2700.0f), 0.9f);
        Multiply(snap, Percussive(0.0005, 0.010, 0.06));
        AddLayer(burst, snap, 0.9f * level, at);
        Signal punch = Oscillate(Wave::Sine, Curve({{0, 230}, {0.04, 80}}, kExp), 0.06);
        Multiply(punch, Percussive(0.001, 0.014, 0.06));
        AddLayer(burst, punch, 0.8f * level, at);
        Signal ring = Oscillate(Wave::Sine, Curve(3100.0f), 0.08);
        MixInto(ring, Oscillate(Wave::Sine, Curve(4730.0f), 0.08), 0.6f);
        Multiply(ring, Percussive(0.0005, 0.02, 0.08));
        AddLayer(burst, ring, 0.12f * level, at);
    }
    // The turning barrels' whir under the rounds.
    Signal whir = WhiteNoise(random, 0.15);
    Filter(whir, FilterKind::BandPass, 650.0f, 3.0f);
    Multiply(whir, Curve({{0, 0}, {0.01, 1}, {0.1, 1}, {0.15, 0}}).Render(whir.size()));
    AddLayer(burst, whir, 0.12f);
    Saturate(burst, 1.8f);
    return FinishOneShot(burst, 0.45f, 0.02);
}

// Every tone of the hum repeats a whole number of times in the loop, so the tones need no
// crossfade; only the noise does.
platform::PcmSound MakeLaser() {
    SeededRandom random(0x1A5E2);
    constexpr double kLoop = 2.0;
    constexpr double kFade = 0.25;
    const std::size_t loop = SamplesFor(kLoop);
    // Two loops, of which the second is kept, once the filters have settled into the cycle.
    const std::size_t twice = 2 * loop;
    Signal hum = Oscillate(Wave::Saw, Curve(110.0f), 2 * kLoop);
    MixInto(hum, Oscillate(Wave::Saw, Curve(110.5f), 2 * kLoop, 0.3), 0.8f);
    MixInto(hum, Oscillate(Wave::Square, Curve(220.0f), 2 * kLoop), 0.25f);
    Filter(hum, FilterKind::LowPass, 1800.0f, 1.6f);
    MixInto(hum, Oscillate(Wave::Sine, Curve(55.0f), 2 * kLoop), 0.6f);
    Signal shimmerPitch = Curve(1320.0f).Render(twice);
    Multiply(shimmerPitch, Wobble(6.0, 0.006f, twice));
    Signal shimmer = Oscillate(Wave::Sine, shimmerPitch);
    Multiply(shimmer, Wobble(8.0, 0.5f, twice));
    MixInto(hum, shimmer, 0.18f);
    Signal tones(hum.begin() + static_cast<std::ptrdiff_t>(loop), hum.end());

    // The beam's sizzle, pulsing with the loop.
    Signal sizzle = WhiteNoise(random, kLoop + kFade);
    Filter(sizzle, FilterKind::BandPass, 4800.0f, 1.5f);
    Multiply(sizzle, Wobble(12.0, 0.6f, sizzle.size()));
    NormalisePeak(sizzle, 0.25f * Peak(tones));
    MixInto(tones, SeamlessLoop(sizzle, loop, SamplesFor(kFade), Crossfade::EqualPower));
    return FinishLoop(tones, 0.4f);
}

}  // namespace tools::assetgen
