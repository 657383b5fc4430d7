#pragma once

#include "tools/synth/curve.h"
#include "tools/synth/signal.h"
#include "tools/writers/seeded_random.h"

namespace tools::synth {

// Uniform white noise in -1..1.
Signal WhiteNoise(SeededRandom& random, double seconds);
// Brown (integrated, gently leaking) noise scaled to a peak of 1: the rumble of fire and wind.
Signal BrownNoise(SeededRandom& random, double seconds);
// Single-sample clicks of random sign and size, `density` of them a second on average (the curve
// lets them thin out): the crackle of burning fuel and falling debris.
Signal Crackle(SeededRandom& random, const Curve& density, double seconds);

}  // namespace tools::synth
