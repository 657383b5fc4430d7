#pragma once

#include "tools/assetgen/game_images/game_layout.h"
#include "tools/writers/canvas.h"
#include "tools/writers/cursor_writer.h"
#include "tools/writers/rgba_image.h"

#include <string>
#include <vector>

// The painters of the game's pictures, one family a file.
namespace tools::assetgen {

// The ground under the whole terrain, 1024 x 1024, laid out in the terrain's texture coordinates.
Canvas MakeTerrainTexture();
// Bright tileable grain, multiplied onto the ground 128 times across.
Canvas MakeDetailTexture();
// A tower's range ring on black, centred, at the tower's real ranges.
Canvas MakeRingTexture(const ring_layout::RingDesc& ring);
// The laser's beam on black, 256 along the beam (u, repeating) by 64 across it (v): a white-hot
// core in a cyan glow.
Canvas MakeBeamTexture();
// The bug's chitin, tileable so any mapping of the model shows it whole.
Canvas MakeBugSkin();
// The explosion's frames on black, row by row from the top left.
Canvas MakeExplosionSheet();

RgbaImage MakeHudPanel();

struct NamedPicture {
    std::string File;
    RgbaImage Picture;
};
// The four button icons.
std::vector<NamedPicture> MakeHudIcons();

// The thirteen cursors, in the order of the game's cursor slots.
std::vector<AnimatedCursor> MakeCursors();

}  // namespace tools::assetgen
