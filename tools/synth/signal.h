#pragma once

#include <cstddef>
#include <vector>

// Sounds as the synthesiser makes them: mono float samples at one fixed rate, about -1..1, and the
// whole-signal operations every effect is built from.
namespace tools::synth {

inline constexpr int kSampleRate = 44100;

using Signal = std::vector<float>;

std::size_t SamplesFor(double seconds);
double TimeOf(std::size_t sample);

// Adds source times gain into target from the given time on, lengthening target when needed.
void MixInto(Signal& target, const Signal& source, float gain = 1.0f, double at = 0.0);
// Multiplies sample by sample; target is cut to the shorter of the two.
void Multiply(Signal& target, const Signal& by);
void Scale(Signal& signal, float gain);

float Peak(const Signal& signal);
// Scales the signal so that its largest magnitude is exactly `peak`; silence stays silent.
void NormalisePeak(Signal& signal, float peak);
// Soft clipping through tanh: adds the harmonics that let a low sound speak on small speakers,
// with the signal's own peak level kept.
void Saturate(Signal& signal, float drive);
// A 20 Hz one-pole high-pass: no sound carries a constant offset into the mix.
void RemoveDc(Signal& signal);
// Linear fades at both ends, so that a sound starts and stops at zero without a click.
void FadeEdges(Signal& signal, double fadeIn, double fadeOut);

}  // namespace tools::synth
