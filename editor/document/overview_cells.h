#pragma once

#include "editor/data/map_file.h"

#include <cstdint>
#include <vector>

namespace editor {

namespace overview_colours {
constexpr std::uint32_t kGroundObject = 0xFF5A4030;
constexpr std::uint32_t kSpecialObject = 0xFF2040FF;
}  // namespace overview_colours

// The map small: one colour (0xAARRGGBB) per cell, rows from the top of the map (its highest Y)
// down, each from X 0. A cell shows the colour of the surface of its topmost tile whose kind has a
// colour, or the base surface's where it has none; the cells a ground object covers and those of
// the special markers show in their own colours over the surfaces, as in the view.
std::vector<std::uint32_t> OverviewCells(const TMapData& map, const std::vector<std::uint32_t>& surfaceColours,
                                         std::uint32_t baseColour);

}  // namespace editor
