#include "engine/effects/perlin_noise.h"

#include "platform/random.h"

#include <cmath>
#include <utility>

namespace engine {

namespace {

constexpr double kTwoPi = 6.283185307179586;

double Lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

double SmoothStep(double f) {
    return f * f * (3.0 - 2.0 * f);
}

}  // namespace

TPerlin3DNoise::TPerlin3DNoise(std::uint32_t seed) {
    const std::uint32_t saved = platform::GetRandomSeed();
    platform::SetRandomSeed(seed);
    for (TGradient& g : m_gradients) {
        const double z = 1.0 - 2.0 * platform::RandomFloat();
        const double angle = kTwoPi * platform::RandomFloat();
        const double r = std::sqrt(1.0 - z * z);
        g = TGradient{static_cast<float>(r * std::sin(angle)), static_cast<float>(r * std::cos(angle)),
                      static_cast<float>(z)};
    }
    for (int i = 0; i < 256; ++i) {
        m_permutations[static_cast<std::size_t>(i)] = i;
    }
    for (int i = 0; i < 256; ++i) {
        std::swap(m_permutations[static_cast<std::size_t>(i)],
                  m_permutations[static_cast<std::size_t>(platform::Random(256))]);
    }
    platform::SetRandomSeed(saved);
}

double TPerlin3DNoise::Lattice(int i, int j, double u, double w) const {
    const int inner = m_permutations[static_cast<std::size_t>((j + m_permutations[0]) & 255)];
    const TGradient& g =
        m_gradients[static_cast<std::size_t>(m_permutations[static_cast<std::size_t>((i + inner) & 255)])];
    return g.x * u + g.y * w;
}

double TPerlin3DNoise::Noise(double x, double y) const {
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return 0.0;
    }
    // The lattice repeats every 256 cells, so the cell index is taken modulo 256: any coordinate
    // then fits an int.
    const double cellX = std::trunc(x);
    const double cellY = std::trunc(y);
    const int ix = static_cast<int>(std::fmod(cellX, 256.0));
    const int iy = static_cast<int>(std::fmod(cellY, 256.0));
    const double fx = x - cellX;
    const double fy = y - cellY;
    const double sx = SmoothStep(fx);
    const double sy = SmoothStep(fy);
    const double p = Lerp(Lattice(ix, iy, fx, fy), Lattice(ix + 1, iy, fx - 1, fy), sx);
    const double q = Lerp(Lattice(ix, iy + 1, fx, fy - 1), Lattice(ix + 1, iy + 1, fx - 1, fy - 1), sx);
    return Lerp(p, q, sy);
}

}  // namespace engine
