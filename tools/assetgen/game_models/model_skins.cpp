#include "tools/assetgen/game_models/model_parts.h"

#include "tools/writers/canvas.h"
#include "tools/writers/noise.h"
#include "tools/writers/seeded_random.h"

#include <algorithm>
#include <cmath>

// The skins of the base and the towers. The game uploads them at 4 bits a channel, so surfaces
// differ by clear tones and edges rather than fine gradients.
namespace tools::assetgen {
namespace {

// Riveted plates with dark seams between them.
void PaintPlates(Canvas& skin, Region region, std::uint64_t seed, int plates, Colour dark, Colour light) {
    const TileableNoise noise(seed);
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [&](float s, float t) {
        const float ps = s * static_cast<float>(plates);
        const float pt = t * static_cast<float>(plates);
        const float fx = ps - std::floor(ps);
        const float fy = pt - std::floor(pt);
        if (fx < 0.05f || fy < 0.05f) {
            return dark * 0.55f;
        }
        const bool rivet = (fx < 0.16f || fx > 0.88f) && (fy < 0.16f || fy > 0.88f);
        const float tone = HashToUnit(static_cast<std::int32_t>(ps), static_cast<std::int32_t>(pt),
                                      static_cast<std::uint32_t>(seed));
        const Colour plate = Mix(dark, light, 0.35f + 0.4f * tone + 0.15f * noise.Fbm(s, t, 8, 3));
        return rivet ? plate * 1.3f : plate * (fy > 0.9f ? 0.85f : 1.0f);
    });
}

// Soot and burn marks over what the region already shows.
void Scorch(Canvas& skin, Region region, std::uint64_t seed) {
    const TileableNoise noise(seed);
    const float w = static_cast<float>(region.X1 - region.X0);
    const float h = static_cast<float>(region.Y1 - region.Y0);
    for (std::int32_t y = region.Y0; y < region.Y1; ++y) {
        for (std::int32_t x = region.X0; x < region.X1; ++x) {
            const float s = (static_cast<float>(x - region.X0) + 0.5f) / w;
            const float t = (static_cast<float>(y - region.Y0) + 0.5f) / h;
            const float soot = std::clamp(noise.Fbm(s, t, 3, 4) * 2.0f + 0.6f, 0.0f, 0.92f);
            Colour& pixel = skin.At(x, y);
            pixel = Mix(pixel, Rgb(20, 16, 14), soot);
            if (soot > 0.9f && noise.At(s, t, 32) > 0.45f) {
                pixel = Rgb(150, 60, 20);  // embers in the deepest burns
            }
        }
    }
}

void PaintHazard(Canvas& skin, Region region) {
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [](float s, float t) {
        const float band = (s + t) * 4.0f;
        return band - std::floor(band) < 0.5f ? Rgb(222, 176, 28) : Rgb(34, 32, 30);
    });
}

void PaintBeacon(Canvas& skin, Region region) {
    skin.FillRect(region.X0, region.Y0, region.X1, region.Y1, Rgb(150, 20, 10));
    const float cx = static_cast<float>(region.X0 + region.X1) / 2;
    const float cy = static_cast<float>(region.Y0 + region.Y1) / 2;
    const float r = static_cast<float>(region.X1 - region.X0) / 2;
    skin.FillDisc(cx, cy, r * 0.8f, Rgb(230, 60, 30));
    skin.FillDisc(cx, cy, r * 0.45f, Rgb(255, 210, 150));
}

}  // namespace

UvRect SkinUv(std::int32_t size, Region region) { return RegionUv(Canvas(size, size), region); }

SkinFile MakeBaseSkin() {
    using namespace base_skin;
    Canvas skin(kSize, kSize);
    const Colour mortar = Rgb(96, 92, 84);
    PaintBricks(skin, kWall, 8101, 8, 4, mortar, Rgb(120, 116, 104), Rgb(176, 170, 150));
    PaintBricks(skin, kWallScorched, 8101, 8, 4, mortar, Rgb(120, 116, 104), Rgb(176, 170, 150));
    Scorch(skin, kWallScorched, 8102);
    PaintPlates(skin, kMetal, 8103, 4, Rgb(58, 74, 62), Rgb(110, 132, 108));
    PaintPlates(skin, kMetalScorched, 8103, 4, Rgb(58, 74, 62), Rgb(110, 132, 108));
    Scorch(skin, kMetalScorched, 8104);
    skin.FillRect(kDark.X0, kDark.Y0, kDark.X1, kDark.Y1, Rgb(26, 24, 22));
    PaintHazard(skin, {kDark.X0 + 8, kDark.Y0 + 50, kDark.X1 - 8, kDark.Y1 - 2});
    PaintRock(skin, kRubble, 8105);
    PaintBeacon(skin, kBeacon);
    return {"base.jpg", skin.ToImage()};
}

SkinFile MakeTowerSkin() {
    using namespace tower_skin;
    Canvas skin(kSize, kSize);
    PaintPlates(skin, kArmour, 8201, 2, Rgb(70, 78, 52), Rgb(128, 138, 92));
    PaintPlates(skin, kSteel, 8202, 2, Rgb(60, 62, 66), Rgb(120, 124, 130));
    PaintHazard(skin, kHazard);
    const TileableNoise noise(8203);
    skin.PaintRegion(kGunMetal.X0, kGunMetal.Y0, kGunMetal.X1, kGunMetal.Y1, [&](float s, float t) {
        // Brushed along the barrels, with a bright band where the light catches them.
        const float sheen = std::exp(-std::pow((s - 0.35f) * 6.0f, 2.0f));
        return Mix(Rgb(38, 40, 44), Rgb(150, 156, 166), 0.25f + 0.55f * sheen + 0.1f * noise.At(s * 0.1f, t, 32));
    });
    return {"tower.jpg", skin.ToImage()};
}

SkinFile MakeFlashSkin() {
    constexpr std::int32_t kSize = 64;
    Canvas skin(kSize, kSize);
    const ColourRamp fire{{0.0f, Rgb(255, 255, 230)}, {0.35f, Rgb(255, 226, 90)}, {0.7f, Rgb(255, 140, 20)},
                          {1.0f, Rgb(220, 70, 0)}};
    skin.Paint([&](float s, float t) { return fire.At(std::hypot(s - 0.5f, t - 0.5f) * 2.0f); });
    return {"flash.jpg", skin.ToImage()};
}

}  // namespace tools::assetgen
