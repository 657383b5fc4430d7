#include "engine/effects/sky_dome_geometry.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {
constexpr double kPi = 3.141592653589793;
}

std::vector<float> AzimuthSamples(int slices) {
    const int m = std::max(slices / 2, 1);
    std::vector<float> samples(static_cast<std::size_t>(2 * m + 1), 0.0f);
    for (int k = 1; k < m; ++k) {
        const float phi = static_cast<float>((1.0 - std::sqrt(std::cos(kPi / 2.0 * k / m))) * kPi);
        samples[static_cast<std::size_t>(m + k)] = phi;
        samples[static_cast<std::size_t>(m - k)] = -phi;
    }
    samples.front() = static_cast<float>(kPi);
    samples.back() = static_cast<float>(kPi);
    return samples;
}

std::vector<float> RingFractions(float sunElevation, int stacks) {
    stacks = std::max(stacks, 1);
    std::vector<float> rings(static_cast<std::size_t>(stacks));
    const double d = sunElevation / 90.0;
    const int c = stacks / 2;
    for (int i = 0; i < stacks; ++i) {
        double e = 0.0;
        if (d <= 0.0) {
            e = static_cast<double>(i + 1) / stacks;
        } else if (i < c) {
            const double t = static_cast<double>(c - i) / c;
            e = d - d * t * t;
        } else {
            // Fewer than four stacks would divide by zero; an odd count overshoots 1 at the top.
            const double t = static_cast<double>(i - c) / std::max(c - 1, 1);
            e = d + t * t * (1.0 - d);
        }
        rings[static_cast<std::size_t>(i)] = static_cast<float>(std::min(e, 1.0));
    }
    rings.back() = 1.0f;
    return rings;
}

}  // namespace engine
