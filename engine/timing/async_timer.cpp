#include "engine/timing/async_timer.h"

#include "engine/platform/application.h"
#include "engine/timing/timer_thread.h"

namespace engine {

TAsyncTimer::TAsyncTimer(TTickSource clock)
    : m_thread(std::make_unique<TTimerThread>(*this, clock.Valid() ? std::move(clock) : TTickSource::SteadyClock(),
                                              Application().MainThreadCalls())) {}

TAsyncTimer::~TAsyncTimer() {
    SetEnabled(false);
    m_thread->TerminateAndWait();
}

void TAsyncTimer::SetEnabled(bool enabled) {
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    if (!enabled) {
        m_thread->Suspend();
    } else if (m_interval != 0) {
        m_thread->Resume();
    }
}

void TAsyncTimer::SetInterval(std::uint16_t milliseconds) {
    if (milliseconds == m_interval) {
        return;
    }
    m_interval = milliseconds;
    // An enabled timer that could not start for a zero interval starts now.
    if (m_enabled && milliseconds != 0) {
        m_thread->Resume();
    }
}

void TAsyncTimer::DoTimer() {
    if (!m_enabled || !OnTimer) {
        return;
    }
    const TNotifyEvent handler = OnTimer;  // the handler may destroy this timer
    handler(this);
}

}  // namespace engine
