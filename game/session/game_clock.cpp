#include "game/session/game_clock.h"

#include "engine/platform/application.h"
#include "game/data_module.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

namespace game {

using namespace engine;

namespace {

// Longer passes of the real clock (a debugger, a window dragged about) are not caught up in a burst.
constexpr double kLongestPass = 0.25;
// How close to a whole number of steps a real pass must be to count as exactly that many (the
// difference goes to the next pass, so that the clock keeps real time).
constexpr double kSnapSteps = 0.1;
constexpr double kNever = std::numeric_limits<double>::infinity();

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
    m_timers = {{{&s.AsyncTimer1, 0}, {&s.AsyncTimer2, 0}}};
    for (TTimerSchedule& t : m_timers) {
        t.Timer->SetEnabled(false);
        t.Deadline = t.Timer->Interval() / 1000.0;
    }
    game.OnWorldStep = [this] { WorldStepTaken(); };
}

TGameClock::~TGameClock() {
    m_game.OnWorldStep = nullptr;
}

void TGameClock::BeforePass() {
    const TRealClock::time_point now = TRealClock::now();
    const double length = PassLength(now);
    m_passSeconds = length;
    m_passStart = now;
    const double from = m_passEnd;
    m_runTime = from;
    m_passEnd = Simulated() ? static_cast<double>(m_passes + 1) * m_fixedStep : from + length;
    ++m_passes;
    ScheduleDue(m_passEnd);
    ScheduleWorldSteps(from, length);
    // Half a step beyond the last step due, so that rounding neither loses one nor adds one.
    m_game.Scene.GLCadencer1.SetCurrentTime((static_cast<double>(m_worldSteps) + 0.5) * rules::StepSeconds);
    // What comes before the first world step runs with the pass's queued calls, after its input.
    const double firstWorldStep = m_worldStepTimes.empty() ? kNever : m_worldStepTimes.front();
    Application().MainThreadCalls().Post([this, firstWorldStep] { RunDueBefore(firstWorldStep); });
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

// A timer ticks every interval of the run's time (a timer of interval 0 never does, as its thread
// would not run).
void TGameClock::ScheduleDue(double to) {
    m_due.clear();
    m_nextDue = 0;
    const std::int64_t firstView = m_viewSteps;
    const int views = TakeDueSteps(to, m_viewSteps);
    for (int k = 1; k <= views; ++k) {
        m_due.push_back({static_cast<double>(firstView + k) * rules::StepSeconds, nullptr});
    }
    for (TTimerSchedule& t : m_timers) {
        const double interval = t.Timer->Interval() / 1000.0;
        for (; interval > 0 && t.Deadline <= to; t.Deadline += interval) {
            m_due.push_back({t.Deadline, t.Timer});
        }
    }
    std::stable_sort(m_due.begin(), m_due.end(), [](const TDue& a, const TDue& b) { return a.Time < b.Time; });
}

// The world's time runs at the game's speed through the pass, so its steps fall at even times of it.
void TGameClock::ScheduleWorldSteps(double from, double length) {
    const TGameState& state = m_game.State;
    const double speed = state.WorldStands() ? 0 : std::max(1, state.Speed);
    const double gameFrom = m_gameTime;
    m_gameTime += length * speed;
    const std::int64_t first = m_worldSteps;
    const int steps = TakeDueSteps(m_gameTime, m_worldSteps);
    m_worldStepTimes.clear();
    m_worldStepsTaken = 0;
    for (int i = 1; i <= steps; ++i) {
        const double gameTime = static_cast<double>(first + i) * rules::StepSeconds;
        m_worldStepTimes.push_back(from + std::max(0.0, gameTime - gameFrom) / speed);
    }
}

void TGameClock::RunDueBefore(double time) {
    while (m_nextDue < m_due.size() && m_due[m_nextDue].Time < time) {
        const TDue due = m_due[m_nextDue++];
        if (!due.Timer) {
            m_game.ViewStep();
        } else if (due.Timer->OnTimer) {
            due.Timer->OnTimer(due.Timer);
        }
    }
}

// A world step the timeline did not lay out (the handler called on its own) is followed by one view
// step, as without a clock. A world that came to a stand in its step (the base fell) takes no more
// steps in this pass, and what was due between them runs now.
void TGameClock::WorldStepTaken() {
    ++m_worldStepsTaken;
    if (m_worldStepsTaken > m_worldStepTimes.size()) {
        m_game.ViewStep();
        return;
    }
    const bool last = m_worldStepsTaken == m_worldStepTimes.size() || m_game.State.WorldStands();
    RunDueBefore(last ? kNever : m_worldStepTimes[m_worldStepsTaken]);
}

void TGameClock::AfterPass() {
    if (Simulated()) {
        return;
    }
    const auto step = std::chrono::duration_cast<TRealClock::duration>(std::chrono::duration<double>(rules::StepSeconds));
    std::this_thread::sleep_until(m_passStart + step);
}

}  // namespace game
