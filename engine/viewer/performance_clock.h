#pragma once

#include <cstdint>

namespace engine {

// The high-resolution counter the render buffer times its frames with. Tests put a scripted one in
// its place; the engine's is the steady clock.
class TPerformanceClock {
public:
    virtual ~TPerformanceClock() = default;
    // Ticks since an arbitrary start; never decreases.
    virtual std::int64_t Counter() = 0;
    // Ticks per second.
    virtual std::int64_t Frequency() const = 0;
};

// The steady clock in nanoseconds, shared by every buffer.
TPerformanceClock& SteadyPerformanceClock();

}  // namespace engine
