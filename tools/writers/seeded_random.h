#pragma once

#include <cstdint>

namespace tools {

// A small generator of its own (splitmix64) for the data generator: every asset draws from one
// seeded here, so the output never depends on the process-wide generator or on the library's
// distributions, and is the same on every run and every machine.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next();
    // Uniform in [0, 1).
    float NextFloat();
    // Uniform in [low, high).
    float Range(float low, float high);
    // Uniform integer in 0..n-1; 0 when n <= 0.
    std::int32_t Below(std::int32_t n);

private:
    std::uint64_t m_state;
};

// A value in 0..1 fixed by two integers and a salt: per-cell and per-brick variation that stays
// the same wherever and however often a cell is sampled.
float HashToUnit(std::int32_t a, std::int32_t b, std::uint32_t salt);

}  // namespace tools
