#include "platform/random.h"

#include <chrono>

namespace platform {
namespace {

std::uint32_t g_seed = 0;

std::uint32_t NextState() {
    g_seed = g_seed * 134775813u + 1u;
    return g_seed;
}

}  // namespace

void Randomize() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    g_seed = static_cast<std::uint32_t>(ticks) ^ static_cast<std::uint32_t>(ticks >> 32);
}

std::int32_t Random(std::int32_t n) {
    if (n <= 0) {
        return 0;
    }
    const std::uint64_t product = static_cast<std::uint64_t>(NextState()) * static_cast<std::uint32_t>(n);
    return static_cast<std::int32_t>(product >> 32);
}

double RandomFloat() {
    return NextState() * (1.0 / 4294967296.0);
}

std::uint32_t GetRandomSeed() {
    return g_seed;
}

void SetRandomSeed(std::uint32_t seed) {
    g_seed = seed;
}

}  // namespace platform
