#include "tools/assetgen/editor_data/surface_textures.h"

#include "tools/writers/noise.h"
#include "tools/writers/seeded_random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tools::assetgen {
namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

// Short strokes in random directions, wrapped, for grass blades and similar fine detail.
void ScatterStrokes(Canvas& canvas, SeededRandom& random, int count, float length, const ColourRamp& colours,
                    float alpha) {
    for (int i = 0; i < count; ++i) {
        const float x = random.Range(0, static_cast<float>(canvas.Width()));
        const float y = random.Range(0, static_cast<float>(canvas.Height()));
        const float angle = random.Range(-0.6f, 0.6f) - std::numbers::pi_v<float> / 2;
        const float l = length * random.Range(0.5f, 1.0f);
        canvas.DrawLine(x, y, x + std::cos(angle) * l, y + std::sin(angle) * l, 1.2f, colours.At(random.NextFloat()),
                        alpha);
    }
}

// Pebbles: small discs with a darker shadow below and a highlight above.
void ScatterPebbles(Canvas& canvas, SeededRandom& random, int count, float minRadius, float maxRadius,
                    const ColourRamp& colours) {
    for (int i = 0; i < count; ++i) {
        const float x = random.Range(0, static_cast<float>(canvas.Width()));
        const float y = random.Range(0, static_cast<float>(canvas.Height()));
        const float r = random.Range(minRadius, maxRadius);
        const Colour colour = colours.At(random.NextFloat());
        canvas.FillDisc(x + r * 0.3f, y + r * 0.35f, r, colour * 0.45f, 0.6f);
        canvas.FillDisc(x, y, r, colour);
        canvas.FillDisc(x - r * 0.3f, y - r * 0.3f, r * 0.45f, Mix(colour, Rgb(255, 255, 255), 0.35f), 0.7f);
    }
}

Canvas Grass() {
    const TileableNoise patches(101);
    const TileableNoise grain(102);
    const ColourRamp ramp{{0.0f, Rgb(46, 84, 28)}, {0.45f, Rgb(72, 118, 38)}, {0.75f, Rgb(98, 140, 46)},
                          {1.0f, Rgb(132, 156, 62)}};
    Canvas canvas(surface_size::kSide, surface_size::kSide);
    canvas.Paint([&](float s, float t) {
        const float n = patches.Fbm(s, t, 3, 5) * 0.5f + 0.5f;
        const float fine = grain.At(s, t, 64) * 0.08f;
        return ramp.At(n + fine);
    });
    SeededRandom random(103);
    const ColourRamp blades{{0.0f, Rgb(40, 78, 24)}, {0.5f, Rgb(86, 132, 44)}, {1.0f, Rgb(150, 176, 76)}};
    ScatterStrokes(canvas, random, 2600, 7.0f, blades, 0.55f);
    const ColourRamp clover{{0.0f, Rgb(60, 104, 34)}, {1.0f, Rgb(78, 126, 40)}};
    ScatterPebbles(canvas, random, 40, 1.5f, 2.5f, clover);
    return canvas;
}

Canvas Sand() {
    const TileableNoise warp(201);
    const TileableNoise grain(202);
    const ColourRamp ramp{{0.0f, Rgb(184, 150, 98)}, {0.5f, Rgb(214, 184, 128)}, {1.0f, Rgb(234, 210, 160)}};
    Canvas canvas(surface_size::kSide, surface_size::kSide);
    canvas.Paint([&](float s, float t) {
        // Wind ripples: bands across the tile, bent by noise; whole wave counts keep them tileable.
        const float bend = warp.Fbm(s, t, 2, 3) * 0.9f;
        const float ripple = std::sin(kTwoPi * (6.0f * t + 1.0f * s + bend));
        const float shade = 0.5f + 0.22f * ripple + 0.25f * warp.Fbm(s, t, 4, 4);
        return ramp.At(shade + grain.At(s, t, 128) * 0.1f);
    });
    SeededRandom random(203);
    const ColourRamp shells{{0.0f, Rgb(150, 120, 84)}, {1.0f, Rgb(246, 232, 200)}};
    ScatterPebbles(canvas, random, 60, 0.8f, 1.6f, shells);
    return canvas;
}

