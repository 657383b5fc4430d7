#pragma once

#include "tools/writers/canvas.h"
#include "tools/writers/mesh.h"

#include <cstdint>

// Painters for the object skins. Each fills one region of a skin picture; a painter whose region
// is the whole picture makes a picture that tiles.
namespace tools::assetgen {

// Pixels [X0, X1) x [Y0, Y1) of a skin.
struct Region {
    std::int32_t X0 = 0;
    std::int32_t Y0 = 0;
    std::int32_t X1 = 0;
    std::int32_t Y1 = 0;
};

// The region in texture coordinates, drawn in by half a pixel so filtering never samples its neighbour.
UvRect RegionUv(const Canvas& skin, Region region);

void PaintBark(Canvas& skin, Region region, std::uint64_t seed);
// Conifer needles: dark layered fronds, lighter towards the lower rim (the region's bottom).
void PaintNeedles(Canvas& skin, Region region, std::uint64_t seed);
// Broad leaves in clusters between the two colours; `berries` dots a few red fruits in.
void PaintLeaves(Canvas& skin, Region region, std::uint64_t seed, Colour dark, Colour light, bool berries);
void PaintRock(Canvas& skin, Region region, std::uint64_t seed);
// Bricks or cut stones in `rows` courses of `columns`, every other course offset by half a brick.
void PaintBricks(Canvas& skin, Region region, std::uint64_t seed, int rows, int columns, Colour mortar, Colour dark,
                 Colour light);
// Boards running along the region's height (vertical) or width.
void PaintPlanks(Canvas& skin, Region region, std::uint64_t seed, int boards, bool vertical, Colour dark, Colour light);
// Roof tiles in courses running down the region's height, so the courses lie along a ridge that
// runs up the picture.
void PaintRoofTiles(Canvas& skin, Region region, std::uint64_t seed, int courses, Colour dark, Colour light);
void PaintPlaster(Canvas& skin, Region region, std::uint64_t seed, Colour base);
// A framed window with a cross bar and a light reflection.
void PaintWindow(Canvas& skin, Region region);
void PaintDoor(Canvas& skin, Region region);

}  // namespace tools::assetgen
