#include "tools/assetgen/editor_data/skin_painting.h"

#include "tools/writers/noise.h"
#include "tools/writers/seeded_random.h"

#include <algorithm>
#include <cmath>

namespace tools::assetgen {
namespace {

float Width(Region r) { return static_cast<float>(r.X1 - r.X0); }
float Height(Region r) { return static_cast<float>(r.Y1 - r.Y0); }

}  // namespace

UvRect RegionUv(const Canvas& skin, Region region) {
    const auto w = static_cast<float>(skin.Width());
    const auto h = static_cast<float>(skin.Height());
    return {(static_cast<float>(region.X0) + 0.5f) / w, (static_cast<float>(region.Y0) + 0.5f) / h,
            (static_cast<float>(region.X1) - 0.5f) / w, (static_cast<float>(region.Y1) - 0.5f) / h};
}

void PaintBark(Canvas& skin, Region region, std::uint64_t seed) {
    const TileableNoise noise(seed);
    const ColourRamp ramp{{0.0f, Rgb(52, 36, 24)}, {0.5f, Rgb(92, 66, 44)}, {1.0f, Rgb(124, 96, 68)}};
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [&](float s, float t) {
        // Furrows run along the trunk: stretched noise across, fine noise along.
        const float furrow = noise.Fbm(s, t * 0.15f, 8, 3);
        return ramp.At(0.5f + furrow * 0.9f + noise.At(s, t, 32) * 0.1f);
    });
}

void PaintNeedles(Canvas& skin, Region region, std::uint64_t seed) {
    const TileableNoise noise(seed);
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [&](float s, float t) {
        return Mix(Rgb(20, 52, 30), Rgb(34, 80, 40), t * 0.7f + noise.Fbm(s, t, 4, 3) * 0.3f);
    });
    SeededRandom random(seed + 1);
    const int fronds = static_cast<int>(Width(region) * Height(region) / 14.0f);
    for (int i = 0; i < fronds; ++i) {
        const float s = random.NextFloat();
        const float t = random.NextFloat();
        const float x = static_cast<float>(region.X0) + s * Width(region);
        const float y = static_cast<float>(region.Y0) + t * Height(region);
        const float length = random.Range(4, 8);
        const Colour colour = Mix(Rgb(30, 70, 36), Rgb(70, 120, 60), t * 0.6f + random.Range(0, 0.4f));
        // Fronds hang down and out: towards the rim of the cone.
        const float slant = random.Range(-2.5f, 2.5f);
        const float endX = std::clamp(x + slant, static_cast<float>(region.X0), static_cast<float>(region.X1) - 1);
        const float endY = std::min(y + length, static_cast<float>(region.Y1) - 1);
        skin.DrawLine(x, y, endX, endY, 1.4f, colour, 0.85f);
    }
}

void PaintLeaves(Canvas& skin, Region region, std::uint64_t seed, Colour dark, Colour light, bool berries) {
    const TileableNoise noise(seed);
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [&](float s, float t) {
        // Lighter on top, where the sun falls on a crown.
        return Mix(dark, light, 0.55f - t * 0.45f + noise.Fbm(s, t, 4, 3) * 0.3f) * 0.8f;
    });
    SeededRandom random(seed + 1);
    const int leaves = static_cast<int>(Width(region) * Height(region) / 10.0f);
    for (int i = 0; i < leaves; ++i) {
        const float t = random.NextFloat();
        const float x = static_cast<float>(region.X0) + random.NextFloat() * Width(region);
        const float y = static_cast<float>(region.Y0) + t * Height(region);
        const float r = random.Range(1.5f, 3.2f);
        const Colour colour = Mix(dark, light, std::clamp(0.9f - t * 0.7f + random.Range(-0.25f, 0.25f), 0.0f, 1.0f));
        skin.FillDisc(x + 0.8f, y + 0.9f, r, dark * 0.6f, 0.5f);
        skin.FillDisc(x, y, r, colour);
    }
    if (berries) {
        for (int i = 0; i < leaves / 25; ++i) {
            const float x = static_cast<float>(region.X0) + random.NextFloat() * Width(region);
            const float y = static_cast<float>(region.Y0) + random.NextFloat() * Height(region);
            skin.FillDisc(x, y, 1.6f, Rgb(190, 30, 40));
            skin.FillDisc(x - 0.4f, y - 0.4f, 0.6f, Rgb(255, 180, 180));
        }
    }
}

