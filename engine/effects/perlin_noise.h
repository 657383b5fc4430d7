#pragma once

#include <array>
#include <cstdint>

namespace engine {

// Gradient noise on an integer lattice, seeded: the same seed always gives the same noise. Made
// from the shared generator, whose state is put back afterwards so that the game's random
// sequence is not disturbed.
class TPerlin3DNoise {
public:
    explicit TPerlin3DNoise(std::uint32_t seed);

    // The noise at (x, y, 0) for x, y >= 0; roughly within -1..1.
    double Noise(double x, double y) const;

private:
    struct TGradient {
        float x, y, z;
    };
    double Lattice(int i, int j, double u, double w) const;

    std::array<TGradient, 256> m_gradients{};
    std::array<int, 256> m_permutations{};
};

}  // namespace engine
