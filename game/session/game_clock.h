#pragma once

#include "engine/timing/async_timer.h"

#include <array>
#include <chrono>
#include <cstdint>

namespace game {

class TDataModule2;

// The clock a run plays by. Each pass of the game loop it measures the pass's length and counts the
// steps that fell due in it: the view's, 85 a second of the run's time, and the world's, 85 a second
// of game time, which runs at the game's speed and stands still while the game is paused; it plans
// the pass with both and sets the frame clock's time so that it takes exactly the world's. The real
// clock: a pass lasts the time since the last one (a pass within a tenth of a step of a whole number
// of steps counts as exactly that many, the difference carried to the next, so that a display at the
// rules' rate shows one step a frame and not now none, now two; a stall counts as a quarter of a
// second and the rest is dropped), the two timers tick on their own
// threads, frames wait for the display's refresh and never come faster than the steps. The
// simulated clock: every pass lasts exactly the fixed step, the timers fall due by the run's time on
// the main thread, and nothing waits, so that a run with the same seed and input replays exactly.
class TGameClock {
public:
    // fixedStep 0: the real clock.
    TGameClock(TDataModule2& game, double fixedStep);
    TGameClock(const TGameClock&) = delete;
    TGameClock& operator=(const TGameClock&) = delete;

    bool Simulated() const { return m_fixedStep > 0; }
    // Before a pass of the game loop: the steps due are planned, and the timers due queued for the
    // main thread.
    void BeforePass();
    // After a pass: with the real clock, sleeps out the rest of the step.
    void AfterPass();
    // Seconds of the run's clock at this pass, counted from the first; it goes on while paused.
    double RunTime() const { return m_runTime; }

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
    double m_viewTime = 0;  // the run's time at the end of this pass
    double m_gameTime = 0;  // the world's
    std::int64_t m_viewSteps = 0;  // taken since the start
    std::int64_t m_worldSteps = 0;
    double m_snapSlack = 0;  // what snapping took from (or added to) the real passes so far
    std::array<TSimulatedTimer, 2> m_timers;
    TRealClock::time_point m_passStart;
};

}  // namespace game
