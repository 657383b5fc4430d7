#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

using CursorClock = std::chrono::steady_clock;

// Which frame an animated cursor shows at a moment: the steps run in order, each for its rate in
// jiffies (1/60 s), and start again after the last. Worked out from the start time rather than by
// counting updates, so a late or missed update never shifts the pace.
class CursorAnimation {
public:
    CursorAnimation() = default;
    CursorAnimation(std::vector<std::uint32_t> sequence, std::vector<std::uint32_t> ratesJiffies);

    void Restart(CursorClock::time_point now);
    // Moves to the step that shows at now; true when that shows another frame than before.
    bool Update(CursorClock::time_point now);

    std::size_t Step() const { return m_step; }
    std::uint32_t Frame() const { return m_sequence.empty() ? 0 : m_sequence[m_step]; }

private:
    std::vector<std::uint32_t> m_sequence;
    // Jiffies from the start of the cycle to the end of each step.
    std::vector<std::uint64_t> m_stepEnds;
    CursorClock::time_point m_start{};
    std::size_t m_step = 0;
};

}  // namespace engine
