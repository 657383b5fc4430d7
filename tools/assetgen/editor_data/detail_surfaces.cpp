#include "tools/assetgen/editor_data/surface_textures.h"

#include "tools/writers/noise.h"
#include "tools/writers/seeded_random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace tools::assetgen {
namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr std::int32_t kSide = surface_size::kSide;

CoverageMask EmptyMask() {
    return {kSide, kSide, std::vector<std::uint8_t>(static_cast<std::size_t>(kSide) * kSide, 0)};
}

// A mask from a test at each pixel centre, in tile units.
CoverageMask MaskWhere(const std::function<bool(float s, float t)>& covered) {
    CoverageMask mask = EmptyMask();
    for (std::int32_t y = 0; y < kSide; ++y) {
        for (std::int32_t x = 0; x < kSide; ++x) {
            const float s = (static_cast<float>(x) + 0.5f) / kSide;
            const float t = (static_cast<float>(y) + 0.5f) / kSide;
            mask.Opaque[static_cast<std::size_t>(y) * kSide + x] = covered(s, t) ? 1 : 0;
        }
    }
    return mask;
}

// A mask from a coverage picture painted alongside the colours: covered where it is at least half white.
CoverageMask MaskFromCoverage(const Canvas& coverage) {
    CoverageMask mask = EmptyMask();
    for (std::int32_t y = 0; y < kSide; ++y) {
        for (std::int32_t x = 0; x < kSide; ++x) {
            mask.Opaque[static_cast<std::size_t>(y) * kSide + x] = coverage.At(x, y).R >= 0.5f ? 1 : 0;
        }
    }
    return mask;
}

// The field's value below which the given fraction of the tile lies, so a mask cut at it leaves
// that fraction bare whatever the noise's spread.
float LevelBaring(const std::function<float(float s, float t)>& field, float bareFraction) {
    constexpr int kSamples = 64;
    std::vector<float> values;
    values.reserve(kSamples * kSamples);
    for (int y = 0; y < kSamples; ++y) {
        for (int x = 0; x < kSamples; ++x) {
            values.push_back(field((static_cast<float>(x) + 0.5f) / kSamples, (static_cast<float>(y) + 0.5f) / kSamples));
        }
    }
    const auto nth = values.begin() + static_cast<std::ptrdiff_t>(bareFraction * static_cast<float>(values.size()));
    std::nth_element(values.begin(), nth, values.end());
    return *nth;
}

// Light from the upper left, as on every painted relief here.
float Lambert(float nx, float ny, float nz) {
    constexpr float lx = -0.45f, ly = -0.55f, lz = 0.70f;
    const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
    return std::max(0.0f, (nx * lx + ny * ly + nz * lz) / length);
}

float CellHash(std::int32_t cell, std::uint32_t salt) { return HashToUnit(cell, 0, salt); }

// Cobbles: rounded stones set in dark grit, a few stones missing where the grass shows through.
DetailSurface Road() {
    const TileableCells cobbles(601, 10, 0.75f);
    const TileableNoise grain(602);
    const TileableNoise gaps(603);
    const ColourRamp stone{{0.0f, Rgb(104, 96, 86)}, {0.5f, Rgb(142, 132, 116)}, {1.0f, Rgb(170, 160, 140)}};
    const auto gapField = [&](float s, float t) { return gaps.Fbm(s, t, 2, 4); };
    const float gapLevel = LevelBaring(gapField, 0.06f);
    const auto missing = [&](float s, float t) {
        const auto cell = cobbles.At(s, t);
        return CellHash(cell.Cell, 0x51u) < 0.05f || gapField(s, t) < gapLevel;
    };
    Canvas picture(kSide, kSide);
    picture.Paint([&](float s, float t) {
        const auto cell = cobbles.At(s, t);
        const float edge = cell.F2 - cell.F1;
        const float cellSize = 1.0f / 10.0f;
        if (edge < 0.012f) {
            return Mix(Rgb(58, 50, 42), Rgb(84, 74, 60), grain.At(s, t, 128) * 0.5f + 0.5f);
        }
        // A dome over each cobble: its normal tilts towards the rim.
        const float rim = std::clamp((0.03f - edge) / 0.018f, 0.0f, 1.0f);
        const float nx = cell.OffsetX / cellSize;
        const float ny = cell.OffsetY / cellSize;
        const float light = Lambert(nx * (0.6f + rim), ny * (0.6f + rim), 1.0f);
        const float tone = CellHash(cell.Cell, 0x17u) * 0.6f + 0.2f + grain.Fbm(s, t, 16, 3) * 0.15f;
        return stone.At(tone) * (0.55f + 0.6f * light);
    });
    return {"Дорога", std::move(picture), MaskWhere([&](float s, float t) { return !missing(s, t); })};
}

