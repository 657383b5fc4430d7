#include "editor/data/map_edit.h"

#include <algorithm>

namespace editor {
namespace {

template <typename Record>
TRecordsChange<Record> Compare(const std::vector<Record>& before, const std::vector<Record>& after) {
    TRecordsChange<Record> change;
    change.SizeBefore = before.size();
    change.SizeAfter = after.size();
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (!(before[i] == after[i])) {
            change.Before.emplace_back(i, before[i]);
            change.After.emplace_back(i, after[i]);
        }
    }
    for (std::size_t i = common; i < before.size(); ++i) {
        change.Before.emplace_back(i, before[i]);
    }
    for (std::size_t i = common; i < after.size(); ++i) {
        change.After.emplace_back(i, after[i]);
    }
    return change;
}

template <typename Record>
void Restore(std::vector<Record>& records, std::size_t size, const std::vector<std::pair<std::size_t, Record>>& changed) {
    records.resize(size);
    for (const auto& [index, record] : changed) {
        records[index] = record;
    }
}

template <typename Record>
void Restore(std::vector<Record>& records, const TRecordsChange<Record>& change, bool after) {
    Restore(records, after ? change.SizeAfter : change.SizeBefore, after ? change.After : change.Before);
}

void PutState(const TMapEdit& edit, bool after, TMapData& map) {
    map.Header = after ? edit.HeaderAfter : edit.HeaderBefore;
    Restore(map.Tiles, edit.Tiles, after);
    Restore(map.Ground, edit.Ground, after);
    Restore(map.Specials, edit.Specials, after);
    Restore(map.Air, edit.Air, after);
}

}  // namespace

bool TMapEdit::Empty() const {
    return HeaderBefore == HeaderAfter && Tiles.Empty() && Ground.Empty() && Specials.Empty() && Air.Empty();
}

TMapEdit Difference(const TMapData& before, const TMapData& after) {
    TMapEdit edit;
    edit.HeaderBefore = before.Header;
    edit.HeaderAfter = after.Header;
    edit.Tiles = Compare(before.Tiles, after.Tiles);
    edit.Ground = Compare(before.Ground, after.Ground);
    edit.Specials = Compare(before.Specials, after.Specials);
    edit.Air = Compare(before.Air, after.Air);
    return edit;
}

void Revert(const TMapEdit& edit, TMapData& map) {
    PutState(edit, false, map);
}

void Reapply(const TMapEdit& edit, TMapData& map) {
    PutState(edit, true, map);
}

}  // namespace editor
