#pragma once

#include "editor/data/map.h"
#include "editor/data/map_records.h"

#include <cstdint>
#include <span>
#include <vector>

namespace editor {

// What shows on every cell: the kind of its last tile, or the base surface when it has none.
// Built once from the tiles, so that a fill asks it 65,025 times without walking them each time.
class TTopSurfaces {
public:
    static constexpr int kBaseSurface = -1;

    explicit TTopSurfaces(std::span<const TSurfaceTile> tiles);

    // The kind on top of the cell, or kBaseSurface.
    int At(std::uint8_t x, std::uint8_t y) const { return m_top[Index(x, y)]; }
    void Put(std::uint8_t kind, std::uint8_t x, std::uint8_t y) { m_top[Index(x, y)] = kind; }

private:
    static std::size_t Index(std::uint8_t x, std::uint8_t y) { return std::size_t{x} * 256 + y; }

    std::vector<std::int16_t> m_top;
};

// Adds the tiles in order as clicks of the surface tool would, Blend aside: a tile of the kind
// already on top of its cell (counting the tiles added before it) is left out.
void PaintTiles(TMap& map, std::span<const TSurfaceTile> tiles);

}  // namespace editor
