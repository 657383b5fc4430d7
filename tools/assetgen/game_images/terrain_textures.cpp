#include "tools/assetgen/game_images/pictures.h"
#include "tools/assetgen/game_images/shaping.h"
#include "tools/assetgen/game_models/model_parts.h"
#include "tools/writers/noise.h"
#include "tools/writers/seeded_random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tools::assetgen {
namespace {

constexpr std::int32_t kTerrainSide = 1024;
constexpr std::int32_t kDetailSide = 256;

using namespace terrain_layout;

constexpr float kClearingRadius = kFlatRadius + 5.0f;
constexpr float kTrackHalfWidth = 18.0f;
constexpr float kNestRadius = 45.0f;

// The terrain model's heights at its own vertices, read between them as the drawn surface is, so
// the painted slopes and shading sit on the slopes the player sees.
class HeightGrid {
public:
    HeightGrid() {
        for (int j = 0; j <= kCells; ++j) {
            for (int i = 0; i <= kCells; ++i) {
                m_heights.push_back(TerrainHeight(-kHalfSize + kCell * i, -kHalfSize + kCell * j));
            }
        }
    }

    float At(float x, float y) const {
        const float gx = std::clamp((x + kHalfSize) / kCell, 0.0f, static_cast<float>(kCells) - 0.001f);
        const float gy = std::clamp((y + kHalfSize) / kCell, 0.0f, static_cast<float>(kCells) - 0.001f);
        const int i = static_cast<int>(gx);
        const int j = static_cast<int>(gy);
        const float fx = gx - static_cast<float>(i);
        const float fy = gy - static_cast<float>(j);
        const float top = Vertex(i, j) + (Vertex(i + 1, j) - Vertex(i, j)) * fx;
        const float bottom = Vertex(i, j + 1) + (Vertex(i + 1, j + 1) - Vertex(i, j + 1)) * fx;
        return top + (bottom - top) * fy;
    }

private:
    static constexpr float kCell = 2 * kHalfSize / kCells;
    float Vertex(int i, int j) const { return m_heights[static_cast<std::size_t>(j) * (kCells + 1) + i]; }

    std::vector<float> m_heights;
};

class GroundPainter {
public:
    GroundPainter() : m_large(0x7e44a1), m_small(0x7e44a2), m_cells(0x7e44a3, 48, 0.9f) {}

