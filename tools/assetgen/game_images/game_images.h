#pragma once

#include "tools/writers/output_folder.h"

#include <array>

// The game's pictures: its textures in textures/ and its cursors in cursors/.
namespace tools::assetgen {

namespace game_image_files {
constexpr const char* kTextureFolder = "textures/";
constexpr const char* kCursorFolder = "cursors/";
constexpr const char* kBeam = "beam.jpg";
// In the order of the game's cursor slots 1 to 13.
constexpr std::array<const char*, 13> kCursors{"default.ani",  "denny.ani",    "choose.ani",    "left.ani",
                                               "right.ani",    "up.ani",       "down.ani",      "leftup.ani",
                                               "leftdown.ani", "rightup.ani",  "rightdown.ani", "place.ani",
                                               "repair.ani"};
}  // namespace game_image_files

// Writes every texture and cursor the game loads.
void GenerateGameImages(OutputFolder& output);

}  // namespace tools::assetgen
