#include "tools/assetgen/game_models/model_parts.h"

#include "tools/writers/canvas.h"
#include "tools/writers/noise.h"
#include "tools/writers/seeded_random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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

// The laser's glow: a bright core fading into cyan over `width` around a line `distance` away.
Colour Glow(Colour under, float distance, float width) {
    const float core = std::exp(-std::pow(distance / (0.35f * width), 2.0f));
    const float halo = std::exp(-std::pow(distance / width, 2.0f));
    return Mix(Mix(under, Rgb(40, 190, 255), halo * 0.8f), Rgb(215, 255, 255), core);
}

// Six-sided crystals, a facet a sixth of the way around: each facet its own tone, brighter towards
// the point, with a bright edge where two facets meet.
void PaintCrystal(Canvas& skin, Region region, std::uint64_t seed) {
    const TileableNoise noise(seed);
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [&](float s, float t) {
        const float facet = s * 6.0f;
        const float across = facet - std::floor(facet);
        const float tone = HashToUnit(static_cast<std::int32_t>(facet), 0, static_cast<std::uint32_t>(seed));
        const float inner = 0.12f * noise.Fbm(s + t * 0.5f, t, 2, 3);
        const Colour body = Mix(Rgb(10, 60, 100), Rgb(110, 230, 255), 0.3f + 0.45f * (1.0f - t) + 0.3f * tone + inner);
        const float edge = std::min(across, 1.0f - across);
        return Mix(body, Rgb(225, 255, 255), std::clamp(1.0f - edge * 10.0f, 0.0f, 0.8f));
    });
}

// Copper wire wound round the part, eight turns over the region's height, each lit along its top.
void PaintCoil(Canvas& skin, Region region) {
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [](float s, float t) {
        const float turn = t * 8.0f;
        const float across = turn - std::floor(turn);
        const float round = std::sin(std::numbers::pi_v<float> * across);
        const float shine = std::exp(-std::pow((across - 0.35f) * 6.0f, 2.0f));
        const float wire = 0.12f + 0.8f * round + 0.05f * std::sin(s * 2.0f * std::numbers::pi_v<float> * 3.0f);
        return Mix(Mix(Rgb(60, 24, 8), Rgb(214, 124, 58), wire), Rgb(255, 214, 160), 0.6f * shine);
    });
}

// A dark plate with glowing circuits: two rings and six spokes between them, round the region's centre.
void PaintCircuit(Canvas& skin, Region region, std::uint64_t seed) {
    const TileableNoise noise(seed);
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [&](float s, float t) {
        const float x = s * 2.0f - 1.0f;
        const float y = t * 2.0f - 1.0f;
        const float r = std::hypot(x, y);
        const float sector = std::numbers::pi_v<float> / 3.0f;
        const float bearing = std::atan2(y, x) - sector * 0.5f;
        const float spoke = bearing - sector * std::round(bearing / sector);
        const float nearSpoke = r > 0.6f && r < 0.9f ? std::abs(std::sin(spoke)) * r : 1.0f;
        const float line = std::min({std::abs(r - 0.6f), std::abs(r - 0.9f), nearSpoke});
        const Colour plate = Mix(Rgb(26, 30, 38), Rgb(52, 58, 70), 0.5f + 0.5f * noise.Fbm(s, t, 4, 3));
        return Glow(plate, line, 0.06f);
    });
}

// A lens seen face on: white-hot in the middle, cyan towards its dark rim.
void PaintLens(Canvas& skin, Region region) {
    const ColourRamp lens{{0.0f, Rgb(245, 255, 255)}, {0.35f, Rgb(120, 235, 255)}, {0.75f, Rgb(20, 120, 200)},
                          {0.9f, Rgb(20, 30, 44)}};
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1,
                     [&](float s, float t) { return lens.At(std::hypot(s - 0.5f, t - 0.5f) * 2.0f); });
}

// White ceramic in four ribs over the region's height.
void PaintInsulator(Canvas& skin, Region region) {
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [](float, float t) {
        const float rib = t * 4.0f;
        return Mix(Rgb(96, 90, 84), Rgb(236, 232, 220), std::sin(std::numbers::pi_v<float> * (rib - std::floor(rib))));
    });
}

// Dark ceramic panels with a glowing band round the middle.
void PaintCasing(Canvas& skin, Region region, std::uint64_t seed) {
    const TileableNoise noise(seed);
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [&](float s, float t) {
        const float panel = s * 4.0f;
        const bool seam = panel - std::floor(panel) < 0.06f;
        const Colour plate = Mix(Rgb(40, 46, 58), Rgb(78, 88, 104), 0.5f + 0.5f * noise.Fbm(s, t, 4, 3));
        return Glow(seam ? plate * 0.5f : plate, std::abs(t - 0.5f), 0.12f);
    });
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

SkinFile MakeLaserSkin() {
    using namespace laser_skin;
    Canvas skin(kSize, kSize);
    PaintCrystal(skin, kCrystal, 8301);
    PaintCoil(skin, kCoil);
    PaintCircuit(skin, kCircuit, 8302);
    PaintLens(skin, kLens);
    PaintInsulator(skin, kInsulator);
    PaintCasing(skin, kCasing, 8303);
    return {"laser.jpg", skin.ToImage()};
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
