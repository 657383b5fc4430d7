#pragma once

#include "tools/writers/output_folder.h"

// The game's models in models/ and the skins they name in textures/.
namespace tools::assetgen {

namespace game_files {
constexpr const char* kTerrain = "models/terrain_low.3ds";
constexpr const char* kBase = "models/main_base.3ds";
constexpr const char* kBaseDamaged = "models/main_base_d1.3ds";
constexpr const char* kBaseWrecked = "models/main_base_d2.3ds";
constexpr const char* kRocketBase = "models/firebase.3DS";
constexpr const char* kRocketLauncher = "models/barell.3ds";
constexpr const char* kGatlingBase = "models/gutling_base.3ds";
constexpr const char* kGatlingGun = "models/gutling_gun.3ds";
constexpr const char* kGatlingMuzzle = "models/gutling_muzzle.3ds";
constexpr const char* kLaserBase = "models/laser_base.3ds";
constexpr const char* kLaserGun = "models/laser_gun.3ds";
constexpr const char* kBug = "models/bug.md2";
}  // namespace game_files

void GenerateGameModels(OutputFolder& output);

}  // namespace tools::assetgen