// Open water with a sandy rim where it meets the land.
DetailSurface Water() {
    const TileableNoise shore(701);
    const TileableNoise depth(702);
    const TileableNoise waves(703);
    const float kShoreLevel = LevelBaring([&](float s, float t) { return shore.Fbm(s, t, 2, 4); }, 0.07f);
    const ColourRamp deep{{0.0f, Rgb(20, 58, 98)}, {0.6f, Rgb(34, 88, 130)}, {1.0f, Rgb(52, 120, 150)}};
    Canvas picture(kSide, kSide);
    picture.Paint([&](float s, float t) {
        const float level = shore.Fbm(s, t, 2, 4);
        const float fromShore = level - kShoreLevel;
        if (fromShore < 0.05f) {
            return Mix(Rgb(196, 178, 130), Rgb(150, 140, 100), fromShore / 0.05f);
        }
        const float d = std::clamp(fromShore * 1.6f + depth.Fbm(s, t, 4, 3) * 0.2f, 0.0f, 1.0f);
        Colour water = deep.At(1.0f - d);
        const float ripple = std::sin(kTwoPi * (12.0f * t + 2.0f * s + waves.Fbm(s, t, 3, 3) * 1.5f));
        const float glitter = std::clamp(waves.At(s, t, 6) * 2.0f + 0.3f, 0.0f, 1.0f);
        water = water + Rgb(255, 255, 255) * (std::max(0.0f, ripple - 0.8f) * 0.8f * glitter);
        if (fromShore < 0.09f) {
            water = Mix(Rgb(220, 236, 240), water, (fromShore - 0.05f) / 0.04f);
        }
        return water;
    });
    return {"Вода", std::move(picture), MaskWhere([&](float s, float t) { return shore.Fbm(s, t, 2, 4) >= kShoreLevel; })};
}

// Scattered boulders and stones, each a shaded dome.
DetailSurface RockyPatch() {
    const TileableCells rocks(801, 7, 0.8f);
    const TileableNoise outline(802);
    const TileableNoise grain(803);
    const ColourRamp stone{{0.0f, Rgb(110, 104, 96)}, {0.5f, Rgb(150, 144, 134)}, {1.0f, Rgb(184, 178, 166)}};
    const float cellSize = 1.0f / 7.0f;
    const auto radiusAt = [&](float s, float t, std::int32_t cell) {
        const float base = CellHash(cell, 0x33u) < 0.75f ? cellSize * (0.28f + 0.2f * CellHash(cell, 0x34u)) : 0.0f;
        return base * (1.0f + 0.22f * outline.At(s, t, 24));
    };
    Canvas picture(kSide, kSide);
    picture.Paint([&](float s, float t) {
        const auto cell = rocks.At(s, t);
        const float r = radiusAt(s, t, cell.Cell);
        if (r <= 0 || cell.F1 >= r) {
            return Rgb(70, 80, 50);
        }
        const float nx = cell.OffsetX / r;
        const float ny = cell.OffsetY / r;
        const float nz = std::sqrt(std::max(0.05f, 1.0f - nx * nx - ny * ny));
        const float light = Lambert(nx, ny, nz * 0.8f);
        const float tone = CellHash(cell.Cell, 0x35u) * 0.5f + 0.25f + grain.Fbm(s, t, 16, 3) * 0.2f;
        const float rim = cell.F1 / r > 0.88f ? 0.7f : 1.0f;
        return stone.At(tone) * ((0.45f + 0.7f * light) * rim);
    });
    return {"Камни", std::move(picture), MaskWhere([&](float s, float t) {
                const auto cell = rocks.At(s, t);
                return cell.F1 < radiusAt(s, t, cell.Cell);
            })};
}

