#include "engine/platform/cursor_animation.h"

#include <algorithm>
#include <utility>

namespace engine {

CursorAnimation::CursorAnimation(std::vector<std::uint32_t> sequence, std::vector<std::uint32_t> ratesJiffies)
    : m_sequence(std::move(sequence)) {
    if (ratesJiffies.size() != m_sequence.size()) {
        return;  // no rates: a static cursor
    }
    std::uint64_t end = 0;
    for (std::uint32_t rate : ratesJiffies) {
        // A step of rate 0 would make the whole cycle empty; it shows for one jiffy instead.
        end += std::max<std::uint32_t>(rate, 1);
        m_stepEnds.push_back(end);
    }
}

void CursorAnimation::Restart(CursorClock::time_point now) {
    m_start = now;
    m_step = 0;
}

bool CursorAnimation::Update(CursorClock::time_point now) {
    if (m_stepEnds.size() < 2 || now <= m_start) {
        return false;
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(now - m_start).count();
    const auto jiffies = static_cast<std::uint64_t>(elapsed) * 60 / 1'000'000'000;
    const std::uint64_t inCycle = jiffies % m_stepEnds.back();
    const std::size_t step = std::upper_bound(m_stepEnds.begin(), m_stepEnds.end(), inCycle) - m_stepEnds.begin();
    const std::uint32_t before = Frame();
    m_step = step;
    return Frame() != before;
}

}  // namespace engine