void PaintRock(Canvas& skin, Region region, std::uint64_t seed) {
    const TileableNoise noise(seed);
    const TileableNoise lichen(seed + 1);
    const TileableCells cracks(seed + 2, 5, 0.9f);
    const ColourRamp ramp{{0.0f, Rgb(84, 82, 78)}, {0.5f, Rgb(128, 124, 116)}, {1.0f, Rgb(170, 164, 152)}};
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [&](float s, float t) {
        const auto cell = cracks.At(s, t);
        const float crack = std::clamp((cell.F2 - cell.F1) * 30.0f, 0.0f, 1.0f);
        Colour rock = ramp.At(0.5f + noise.Fbm(s, t, 4, 5) * 0.8f) * (0.7f + 0.3f * crack);
        const float spot = std::clamp(lichen.Fbm(s, t, 6, 3) * 4.0f - 0.8f, 0.0f, 1.0f);
        return Mix(rock, Rgb(150, 150, 80), spot * 0.6f);
    });
}

void PaintBricks(Canvas& skin, Region region, std::uint64_t seed, int rows, int columns, Colour mortar, Colour dark,
                 Colour light) {
    const TileableNoise noise(seed);
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [&](float s, float t) {
        const float row = t * static_cast<float>(rows);
        const auto rowIndex = static_cast<std::int32_t>(row);
        const float shifted = s * static_cast<float>(columns) + (rowIndex % 2 == 1 ? 0.5f : 0.0f);
        const auto columnIndex = static_cast<std::int32_t>(shifted) % columns;
        const float fx = shifted - std::floor(shifted);
        const float fy = row - std::floor(row);
        const float gapX = 0.06f;
        const float gapY = 0.08f * static_cast<float>(columns) / static_cast<float>(rows) + 0.04f;
        const float grit = noise.At(s, t, 64) * 0.08f;
        if (fx < gapX || fx > 1.0f - gapX || fy < gapY || fy > 1.0f - gapY) {
            return mortar * (0.9f + grit);
        }
        const float tone = HashToUnit(rowIndex, columnIndex, static_cast<std::uint32_t>(seed));
        // The lower edge of each stone a little darker, the upper a little lighter.
        const float bevel = fy < gapY + 0.08f ? 1.1f : (fy > 0.9f - gapY ? 0.85f : 1.0f);
        return Mix(dark, light, tone * 0.8f + noise.Fbm(s, t, 8, 3) * 0.3f + 0.1f) * bevel + Rgb(255, 255, 255) * grit;
    });
}

void PaintPlanks(Canvas& skin, Region region, std::uint64_t seed, int boards, bool vertical, Colour dark, Colour light) {
    const TileableNoise noise(seed);
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [&](float s, float t) {
        const float across = (vertical ? s : t) * static_cast<float>(boards);
        const float along = vertical ? t : s;
        const auto board = static_cast<std::int32_t>(across);
        const float f = across - std::floor(across);
        if (f < 0.07f) {
            return dark * 0.55f;
        }
        // Grain: stripes along the board, bent a little by noise.
        const float grain = std::sin((f * 5.0f + noise.At(vertical ? s : t, along, 4) * 1.5f) * 6.2832f);
        const float tone = HashToUnit(board, 7, static_cast<std::uint32_t>(seed)) * 0.4f + 0.3f;
        return Mix(dark, light, tone + grain * 0.12f + noise.At(s, t, 32) * 0.08f);
    });
}

