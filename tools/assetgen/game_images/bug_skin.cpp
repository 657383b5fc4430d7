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
// Body segments across the picture; whole numbers keep the picture tileable.
constexpr float kSegments = 8.0f;

}  // namespace

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
        const float band = 0.5f + 0.5f * std::cos(t * kSegments * 2.0f * std::numbers::pi_v<float>);
        const float value =
            0.25f + 0.35f * dome + 0.15f * band + 0.18f * mottle.Fbm(s, t, 8, 4) + 0.1f * HashToUnit(plate.Cell, 3, 0xb0);
        Colour colour = chitin.At(value) * (0.35f + 0.65f * seam);
        // Sparse warning spots on some plates: a hard-edged yellow that survives 16-bit colour.
        if (HashToUnit(plate.Cell, 11, 0xb1) > 0.8f && plate.F1 < 0.018f) {
            colour = Rgb(226, 176, 40) * (0.8f + 0.2f * dome);
        }
        return colour;
    });
    return canvas;
}

}  // namespace tools::assetgen