Canvas Earth() {
    const TileableNoise patches(301);
    const TileableNoise grain(302);
    const ColourRamp ramp{{0.0f, Rgb(70, 48, 30)}, {0.5f, Rgb(104, 74, 46)}, {1.0f, Rgb(132, 100, 64)}};
    Canvas canvas(surface_size::kSide, surface_size::kSide);
    canvas.Paint([&](float s, float t) {
        const float n = patches.Fbm(s, t, 4, 5) * 0.55f + 0.5f;
        return ramp.At(n + grain.At(s, t, 128) * 0.12f);
    });
    SeededRandom random(303);
    const ColourRamp stones{{0.0f, Rgb(96, 84, 72)}, {0.6f, Rgb(136, 124, 108)}, {1.0f, Rgb(168, 150, 120)}};
    ScatterPebbles(canvas, random, 140, 1.2f, 3.2f, stones);
    const ColourRamp roots{{0.0f, Rgb(52, 36, 22)}, {1.0f, Rgb(84, 60, 38)}};
    ScatterStrokes(canvas, random, 120, 6.0f, roots, 0.5f);
    return canvas;
}

Canvas Snow() {
    const TileableNoise drifts(401);
    const TileableNoise grain(402);
    const ColourRamp ramp{{0.0f, Rgb(150, 172, 210)}, {0.5f, Rgb(214, 226, 244)}, {1.0f, Rgb(252, 253, 255)}};
    // Drifts as a height field lit from the upper left: blue shadows on the far sides of the mounds.
    const auto height = [&](float s, float t) { return drifts.Fbm(s, t, 3, 4, 0.4f); };
    constexpr float kStep = 1.0f / 256.0f;
    Canvas canvas(surface_size::kSide, surface_size::kSide);
    canvas.Paint([&](float s, float t) {
        const float h = height(s, t);
        const float dx = (height(s + kStep, t) - h) / kStep;
        const float dy = (height(s, t + kStep) - h) / kStep;
        const float light = (dx + dy) * 0.6f * 0.06f;
        return ramp.At(0.68f + light + h * 0.2f + grain.At(s, t, 64) * 0.03f);
    });
    SeededRandom random(403);
    for (int i = 0; i < 260; ++i) {
        canvas.FillDisc(random.Range(0, 256), random.Range(0, 256), random.Range(0.4f, 0.9f), Rgb(255, 255, 255), 0.9f);
    }
    return canvas;
}

Canvas Stone() {
    const TileableCells slabs(501, 6, 0.8f);
    const TileableNoise grain(502);
    const TileableNoise tint(503);
    const ColourRamp ramp{{0.0f, Rgb(78, 78, 80)}, {0.5f, Rgb(120, 118, 112)}, {1.0f, Rgb(158, 154, 144)}};
    Canvas canvas(surface_size::kSide, surface_size::kSide);
    canvas.Paint([&](float s, float t) {
        const auto cell = slabs.At(s, t);
        const float crevice = std::clamp((cell.F2 - cell.F1) * 40.0f, 0.0f, 1.0f);
        const float slabTone = static_cast<float>((cell.Cell * 37) % 11) / 10.0f * 0.25f;
        const float n = grain.Fbm(s, t, 8, 4) * 0.25f + 0.45f + slabTone;
        const Colour rock = ramp.At(n) * (0.55f + 0.45f * crevice);
        const float moss = std::clamp(tint.Fbm(s, t, 3, 4) * 2.0f - 0.4f, 0.0f, 0.5f) * (1.0f - crevice * 0.6f);
        return Mix(rock, Rgb(84, 104, 52), moss);
    });
    return canvas;
}

}  // namespace

std::vector<BaseSurface> MakeBaseSurfaces() {
    std::vector<BaseSurface> surfaces;
    surfaces.push_back({"Трава", Grass()});
    surfaces.push_back({"Песок", Sand()});
    surfaces.push_back({"Земля", Earth()});
    surfaces.push_back({"Снег", Snow()});
    surfaces.push_back({"Камень", Stone()});
    return surfaces;
}

}  // namespace tools::assetgen
