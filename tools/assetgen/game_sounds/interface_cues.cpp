#include "tools/assetgen/game_sounds/effect_recipes.h"

#include "tools/synth/curve.h"
#include "tools/synth/filter.h"
#include "tools/synth/noise_source.h"
#include "tools/synth/oscillator.h"
#include "tools/synth/reverb.h"

#include <array>

namespace tools::assetgen {

using namespace synth;

namespace {

// A small bell: the fundamental with two inharmonic partials, struck and ringing out.
Signal Bell(float frequency, double decay, double seconds) {
    Signal bell = Oscillate(Wave::Sine, Curve(frequency), seconds);
    MixInto(bell, Oscillate(Wave::Sine, Curve(2.76f * frequency), seconds), 0.3f);
    MixInto(bell, Oscillate(Wave::Sine, Curve(5.4f * frequency), seconds), 0.1f);
    Multiply(bell, Percussive(0.002, decay, seconds));
    return bell;
}

// A soft note of a triangle and its octave, rising quickly and fading: the pause and resume cues.
Signal SoftNote(float frequency, double seconds) {
    Signal note = Oscillate(Wave::Triangle, Curve(frequency), seconds);
    MixInto(note, Oscillate(Wave::Sine, Curve(2 * frequency), seconds), 0.2f);
    Multiply(note, Curve({{0, 0}, {0.012, 1}, {seconds, 0}}).Render(note.size()));
    return note;
}

// Two notes a short step apart, with a little room around them.
platform::PcmSound TwoNotes(float first, float second) {
    Signal notes;
    AddLayer(notes, SoftNote(first, 0.16), 0.8f);
    AddLayer(notes, SoftNote(second, 0.2), 0.8f, 0.11);
    Signal mix = notes;
    AddLayer(mix, Reverb(notes, 0.4f, 0.6f, 0.1), 0.12f);
    return FinishOneShot(mix, 0.35f, 0.03);
}

}  // namespace

platform::PcmSound MakePurchase() {
    Signal chime;
    AddLayer(chime, Bell(1318.5f, 0.09, 0.3), 0.7f);
    AddLayer(chime, Bell(1975.5f, 0.11, 0.35), 0.7f, 0.07);
    Signal mix = chime;
    AddLayer(mix, Reverb(chime, 0.5f, 0.5f, 0.1), 0.15f);
    return FinishOneShot(mix, 0.4f, 0.05);
}

// A low, dull double buzz falling a fourth: "no".
platform::PcmSound MakeRefused() {
    Signal buzz;
    const std::array<float, 2> pitches{196.0f, 147.0f};
    for (std::size_t i = 0; i < pitches.size(); ++i) {
        Signal tone = Oscillate(Wave::Square, Curve(pitches[i]), 0.09);
        Filter(tone, FilterKind::LowPass, 1400.0f);
        Multiply(tone, Curve({{0, 0}, {0.005, 1}, {0.08, 0.8}, {0.09, 0}}).Render(tone.size()));
        AddLayer(buzz, tone, 0.8f, static_cast<double>(i) * 0.12);
    }
    return FinishOneShot(buzz, 0.4f, 0.01);
}

// The tower set down: a solid thunk, a clank of metal and a second, smaller click as it settles.
platform::PcmSound MakePlace() {
    SeededRandom random(0x91ACE);
    Signal mix;
    Signal thunk = Oscillate(Wave::Sine, Curve({{0, 170}, {0.1, 65}}, kExp), 0.3);
    Multiply(thunk, Percussive(0.001, 0.05, 0.3));
    AddLayer(mix, thunk, 0.9f);
    for (const double at : {0.0, 0.06}) {
        Signal click = WhiteNoise(random, 0.03);
        Filter(click, FilterKind::LowPass, 2500.0f);
        Multiply(click, Percussive(0.0005, 0.006, 0.03));
        AddLayer(mix, click, at == 0.0 ? 0.5f : 0.25f, at);
    }
    Signal clank = Oscillate(Wave::Sine, Curve(820.0f), 0.25);
    MixInto(clank, Oscillate(Wave::Sine, Curve(1310.0f), 0.25), 0.7f);
    MixInto(clank, Oscillate(Wave::Sine, Curve(2090.0f), 0.25), 0.4f);
    Multiply(clank, Percussive(0.001, 0.06, 0.25));
    AddLayer(mix, clank, 0.25f);
    return FinishOneShot(mix, 0.45f, 0.03);
}

// A ratchet turning three times, then a rising triad: the base made whole.
platform::PcmSound MakeRepair() {
    SeededRandom random(0x2E9A12);
    Signal mix;
    for (int click = 0; click < 3; ++click) {
        Signal ratchet = WhiteNoise(random, 0.02);
        Filter(ratchet, FilterKind::BandPass, 3200.0f, 2.0f);
        Multiply(ratchet, Percussive(0.0003, 0.004, 0.02));
        AddLayer(mix, ratchet, 0.6f, click * 0.08);
    }
    Signal triad;
    const std::array<float, 3> notes{523.25f, 659.25f, 783.99f};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        Signal note = Oscillate(Wave::Triangle, Curve(notes[i]), 0.4);
        MixInto(note, Oscillate(Wave::Sine, Curve(notes[i]), 0.4), 0.6f);
        Multiply(note, Percussive(0.005, 0.12, 0.4));
        AddLayer(triad, note, 0.6f, 0.28 + 0.1 * static_cast<double>(i));
    }
    MixInto(mix, triad);
    AddLayer(mix, Reverb(triad, 0.5f, 0.5f, 0.15), 0.12f);
    return FinishOneShot(mix, 0.4f, 0.05);
}

platform::PcmSound MakePause() { return TwoNotes(783.99f, 523.25f); }

platform::PcmSound MakeResume() { return TwoNotes(523.25f, 783.99f); }

}  // namespace tools::assetgen
