#pragma once

#include "editor/data/cell_rect.h"
#include "editor/data/map.h"
#include "editor/data/map_records.h"

#include <vector>

// Copy, cut, delete and paste of a block of cells with all four layers. A record belongs to the
// block when its anchor cell (a tile's cell, an object's lower-left cell) lies in the part of the
// block that is on the map. Each editing call is one edit, so Begin/Commit around it is one undo step.
namespace editor {

// A block lifted out of a map: its size, and its records in map order with their cells counted
// from the block's lower-left cell.
struct TMapClipboard {
    int Length = 0;
    int Width = 0;
    std::vector<TSurfaceTile> Tiles;
    std::vector<TGroundObject> Ground;
    std::vector<TSpecialObject> Specials;
    std::vector<TAirObject> Air;

    bool Empty() const { return Tiles.empty() && Ground.empty() && Specials.empty() && Air.empty(); }
    bool operator==(const TMapClipboard&) const = default;
};

TMapClipboard CopyRegion(const TMap& map, const TCellRect& rect);

// CopyRegion, then DeleteRegion.
TMapClipboard CutRegion(TMap& map, const TCellRect& rect);

// Removes the block's records; every other record keeps its place in its layer.
void DeleteRegion(TMap& map, const TCellRect& rect);

// Adds the clipboard's records with its lower-left cell at (x, y), in the clipboard's order after
// the map's own. A record whose anchor would fall off the map is left out (an object anchored on
// the map may reach past its edge, as one placed by a click may). Tiles go on as clicks of the
// surface tool would put them, in the clipboard's order: one of the kind already on top of its cell
// is left out, so each cell shows what it showed where it was copied, and a second paste at one
// place adds nothing to a cell that was copied with one tile. Objects are added as clicks add
// them, stacked on whatever is there.
void PasteRegion(TMap& map, const TMapClipboard& clipboard, int x, int y);

}  // namespace editor
