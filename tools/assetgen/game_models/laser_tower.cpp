#include "tools/assetgen/game_models/tower_parts.h"

#include "tools/writers/mesh_shapes.h"

#include <cmath>
#include <numbers>
#include <vector>

// The laser tower. Its base is a stepped plinth whose top glows with circuits, a coil under the
// turntable and three crystals on insulators around it; the emitter is an armoured crystal chamber
// and a coiled barrel ending in a crystal point on the gun's axis, where the beam starts. Steel and
// armour come from the towers' own skin, everything that carries energy from laser.jpg.
namespace tools::assetgen {
namespace {

using tower_layout::kLaserMuzzleZ;
using tower_layout::kMountHeight;

constexpr const char* kLaserMaterial = "laser";
constexpr float kPylonRadius = 11.5f;
// The crystals stay below the barrel's underside wherever the emitter turns.
constexpr float kCrystalTop = 9.4f;

UvRect LaserUv(Region region) { return SkinUv(laser_skin::kSize, region); }

Model3ds LaserModel(const std::string& name, Object3ds object) {
    Model3ds model = TowerModel(name, std::move(object));
    model.Materials.push_back(
        {kLaserMaterial, Rgb(200, 200, 200), Rgb(255, 255, 255), Rgb(255, 255, 255), 0.8f, 0.9f, "laser.jpg"});
    return model;
}

float Radians(float degrees) { return degrees * std::numbers::pi_v<float> / 180.0f; }

Vec3 AtBearing(float radius, float degrees, float z) {
    return {radius * std::cos(Radians(degrees)), radius * std::sin(Radians(degrees)), z};
}

// A regular polygon with its first corner at the given bearing, counter-clockwise.
std::vector<Vec2> Polygon(int corners, float radius, float firstDegrees) {
    std::vector<Vec2> outline;
    for (int i = 0; i < corners; ++i) {
        const float degrees = firstDegrees + 360.0f * static_cast<float>(i) / static_cast<float>(corners);
        const Vec3 corner = AtBearing(radius, degrees, 0);
        outline.push_back({corner.X, corner.Y});
    }
    return outline;
}

// A six-sided crystal along z from the origin: a prism, then its point.
Mesh MakeCrystal(float radius, float prism, float point) {
    Mesh crystal = MakeCylinder(radius, radius, 0, prism, 6, LaserUv(laser_skin::kCrystal));
    crystal.Append(MakeCylinder(radius, 0, prism, prism + point, 6, LaserUv(laser_skin::kCrystal)));
    return crystal;
}

// A cluster of crystals on an insulator and a steel foot at the given bearing, leaning outwards,
// fed through a conduit from the coil.
void AddPylon(Object3ds& base, float degrees) {
    using namespace laser_skin;
    const Affine at = Affine::Translation(AtBearing(kPylonRadius, degrees, 0)).After(Affine::RotationZ(degrees));
    const UvRect steel = TowerUv(tower_skin::kSteel);
    AddPart(base, kTowerMaterial, Transformed(MakeCylinder(3.3f, 2.9f, 4, 5, 8, steel, steel), at), false);
    AddPart(base, kLaserMaterial, Transformed(MakeCylinder(2.1f, 2.1f, 5, 6.2f, 8, LaserUv(kInsulator)), at), true);
    const Affine lean = at.After(Affine::Translation({0, 0, 6}).After(Affine::RotationY(8)));
    AddPart(base, kLaserMaterial, Transformed(MakeCrystal(2.3f, 1.3f, kCrystalTop - 6 - 1.3f), lean), false);
    for (const float side : {-1.0f, 1.0f}) {
        const Affine small =
            at.After(Affine::Translation({0.4f, 2.2f * side, 4.6f}).After(Affine::RotationX(-28 * side)));
        AddPart(base, kLaserMaterial, Transformed(MakeCrystal(1.1f, 1.0f, 1.6f), small), false);
    }
    AddPart(base, kTowerMaterial,
            MakeStrut(AtBearing(kPylonRadius - 2.8f, degrees, 4.6f), AtBearing(4.2f, degrees, 7.5f), 0.7f, 6,
                      TowerUv(tower_skin::kGunMetal)),
            true);
}

}  // namespace

Model3ds MakeLaserBase() {
    using namespace laser_skin;
    Object3ds base;
    const UvRect steel = TowerUv(tower_skin::kSteel);
    AddPart(base, kTowerMaterial, MakeExtrusion(Polygon(6, 18, 0), 0, 2, steel, steel), false);
    // Twelve sides span the same width both ways, so the circuits' rings stay round.
    AddPart(base, kLaserMaterial, MakeExtrusion(Polygon(12, 15.5f, 15), 2, 4, LaserUv(kCasing), LaserUv(kCircuit)),
            false);
    AddPart(base, kLaserMaterial, MakeCylinder(4.5f, 4.5f, 4, kMountHeight - 2.0f, 16, LaserUv(kCoil)), true);
    for (const float degrees : {30.0f, 150.0f, 270.0f}) {
        AddPylon(base, degrees);
    }
    AddTurntable(base, 7);
    return LaserModel("laser_base", Upright(std::move(base)));
}

Model3ds MakeLaserGun() {
    using namespace laser_skin;
    using namespace tower_skin;
    Object3ds gun;
    const UvRect steel = TowerUv(kSteel);
    AddPart(gun, kLaserMaterial, MakeCylinder(3.8f, 3.8f, -9, -3, 14, LaserUv(kCoil), LaserUv(kCasing)), true);
    AddPart(gun, kTowerMaterial, MakeCylinder(5, 5, -3, 6, 8, TowerUv(kArmour), steel), false);
    AddPart(gun, kLaserMaterial, MakeCylinder(5.25f, 5.25f, 0.5f, 2.5f, 8, LaserUv(kCrystal)), false);
    for (const float x : {-2.0f, 0.0f, 2.0f}) {
        AddPart(gun, kTowerMaterial, MakeBox({x - 0.4f, 4.2f, -7}, {x + 0.4f, 6.2f, 3}, steel), false);
    }
    AddPart(gun, kTowerMaterial, MakeCylinder(4.2f, 2.8f, 6, 8.5f, 8, steel, steel), false);
    AddPart(gun, kTowerMaterial, MakeCylinder(2, 2, 8.5f, 25, 10, TowerUv(kGunMetal)), true);
    for (const float z : {14.0f, 17.5f, 21.0f}) {
        AddPart(gun, kLaserMaterial, MakeCylinder(2.9f, 2.9f, z, z + 2, 12, LaserUv(kCoil), LaserUv(kCasing)),
                true);
    }
    AddPart(gun, kTowerMaterial, MakeCylinder(2.6f, 3.2f, 25, 27, 10, steel, steel), false);
    AddPart(gun, kLaserMaterial, MakeCylinder(3.2f, 3.2f, 27, 27.3f, 10, LaserUv(kCasing), LaserUv(kLens)), false);
    constexpr float kPrism = 1.8f;
    AddPart(gun, kLaserMaterial,
            Transformed(MakeCrystal(1.5f, kPrism, kLaserMuzzleZ - 27 - kPrism), Affine::Translation({0, 0, 27})), false);
    for (const float degrees : {90.0f, 210.0f, 330.0f}) {
        AddPart(gun, kTowerMaterial,
                MakeStrut(AtBearing(2.9f, degrees, 26.5f), AtBearing(1.9f, degrees, 29.8f), 0.4f, 5, steel), true);
    }
    return LaserModel("laser_gun", std::move(gun));
}

}  // namespace tools::assetgen
