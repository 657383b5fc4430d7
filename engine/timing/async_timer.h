#pragma once

#include "engine/core/component.h"
#include "engine/timing/tick_source.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

namespace engine {

class TTimerThread;

enum TThreadPriority : std::uint8_t { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A timer whose worker thread only waits; OnTimer runs on the main thread, between frames, when the
// main loop serves queued calls. The worker exists from construction to destruction; Enabled
// suspends and resumes it.
class TAsyncTimer : public TComponent {
public:
    // An invalid clock (no counter or a frequency <= 0) is replaced by the steady clock.
    explicit TAsyncTimer(TTickSource clock = TTickSource::SteadyClock());
    // Never waits for the main loop: a tick still queued for the main thread is withdrawn.
    ~TAsyncTimer() override;

    bool Enabled() const { return m_enabled; }
    // true resumes the worker unless Interval is 0; false suspends it, and a tick already queued
    // for the main thread then does not call OnTimer.
    void SetEnabled(bool enabled);

    // Milliseconds; read afresh for every deadline.
    std::uint16_t Interval() const { return m_interval; }
    void SetInterval(std::uint16_t milliseconds);

    // Applied to the worker as a nice value, best effort: without privileges the system refuses to
    // raise a thread's priority (or to lower its nice value again), and the request is then ignored.
    TThreadPriority ThreadPriority() const { return m_priority; }
    void SetThreadPriority(TThreadPriority priority) { m_priority = priority; }

    TNotifyEvent OnTimer;

private:
    friend class TTimerThread;

    // On the main thread, for each tick.
    void DoTimer();

    std::atomic<bool> m_enabled{false};
    std::atomic<std::uint16_t> m_interval{1000};
    std::atomic<TThreadPriority> m_priority{tpNormal};
    std::unique_ptr<TTimerThread> m_thread;
};

}  // namespace engine
