#include "editor/document/overview_cells.h"

#include <algorithm>
#include <cstddef>

namespace editor {

std::vector<std::uint32_t> OverviewCells(const TMapData& map, const std::vector<std::uint32_t>& surfaceColours,
                                         std::uint32_t baseColour) {
    const std::size_t sizeX = map.Header.SizeX;
    const std::size_t sizeY = map.Header.SizeY;
    std::vector<std::uint32_t> cells(sizeX * sizeY, baseColour);
    // Later tiles lie on top, so the last one on a cell gives its colour.
    for (const TSurfaceTile& tile : map.Tiles) {
        if (tile.X >= sizeX || tile.Y >= sizeY || tile.Kind >= surfaceColours.size()) {
            continue;
        }
        cells[(sizeY - 1 - tile.Y) * sizeX + tile.X] = surfaceColours[tile.Kind];
    }
    const auto paint = [&](std::size_t x, std::size_t y, std::size_t length, std::size_t width, std::uint32_t colour) {
        // Objects may reach past the map's edge: only their cells on it show.
        for (std::size_t cx = x; cx < std::min(x + length, sizeX); ++cx) {
            for (std::size_t cy = y; cy < std::min(y + width, sizeY); ++cy) {
                cells[(sizeY - 1 - cy) * sizeX + cx] = colour;
            }
        }
    };
    for (const TGroundObject& object : map.Ground) {
        paint(object.X, object.Y, object.Length, object.Width, overview_colours::kGroundObject);
    }
    for (const TSpecialObject& object : map.Specials) {
        paint(object.X, object.Y, 1, 1, overview_colours::kSpecialObject);
    }
    return cells;
}

}  // namespace editor
