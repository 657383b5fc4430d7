#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace engine {

// Calls handed from any thread to the main thread, which runs them between frames. The thread that
// creates the queue is its main thread.
class TMainThreadQueue {
public:
    // onWake runs on the posting thread after each post, to wake a loop blocked elsewhere.
    explicit TMainThreadQueue(std::function<void()> onWake = {});
    TMainThreadQueue(const TMainThreadQueue&) = delete;
    TMainThreadQueue& operator=(const TMainThreadQueue&) = delete;

    bool IsMainThread() const { return std::this_thread::get_id() == m_mainThread; }

    // Queues a call and returns at once.
    void Post(std::function<void()> call);

    // Main thread: runs the calls that were queued when it started, in order. A call that throws is
    // handed to onError and the rest still run. Returns how many ran.
    std::size_t RunPending(const std::function<void(std::exception_ptr)>& onError);

    std::size_t PendingCount() const;

    // Main thread: blocks until a call is queued, Wake is called, or the timeout passes.
    void WaitForCall(std::chrono::milliseconds timeout);

    // Ends one WaitForCall early (any thread).
    void Wake();

private:
    friend class TSynchronizer;

    enum class CallState { Queued, Running, Done, Cancelled };

    struct Call {
        std::function<void()> call;
        CallState state = CallState::Queued;
    };

    // The call and the thread waiting for it both hold a request, so either may go first.
    std::shared_ptr<Call> Enqueue(std::function<void()> call);

    const std::thread::id m_mainThread;
    const std::function<void()> m_onWake;
    mutable std::mutex m_mutex;
    std::condition_variable m_posted;
    std::condition_variable m_finished;
    std::deque<std::shared_ptr<Call>> m_calls;
    bool m_woken = false;
};

// One worker's synchronised calls: the worker waits until the main thread has run its call. Cancel
// releases the waiter at once, whether the call is still queued or already running, so whoever
// stops the worker can join it even when the main thread no longer runs queued calls.
class TSynchronizer {
public:
    explicit TSynchronizer(TMainThreadQueue& queue) : m_queue(queue) {}
    TSynchronizer(const TSynchronizer&) = delete;
    TSynchronizer& operator=(const TSynchronizer&) = delete;

    // Runs call on the main thread and waits for it; on the main thread it runs directly. Returns
    // false when cancelled before the call finished; after Cancel every Call returns false at once.
    bool Call(std::function<void()> call);

    // Any thread: withdraws a queued call, releases its waiter and refuses further calls.
    void Cancel();

private:
    TMainThreadQueue& m_queue;
    std::shared_ptr<TMainThreadQueue::Call> m_current;  // guarded by the queue's mutex
    bool m_cancelled = false;                           // guarded by the queue's mutex
};

}  // namespace engine
