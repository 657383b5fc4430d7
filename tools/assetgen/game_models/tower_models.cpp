#include "tools/assetgen/game_models/tower_parts.h"

#include "tools/writers/mesh_shapes.h"

#include <array>
#include <cmath>
#include <numbers>

// The towers' parts. A tower stands along its own y axis with its gun mounted 12 units up; the
// guns turn about their pivot at the origin and point along +z. Bases are modelled with z up and
// turned upright at the end.
namespace tools::assetgen {
namespace {

using namespace tower_skin;
using tower_layout::kGatlingMuzzleZ;
using tower_layout::kMountHeight;

// Every part here is painted from tower.jpg, except the flash.
constexpr const char* kMaterial = kTowerMaterial;
UvRect Uv(Region region) { return TowerUv(region); }

constexpr const char* kFlashMaterial = "f";

Affine AlongX() { return Affine::RotationY(90); }

}  // namespace

Model3ds MakeRocketBase() {
    Object3ds base;
    std::array<Vec2, 8> outline{};
    for (int i = 0; i < 8; ++i) {
        const float a = (static_cast<float>(i) + 0.5f) * std::numbers::pi_v<float> / 4.0f;
        outline[static_cast<std::size_t>(i)] = {20.0f * std::cos(a), 20.0f * std::sin(a)};
    }
    AddPart(base, kMaterial, MakeExtrusion(outline, 0, 4, Uv(kHazard), Uv(kSteel)), false);
    AddPart(base, kMaterial, MakeCylinder(12, 9, 4, kMountHeight - 2.0f, 12, Uv(kArmour)), true);
    for (int i = 0; i < 4; ++i) {
        const Mesh fin = MakeBox({8, -1.2f, 4}, {17, 1.2f, 8}, Uv(kArmour));
        AddPart(base, kMaterial, Transformed(fin, Affine::RotationZ(45.0f + 90.0f * static_cast<float>(i))), false);
    }
    AddTurntable(base, 10);
    return TowerModel("firebase", Upright(std::move(base)));
}

Model3ds MakeRocketLauncher() {
    Object3ds gun;
    AddPart(gun, kMaterial, Transformed(MakeCylinder(3, 3, -9, 9, 10, Uv(kSteel), Uv(kSteel)), AlongX()), true);
    AddPart(gun, kMaterial, MakeBox({-2.5f, -2, -2.5f}, {2.5f, 2, 2.5f}, Uv(kSteel)), false);
    AddPart(gun, kMaterial, MakeBox({-8, 1, -10}, {8, 13, 15}, Uv(kArmour)), false);
    for (const float x : {-4.0f, 4.0f}) {
        for (const float y : {4.0f, 10.0f}) {
            const Affine at = Affine::Translation({x, y, 0});
            AddPart(gun, kMaterial, Transformed(MakeCylinder(2.7f, 2.7f, 14, 18, 10, Uv(kSteel), Uv(kGunMetal)), at),
                    true);
            AddPart(gun, kMaterial, Transformed(MakeCylinder(1.8f, 0, 18, 21, 8, Uv(kHazard)), at), true);
        }
    }
    AddPart(gun, kMaterial, MakeBox({8, 5, -4}, {11, 9, 6}, Uv(kSteel)), false);
    return TowerModel("barell", std::move(gun));
}

Model3ds MakeGatlingBase() {
    Object3ds base;
    AddPart(base, kMaterial, MakeBox({-15, -15, 0}, {15, 15, 3}, Uv(kSteel)), false);
    for (int i = 0; i < 8; ++i) {
        const float a = static_cast<float>(i) * std::numbers::pi_v<float> / 4.0f;
        const Affine at = Affine::Translation({15.0f * std::cos(a), 15.0f * std::sin(a), 3.5f})
                              .After(Affine::RotationZ(static_cast<float>(i) * 45.0f + 90.0f));
        AddPart(base, kMaterial, Transformed(MakeEllipsoid({6, 3.5f, 2.5f}, 8, 5, Uv(kArmour)), at), true);
    }
    for (int i = 0; i < 3; ++i) {
        const float a = static_cast<float>(i) * 2.0f * std::numbers::pi_v<float> / 3.0f;
        AddPart(base, kMaterial, MakeStrut({0, 0, 9}, {11.0f * std::cos(a), 11.0f * std::sin(a), 3}, 1.0f, 6, Uv(kSteel)),
                true);
    }
    AddPart(base, kMaterial, MakeCylinder(4, 4, 3, kMountHeight - 2.0f, 10, Uv(kArmour)), true);
    AddTurntable(base, 7);
    return TowerModel("gutling_base", Upright(std::move(base)));
}

Model3ds MakeGatlingGun() {
    Object3ds gun;
    AddPart(gun, kMaterial, MakeBox({-2, -8, -2}, {2, -4, 2}, Uv(kSteel)), false);
    AddPart(gun, kMaterial, MakeBox({-5, -4, -9}, {5, 5, 6}, Uv(kArmour)), false);
    AddPart(gun, kMaterial, MakeBox({5, -4, -5}, {10, 2, 3}, Uv(kHazard)), false);
    AddPart(gun, kMaterial, MakeCylinder(4.2f, 4.2f, 6, 9, 12, Uv(kSteel), Uv(kSteel)), true);
    AddPart(gun, kMaterial, MakeCylinder(3.8f, 3.8f, 24, 26, 12, Uv(kSteel), Uv(kSteel)), true);
    AddPart(gun, kMaterial, MakeCylinder(1.2f, 1.2f, 9, 28, 6, Uv(kGunMetal)), true);
    for (int i = 0; i < 6; ++i) {
        const float a = static_cast<float>(i) * std::numbers::pi_v<float> / 3.0f;
        const Affine at = Affine::Translation({2.6f * std::cos(a), 2.6f * std::sin(a), 0});
        AddPart(gun, kMaterial, Transformed(MakeCylinder(1, 1, 9, kGatlingMuzzleZ, 6, Uv(kGunMetal), Uv(kSteel)), at),
                true);
    }
    return TowerModel("gutling_gun", std::move(gun));
}

// A star of flame facing forward and blades of flame along the barrels' line, all single
// triangles: the game draws material "f" unlit and from both sides.
Model3ds MakeGatlingMuzzle() {
    constexpr int kRays = 8;
    constexpr float kZ = kGatlingMuzzleZ + 0.5f;
    Mesh flash;
    flash.Positions.push_back({0, 0, kZ});
    flash.TexCoords.push_back({0.5f, 0.5f});
    for (int i = 0; i < 2 * kRays; ++i) {
        const float a = static_cast<float>(i) * std::numbers::pi_v<float> / kRays;
        const float r = i % 2 == 0 ? 10.0f : 3.5f;
        const float t = i % 2 == 0 ? 0.48f : 0.2f;
        flash.Positions.push_back({r * std::cos(a), r * std::sin(a), kZ});
        flash.TexCoords.push_back({0.5f + t * std::cos(a), 0.5f - t * std::sin(a)});
    }
    for (int i = 0; i < 2 * kRays; ++i) {
        const std::int32_t p = 1 + i;
        const std::int32_t q = 1 + (i + 1) % (2 * kRays);
        flash.Triangles.push_back({{0, p, q}, {0, p, q}});
    }
    for (int i = 0; i < 4; ++i) {
        const float a = static_cast<float>(i) * std::numbers::pi_v<float> / 4.0f;
        const float cx = std::cos(a);
        const float sy = std::sin(a);
        const auto first = static_cast<std::int32_t>(flash.Positions.size());
        flash.Positions.push_back({-3.0f * cx, -3.0f * sy, kZ});
        flash.Positions.push_back({3.0f * cx, 3.0f * sy, kZ});
        flash.Positions.push_back({0, 0, kZ + 15.0f});
        flash.TexCoords.push_back({0.3f, 0.5f});
        flash.TexCoords.push_back({0.7f, 0.5f});
        flash.TexCoords.push_back({0.5f, 0.98f});
        flash.Triangles.push_back({{first, first + 1, first + 2}, {first, first + 1, first + 2}});
    }
    const Material3ds material{kFlashMaterial, Rgb(255, 220, 120), Rgb(255, 220, 120), Rgb(0, 0, 0), 0, 0,
                               "flash.jpg"};
    Object3ds muzzle{"gutling_muzzle", {}};
    AddPart(muzzle, kFlashMaterial, std::move(flash), false);
    return {{material}, {std::move(muzzle)}};
}

}  // namespace tools::assetgen
