#pragma once

#include "editor/data/map_file.h"

#include <cstdint>
#include <vector>

namespace editor {

// The map small: one colour (0xAARRGGBB) per cell, rows from the top of the map (its highest Y)
// down, each from X 0. A cell shows the colour of the surface of its topmost tile whose kind has a
// colour, or the base surface's where it has none.
std::vector<std::uint32_t> OverviewCells(const TMapData& map, const std::vector<std::uint32_t>& surfaceColours,
                                         std::uint32_t baseColour);

}  // namespace editor
