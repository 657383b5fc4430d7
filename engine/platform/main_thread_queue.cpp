#include "engine/platform/main_thread_queue.h"

#include <algorithm>

namespace engine {

TMainThreadQueue::TMainThreadQueue(std::function<void()> onWake)
    : m_mainThread(std::this_thread::get_id()), m_onWake(std::move(onWake)) {}

std::shared_ptr<TMainThreadQueue::Call> TMainThreadQueue::Enqueue(std::function<void()> call) {
    auto request = std::make_shared<Call>();
    request->call = std::move(call);
    m_calls.push_back(request);
    m_posted.notify_all();
    return request;
}

void TMainThreadQueue::Post(std::function<void()> call) {
    {
        std::lock_guard lock(m_mutex);
        Enqueue(std::move(call));
    }
    if (m_onWake) {
        m_onWake();
    }
}

std::size_t TMainThreadQueue::RunPending(const std::function<void(std::exception_ptr)>& onError) {
    std::size_t count;
    {
        std::lock_guard lock(m_mutex);
        count = m_calls.size();
    }
    // Only the calls present at the start: a worker that posts again at once cannot hold the loop.
    std::size_t ran = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::shared_ptr<Call> request;
        {
            std::lock_guard lock(m_mutex);
            if (m_calls.empty()) {
                break;
            }
            request = std::move(m_calls.front());
            m_calls.pop_front();
            if (request->state != CallState::Queued) {
                continue;
            }
            request->state = CallState::Running;
        }
        try {
            request->call();
        } catch (...) {
            onError(std::current_exception());
        }
        ++ran;
        std::lock_guard lock(m_mutex);
        if (request->state == CallState::Running) {
            request->state = CallState::Done;
        }
        m_finished.notify_all();
    }
    return ran;
}

std::size_t TMainThreadQueue::PendingCount() const {
    std::lock_guard lock(m_mutex);
    return m_calls.size();
}

void TMainThreadQueue::WaitForCall(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    m_posted.wait_for(lock, timeout, [this] { return !m_calls.empty() || m_woken; });
    m_woken = false;
}

void TMainThreadQueue::Wake() {
    {
        std::lock_guard lock(m_mutex);
        m_woken = true;
        m_posted.notify_all();
    }
    if (m_onWake) {
        m_onWake();
    }
}

bool TSynchronizer::Call(std::function<void()> call) {
    if (m_queue.IsMainThread()) {
        call();
        return true;
    }
    std::shared_ptr<TMainThreadQueue::Call> request;
    {
        std::lock_guard lock(m_queue.m_mutex);
        if (m_cancelled) {
            return false;
        }
        request = m_queue.Enqueue(std::move(call));
        m_current = request;
    }
    if (m_queue.m_onWake) {
        m_queue.m_onWake();
    }
    std::unique_lock lock(m_queue.m_mutex);
    m_queue.m_finished.wait(lock, [&] {
        return request->state == TMainThreadQueue::CallState::Done ||
               request->state == TMainThreadQueue::CallState::Cancelled;
    });
    m_current.reset();
    return request->state == TMainThreadQueue::CallState::Done;
}

void TSynchronizer::Cancel() {
    std::lock_guard lock(m_queue.m_mutex);
    m_cancelled = true;
    if (!m_current || m_current->state == TMainThreadQueue::CallState::Done) {
        return;
    }
    m_current->state = TMainThreadQueue::CallState::Cancelled;
    std::erase(m_queue.m_calls, m_current);
    m_queue.m_finished.notify_all();
}

}  // namespace engine
