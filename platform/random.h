#pragma once

#include <cstdint>

// The process-wide pseudo-random generator. A linear congruential generator with 32 bits of state,
// so that a caller can save the state, seed it with its own value and restore it afterwards
// (the Perlin texture generator does this to stay reproducible without disturbing the game).
// Main thread only.
namespace platform {

// Seeds the generator from the clock.
void Randomize();

// A uniform integer in 0..n-1; 0 when n <= 0.
std::int32_t Random(std::int32_t n);

// A uniform float in [0, 1).
double RandomFloat();

std::uint32_t GetRandomSeed();
void SetRandomSeed(std::uint32_t seed);

}  // namespace platform
