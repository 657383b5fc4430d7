#include "tools/writers/noise.h"

#include "tools/writers/seeded_random.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace tools {
namespace {

float Fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

int Wrap(int value, int period) {
    const int r = value % period;
    return r < 0 ? r + period : r;
}

// The fractional tile position of u, so sampling outside 0..1 wraps like a repeated texture.
float Fraction(float value) { return value - std::floor(value); }

}  // namespace

TileableNoise::TileableNoise(std::uint64_t seed) {
    SeededRandom random(seed);
    for (int i = 0; i < 256; ++i) {
        m_permutation[i] = static_cast<std::uint8_t>(i);
    }
    for (int i = 255; i > 0; --i) {
        std::swap(m_permutation[i], m_permutation[random.Below(i + 1)]);
    }
    for (auto& gradient : m_gradients) {
        const float angle = random.NextFloat() * 2.0f * std::numbers::pi_v<float>;
        gradient = {std::cos(angle), std::sin(angle)};
    }
}

float TileableNoise::Gradient(int ix, int iy, int period, float dx, float dy) const {
    const int x = Wrap(ix, period);
    const int y = Wrap(iy, period);
    const auto& g = m_gradients[m_permutation[(m_permutation[x & 255] + y) & 255]];
    return g[0] * dx + g[1] * dy;
}

float TileableNoise::At(float u, float v, int period) const {
    if (period < 1 || period > 256) {
        throw std::invalid_argument("Noise period must lie in 1..256");
    }
    const float x = Fraction(u) * static_cast<float>(period);
    const float y = Fraction(v) * static_cast<float>(period);
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    const float fx = x - static_cast<float>(ix);
    const float fy = y - static_cast<float>(iy);
    const float n00 = Gradient(ix, iy, period, fx, fy);
    const float n10 = Gradient(ix + 1, iy, period, fx - 1, fy);
    const float n01 = Gradient(ix, iy + 1, period, fx, fy - 1);
    const float n11 = Gradient(ix + 1, iy + 1, period, fx - 1, fy - 1);
    const float sx = Fade(fx);
    const float sy = Fade(fy);
    const float top = n00 + (n10 - n00) * sx;
    const float bottom = n01 + (n11 - n01) * sx;
    // Two-dimensional gradient noise peaks near +-0.7; the factor brings it to about +-1.
    return (top + (bottom - top) * sy) * 1.4f;
}

float TileableNoise::Fbm(float u, float v, int basePeriod, int octaves, float gain) const {
    float sum = 0;
    float weight = 1;
    float total = 0;
    int period = basePeriod;
    for (int i = 0; i < octaves && period <= 256; ++i) {
        sum += At(u, v, period) * weight;
        total += weight;
        weight *= gain;
        period *= 2;
    }
    return total > 0 ? sum / total : 0.0f;
}

TileableCells::TileableCells(std::uint64_t seed, int cells, float jitter) : m_cells(cells) {
    if (cells < 1) {
        throw std::invalid_argument("Cellular noise needs at least one cell");
    }
    SeededRandom random(seed);
    m_points.resize(static_cast<std::size_t>(cells) * cells);
    for (auto& point : m_points) {
        point = {0.5f + (random.NextFloat() - 0.5f) * jitter, 0.5f + (random.NextFloat() - 0.5f) * jitter};
    }
}

TileableCells::Sample TileableCells::At(float u, float v) const {
    const float x = Fraction(u) * static_cast<float>(m_cells);
    const float y = Fraction(v) * static_cast<float>(m_cells);
    const int cx = static_cast<int>(std::floor(x));
    const int cy = static_cast<int>(std::floor(y));
    Sample best;
    best.F1 = best.F2 = std::numeric_limits<float>::max();
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int index = Wrap(cy + dy, m_cells) * m_cells + Wrap(cx + dx, m_cells);
            const auto& point = m_points[static_cast<std::size_t>(index)];
            const float ox = x - (static_cast<float>(cx + dx) + point[0]);
            const float oy = y - (static_cast<float>(cy + dy) + point[1]);
            const float distance = std::sqrt(ox * ox + oy * oy) / static_cast<float>(m_cells);
            if (distance < best.F1) {
                best.F2 = best.F1;
                best.F1 = distance;
                best.Cell = index;
                best.OffsetX = ox / static_cast<float>(m_cells);
                best.OffsetY = oy / static_cast<float>(m_cells);
            } else if (distance < best.F2) {
                best.F2 = distance;
            }
        }
    }
    return best;
}

}  // namespace tools
