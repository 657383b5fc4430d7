#include "tools/assetgen/game_images/pictures.h"
#include "tools/writers/noise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// The laser's beam, drawn additively along a ribbon: u runs along the beam and repeats, v runs
// across it. Everything depends on v only through the distance from the middle, so both edges
// fall off alike.
namespace tools::assetgen {
namespace {

constexpr std::int32_t kLength = 256;
constexpr std::int32_t kWidth = 64;
// The outermost JPEG block of 8 rows on either side stays empty, so it decodes exactly black and
// the ribbon's edges add nothing.
constexpr float kReach = kWidth / 2.0f - 8.0f;
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

const ColourRamp& BeamRamp() {
    static const ColourRamp ramp{{0.0f, Rgb(0, 0, 0)},       {0.2f, Rgb(0, 44, 96)},     {0.45f, Rgb(10, 150, 240)},
                                 {0.75f, Rgb(120, 230, 255)}, {1.0f, Rgb(255, 255, 255)}};
    return ramp;
}

}  // namespace

Canvas MakeBeamTexture() {
    const TileableNoise noise(0xbea3);
    Canvas canvas(kLength, kWidth);
    canvas.Paint([&](float s, float t) {
        const float q = std::abs(t - 0.5f) * kWidth / kReach;  // 0 in the middle, 1 where the glow ends
        if (q >= 1.0f) {
            return Colour{};
        }
        // Whole periods along u only, so the picture joins its next copy without a seam.
        const float pulse = 0.5f + 0.5f * std::sin(kTwoPi * 3.0f * s);
        const float shimmer = noise.Fbm(s, q * 0.5f, 8, 3);
        const float coreWidth = 0.12f * (1.0f + 0.15f * pulse);
        const float core = std::exp(-std::pow(q / coreWidth, 2.0f));
        const float glow = std::pow(1.0f - q, 1.6f) * (0.64f + 0.1f * pulse + 0.12f * shimmer);
        return BeamRamp().At(std::min(1.0f, core + glow));
    });
    return canvas;
}

}  // namespace tools::assetgen
