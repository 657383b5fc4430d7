#pragma once

#include "editor/data/map_records.h"

#include <cstdint>

namespace editor {

// A block of cells: its lower-left cell and its extent along X (Length) and Y (Width), named as
// the objects' extents are. Coordinates are plain integers, so a block may reach past the map or
// past the byte range of a record's cell.
struct TCellRect {
    int X = 0;
    int Y = 0;
    int Length = 0;
    int Width = 0;

    bool Empty() const { return Length <= 0 || Width <= 0; }
    // Wide arithmetic: a block from any caller, however far it reaches, cannot overflow.
    bool Contains(std::int64_t x, std::int64_t y) const {
        return x >= X && x < std::int64_t{X} + Length && y >= Y && y < std::int64_t{Y} + Width;
    }
};

// The block a drag spans from one cell to another, both included, whichever way the drag went.
TCellRect CellRectBetween(int x0, int y0, int x1, int y1);

// Whether the cell is one of the map's: 0..SizeX-1 by 0..SizeY-1.
bool InMap(const TMapHeader& header, std::int64_t x, std::int64_t y);

// The part of the block that lies in the map; empty when none does.
TCellRect ClipToMap(const TCellRect& rect, const TMapHeader& header);

}  // namespace editor
