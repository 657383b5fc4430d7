#pragma once

#include "tools/assetview/render/view_options.h"

#include "platform/image.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tools {

// A map's picture and what went wrong on the way without spoiling it: the boxes the editor would
// have shown (a texture that failed to load, a base surface the catalogue lacks), one line each.
struct MapPicture {
    platform::Image Image;
    std::vector<std::string> Warnings;
};

// Draws the map from above as the editor draws it, with the catalogues, textures and meshes of the
// data folder (the editor's System/ and Data/), into an options.Width x options.Height picture.
// The map is read and checked before a display is asked for. Throws std::runtime_error with one
// line of text for a file that cannot be read, is no map or is broken, a map with no cells, data
// the editor could not start with, or no OpenGL context.
MapPicture RenderMap(const ViewOptions& options, const std::filesystem::path& dataFolder);

}  // namespace tools
