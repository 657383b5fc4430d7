#pragma once

#include "tools/synth/curve.h"
#include "tools/synth/signal.h"

namespace tools::synth {

enum class FilterKind { LowPass, HighPass, BandPass };

// A resonant two-pole filter (the audio cookbook's biquad) whose cutoff (Hz) may move sample by
// sample; q sets the resonance (0.707 is flat, higher rings). Filters in place.
void Filter(Signal& signal, FilterKind kind, const Signal& cutoff, float q);
void Filter(Signal& signal, FilterKind kind, const Curve& cutoff, float q = 0.707f);

// A copy of the signal, filtered: the same source feeding two voices of a sound.
Signal Filtered(Signal signal, FilterKind kind, const Curve& cutoff, float q = 0.707f);

}  // namespace tools::synth
