#include "tools/assetgen/game_images/pictures.h"
#include "tools/assetgen/game_images/shaping.h"
#include "tools/writers/noise.h"
#include "tools/writers/seeded_random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tools::assetgen {
namespace {

constexpr std::int32_t kSkinSide = 256;
// Body segments from tail to head.
constexpr float kSegments = 9.0f;

}  // namespace

// The model maps the skin from above: u runs from tail to head and v across the body, its
// middle line at v = 0.5. Plates and mottling cover every part alike; bands across the body, a
// paler back line and darker flanks give the top view its shape.
Canvas MakeBugSkin() {
    const TileableNoise mottle(0xb06);
    const TileableCells plates(0xb07, 12, 0.8f);
    const ColourRamp chitin{{0.0f, Rgb(36, 22, 14)}, {0.45f, Rgb(92, 48, 22)}, {0.8f, Rgb(150, 86, 34)},
                            {1.0f, Rgb(196, 140, 60)}};
    Canvas canvas(kSkinSide, kSkinSide);
    canvas.Paint([&](float s, float t) {
        const TileableCells::Sample plate = plates.At(s, t);
        // Each plate is domed: bright in its middle, dark in the seams between plates.
        const float seam = SmoothStep(0.0f, 0.035f, plate.F2 - plate.F1);
        const float dome = 1.0f - std::clamp(plate.F1 * 10.0f, 0.0f, 1.0f);
        const float band = 0.5f + 0.5f * std::cos(s * kSegments * 2.0f * std::numbers::pi_v<float>);
        const float fromMiddle = std::abs(t - 0.5f);
        const float back = SmoothStep(0.07f, 0.0f, fromMiddle);
        const float flank = SmoothStep(0.1f, 0.3f, fromMiddle);
        const float value = 0.3f + 0.3f * dome + 0.18f * band + 0.15f * mottle.Fbm(s, t, 8, 4) +
                            0.08f * HashToUnit(plate.Cell, 3, 0xb0) + 0.25f * back - 0.25f * flank;
        Colour colour = chitin.At(value) * (0.4f + 0.6f * seam);
        // Warning spots in two rows along the back: hard-edged yellow that survives 16-bit colour.
        const float spotRow = std::abs(fromMiddle - 0.13f);
        const float spot = std::hypot(std::fmod(s * kSegments, 1.0f) - 0.5f, spotRow * kSegments);
        if (spot < 0.22f && s * kSegments < 5.0f) {
            colour = Rgb(226, 176, 40) * (0.8f + 0.2f * dome);
        }
        return colour;
    });
    return canvas;
}

}  // namespace tools::assetgen