void PaintRoofTiles(Canvas& skin, Region region, std::uint64_t seed, int courses, Colour dark, Colour light) {
    const TileableNoise noise(seed);
    const int tilesAlong = std::max(2, static_cast<int>(Height(region) / Width(region) * static_cast<float>(courses) * 1.6f));
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [&](float s, float t) {
        const float course = s * static_cast<float>(courses);
        const auto courseIndex = static_cast<std::int32_t>(course);
        const float f = course - std::floor(course);
        const float along = t * static_cast<float>(tilesAlong) + (courseIndex % 2 == 1 ? 0.5f : 0.0f);
        const auto tileIndex = static_cast<std::int32_t>(along);
        const float g = along - std::floor(along);
        // Each tile's rounded lower end overlaps the next course: darker in the overlap shadow.
        const float edge = std::abs(g - 0.5f) * 2.0f;
        const float shadow = f > 0.8f - 0.15f * edge * edge ? 0.6f : 1.0f;
        const float seam = g < 0.05f ? 0.75f : 1.0f;
        const float tone = HashToUnit(courseIndex, tileIndex, static_cast<std::uint32_t>(seed)) * 0.5f + 0.25f;
        return Mix(dark, light, tone + noise.Fbm(s, t, 8, 3) * 0.2f + (1.0f - f) * 0.2f) * (shadow * seam);
    });
}

void PaintPlaster(Canvas& skin, Region region, std::uint64_t seed, Colour base) {
    const TileableNoise noise(seed);
    skin.PaintRegion(region.X0, region.Y0, region.X1, region.Y1, [&](float s, float t) {
        const float stain = std::clamp(noise.Fbm(s, t, 4, 4) * 0.5f + t * 0.15f, -0.2f, 0.3f);
        return base * (1.0f - stain * 0.5f) + Rgb(255, 255, 255) * (noise.At(s, t, 64) * 0.03f);
    });
}

void PaintWindow(Canvas& skin, Region r) {
    skin.FillRect(r.X0, r.Y0, r.X1, r.Y1, Rgb(70, 48, 30));
    const std::int32_t frame = std::max(1, (r.X1 - r.X0) / 8);
    skin.PaintRegion(r.X0 + frame, r.Y0 + frame, r.X1 - frame, r.Y1 - frame, [](float s, float t) {
        const Colour glass = Mix(Rgb(40, 60, 90), Rgb(120, 160, 200), std::clamp(1.2f - t - s * 0.4f, 0.0f, 1.0f));
        return std::abs(s - t * 0.6f - 0.1f) < 0.08f ? Mix(glass, Rgb(255, 255, 255), 0.5f) : glass;
    });
    const std::int32_t midX = (r.X0 + r.X1) / 2;
    const std::int32_t midY = (r.Y0 + r.Y1) / 2;
    skin.FillRect(midX - frame / 2, r.Y0, midX - frame / 2 + frame, r.Y1, Rgb(70, 48, 30));
    skin.FillRect(r.X0, midY - frame / 2, r.X1, midY - frame / 2 + frame, Rgb(70, 48, 30));
    skin.FillRect(r.X0 - frame, r.Y1, r.X1 + frame, r.Y1 + frame, Rgb(150, 140, 124));
}

void PaintDoor(Canvas& skin, Region r) {
    skin.FillRect(r.X0 - 2, r.Y0 - 2, r.X1 + 2, r.Y1, Rgb(60, 40, 26));
    PaintPlanks(skin, r, 77, 4, true, Rgb(86, 52, 28), Rgb(138, 90, 50));
    skin.FillDisc(static_cast<float>(r.X1) - Width(r) * 0.22f, static_cast<float>(r.Y0) + Height(r) * 0.55f,
                  std::max(1.0f, Width(r) * 0.07f), Rgb(210, 180, 90));
}

}  // namespace tools::assetgen
