#pragma once

#include "tools/synth/curve.h"
#include "tools/synth/signal.h"

namespace tools::synth {

enum class Wave { Sine, Triangle, Saw, Square };

// A tone whose frequency (Hz) is given sample by sample, so that it can slide and wobble. Saw and
// square are band-limited (their edges smoothed by PolyBLEP), so a high slide does not fold back
// into harsh whistles. `phase` is where the cycle starts, 0..1.
Signal Oscillate(Wave wave, const Signal& frequency, double phase = 0);
Signal Oscillate(Wave wave, const Curve& frequency, double seconds, double phase = 0);

// 1 + depth * sin(2 pi rate t): vibrato for a frequency, tremolo for an amplitude.
Signal Wobble(double rate, float depth, std::size_t samples, double phase = 0);

}  // namespace tools::synth
