#pragma once

#include "engine/timing/async_timer.h"

#include <array>
#include <chrono>
#include <cstdint>

namespace game {

class TDataModule2;

// The clock a run plays by; it feeds the frame clock its time. The real clock: the time that passes
// between two passes of the game loop, the two timers ticking on their own threads, frames waiting
// for the display's refresh and never coming faster than 85 a second, so that the per-frame rules
// keep their pace on a fast machine. The simulated clock: every frame advances exactly one fixed
// step, the timers fall due by that time on the main thread, and nothing waits, so a run with the
// same seed and input replays exactly. Either way the game's speed makes a pass take two or three
// whole steps, and while the game is paused its time stands still and only the view goes on.
class TGameClock {
public:
    // fixedStep 0: the real clock.
    TGameClock(TDataModule2& game, double fixedStep);
    TGameClock(const TGameClock&) = delete;
    TGameClock& operator=(const TGameClock&) = delete;

    bool Simulated() const { return m_fixedStep > 0; }
    // Before a pass of the game loop: the frame clock's time for this pass is set, and the timers
    // due by then, or the paused view's step, are queued for the main thread.
    void BeforePass();
    // After a pass: with the real clock, sleeps out the rest of the frame.
    void AfterPass();
    // Seconds of the run's clock at this pass, counted from the first; it goes on while paused.
    double RunTime() const { return m_runTime; }
    // Seconds this pass stands for: the fixed step, or the real time since the last pass.
    double PassSeconds() const { return m_passSeconds; }

private:
    struct TSimulatedTimer {
        engine::TAsyncTimer* Timer = nullptr;
        double Deadline = 0;
    };
    using TRealClock = std::chrono::steady_clock;

    // The length of this pass: the fixed step, or the real time since the last pass.
    double PassLength(TRealClock::time_point now);
    void QueueDueTimers();

    TDataModule2& m_game;
    double m_fixedStep;
    std::int64_t m_passes = 0;
    double m_runTime = 0;
    double m_passSeconds = 0;
    double m_gameClock = 0;  // what the frame clock reads
    std::array<TSimulatedTimer, 2> m_timers;
    TRealClock::time_point m_passStart;
};

}  // namespace game
