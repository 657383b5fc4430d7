#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Noise for pictures that tile: every function here is periodic over the unit square, so a
// texture sampled at u, v in [0, 1) joins its neighbours without a seam.
namespace tools {

// Gradient (Perlin-style) noise on a lattice that wraps around.
class TileableNoise {
public:
    explicit TileableNoise(std::uint64_t seed);

    // Noise at u, v (tile units) on a lattice of `period` cells per side (1..256); about -1..1.
    float At(float u, float v, int period) const;

    // Octaves of At, each with twice the cells and `gain` times the weight of the one before,
    // normalised back to about -1..1.
    float Fbm(float u, float v, int basePeriod, int octaves, float gain = 0.5f) const;

private:
    float Gradient(int ix, int iy, int period, float dx, float dy) const;

    std::array<std::uint8_t, 256> m_permutation{};
    std::array<std::array<float, 2>, 256> m_gradients{};
};

// Cellular (Worley) noise: one jittered feature point per cell of a wrapping grid.
class TileableCells {
public:
    struct Sample {
        float F1 = 0;       // distance to the nearest point, tile units
        float F2 = 0;       // distance to the second nearest
        std::int32_t Cell = 0;  // index of the nearest point's cell, 0..cells²-1
        float OffsetX = 0;  // from the nearest point to the sample, tile units
        float OffsetY = 0;
    };

    // `cells` per side (at least 1); `jitter` 0 puts each point at its cell's centre, 1 anywhere in it.
    TileableCells(std::uint64_t seed, int cells, float jitter);

    Sample At(float u, float v) const;
    int CellsPerSide() const { return m_cells; }

private:
    int m_cells;
    std::vector<std::array<float, 2>> m_points;  // inside the cell, 0..1 cell units
};

}  // namespace tools
