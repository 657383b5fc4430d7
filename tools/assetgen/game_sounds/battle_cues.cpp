#include "tools/assetgen/game_sounds/effect_recipes.h"

#include "tools/synth/curve.h"
#include "tools/synth/filter.h"
#include "tools/synth/noise_source.h"
#include "tools/synth/oscillator.h"
#include "tools/synth/reverb.h"

#include <array>

namespace tools::assetgen {

using namespace synth;

platform::PcmSound MakeBugDeath() {
    SeededRandom random(0xB06D);
    constexpr double kLength = 0.7;
    const std::size_t samples = SamplesFor(kLength);
    Signal mix;
    // A squeal that falls away, warbling fast, through two formants that close as it dies.
    Signal pitch = Curve({{0, 950}, {0.08, 1100}, {0.45, 260}}, kExp).Render(samples);
    Multiply(pitch, Wobble(28.0, 0.06f, samples));
    const Signal squeal = Oscillate(Wave::Saw, pitch);
    Signal voice = Filtered(squeal, FilterKind::BandPass, Curve({{0, 1400}, {0.45, 700}}, kExp), 4.0f);
    MixInto(voice, Filtered(squeal, FilterKind::BandPass, Curve({{0, 2800}, {0.45, 1500}}, kExp), 5.0f), 0.6f);
    Multiply(voice, Curve({{0, 0}, {0.012, 1}, {0.2, 0.7}, {0.5, 0}}).Render(samples));
    AddLayer(mix, voice, 0.8f);
    // The body collapsing: a wet, gurgling thud.
    Signal squelch = BrownNoise(random, kLength);
    Filter(squelch, FilterKind::LowPass, Curve({{0, 1200}, {kLength, 200}}, kExp), 2.0f);
    Multiply(squelch, Wobble(32.0, 0.7f, samples));
    Multiply(squelch, Curve({{0, 0}, {0.03, 0}, {0.08, 1}, {kLength, 0}}).Render(samples));
    AddLayer(mix, squelch, 0.6f);
    // The shell cracking.
    Signal crunch = Crackle(random, Curve({{0, 900}, {0.12, 0}}), 0.15);
    Filter(crunch, FilterKind::BandPass, 3500.0f, 1.2f);
    AddLayer(mix, crunch, 0.35f);
    return FinishOneShot(mix, 0.45f, 0.05);
}

// A heavy plate struck and damped: low partials out of tune with each other, no bright edge, so
// that hearing it again and again does not wear.
platform::PcmSound MakeBaseHit() {
    SeededRandom random(0xBA5E);
    constexpr double kLength = 0.7;
    struct Partial {
        float Frequency;
        float Level;
        double Decay;
    };
    constexpr std::array<Partial, 4> kPartials{{{142, 1.0f, 0.22}, {367, 0.5f, 0.14}, {623, 0.3f, 0.09}, {941, 0.18f, 0.06}}};
    Signal plate;
    for (const Partial& partial : kPartials) {
        Signal tone = Oscillate(Wave::Sine, Curve(partial.Frequency), kLength, random.NextFloat());
        Multiply(tone, Percussive(0.003, partial.Decay, kLength));
        MixInto(plate, tone, partial.Level);
    }
    Signal mix;
    AddLayer(mix, plate, 0.8f);
    Signal thud = WhiteNoise(random, 0.08);
    Filter(thud, FilterKind::LowPass, 700.0f);
    Multiply(thud, Percussive(0.002, 0.02, 0.08));
    AddLayer(mix, thud, 0.6f);
    Filter(mix, FilterKind::LowPass, 2500.0f);
    return FinishOneShot(mix, 0.45f, 0.1);
}

// Two rising whoops of a klaxon, filtered so that they warn without hurting.
platform::PcmSound MakeAlarm() {
    constexpr double kWhoop = 0.45;
    Signal alarm;
    for (int whoop = 0; whoop < 2; ++whoop) {
        Signal tone = Oscillate(Wave::Saw, Curve({{0, 420}, {0.42, 840}}, kExp), kWhoop);
        Filter(tone, FilterKind::LowPass, 2200.0f, 0.9f);
        MixInto(tone, Oscillate(Wave::Square, Curve({{0, 210}, {0.42, 420}}, kExp), kWhoop), 0.3f);
        Multiply(tone, Curve({{0, 0}, {0.02, 1}, {0.38, 1}, {kWhoop, 0}}).Render(tone.size()));
        AddLayer(alarm, tone, 0.9f, whoop * 0.55);
    }
    Signal mix = alarm;
    AddLayer(mix, Reverb(alarm, 0.6f, 0.5f, 0.35), 0.25f);
    return FinishOneShot(mix, 0.4f, 0.05);
}

}  // namespace tools::assetgen
