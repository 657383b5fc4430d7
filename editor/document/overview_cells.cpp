#include "editor/document/overview_cells.h"

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
    return cells;
}

}  // namespace editor
