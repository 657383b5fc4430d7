#include "editor/data/map_clipboard.h"

#include "editor/data/top_surface.h"

#include <cstdint>

namespace editor {
namespace {

// The records anchored in the block, their cells made relative to its lower-left cell.
template <typename Record>
std::vector<Record> Lift(const std::vector<Record>& records, const TCellRect& block) {
    std::vector<Record> lifted;
    for (const Record& record : records) {
        if (block.Contains(record.X, record.Y)) {
            Record relative = record;
            relative.X = static_cast<std::uint8_t>(record.X - block.X);
            relative.Y = static_cast<std::uint8_t>(record.Y - block.Y);
            lifted.push_back(relative);
        }
    }
    return lifted;
}

// The lifted records moved to the block at (x, y), those whose anchor falls off the map left out.
template <typename Record>
std::vector<Record> Place(const std::vector<Record>& lifted, const TMapHeader& header, int x, int y) {
    std::vector<Record> placed;
    for (const Record& record : lifted) {
        const std::int64_t cellX = std::int64_t{x} + record.X;
        const std::int64_t cellY = std::int64_t{y} + record.Y;
        if (InMap(header, cellX, cellY)) {
            Record moved = record;
            moved.X = static_cast<std::uint8_t>(cellX);
            moved.Y = static_cast<std::uint8_t>(cellY);
            placed.push_back(moved);
        }
    }
    return placed;
}

}  // namespace

TMapClipboard CopyRegion(const TMap& map, const TCellRect& rect) {
    const TCellRect block = ClipToMap(rect, map.Header());
    const TMapData& data = map.Data();
    return {block.Length,         block.Width,          Lift(data.Tiles, block),
            Lift(data.Ground, block), Lift(data.Specials, block), Lift(data.Air, block)};
}

TMapClipboard CutRegion(TMap& map, const TCellRect& rect) {
    TMapClipboard clipboard = CopyRegion(map, rect);
    DeleteRegion(map, rect);
    return clipboard;
}

void DeleteRegion(TMap& map, const TCellRect& rect) {
    map.DeleteAnchoredIn(ClipToMap(rect, map.Header()));
}

void PasteRegion(TMap& map, const TMapClipboard& clipboard, int x, int y) {
    const TMapHeader& header = map.Header();
    PaintTiles(map, Place(clipboard.Tiles, header, x, y));
    for (const TGroundObject& object : Place(clipboard.Ground, header, x, y)) {
        map.AddGroundObject(object);
    }
    for (const TSpecialObject& object : Place(clipboard.Specials, header, x, y)) {
        map.AddSpecialObject(object);
    }
    for (const TAirObject& object : Place(clipboard.Air, header, x, y)) {
        map.AddAirObject(object);
    }
}

}  // namespace editor
