#pragma once

#include "editor/data/map_file.h"
#include "editor/data/map_records.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace editor {

// What one step did to a record array: its length before and after, and the records at every
// index that differs, as they were and as they became. Indices past one of the lengths appear on
// the other side only.
template <typename Record>
struct TRecordsChange {
    std::size_t SizeBefore = 0;
    std::size_t SizeAfter = 0;
    std::vector<std::pair<std::size_t, Record>> Before;
    std::vector<std::pair<std::size_t, Record>> After;

    bool Empty() const { return SizeBefore == SizeAfter && Before.empty() && After.empty(); }
};

// The difference between two states of the map, small enough to keep hundreds of steps of a
// full-size map: only the records that changed are stored, byte for byte (blends included).
struct TMapEdit {
    TMapHeader HeaderBefore;
    TMapHeader HeaderAfter;
    TRecordsChange<TSurfaceTile> Tiles;
    TRecordsChange<TGroundObject> Ground;
    TRecordsChange<TSpecialObject> Specials;
    TRecordsChange<TAirObject> Air;

    bool Empty() const;
};

TMapEdit Difference(const TMapData& before, const TMapData& after);

// Turn the state after the edit back into the state before it, and the other way round.
void Revert(const TMapEdit& edit, TMapData& map);
void Reapply(const TMapEdit& edit, TMapData& map);

}  // namespace editor
