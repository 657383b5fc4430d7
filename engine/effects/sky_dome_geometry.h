#pragma once

#include <vector>

namespace engine {

// Azimuths (radians) of the earth dome's vertices around the sky for a number of slices: 2m + 1
// samples with m = slices div 2, 0 (the sun's azimuth) in the middle and π at both ends, dense
// near the sun and sparse opposite it.
std::vector<float> AzimuthSamples(int slices);

// The upper edges of the earth dome's stacks as fractions 0..1 of the way from 1 degree to 90:
// crowded around the sun's height when it is up, even when it is down; the last is always 1.
std::vector<float> RingFractions(float sunElevation, int stacks);

}  // namespace engine
