#pragma once

#include "tools/assetgen/editor_data/skin_painting.h"

#include "tools/writers/model_3ds_writer.h"
#include "tools/writers/model_md2_writer.h"
#include "tools/writers/rgb_image.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The pieces of the game's models, each a function of nothing but its seed.
namespace tools::assetgen {

// A 3DS model with the materials its parts name.
struct Model3ds {
    std::vector<Material3ds> Materials;
    std::vector<Object3ds> Objects;
};

// Adds triangles drawn with one material to an object; smooth parts share normals where their
// corners meet, the others are shaded flat.
inline void AddPart(Object3ds& object, const std::string& material, Mesh geometry, bool smooth) {
    object.Parts.push_back({material, std::move(geometry), smooth ? 1u : 0u});
}

// A skin picture the models name, stored as textures/<Name>.
struct SkinFile {
    std::string Name;
    RgbImage Picture;
};

namespace terrain_layout {
constexpr float kHalfSize = 512.0f;  // model units; the scene scales by 0.1
constexpr int kCells = 64;
constexpr float kBaseX = 10.0f;      // the base's spot, world (1, 3)
constexpr float kBaseY = -30.0f;
constexpr float kFloor = -70.0f;     // world -7
constexpr float kFlatRadius = 80.0f;  // world 8
constexpr float kCorner = 400.0f;    // the spawn corners, world (+-40, +-40)
}  // namespace terrain_layout

// The terrain's height (model z) at model (x, y).
float TerrainHeight(float x, float y);
Model3ds MakeTerrain();

// Where each surface lies in the skins, in pixels.
namespace base_skin {
constexpr std::int32_t kSize = 256;
constexpr Region kWall{0, 0, 128, 128};
constexpr Region kWallScorched{128, 0, 256, 128};
constexpr Region kMetal{0, 128, 128, 192};
constexpr Region kMetalScorched{128, 128, 256, 192};
constexpr Region kDark{0, 192, 64, 256};
constexpr Region kRubble{64, 192, 192, 256};
constexpr Region kBeacon{192, 192, 256, 256};
}  // namespace base_skin

namespace tower_skin {
constexpr std::int32_t kSize = 128;
constexpr Region kArmour{0, 0, 64, 64};
constexpr Region kSteel{64, 0, 128, 64};
constexpr Region kHazard{0, 64, 64, 128};
constexpr Region kGunMetal{64, 64, 128, 128};
}  // namespace tower_skin

namespace laser_skin {
constexpr std::int32_t kSize = 128;
constexpr Region kCrystal{0, 0, 64, 64};
constexpr Region kCoil{64, 0, 128, 64};
constexpr Region kCircuit{0, 64, 64, 128};
constexpr Region kLens{64, 64, 96, 96};
constexpr Region kInsulator{64, 96, 96, 128};
constexpr Region kCasing{96, 64, 128, 128};
}  // namespace laser_skin

// A region of a square skin of the given side in texture coordinates.
UvRect SkinUv(std::int32_t size, Region region);

// The base intact (0), damaged (1) and wrecked (2), with z up and its origin on the ground.
Model3ds MakeBase(int damage);
SkinFile MakeBaseSkin();

// The towers' parts, with y up; the guns point along +z from their pivot.
Model3ds MakeRocketBase();
Model3ds MakeRocketLauncher();
Model3ds MakeGatlingBase();
Model3ds MakeGatlingGun();
Model3ds MakeGatlingMuzzle();
Model3ds MakeLaserBase();
Model3ds MakeLaserGun();
SkinFile MakeTowerSkin();
SkinFile MakeFlashSkin();
// The laser's crystals, coils and glowing parts, "laser.jpg".
SkinFile MakeLaserSkin();

namespace tower_layout {
constexpr float kMountHeight = 12.0f;
constexpr float kGatlingMuzzleZ = 31.0f;  // where the gatling's barrels end
constexpr float kLaserMuzzleZ = 31.0f;    // the emitter's tip on the gun's axis, where the beam starts
}  // namespace tower_layout

// The bug: facing +x, back along +z, feet 10 units below its origin; its skin is "bug.jpg", read
// as the bug seen from above with its head to the right.
Md2Model MakeBug();

}  // namespace tools::assetgen
