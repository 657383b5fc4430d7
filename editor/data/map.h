#pragma once

#include "editor/data/cell_rect.h"
#include "editor/data/map_file.h"
#include "editor/data/map_records.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace editor {

namespace map_defaults {
// A new map is 4 x 4 cells; the view's pan centres it.
constexpr std::uint8_t kNewMapSize = 4;
constexpr float kNewMapPanX = -2.0f;
constexpr float kNewMapPanY = -2.0f;
}  // namespace map_defaults

// The one map the editor works on: header and four record arrays whose lengths always equal the
// header's counts. Records keep insertion order except where a removal moves the last record.
class TMap {
public:
    // A new map, as NewMap makes it (OnNewMap is not set yet, so nothing fires).
    TMap();

    // Fires when NewMap starts, so the view can move its pan to (kNewMapPanX, kNewMapPanY).
    std::function<void()> OnNewMap;

    // Empties the map: 4 x 4 cells, surface 0, version "v1_" and two random digits 0..8.
    void NewMap();

    // False when the file does not exist or its version mark is not "1"; the map is then unchanged.
    // A file that is unreadable, shorter than its counts announce or with a negative count throws
    // MapFileError, and the map is unchanged as well.
    bool LoadMap(const std::string& fileName);

    // Replaces the file with the map's bytes (temporary file beside it, then rename). Throws
    // MapFileError; the previous file and the map in memory stay as they were.
    void SaveMap(const std::string& fileName) const;

    // Puts a whole map in place: an opened file, a restored autosave, an undone step. The counts
    // are taken from the arrays' lengths.
    void Assign(TMapData data);

    const TMapHeader& Header() const { return m_data.Header; }
    // Written by the properties dialog; records are never compared with the size.
    void SetSize(std::uint8_t sizeX, std::uint8_t sizeY);
    void SetSurface(std::uint8_t surface);

    // Header and records, read-only: they change only through the operations here.
    const TMapData& Data() const { return m_data; }

    // Whether some tile has exactly this kind, column and row.
    bool FindTile(std::uint8_t kind, std::uint8_t x, std::uint8_t y) const;

    // The tile drawn last on the cell (the highest index there), or nullptr.
    const TSurfaceTile* TopTileAt(std::uint8_t x, std::uint8_t y) const;

    // Recomputes every tile's Blend: a vertex is opaque (255) when every other cell touching it
    // holds a tile of the same kind, else 0. Neighbours wrap at columns and rows 0 and 255.
    void UpdateTileBlend();

    // Each appends the record; AddTile stores the tile with zero Blend, then updates the blends
    // (only around its cell once every blend is up to date: the others cannot change).
    void AddTile(std::uint8_t kind, std::uint8_t x, std::uint8_t y);
    void AddGroundObject(const TGroundObject& object);
    void AddSpecialObject(const TSpecialObject& object);
    void AddAirObject(const TAirObject& object);
    // Appends the tiles in order and leaves the map as AddTile for each of them would: every
    // Blend as the rule makes it. The blends are updated once, so a whole map's worth is fast.
    void AddTiles(std::span<const TSurfaceTile> tiles);

    // Each removes the first record anchored at the cell (kind is not compared) by moving the last
    // record into its place; DeleteTileAt then updates the blends. No match changes nothing.
    void DeleteTileAt(std::uint8_t x, std::uint8_t y);
    void DeleteGroundAt(std::uint8_t x, std::uint8_t y);
    void DeleteSpecialAt(std::uint8_t x, std::uint8_t y);
    void DeleteAirAt(std::uint8_t x, std::uint8_t y);
    // Removes every record of the four layers anchored in the block. The others keep their order,
    // so no other cell's top tile changes; the blends are updated when a tile went.
    void DeleteAnchoredIn(const TCellRect& rect);

private:
    void Reset();
    // As UpdateTileBlend after a tile was added or removed at the cell.
    void UpdateTileBlendAround(std::uint8_t x, std::uint8_t y);

    TMapData m_data;
    // Whether every Blend is what UpdateTileBlend would make it; an opened or assigned map keeps
    // the bytes it came with until the first tile edit updates them all.
    bool m_blendCurrent = true;
};

}  // namespace editor
