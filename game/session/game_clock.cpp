#include "game/session/game_clock.h"

#include "engine/platform/application.h"
#include "game/data_module.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace game {

using namespace engine;

namespace {

// Longer passes of the real clock (a debugger, a window dragged about) are not caught up in a burst.
constexpr double kLongestPass = 0.25;
// How close to a whole number of steps a real pass must be to count as exactly that many (the
// difference goes to the next pass, so that the clock keeps real time).
constexpr double kSnapSteps = 0.1;

// The whole steps in so many seconds; a hair of tolerance keeps n passes of one step from making
// n - 1 for the rounding of their sum.
std::int64_t WholeSteps(double seconds) {
    return static_cast<std::int64_t>(std::floor(seconds * rules::StepsPerSecond + 1e-6));
}

// The steps due by the time, beyond those taken (which it then counts as taken).
int TakeDueSteps(double time, std::int64_t& taken) {
    const std::int64_t due = WholeSteps(time) - taken;
    taken += due;
    return static_cast<int>(due);
}

}  // namespace

TGameClock::TGameClock(TDataModule2& game, double fixedStep) : m_game(game), m_fixedStep(fixedStep) {
    TDesignedScene& s = game.Scene;
    s.GLFullScreenViewer1.SetVSync(Simulated() ? vsmNoSync : vsmSync);
    s.GLCadencer1.SetCurrentTime(0);
    s.GLCadencer1.SetTimeReference(cmExternal);
    s.GLCadencer1.SetFixedDeltaTime(rules::StepSeconds);
    if (!Simulated()) {
        return;
    }
    m_timers = {{{&s.AsyncTimer1, 0}, {&s.AsyncTimer2, 0}}};
    for (TSimulatedTimer& t : m_timers) {
        t.Timer->SetEnabled(false);
        t.Deadline = t.Timer->Interval() / 1000.0;
    }
}

void TGameClock::BeforePass() {
    const TRealClock::time_point now = TRealClock::now();
    const double length = PassLength(now);
    m_passStart = now;
    if (Simulated()) {
        m_runTime = static_cast<double>(m_passes) * m_fixedStep;
        QueueDueTimers();
    } else {
        m_runTime += length;
    }
    ++m_passes;
    const TGameState& state = m_game.State;
    m_viewTime += length;
    if (!state.Paused) {
        m_gameTime += length * std::max(1, state.Speed);
    }
    const int viewSteps = TakeDueSteps(m_viewTime, m_viewSteps);
    const int worldSteps = TakeDueSteps(m_gameTime, m_worldSteps);
    // Half a step beyond the last step due, so that rounding neither loses one nor adds one.
    m_game.Scene.GLCadencer1.SetCurrentTime((static_cast<double>(m_worldSteps) + 0.5) * rules::StepSeconds);
    m_game.PlanPass(worldSteps, viewSteps);
}

double TGameClock::PassLength(TRealClock::time_point now) {
    if (Simulated()) {
        return m_fixedStep;
    }
    if (m_passes == 0) {
        return 0;
    }
    const double measured = std::min(std::chrono::duration<double>(now - m_passStart).count(), kLongestPass);
    const double length = measured + m_snapSlack;
    const double steps = std::round(length * rules::StepsPerSecond);
    const double snapped =
        steps > 0 && std::abs(length * rules::StepsPerSecond - steps) < kSnapSteps ? steps * rules::StepSeconds : length;
    m_snapSlack = length - snapped;
    return snapped;
}

// A timer that fell behind by more than its interval ticks once and starts afresh: no catch-up.
void TGameClock::QueueDueTimers() {
    for (TSimulatedTimer& t : m_timers) {
        if (m_runTime < t.Deadline) {
            continue;
        }
        t.Deadline = m_runTime + t.Timer->Interval() / 1000.0;
        Application().MainThreadCalls().Post([timer = t.Timer] {
            if (timer->OnTimer) {
                timer->OnTimer(timer);
            }
        });
    }
}

void TGameClock::AfterPass() {
    if (Simulated()) {
        return;
    }
    const auto step = std::chrono::duration_cast<TRealClock::duration>(std::chrono::duration<double>(rules::StepSeconds));
    std::this_thread::sleep_until(m_passStart + step);
}

}  // namespace game
