#pragma once

#include "editor/data/cell_rect.h"
#include "editor/data/map.h"

#include <cstdint>

// Fills of the surface layer. Each leaves the map exactly as clicks of the surface tool on the
// filled cells would, row by row from the lowest and each row from the left: a cell whose top tile
// already has the kind gets none. One call is one edit, so Begin/Commit around it is one undo step.
namespace editor {

// Every cell of the block that lies in the map.
void FillRectangle(TMap& map, const TCellRect& rect, std::uint8_t kind);

// The cell and every cell of the map connected to it through shared edges whose top surface (the
// kind of its last tile, or the base surface where it has none) is the cell's own. Nothing when
// the cell is off the map or its top tile already has the kind.
void FloodFill(TMap& map, int x, int y, std::uint8_t kind);

}  // namespace editor