// Clumps of leaves with flower heads on them.
DetailSurface Flowers() {
    SeededRandom random(901);
    Canvas picture(kSide, kSide, Rgb(44, 86, 30));
    Canvas coverage(kSide, kSide);
    const std::array<Colour, 5> petals{Rgb(226, 54, 48), Rgb(246, 246, 236), Rgb(150, 92, 206), Rgb(250, 214, 60),
                                       Rgb(240, 130, 170)};
    for (int clump = 0; clump < 16; ++clump) {
        const float cx = random.Range(0, kSide);
        const float cy = random.Range(0, kSide);
        const float spread = random.Range(18, 30);
        for (int leaf = 0; leaf < 16; ++leaf) {
            const float x = cx + random.Range(-spread, spread);
            const float y = cy + random.Range(-spread, spread);
            const float r = random.Range(7, 11);
            picture.FillDisc(x + 1, y + 1.5f, r, Rgb(28, 60, 20));
            picture.FillDisc(x, y, r, Mix(Rgb(54, 112, 36), Rgb(86, 146, 50), random.NextFloat()));
            coverage.FillDisc(x + 1, y + 1.5f, r, Rgb(255, 255, 255));
        }
        const Colour petal = petals[static_cast<std::size_t>(random.Below(static_cast<std::int32_t>(petals.size())))];
        for (int flower = 0; flower < 7; ++flower) {
            const float x = cx + random.Range(-spread, spread) * 0.8f;
            const float y = cy + random.Range(-spread, spread) * 0.8f;
            const float r = random.Range(4.5f, 6.5f);
            for (int p = 0; p < 5; ++p) {
                const float a = kTwoPi * static_cast<float>(p) / 5.0f + random.Range(0, 0.3f);
                picture.FillDisc(x + std::cos(a) * r, y + std::sin(a) * r, r * 0.75f,
                                 Mix(petal, Rgb(255, 255, 255), random.Range(0, 0.2f)));
            }
            picture.FillDisc(x, y, r * 0.55f, Rgb(250, 196, 40));
        }
    }
    CoverageMask mask = MaskFromCoverage(coverage);
    return {"Цветы", std::move(picture), std::move(mask)};
}

// Dry clay broken into plates by dark cracks, with a few bare spots.
DetailSurface CrackedEarth() {
    const TileableCells plates(1001, 6, 0.85f);
    const TileableNoise wobble(1002);
    const TileableNoise gaps(1003);
    const ColourRamp clay{{0.0f, Rgb(150, 108, 70)}, {0.5f, Rgb(178, 136, 92)}, {1.0f, Rgb(200, 162, 116)}};
    Canvas picture(kSide, kSide);
    picture.Paint([&](float s, float t) {
        const float ws = s + wobble.At(s, t, 16) * 0.006f;
        const float wt = t + wobble.At(t, s, 16) * 0.006f;
        const auto cell = plates.At(ws, wt);
        const float edge = cell.F2 - cell.F1;
        if (edge < 0.01f) {
            return Mix(Rgb(52, 32, 18), Rgb(86, 58, 36), edge / 0.01f);
        }
        const float lip = edge < 0.022f ? 1.12f : 1.0f;
        const float tone = CellHash(cell.Cell, 0x44u) * 0.5f + 0.25f + wobble.Fbm(s, t, 8, 3) * 0.2f;
        return clay.At(tone) * lip;
    });
    const float gapLevel = LevelBaring([&](float s, float t) { return gaps.Fbm(s, t, 2, 4); }, 0.12f);
    return {"Трещины", std::move(picture),
            MaskWhere([&](float s, float t) { return gaps.Fbm(s, t, 2, 4) >= gapLevel; })};
}

