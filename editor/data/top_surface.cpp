#include "editor/data/top_surface.h"

namespace editor {

TTopSurfaces::TTopSurfaces(std::span<const TSurfaceTile> tiles) : m_top(256 * 256, kBaseSurface) {
    for (const TSurfaceTile& tile : tiles) {
        Put(tile.Kind, tile.X, tile.Y);
    }
}

void PaintTiles(TMap& map, std::span<const TSurfaceTile> tiles) {
    TTopSurfaces top(map.Data().Tiles);
    std::vector<TSurfaceTile> shown;
    shown.reserve(tiles.size());
    for (const TSurfaceTile& tile : tiles) {
        if (top.At(tile.X, tile.Y) != tile.Kind) {
            top.Put(tile.Kind, tile.X, tile.Y);
            shown.push_back(tile);
        }
    }
    map.AddTiles(shown);
}

}  // namespace editor
