#include "tools/assetgen/editor_data/object_assets.h"
#include "tools/assetgen/editor_data/skin_painting.h"

#include "tools/writers/mesh_shapes.h"
#include "tools/writers/noise.h"
#include "tools/writers/seeded_random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// Air objects are drawn without lighting, so their skins carry the shading: lit from above, a
// body's top (the top of an ellipsoid's texture) is painted lighter than its underside.
namespace tools::assetgen {
namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

ObjectAsset Cloud() {
    Canvas skin(128, 128);
    const TileableNoise puffs(2201);
    const ColourRamp light{{0.0f, Rgb(255, 255, 255)}, {0.45f, Rgb(236, 240, 248)}, {0.75f, Rgb(200, 208, 224)},
                           {1.0f, Rgb(160, 170, 192)}};
    skin.Paint([&](float s, float t) { return light.At(t + puffs.Fbm(s, t, 4, 4) * 0.18f); });
    const UvRect uv = RegionUv(skin, {0, 0, 128, 128});
    Mesh model;
    const std::array<std::pair<Vec3, Vec3>, 7> puffParts{{{{0, 0, 0}, {1.0f, 0.65f, 0.4f}},
                                                         {{0.75f, 0.2f, 0.08f}, {0.6f, 0.5f, 0.38f}},
                                                         {{-0.8f, -0.15f, 0.05f}, {0.62f, 0.5f, 0.34f}},
                                                         {{0.2f, -0.45f, 0.1f}, {0.6f, 0.45f, 0.36f}},
                                                         {{-0.3f, 0.45f, 0.12f}, {0.55f, 0.45f, 0.38f}},
                                                         {{0.15f, 0.1f, 0.38f}, {0.55f, 0.42f, 0.36f}},
                                                         {{-0.45f, -0.05f, 0.3f}, {0.42f, 0.36f, 0.3f}}}};
    for (const auto& [centre, radii] : puffParts) {
        model.Append(Transformed(MakeEllipsoid(radii, 14, 8, uv), Affine::Translation(centre)));
    }
    return FinishObject("cloud", std::move(model), skin, SkinFormat::Jpeg);
}

// One bird with wings raised in a shallow V, heading along +x.
Mesh Bird(UvRect body, UvRect wing) {
    Mesh bird = MakeEllipsoid({0.1f, 0.035f, 0.035f}, 8, 4, body);
    for (const float side : {1.0f, -1.0f}) {
        const Vec3 min{-0.05f, side > 0 ? 0.0f : -0.24f, -0.006f};
        const Vec3 max{0.04f, side > 0 ? 0.24f : 0.0f, 0.006f};
        bird.Append(Transformed(MakeBox(min, max, wing), Affine::RotationX(side * 22.0f)));
    }
    bird.Append(MakeBox({-0.16f, -0.03f, -0.004f}, {-0.08f, 0.03f, 0.004f}, wing));
    return bird;
}

ObjectAsset BirdFlock() {
    Canvas skin(64, 64);
    const Region body{0, 0, 32, 64};
    const Region wing{32, 0, 64, 64};
    skin.PaintRegion(body.X0, body.Y0, body.X1, body.Y1,
                     [](float, float t) { return Mix(Rgb(70, 62, 56), Rgb(30, 26, 24), t); });
    skin.PaintRegion(wing.X0, wing.Y0, wing.X1, wing.Y1, [](float s, float t) {
        const float feather = std::fmod(s * 6.0f, 1.0f) < 0.2f ? 0.7f : 1.0f;
        return Mix(Rgb(60, 54, 50), Rgb(200, 196, 186), std::clamp((t - 0.7f) * 3.0f, 0.0f, 1.0f)) * feather;
    });
    const std::vector<std::array<std::uint8_t, 3>> palette{
        {20, 18, 16},   {30, 26, 24},   {42, 38, 34},   {50, 45, 40},   {60, 54, 50},   {70, 62, 56},
        {90, 84, 78},   {120, 114, 106}, {150, 146, 138}, {176, 172, 162}, {200, 196, 186}, {230, 226, 216}};
    const UvRect bodyUv = RegionUv(skin, body);
    const UvRect wingUv = RegionUv(skin, wing);
    Mesh model;
    SeededRandom random(2301);
    // A loose V: the leader ahead, the others trailing behind on both sides, at varied heights.
    for (int i = 0; i < 9; ++i) {
        const int rank = (i + 1) / 2;
        const float side = i == 0 ? 0.0f : (i % 2 == 1 ? 1.0f : -1.0f);
        const Vec3 at{0.7f - 0.35f * static_cast<float>(rank) + random.Range(-0.06f, 0.06f),
                      side * 0.3f * static_cast<float>(rank) + random.Range(-0.05f, 0.05f), random.Range(-0.3f, 0.3f)};
        model.Append(Transformed(Bird(bodyUv, wingUv),
                            Affine::Translation(at).After(Affine::RotationZ(random.Range(-12, 12)))));
    }
    return FinishObject("birds", std::move(model), skin, palette);
}

ObjectAsset Balloon() {
    Canvas skin(256, 256);
    const Region envelope{0, 0, 256, 192};
    const Region basket{0, 192, 128, 256};
    const Region rope{128, 192, 256, 256};
    skin.PaintRegion(envelope.X0, envelope.Y0, envelope.X1, envelope.Y1, [](float s, float t) {
        const bool red = static_cast<int>(s * 12.0f) % 2 == 0;
        Colour colour = red ? Rgb(206, 44, 40) : Rgb(246, 204, 62);
        if (t > 0.58f && t < 0.64f) {
            colour = Rgb(40, 60, 140);
        }
        // Sun from above and from one side: the painted light turns with the balloon.
        const float sun = 0.8f + 0.2f * std::cos(kTwoPi * (s - 0.3f));
        const float height = 1.15f - t * 0.5f;
        const float seam = std::fmod(s * 12.0f, 1.0f) < 0.06f ? 0.8f : 1.0f;
        return colour * (sun * height * seam);
    });
    PaintPlanks(skin, basket, 2401, 8, true, Rgb(110, 76, 40), Rgb(170, 128, 74));
    skin.PaintRegion(rope.X0, rope.Y0, rope.X1, rope.Y1, [](float, float) { return Rgb(150, 126, 90); });
    Mesh model = MakeEllipsoid({0.8f, 0.8f, 0.95f}, 24, 14, RegionUv(skin, envelope));
    // The envelope narrows towards its mouth.
    for (Vec3& p : model.Positions) {
        if (p.Z < 0) {
            const float narrow = 1.0f + 0.55f * p.Z / 0.95f;
            p = {p.X * narrow, p.Y * narrow, p.Z * 1.15f};
        }
    }
    model.Transform(Affine::Translation({0, 0, 0.65f}));
    const UvRect ropeUv = RegionUv(skin, rope);
    for (const float x : {-1.0f, 1.0f}) {
        for (const float y : {-1.0f, 1.0f}) {
            model.Append(MakeStrut({x * 0.16f, y * 0.16f, -0.88f}, {x * 0.26f, y * 0.26f, -0.36f}, 0.012f, 4, ropeUv));
        }
    }
    model.Append(MakeBox({-0.18f, -0.18f, -1.15f}, {0.18f, 0.18f, -0.88f}, RegionUv(skin, basket)));
    return FinishObject("balloon", std::move(model), skin, SkinFormat::Bmp24);
}

ObjectAsset Airship() {
    Canvas skin(256, 256);
    const Region hull{0, 0, 256, 160};
    const Region gondola{0, 160, 128, 256};
    const Region fin{128, 160, 256, 256};
    skin.PaintRegion(hull.X0, hull.Y0, hull.X1, hull.Y1, [](float s, float t) {
        // Around the hull u = 0.5 faces up once the hull lies along x.
        const float sun = 0.6f + 0.45f * (0.5f - 0.5f * std::cos(kTwoPi * s));
        const bool seam = std::fmod(s * 16.0f, 1.0f) < 0.05f || std::fmod(t * 12.0f, 1.0f) < 0.04f;
        Colour colour = Rgb(196, 198, 204);
        if (t > 0.16f && t < 0.2f) {
            colour = Rgb(180, 30, 34);
        }
        return colour * (sun * (seam ? 0.85f : 1.0f));
    });
    skin.PaintRegion(gondola.X0, gondola.Y0, gondola.X1, gondola.Y1, [](float s, float t) {
        const bool window = t > 0.3f && t < 0.55f && std::fmod(s * 8.0f, 1.0f) > 0.25f;
        return window ? Rgb(200, 220, 240) : Mix(Rgb(120, 70, 40), Rgb(70, 40, 24), t);
    });
    skin.PaintRegion(fin.X0, fin.Y0, fin.X1, fin.Y1, [](float s, float) {
        return std::fmod(s * 4.0f, 1.0f) < 0.5f ? Rgb(180, 30, 34) : Rgb(236, 236, 232);
    });
    Mesh model = Transformed(MakeEllipsoid({0.32f, 0.32f, 1.0f}, 18, 16, RegionUv(skin, hull)), Affine::RotationY(90));
    model.Append(MakeBox({-0.3f, -0.1f, -0.48f}, {0.22f, 0.1f, -0.36f}, RegionUv(skin, gondola)));
    const UvRect finUv = RegionUv(skin, fin);
    for (const float x : {-0.2f, 0.12f}) {
        model.Append(MakeStrut({x, 0, -0.37f}, {x, 0, -0.26f}, 0.02f, 4, finUv));
    }
    // A tail fin drawn in the xz plane, thin across y, then turned into the four fins.
    const std::array<Vec2, 4> outline{{{-1.1f, 0.0f}, {-0.72f, 0.0f}, {-0.9f, 0.45f}, {-1.08f, 0.45f}}};
    Affine flatToXz;
    flatToXz.Linear = {{{1, 0, 0}, {0, 0, 1}, {0, 1, 0}}};
    const Mesh upper = Transformed(MakeExtrusion(outline, -0.015f, 0.015f, finUv, finUv), flatToXz);
    for (const float angle : {0.0f, 90.0f, 180.0f, 270.0f}) {
        model.Append(Transformed(upper, Affine::RotationX(angle)));
    }
    return FinishObject("airship", std::move(model), skin, SkinFormat::Jpeg);
}

}  // namespace

std::vector<ObjectAsset> MakeAirObjects() {
    std::vector<ObjectAsset> objects;
    objects.push_back(Cloud());
    objects.push_back(BirdFlock());
    objects.push_back(Balloon());
    objects.push_back(Airship());
    return objects;
}

}  // namespace tools::assetgen
