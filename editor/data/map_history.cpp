#include "editor/data/map_history.h"

#include <utility>

namespace editor {
namespace {

void Replace(TMap& map, const TMapEdit& edit, bool after) {
    TMapData data = map.Data();
    if (after) {
        Reapply(edit, data);
    } else {
        Revert(edit, data);
    }
    map.Assign(std::move(data));
}

}  // namespace

TMapHistory::TMapHistory(std::size_t limit) : m_limit(limit) {}

void TMapHistory::Begin(const TMap& map) {
    if (!m_before) {
        m_before = map.Data();
    }
}

bool TMapHistory::Commit(const TMap& map) {
    if (!m_before) {
        return false;
    }
    TMapEdit edit = Difference(*m_before, map.Data());
    m_before.reset();
    if (edit.Empty()) {
        return false;
    }
    m_redo.clear();
    m_undo.push_back({std::move(edit), ++m_nextSerial});
    if (m_undo.size() > m_limit) {
        m_baseSerial = m_undo.front().Serial;
        m_undo.pop_front();
    }
    return true;
}

bool TMapHistory::Undo(TMap& map) {
    return Move(m_undo, m_redo, map, false);
}

bool TMapHistory::Redo(TMap& map) {
    return Move(m_redo, m_undo, map, true);
}

template <typename From, typename To>
bool TMapHistory::Move(From& from, To& to, TMap& map, bool after) {
    if (InStep() || from.empty()) {
        return false;
    }
    Replace(map, from.back().Edit, after);
    to.push_back(std::move(from.back()));
    from.pop_back();
    return true;
}

void TMapHistory::Clear(bool saved) {
    m_before.reset();
    m_undo.clear();
    m_redo.clear();
    m_baseSerial = ++m_nextSerial;
    m_savedSerial = saved ? std::optional<std::uint64_t>(m_baseSerial) : std::nullopt;
}

void TMapHistory::MarkSaved() {
    m_savedSerial = CurrentSerial();
}

bool TMapHistory::Modified() const {
    return m_savedSerial != CurrentSerial();
}

std::uint64_t TMapHistory::CurrentSerial() const {
    return m_undo.empty() ? m_baseSerial : m_undo.back().Serial;
}

}  // namespace editor
