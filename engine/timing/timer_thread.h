#pragma once

#include "engine/platform/main_thread_queue.h"
#include "engine/timing/async_timer.h"
#include "engine/timing/tick_source.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace engine {

// The worker of one TAsyncTimer. It polls its clock in 1 ms sleeps until the deadline, hands the
// tick to the main thread and waits until it has run. The next deadline is measured from the end of
// the previous wait, so the period does not drift by the handler's duration; when the handler ran
// past that deadline, the next one is a full interval after it ended (no burst of catch-up ticks).
// Suspension takes effect at the next poll; a worker resumed after its deadline ticks at once.
class TTimerThread {
public:
    // Starts suspended; it keeps a reference to its timer.
    TTimerThread(TAsyncTimer& timer, TTickSource clock, TMainThreadQueue& mainThread);
    TTimerThread(const TTimerThread&) = delete;
    TTimerThread& operator=(const TTimerThread&) = delete;
    ~TTimerThread();

    void Suspend();
    void Resume();
    // Requests termination, withdraws a tick waiting for the main thread, resumes and joins. Never
    // waits for the main loop.
    void TerminateAndWait();

private:
    void Execute();
    // Returns false when terminated; otherwise the counter value that reached the deadline.
    bool WaitFor(std::int64_t deadline, std::int64_t& reached);
    bool WaitWhileSuspended();
    std::int64_t Period() const;
    void ApplyPriority();

    TAsyncTimer& m_timer;
    const TTickSource m_clock;
    TSynchronizer m_sync;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_suspended = true;             // guarded by m_mutex
    std::atomic<bool> m_terminated{false};
    int m_appliedPriority = -1;          // worker only
    std::thread m_thread;                // last: starts once everything above exists
};

}  // namespace engine
