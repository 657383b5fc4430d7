#pragma once

#include "editor/data/map.h"
#include "editor/data/map_edit.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace editor {

namespace history_limits {
// Steps kept for undo; the oldest goes first.
constexpr std::size_t kUndoSteps = 200;
}  // namespace history_limits

// Undo and redo of the map's edits, and whether the map differs from its last saved state.
// A step runs from Begin to Commit, so a whole drag stroke is one step; Commit keeps only what
// changed, so a step that changed nothing is no step.
class TMapHistory {
public:
    explicit TMapHistory(std::size_t limit = history_limits::kUndoSteps);

    // Remembers the map as it is before a step; a step already begun goes on.
    void Begin(const TMap& map);
    bool InStep() const { return m_before.has_value(); }
    // Ends the step; true when it changed the map (the redo steps are then dropped).
    bool Commit(const TMap& map);

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // Each puts the map into the state before or after the step; false when there is none or a
    // step is going on.
    bool Undo(TMap& map);
    bool Redo(TMap& map);

    // Forgets every step: after a new map or an opened file (saved), or a restored autosave,
    // which differs from every file (not saved).
    void Clear(bool saved);
    // The map as it is now is the one on disk.
    void MarkSaved();
    // Whether the map differs from its last created, loaded or saved state.
    bool Modified() const;

private:
    struct Step {
        TMapEdit Edit;
        std::uint64_t Serial = 0;
    };
    // Moves the newest step from one stack to the other, putting the map into the state before
    // (undo) or after (redo) it.
    template <typename From, typename To>
    bool Move(From& from, To& to, TMap& map, bool after);
    // The serial of the state the map is in now.
    std::uint64_t CurrentSerial() const;

    std::size_t m_limit;
    std::optional<TMapData> m_before;
    std::deque<Step> m_undo;
    std::vector<Step> m_redo;
    std::uint64_t m_nextSerial = 0;
    std::uint64_t m_baseSerial = 0;
    std::optional<std::uint64_t> m_savedSerial = 0;
};

}  // namespace editor
