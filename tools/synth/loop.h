#pragma once

#include "tools/synth/signal.h"

#include <cstddef>

namespace tools::synth {

// A loop of `length` samples cut from a longer render (at least length + fade samples): its first
// `fade` samples are crossfaded with the render's continuation past the loop's end, so the last
// sample runs on into the first without a step. Noise wants the equal-power fade (uncorrelated
// halves keep their loudness); a tone repeating with the loop wants the linear one (equal halves
// add up to themselves).
enum class Crossfade { Linear, EqualPower };
Signal SeamlessLoop(const Signal& render, std::size_t length, std::size_t fade, Crossfade shape);

}  // namespace tools::synth
