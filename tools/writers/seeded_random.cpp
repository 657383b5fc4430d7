#include "tools/writers/seeded_random.h"

namespace tools {

std::uint64_t SeededRandom::Next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float SeededRandom::NextFloat() {
    // 24 bits fill a float's mantissa exactly, so the result never rounds up to 1.
    return static_cast<float>(Next() >> 40) / static_cast<float>(1u << 24);
}

float SeededRandom::Range(float low, float high) { return low + (high - low) * NextFloat(); }

std::int32_t SeededRandom::Below(std::int32_t n) {
    return n <= 0 ? 0 : static_cast<std::int32_t>(Next() % static_cast<std::uint64_t>(n));
}

float HashToUnit(std::int32_t a, std::int32_t b, std::uint32_t salt) {
    std::uint32_t h = static_cast<std::uint32_t>(a) * 0x9E3779B1u ^ static_cast<std::uint32_t>(b) * 0x85EBCA77u ^ salt;
    h ^= h >> 15;
    h *= 0xC2B2AE3Du;
    h ^= h >> 13;
    return static_cast<float>(h & 0xFFFFu) / 65535.0f;
}

}  // namespace tools
