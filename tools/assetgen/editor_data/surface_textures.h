#pragma once

#include "tools/writers/canvas.h"
#include "tools/writers/key_colour.h"

#include <string>
#include <vector>

// The editor's ground pictures: base surfaces drawn under the whole map and detail surfaces
// painted on single cells, all tileable so neighbouring cells join without seams.
namespace tools::assetgen {

namespace surface_size {
constexpr std::int32_t kSide = 256;
}  // namespace surface_size

struct BaseSurface {
    std::string Name;  // catalogue line; the record is Name + ".jpg"
    Canvas Picture;
};

struct DetailSurface {
    std::string Name;  // catalogue line; the record is Name + ".bmp"
    Canvas Picture;
    CoverageMask Mask;  // where the detail covers the base surface
};

// Grass first: a new map's surface 0.
std::vector<BaseSurface> MakeBaseSurfaces();
std::vector<DetailSurface> MakeDetailSurfaces();

}  // namespace tools::assetgen
