#include "engine/timing/timer_thread.h"

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>

namespace engine {

namespace {

namespace timer_thread {
constexpr auto kPoll = std::chrono::milliseconds(1);
// Nice values by priority, tpIdle to tpTimeCritical.
constexpr int kNice[] = {19, 10, 5, 0, -5, -10, -20};
}  // namespace timer_thread

}  // namespace

TTimerThread::TTimerThread(TAsyncTimer& timer, TTickSource clock, TMainThreadQueue& mainThread)
    : m_timer(timer), m_clock(std::move(clock)), m_sync(mainThread), m_thread([this] { Execute(); }) {}

TTimerThread::~TTimerThread() {
    TerminateAndWait();
}

void TTimerThread::Suspend() {
    std::lock_guard lock(m_mutex);
    m_suspended = true;
}

void TTimerThread::Resume() {
    std::lock_guard lock(m_mutex);
    m_suspended = false;
    m_wake.notify_all();
}

void TTimerThread::TerminateAndWait() {
    {
        std::lock_guard lock(m_mutex);
        m_terminated = true;
        m_suspended = false;
        m_wake.notify_all();
    }
    m_sync.Cancel();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void TTimerThread::Execute() {
    ApplyPriority();
    if (!WaitWhileSuspended()) {
        return;
    }
    std::int64_t deadline = m_clock.Counter() + Period();
    for (;;) {
        std::int64_t reached = 0;
        if (!WaitFor(deadline, reached)) {
            return;
        }
        m_sync.Call([&timer = m_timer] { timer.DoTimer(); });
        if (m_terminated) {
            return;
        }
        const std::int64_t now = m_clock.Counter();
        const std::int64_t period = Period();
        deadline = reached + period;
        if (now > deadline) {
            deadline = now + period;
        }
    }
}

bool TTimerThread::WaitFor(std::int64_t deadline, std::int64_t& reached) {
    for (;;) {
        if (!WaitWhileSuspended()) {
            return false;
        }
        ApplyPriority();
        reached = m_clock.Counter();
        if (reached >= deadline) {
            return true;
        }
        std::this_thread::sleep_for(timer_thread::kPoll);
    }
}

bool TTimerThread::WaitWhileSuspended() {
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_suspended || m_terminated; });
    return !m_terminated;
}

std::int64_t TTimerThread::Period() const {
    return static_cast<std::int64_t>(m_timer.m_interval.load()) * m_clock.Frequency / 1000;
}

void TTimerThread::ApplyPriority() {
    const int priority = m_timer.m_priority.load();
    if (priority == m_appliedPriority || priority > tpTimeCritical) {
        return;
    }
    m_appliedPriority = priority;
    // Linux gives each thread its own nice value; a refusal (no privilege) leaves it as it was.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), timer_thread::kNice[priority]);
}

}  // namespace engine
