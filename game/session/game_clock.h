#pragma once

#include "engine/timing/async_timer.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

namespace game {

class TDataModule2;

// The clock a run plays by: one timeline of the run's time on which everything falls due in its
// order. Each pass of the game loop lasts some time of the run, and what fell due in it runs: the
// timers' ticks (every 15 ms and every second), the view's steps (85 a second), and the world's
// steps (85 a second of game time, which runs at the game's speed and stands still while paused;
// the frame clock takes them), each in the order of its time, so that a pass of 50 ms plays as four
// of 12 ms would. The clock takes the two timers over from their threads for its life.
//
// The real clock: a pass lasts the time since the last one (a pass within a tenth of a step of a
// whole number of steps counts as exactly that many, the difference carried to the next, so that a
// display at the rules' rate shows one step a frame and not now none, now two; a stall counts as a
// quarter of a second and the rest is dropped); frames wait for the display's refresh and never come
// faster than the steps. The simulated clock: every pass lasts exactly the fixed step and nothing
// waits, so that a run with the same seed and input replays exactly.
class TGameClock {
public:
    // fixedStep 0: the real clock.
    TGameClock(TDataModule2& game, double fixedStep);
    ~TGameClock();
    TGameClock(const TGameClock&) = delete;
    TGameClock& operator=(const TGameClock&) = delete;

    bool Simulated() const { return m_fixedStep > 0; }
    // Before a pass of the game loop: lays out what falls due in it, sets the frame clock so that it
    // takes exactly the world's steps due, and queues what comes before the first of them.
    void BeforePass();
    // After a pass: with the real clock, sleeps out the rest of the step.
    void AfterPass();
    // Seconds of the run's clock at the start of this pass's time, counted from the first; it goes
    // on while paused. What is due by then (a script's input) comes before the pass's steps.
    double RunTime() const { return m_runTime; }
    // Seconds this pass stands for: the fixed step, or the real time since the last pass.
    double PassSeconds() const { return m_passSeconds; }

private:
    using TRealClock = std::chrono::steady_clock;
    // A tick of a timer, or a step of the view (no timer), at a time of the run.
    struct TDue {
        double Time = 0;
        engine::TAsyncTimer* Timer = nullptr;
    };
    struct TTimerSchedule {
        engine::TAsyncTimer* Timer = nullptr;
        double Deadline = 0;
    };

    // The length of this pass: the fixed step, or the real time since the last pass.
    double PassLength(TRealClock::time_point now);
    // The ticks and view steps due by a time of the run, in time order.
    void ScheduleDue(double to);
    // The run times of the world's steps due in the pass that starts then and lasts so long.
    void ScheduleWorldSteps(double from, double length);
    // Runs what is due before the time.
    void RunDueBefore(double time);
    // After each world step: what is due before the next one, or all that is left after the last.
    // (Unlaid-out steps, the handler called on its own, take one view step each.)
    void WorldStepTaken();

    TDataModule2& m_game;
    double m_fixedStep;
    std::int64_t m_passes = 0;
    double m_runTime = 0;   // where this pass's time starts
    double m_passEnd = 0;   // the run's time at the end of this pass
    double m_passSeconds = 0;  // the length of this pass
    double m_gameTime = 0;  // the world's
    std::int64_t m_viewSteps = 0;  // taken since the start
    std::int64_t m_worldSteps = 0;
    double m_snapSlack = 0;  // what snapping took from (or added to) the real passes so far
    std::array<TTimerSchedule, 2> m_timers;
    std::vector<TDue> m_due;  // of this pass
    std::size_t m_nextDue = 0;
    std::vector<double> m_worldStepTimes;  // of this pass
    std::size_t m_worldStepsTaken = 0;
    TRealClock::time_point m_passStart;
};

}  // namespace game
