#include "tools/assetgen/game_models/model_parts.h"

#include "tools/writers/mesh_shapes.h"

#include <array>
#include <cmath>
#include <numbers>

// The player's base: an octagonal stone platform with four corner towers, a keep with a dome and
// a signal mast. Damage scorches it, breaks a tower and the dome; the wreck is stumps and rubble.
// Every wall stands on z = 0, so the bugs' sight lines end on it at ground level.
namespace tools::assetgen {
namespace {

using namespace base_skin;

constexpr float kPlatformRadius = 64.0f;
constexpr float kTowerRing = 52.0f;
constexpr float kTowerRadius = 13.0f;
constexpr const char* kMaterial = "base";

UvRect Uv(Region region) { return SkinUv(kSize, region); }

std::array<Vec2, 8> Octagon(float radius) {
    std::array<Vec2, 8> points{};
    for (int i = 0; i < 8; ++i) {
        const float a = (static_cast<float>(i) + 0.5f) * std::numbers::pi_v<float> / 4.0f;
        points[static_cast<std::size_t>(i)] = {radius * std::cos(a), radius * std::sin(a)};
    }
    return points;
}

Vec3 TowerSpot(int i) {
    const float a = (static_cast<float>(i) * 2.0f + 1.0f) * std::numbers::pi_v<float> / 4.0f;
    return {kTowerRing * std::cos(a), kTowerRing * std::sin(a), 0};
}

// A corner tower; a broken one ends at its height without a roof.
void AddTower(Object3ds& base, int i, float height, bool roof, bool scorched) {
    const UvRect wall = Uv(scorched ? kWallScorched : kWall);
    const UvRect metal = Uv(scorched ? kMetalScorched : kMetal);
    const Affine at = Affine::Translation(TowerSpot(i));
    AddPart(base, kMaterial, Transformed(MakeCylinder(kTowerRadius, kTowerRadius - 1.5f, 0, height, 12, wall, metal), at),
            true);
    if (roof) {
        AddPart(base, kMaterial,
                Transformed(MakeCylinder(kTowerRadius + 2.0f, 0, height, height + 11.0f, 12, metal, metal), at), true);
    }
}

// A heap of rubble lying on the ground or the platform.
void AddRubble(Object3ds& base, Vec3 centre, Vec3 radii) {
    AddPart(base, kMaterial, Transformed(MakeEllipsoid(radii, 9, 5, Uv(kRubble)), Affine::Translation(centre)), true);
}

void AddPlatform(Object3ds& base, float height, bool scorched) {
    const std::array<Vec2, 8> outline = Octagon(kPlatformRadius);
    AddPart(base, kMaterial,
            MakeExtrusion(outline, 0, height, Uv(scorched ? kWallScorched : kWall),
                          Uv(scorched ? kMetalScorched : kMetal)),
            false);
    // The gate on the +x side, reaching down to the ground.
    AddPart(base, kMaterial, MakeBox({kPlatformRadius - 6.0f, -10, 0}, {kPlatformRadius + 3.0f, 10, height - 2.0f}, Uv(kDark)),
            false);
}

Object3ds Intact() {
    Object3ds base{"base", {}};
    AddPlatform(base, 14, false);
    for (int i = 0; i < 4; ++i) {
        AddTower(base, i, 36, true, false);
    }
    AddPart(base, kMaterial, MakeBox({-26, -22, 14}, {26, 22, 40}, Uv(kWall)), false);
    AddPart(base, kMaterial, Transformed(MakeEllipsoid({20, 20, 14}, 16, 8, Uv(kMetal)), Affine::Translation({0, 0, 40})),
            true);
    AddPart(base, kMaterial, MakeCylinder(1.5f, 1.0f, 50, 60, 6, Uv(kMetal)), true);
    AddPart(base, kMaterial, Transformed(MakeEllipsoid({2.5f, 2.5f, 2.5f}, 8, 5, Uv(kBeacon)), Affine::Translation({0, 0, 61})),
            true);
    return base;
}

Object3ds Damaged() {
    Object3ds base{"base", {}};
    AddPlatform(base, 14, true);
    AddTower(base, 0, 36, true, false);
    AddTower(base, 1, 21, false, true);
    AddTower(base, 2, 36, true, true);
    AddTower(base, 3, 30, true, false);
    AddPart(base, kMaterial, MakeBox({-26, -22, 14}, {26, 22, 37}, Uv(kWallScorched)), false);
    AddPart(base, kMaterial, Transformed(MakeEllipsoid({20, 20, 8}, 16, 8, Uv(kMetalScorched)), Affine::Translation({0, 0, 37})),
            true);
    // The mast hangs bent from the broken dome.
    AddPart(base, kMaterial, MakeStrut({0, 0, 42}, {9, 6, 53}, 1.4f, 6, Uv(kMetalScorched)), true);
    AddRubble(base, {-38, 30, 14}, {9, 7, 4});
    AddRubble(base, {TowerSpot(1).X + 12, TowerSpot(1).Y + 10, 0}, {10, 8, 5});
    return base;
}

Object3ds Wrecked() {
    Object3ds base{"base", {}};
    AddPlatform(base, 10, true);
    const std::array<float, 4> stumps{18, 9, 14, 6};
    for (int i = 0; i < 4; ++i) {
        AddTower(base, i, stumps[static_cast<std::size_t>(i)], false, true);
    }
    // What stands of the keep: jagged pieces of its walls.
    const std::array<std::array<float, 6>, 6> walls{{{-26, -22, -12, -18, 10, 30},
                                                     {-10, -22, 6, -18, 10, 22},
                                                     {12, -22, 26, -18, 10, 26},
                                                     {22, -18, 26, 4, 10, 19},
                                                     {-26, -18, -22, 10, 10, 27},
                                                     {-20, 18, 2, 22, 10, 16}}};
    for (const auto& w : walls) {
        AddPart(base, kMaterial, MakeBox({w[0], w[1], w[4]}, {w[2], w[3], w[5]}, Uv(kWallScorched)), false);
    }
    AddRubble(base, {4, 2, 10}, {18, 14, 8});
    AddRubble(base, {-30, 34, 10}, {10, 8, 5});
    AddRubble(base, {TowerSpot(3).X - 4, TowerSpot(3).Y + 14, 0}, {12, 9, 6});
    AddRubble(base, {TowerSpot(0).X + 10, TowerSpot(0).Y - 2, 0}, {9, 8, 4});
    return base;
}

}  // namespace

Model3ds MakeBase(int damage) {
    const Material3ds material{kMaterial, Rgb(150, 150, 150), Rgb(255, 255, 255), Rgb(60, 60, 60), 0.2f, 0.2f,
                               "base.jpg"};
    Object3ds object = damage == 0 ? Intact() : damage == 1 ? Damaged() : Wrecked();
    return {{material}, {std::move(object)}};
}

}  // namespace tools::assetgen
