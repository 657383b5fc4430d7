#include "game/session/game_clock.h"

#include "engine/platform/application.h"
#include "game/data_module.h"

#include <algorithm>
#include <limits>
#include <thread>

namespace game {

using namespace engine;

namespace {
// The fastest frame rate of normal play: the display rate the per-frame rules were made for.
constexpr double kMaxFramesPerSecond = 85;
}  // namespace

TGameClock::TGameClock(TDataModule2& game, double fixedStep) : m_game(game), m_fixedStep(fixedStep) {
    TDesignedScene& s = game.Scene;
    s.GLFullScreenViewer1.SetVSync(Simulated() ? vsmNoSync : vsmSync);
    s.GLCadencer1.SetCurrentTime(0);
    s.GLCadencer1.SetTimeReference(cmExternal);
    s.GLCadencer1.SetFixedDeltaTime(fixedStep);
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
    m_passSeconds = length;
    m_passStart = now;
    if (Simulated()) {
        m_runTime = static_cast<double>(m_passes) * m_fixedStep;
        QueueDueTimers();
    } else {
        m_runTime += length;
    }
    ++m_passes;
    TGLCadencer& cadencer = m_game.Scene.GLCadencer1;
    const TGameState& state = m_game.State;
    if (state.Paused) {
        // The frame clock takes no step, not even an empty one, until the game goes on.
        if (!Simulated()) {
            cadencer.SetFixedDeltaTime(std::numeric_limits<double>::max());
        }
        Application().MainThreadCalls().Post([&game = m_game, length] { game.PausedFrame(length); });
        return;
    }
    // Several whole steps of the pass's length at a higher speed, so the per-frame rules stay.
    const int steps = std::max(1, state.Speed);
    if (!Simulated()) {
        cadencer.SetFixedDeltaTime(steps > 1 ? length : 0);
    }
    m_gameClock += length * steps;
    // Half a step beyond this pass's end in the simulation, so that rounding never loses a step.
    cadencer.SetCurrentTime(m_gameClock + (Simulated() ? 0.5 * m_fixedStep : 0));
}

double TGameClock::PassLength(TRealClock::time_point now) {
    if (Simulated()) {
        return m_fixedStep;
    }
    return m_passes == 0 ? 0 : std::chrono::duration<double>(now - m_passStart).count();
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
    const auto frame =
        std::chrono::duration_cast<TRealClock::duration>(std::chrono::duration<double>(1.0 / kMaxFramesPerSecond));
    std::this_thread::sleep_until(m_passStart + frame);
}

}  // namespace game
