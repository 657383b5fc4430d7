#pragma once

#include "engine/timing/async_timer.h"

#include <array>
#include <chrono>
#include <cstdint>

namespace game {

class TDataModule2;

// The clock a run plays by. The real clock: the frame clock measures elapsed time, the two timers
// tick on their own threads, frames wait for the display's refresh and never come faster than 85
// a second, so that the per-frame rules keep their pace on a fast machine. The simulated clock:
// every frame advances exactly one fixed step of game time, the timers fall due by that time on the
// main thread, and nothing waits, so a run with the same seed and input replays exactly.
class TGameClock {
public:
    // fixedStep 0: the real clock.
    TGameClock(TDataModule2& game, double fixedStep);
    TGameClock(const TGameClock&) = delete;
    TGameClock& operator=(const TGameClock&) = delete;

    bool Simulated() const { return m_fixedStep > 0; }
    // Before a pass of the game loop: the time of the frame about to be made is set, and the timers
    // due by then are queued for the main thread.
    void BeforePass();
    // After a pass: with the real clock, sleeps out the rest of the frame.
    void AfterPass();
    // Seconds of the run's clock at the frame about to be made, counted from the first frame.
    double RunTime() const { return m_runTime; }

private:
    struct TSimulatedTimer {
        engine::TAsyncTimer* Timer = nullptr;
        double Deadline = 0;
    };
    using TRealClock = std::chrono::steady_clock;

    TDataModule2& m_game;
    double m_fixedStep;
    std::int64_t m_passes = 0;
    double m_runTime = 0;
    std::array<TSimulatedTimer, 2> m_timers;
    TRealClock::time_point m_firstPass;
    TRealClock::time_point m_passStart;
};

}  // namespace game
