#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>

namespace engine {

using TLoopHandle = std::uint64_t;

// Registered callbacks that may add or remove entries, themselves included, while they are being
// called. Entries live in a deque so a running callback is never moved; removal during a walk only
// marks the entry, and the walk's end drops the marked ones.
template <class F>
class TCallbackList {
public:
    TLoopHandle Add(F callback) {
        m_entries.push_back({++m_lastHandle, std::move(callback)});
        ++m_live;
        return m_lastHandle;
    }

    void Remove(TLoopHandle handle) {
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->handle != handle) {
                continue;
            }
            --m_live;
            if (m_walking > 0) {
                it->handle = 0;
            } else {
                m_entries.erase(it);
            }
            return;
        }
    }

    bool Empty() const { return m_live == 0; }

    // Calls visit(callback) for every entry present at the start that has not been removed since.
    template <class Visit>
    void ForEach(Visit&& visit) {
        WalkGuard guard(*this);
        const std::size_t count = m_entries.size();
        for (std::size_t i = 0; i < count; ++i) {
            if (m_entries[i].handle != 0) {
                visit(m_entries[i].callback);
            }
        }
    }

private:
    struct Entry {
        TLoopHandle handle;
        F callback;
    };

    struct WalkGuard {
        explicit WalkGuard(TCallbackList& list) : list(list) { ++list.m_walking; }
        ~WalkGuard() {
            if (--list.m_walking == 0) {
                std::erase_if(list.m_entries, [](const Entry& e) { return e.handle == 0; });
            }
        }
        TCallbackList& list;
    };

    std::deque<Entry> m_entries;
    TLoopHandle m_lastHandle = 0;
    std::size_t m_live = 0;
    int m_walking = 0;
};

}  // namespace engine
