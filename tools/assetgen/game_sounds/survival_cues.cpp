#include "tools/assetgen/game_sounds/effect_recipes.h"

#include "tools/synth/curve.h"
#include "tools/synth/filter.h"
#include "tools/synth/noise_source.h"
#include "tools/synth/oscillator.h"
#include "tools/synth/reverb.h"

#include <array>

namespace tools::assetgen {

using namespace synth;

// Coins handed back: three small, bright clinks falling in pitch, a little apart, over the thunk of
// the tower being lifted.
platform::PcmSound MakeSell() {
    SeededRandom random(0x5E11);
    Signal mix;
    Signal lift = Oscillate(Wave::Sine, Curve({{0, 90}, {0.12, 160}}, kExp), 0.2);
    Multiply(lift, Percussive(0.002, 0.05, 0.2));
    AddLayer(mix, lift, 0.6f);
    const std::array<float, 3> pitches{2637.0f, 2349.3f, 1975.5f};
    for (std::size_t i = 0; i < pitches.size(); ++i) {
        Signal clink = Oscillate(Wave::Sine, Curve(pitches[i]), 0.25);
        MixInto(clink, Oscillate(Wave::Sine, Curve(2.4f * pitches[i]), 0.25), 0.35f);
        Multiply(clink, Percussive(0.001, 0.05, 0.25));
        Signal tick = WhiteNoise(random, 0.01);
        Filter(tick, FilterKind::HighPass, 4000.0f);
        MixInto(clink, tick, 0.2f);
        AddLayer(mix, clink, 0.55f, 0.06 + 0.07 * static_cast<double>(i));
    }
    return FinishOneShot(mix, 0.45f, 0.03);
}

// A war horn from the nests: a low brass note swelling and bending up, a drum under its start.
platform::PcmSound MakeWave() {
    SeededRandom random(0x3A7E);
    constexpr double kLength = 1.4;
    const std::size_t samples = SamplesFor(kLength);
    Signal horn = Oscillate(Wave::Saw, Curve({{0, 98}, {0.25, 110}, {kLength, 112}}, kExp), kLength);
    MixInto(horn, Oscillate(Wave::Saw, Curve({{0, 98.6f}, {0.25, 110.7f}, {kLength, 112.7f}}, kExp), kLength), 0.7f);
    Filter(horn, FilterKind::LowPass, Curve({{0, 300}, {0.35, 1500}, {kLength, 700}}, kExp), 1.2f);
    Multiply(horn, Wobble(5.5, 0.04f, samples));
    Multiply(horn, Curve({{0, 0}, {0.25, 1}, {1.0, 0.8}, {kLength, 0}}).Render(samples));
    Signal mix;
    AddLayer(mix, horn, 0.8f);
    Signal drum = Oscillate(Wave::Sine, Curve({{0, 120}, {0.2, 50}}, kExp), 0.5);
    Multiply(drum, Percussive(0.002, 0.15, 0.5));
    Signal skin = WhiteNoise(random, 0.1);
    Filter(skin, FilterKind::LowPass, 900.0f);
    Multiply(skin, Percussive(0.001, 0.03, 0.1));
    MixInto(drum, skin, 0.4f);
    AddLayer(mix, drum, 0.7f);
    Signal room = mix;
    AddLayer(room, Reverb(mix, 0.7f, 0.5f, 0.6), 0.2f);
    return FinishOneShot(room, 0.45f, 0.1);
}

// The base falls: a deep boom, then three low notes sinking in a minor key and ringing out.
platform::PcmSound MakeFallen() {
    SeededRandom random(0xFA11);
    Signal mix;
    Signal boom = Oscillate(Wave::Sine, Curve({{0, 80}, {0.6, 35}}, kExp), 1.2);
    Multiply(boom, Percussive(0.003, 0.35, 1.2));
    Signal rumble = BrownNoise(random, 1.2);
    Filter(rumble, FilterKind::LowPass, Curve({{0, 600}, {1.2, 120}}, kExp));
    Multiply(rumble, Percussive(0.01, 0.4, 1.2));
    MixInto(boom, rumble, 0.6f);
    AddLayer(mix, boom, 0.8f);
    const std::array<float, 3> notes{293.66f, 261.63f, 220.0f};
    Signal dirge;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const double length = i + 1 < notes.size() ? 0.6 : 1.6;
        Signal note = Oscillate(Wave::Triangle, Curve(notes[i]), length);
        MixInto(note, Oscillate(Wave::Sine, Curve(notes[i] / 2), length), 0.5f);
        Multiply(note, Curve({{0, 0}, {0.03, 1}, {length * 0.6, 0.6}, {length, 0}}).Render(note.size()));
        AddLayer(dirge, note, 0.6f, 0.45 + 0.5 * static_cast<double>(i));
    }
    MixInto(mix, dirge);
    AddLayer(mix, Reverb(dirge, 0.7f, 0.6f, 0.8), 0.2f);
    return FinishOneShot(mix, 0.45f, 0.2);
}

}  // namespace tools::assetgen
