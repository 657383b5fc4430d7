#pragma once

#include "tools/synth/signal.h"

namespace tools::synth {

// The reverberation of a dry sound in a large open space (parallel damped combs into allpasses):
// the wet part only, `tail` seconds longer than the dry sound. `size` 0..1 sets how long it rings,
// `damping` 0..1 how fast its highs die.
Signal Reverb(const Signal& dry, float size, float damping, double tail);

}  // namespace tools::synth