// Dark still water with green scum, lily pads and reeds.
DetailSurface Swamp() {
    const TileableNoise shore(1101);
    const TileableNoise scum(1102);
    const float kShoreLevel = LevelBaring([&](float s, float t) { return shore.Fbm(s, t, 2, 4); }, 0.2f);
    Canvas picture(kSide, kSide);
    picture.Paint([&](float s, float t) {
        const float fromShore = shore.Fbm(s, t, 2, 4) - kShoreLevel;
        const Colour water = Mix(Rgb(52, 60, 32), Rgb(30, 38, 22), std::clamp(fromShore * 3.0f, 0.0f, 1.0f));
        const float algae = std::clamp(scum.Fbm(s, t, 4, 5) * 4.0f - 0.4f, 0.0f, 1.0f);
        const Colour muddy = fromShore < 0.06f ? Mix(Rgb(74, 62, 38), water, fromShore / 0.06f) : water;
        return Mix(muddy, Rgb(96, 124, 42), algae * 0.7f);
    });
    SeededRandom random(1103);
    for (int i = 0; i < 22; ++i) {
        const float x = random.Range(0, kSide);
        const float y = random.Range(0, kSide);
        const float r = random.Range(6, 11);
        if (shore.Fbm(x / kSide, y / kSide, 2, 4) < kShoreLevel + 0.1f) {
            continue;
        }
        picture.FillDisc(x + 1, y + 1, r, Rgb(24, 30, 16));
        picture.FillDisc(x, y, r, Rgb(70, 124, 44));
        const float a = random.Range(0, kTwoPi);
        picture.DrawLine(x, y, x + std::cos(a) * r, y + std::sin(a) * r, 1.6f, Rgb(40, 48, 26));
    }
    for (int clump = 0; clump < 12; ++clump) {
        const float x = random.Range(0, kSide);
        const float y = random.Range(0, kSide);
        for (int reed = 0; reed < 9; ++reed) {
            const float bx = x + random.Range(-8, 8);
            const float by = y + random.Range(-4, 4);
            const float lean = random.Range(-6, 6);
            const float height = random.Range(14, 24);
            picture.DrawLine(bx, by, bx + lean, by - height, 2.0f,
                             Mix(Rgb(70, 90, 30), Rgb(130, 140, 60), random.NextFloat()));
            if (random.NextFloat() < 0.4f) {
                picture.DrawLine(bx + lean * 0.75f, by - height * 0.75f, bx + lean, by - height, 3.6f, Rgb(96, 62, 30));
            }
        }
    }
    return {"Болото", std::move(picture),
            MaskWhere([&](float s, float t) { return shore.Fbm(s, t, 2, 4) >= kShoreLevel; })};
}

// Ploughed soil: furrows across the cell, each lit on its near slope and shaded on the far one.
DetailSurface Field() {
    const TileableNoise clods(1201);
    const TileableNoise gaps(1202);
    constexpr float kFurrows = 8.0f;
    Canvas picture(kSide, kSide);
    picture.Paint([&](float s, float t) {
        const float bend = clods.At(s, t, 4) * 0.035f;
        const float phase = std::fmod((t + bend) * kFurrows + 8.0f, 1.0f);
        const float slope = std::cos(phase * kTwoPi);
        const Colour soil = Mix(Rgb(76, 52, 32), Rgb(120, 86, 54), 0.5f + clods.Fbm(s, t, 16, 3) * 0.6f);
        return soil * (0.82f + 0.3f * slope);
    });
    SeededRandom random(1203);
    for (int i = 0; i < 90; ++i) {
        const float x = random.Range(0, kSide);
        const float row = static_cast<float>(random.Below(static_cast<std::int32_t>(kFurrows)));
        const float y = (row + 0.5f) * kSide / kFurrows + random.Range(-3, 3);
        for (int leaf = 0; leaf < 3; ++leaf) {
            picture.DrawLine(x, y, x + random.Range(-4, 4), y - random.Range(4, 8), 1.6f,
                             Mix(Rgb(70, 120, 40), Rgb(120, 170, 60), random.NextFloat()));
        }
    }
    const float gapLevel = LevelBaring([&](float s, float t) { return gaps.Fbm(s, t, 2, 4); }, 0.05f);
    return {"Пашня", std::move(picture),
            MaskWhere([&](float s, float t) { return gaps.Fbm(s, t, 2, 4) >= gapLevel; })};
}

}  // namespace

std::vector<DetailSurface> MakeDetailSurfaces() {
    std::vector<DetailSurface> surfaces;
    surfaces.push_back(Road());
    surfaces.push_back(Water());
    surfaces.push_back(RockyPatch());
    surfaces.push_back(Flowers());
    surfaces.push_back(CrackedEarth());
    surfaces.push_back(Swamp());
    surfaces.push_back(Field());
    return surfaces;
}

}  // namespace tools::assetgen