    Colour At(float s, float t) const {
        // Picture rows run down while the terrain's y runs up.
        const Point p{s * kTerrainSide - kHalfSize, (1.0f - t) * kTerrainSide - kHalfSize};
        const float broad = m_large.Fbm(s, t, 6, 5);
        const float fine = m_small.Fbm(s, t, 48, 3);
        const float height = m_heights.At(p.X, p.Y);
        const float dx = (m_heights.At(p.X + 4, p.Y) - m_heights.At(p.X - 4, p.Y)) / 8;
        const float dy = (m_heights.At(p.X, p.Y + 4) - m_heights.At(p.X, p.Y - 4)) / 8;
        const float slope = std::hypot(dx, dy);

        // Lush in the valley, drier up the hills, bare stone on steep or high ground.
        const float dryness = SmoothStep(kFloor + 40.0f, kFloor + 150.0f, height + 25.0f * broad);
        Colour ground = Mix(Grass(broad, fine), DryGrass(fine), dryness);
        const float rock = std::max(SmoothStep(0.32f, 0.55f, slope + 0.12f * fine), SmoothStep(60.0f, 85.0f, height));
        ground = Mix(ground, Rock(s, t, fine), rock);

        const Point base{kBaseX, kBaseY};
        float track = 1e9f;
        float nest = 1e9f;
        for (const float cx : {-kCorner, kCorner}) {
            for (const float cy : {-kCorner, kCorner}) {
                track = std::min(track, SegmentDistance(p, {cx, cy}, base));
                nest = std::min(nest, std::hypot(p.X - cx, p.Y - cy));
            }
        }
        // Worn tracks where the bugs run, and their scorched nests at the spawn corners.
        const float trackWeight = SmoothStep(kTrackHalfWidth + 6.0f, kTrackHalfWidth - 6.0f, track + 14.0f * fine);
        ground = Mix(ground, Dirt(fine, 0.0f), trackWeight * 0.85f);
        const float nestWeight = SmoothStep(kNestRadius + 12.0f, kNestRadius - 12.0f, nest + 20.0f * broad);
        ground = Mix(ground, Rgb(58, 44, 34) * (0.8f + 0.3f * fine), nestWeight);

        const float fromBase = std::hypot(p.X - base.X, p.Y - base.Y);
        const float clearing = SmoothStep(kClearingRadius + 15.0f, kClearingRadius - 10.0f, fromBase + 18.0f * broad);
        ground = Mix(ground, Dirt(fine, 1.0f), clearing);
        const float rim = SmoothStep(12.0f, 0.0f, std::abs(fromBase - kClearingRadius - 4.0f)) * 0.22f;

        // Gentle light from the upper left brings out the relief without fighting the game's sun.
        const float lit = std::clamp(1.0f + 0.9f * (-dx * 0.6f + dy * 0.6f), 0.75f, 1.2f);
        return ground * ((1.0f - rim) * lit);
    }

private:
    static Colour Grass(float broad, float fine) {
        static const ColourRamp ramp{{-0.6f, Rgb(44, 72, 30)}, {-0.1f, Rgb(66, 100, 40)}, {0.4f, Rgb(92, 116, 46)}};
        return ramp.At(broad + fine * 0.35f);
    }

    static Colour DryGrass(float fine) { return Rgb(128, 122, 70) * (0.9f + 0.2f * fine); }

    // Weathered stone: ridged noise draws the cracks, cells vary the slabs' shade a little.
    Colour Rock(float s, float t, float fine) const {
        const TileableCells::Sample cell = m_cells.At(s, t);
        const float ridge = 1.0f - std::abs(m_large.Fbm(s, t, 24, 3));
        const float crack = SmoothStep(0.93f, 0.99f, ridge) * 0.45f;
        const float shade = 0.82f + 0.12f * HashToUnit(cell.Cell, 7, 0x51) + 0.2f * fine;
        return Rgb(126, 118, 104) * (shade * (1.0f - crack));
    }

    // Packed earth: the tracks a little redder, the base's clearing paler.
    static Colour Dirt(float fine, float pale) {
        const Colour earth = Mix(Rgb(118, 92, 62), Rgb(146, 128, 96), pale);
        return earth * (0.88f + 0.2f * fine);
    }

    TileableNoise m_large;
    TileableNoise m_small;
    TileableCells m_cells;
    HeightGrid m_heights;
};

}  // namespace

Canvas MakeTerrainTexture() {
    const GroundPainter painter;
    Canvas canvas(kTerrainSide, kTerrainSide);
    canvas.Paint([&](float s, float t) { return painter.At(s, t); });
    return canvas;
}

Canvas MakeDetailTexture() {
    const TileableNoise mottle(0xde7a11);
    const TileableNoise grit(0xde7a12);
    Canvas canvas(kDetailSide, kDetailSide);
    canvas.Paint([&](float s, float t) {
        const float broad = mottle.Fbm(s, t, 6, 3);
        const float grain = grit.Fbm(s, t, 48, 3);
        // Mostly near white with darker grit here and there: the multiply darkens only a little.
        const float pit = SmoothStep(-0.15f, -0.5f, grain) * 0.25f;
        const float value = std::clamp(0.92f + 0.05f * broad + 0.06f * grain - pit, 0.0f, 1.0f);
        return Colour{value, value * 0.99f, value * 0.96f};
    });
    return canvas;
}

}  // namespace tools::assetgen
