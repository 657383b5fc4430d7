#include "editor/data/map_fill.h"

#include "editor/data/top_surface.h"

#include <array>
#include <vector>

namespace editor {
namespace {

TSurfaceTile TileAt(std::uint8_t kind, int x, int y) {
    TSurfaceTile tile;
    tile.Kind = kind;
    tile.X = static_cast<std::uint8_t>(x);
    tile.Y = static_cast<std::uint8_t>(y);
    return tile;
}

// A tile of the kind for every cell of the map reached from the start through edges and showing
// what the start shows, in row order.
std::vector<TSurfaceTile> RegionTiles(const TMapHeader& header, const TTopSurfaces& top, int startX, int startY,
                                      std::uint8_t kind) {
    const int surface = top.At(static_cast<std::uint8_t>(startX), static_cast<std::uint8_t>(startY));
    const auto index = [&](int x, int y) { return static_cast<std::size_t>(y) * header.SizeX + x; };
    std::vector<bool> reached(static_cast<std::size_t>(header.SizeX) * header.SizeY, false);
    std::vector<std::array<int, 2>> pending = {{startX, startY}};
    reached[index(startX, startY)] = true;
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        for (const auto [dx, dy] : {std::array{1, 0}, std::array{-1, 0}, std::array{0, 1}, std::array{0, -1}}) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (InMap(header, nx, ny) && !reached[index(nx, ny)] &&
                top.At(static_cast<std::uint8_t>(nx), static_cast<std::uint8_t>(ny)) == surface) {
                reached[index(nx, ny)] = true;
                pending.push_back({nx, ny});
            }
        }
    }
    std::vector<TSurfaceTile> tiles;
    for (int y = 0; y < header.SizeY; ++y) {
        for (int x = 0; x < header.SizeX; ++x) {
            if (reached[index(x, y)]) {
                tiles.push_back(TileAt(kind, x, y));
            }
        }
    }
    return tiles;
}

}  // namespace

void FillRectangle(TMap& map, const TCellRect& rect, std::uint8_t kind) {
    const TCellRect cells = ClipToMap(rect, map.Header());
    std::vector<TSurfaceTile> tiles;
    tiles.reserve(static_cast<std::size_t>(cells.Length) * cells.Width);
    for (int y = cells.Y; y < cells.Y + cells.Width; ++y) {
        for (int x = cells.X; x < cells.X + cells.Length; ++x) {
            tiles.push_back(TileAt(kind, x, y));
        }
    }
    PaintTiles(map, tiles);
}

void FloodFill(TMap& map, int x, int y, std::uint8_t kind) {
    const TMapHeader& header = map.Header();
    if (!InMap(header, x, y)) {
        return;
    }
    const TTopSurfaces top(map.Data().Tiles);
    if (top.At(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)) == kind) {
        return;
    }
    // No cell of the region shows the kind, so every one of them gets its tile.
    map.AddTiles(RegionTiles(header, top, x, y, kind));
}

}  // namespace editor
