#include "game/game_clock.h"

#include "engine/platform/application.h"
#include "game/data_module.h"

#include <thread>

namespace game {

using namespace engine;

namespace {
// The fastest frame rate of normal play: the display rate the per-frame rules were made for.
constexpr double kMaxFramesPerSecond = 85;
}  // namespace

TGameClock::TGameClock(TDataModule2& game, double fixedStep) : m_game(game), m_fixedStep(fixedStep) {
    TDesignedScene& s = game.S;
    if (!Simulated()) {
        s.GLFullScreenViewer1.SetVSync(vsmSync);
        return;
    }
    s.GLFullScreenViewer1.SetVSync(vsmNoSync);
    s.GLCadencer1.SetCurrentTime(0);
    s.GLCadencer1.SetTimeReference(cmExternal);
    s.GLCadencer1.SetFixedDeltaTime(fixedStep);
    m_timers = {{{&s.AsyncTimer1, 0}, {&s.AsyncTimer2, 0}}};
    for (TSimulatedTimer& t : m_timers) {
        t.Timer->SetEnabled(false);
        t.Deadline = t.Timer->Interval() / 1000.0;
    }
}

void TGameClock::BeforePass() {
    m_passStart = TRealClock::now();
    if (m_passes == 0) {
        m_firstPass = m_passStart;
    }
    if (!Simulated()) {
        m_runTime = std::chrono::duration<double>(m_passStart - m_firstPass).count();
        ++m_passes;
        return;
    }
    m_runTime = static_cast<double>(m_passes) * m_fixedStep;
    // A timer that fell behind by more than its interval ticks once and starts afresh: no catch-up.
    for (TSimulatedTimer& t : m_timers) {
        if (m_runTime < t.Deadline) {
            continue;
        }
        const double period = t.Timer->Interval() / 1000.0;
        t.Deadline = m_runTime + period;
        Application().MainThreadCalls().Post([timer = t.Timer] {
            if (timer->OnTimer) {
                timer->OnTimer(timer);
            }
        });
    }
    // Half a step beyond this frame's end, so that the frame clock takes exactly one step whatever
    // the rounding of the sums.
    ++m_passes;
    m_game.S.GLCadencer1.SetCurrentTime((static_cast<double>(m_passes) + 0.5) * m_fixedStep);
}

void TGameClock::AfterPass() {
    if (Simulated()) {
        return;
    }
    const auto frame = std::chrono::duration_cast<TRealClock::duration>(std::chrono::duration<double>(1.0 / kMaxFramesPerSecond));
    std::this_thread::sleep_until(m_passStart + frame);
}

}  // namespace game
