#pragma once

#include <cstdint>
#include <functional>

namespace engine {

// A monotonic counter and its frequency in counts per second: the clock a timer thread waits
// against. Injectable, so the timing rules can be driven step by step.
struct TTickSource {
    std::function<std::int64_t()> Counter;
    std::int64_t Frequency = 0;

    bool Valid() const { return Counter && Frequency > 0; }

    // std::chrono::steady_clock in nanoseconds.
    static TTickSource SteadyClock();
};

}  // namespace engine
