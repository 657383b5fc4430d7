#include "engine/timing/async_timer.h"

#include "engine/platform/application.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace engine {
namespace {

using namespace std::chrono_literals;

// A counter in milliseconds that returns a fixed sequence of readings, then repeats the last one.
// The worker's behaviour depends only on the values it reads, so its deadlines can be checked
// exactly, whatever the machine's speed.
class ScriptedClock {
public:
    explicit ScriptedClock(std::vector<std::int64_t> readings) : m_readings(std::move(readings)) {}

    TTickSource Source() {
        return {[this] {
                    std::lock_guard lock(m_mutex);
                    m_last = m_readings[std::min(m_next, m_readings.size() - 1)];
                    ++m_next;
                    return m_last;
                },
                1000};
    }
    std::int64_t Last() const {
        std::lock_guard lock(m_mutex);
        return m_last;
    }
    std::size_t Reads() const {
        std::lock_guard lock(m_mutex);
        return m_next;
    }
    bool Exhausted() const { return Reads() > m_readings.size(); }

private:
    mutable std::mutex m_mutex;
    const std::vector<std::int64_t> m_readings;
    std::size_t m_next = 0;
    std::int64_t m_last = -1;
};

// Serves the main loop until done() holds; a generous limit only guards against a hang.
template <class Done>
bool PumpUntil(Done done) {
    const auto limit = std::chrono::steady_clock::now() + 10s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) {
            return false;
        }
        Application().HandleMessage();
    }
    return true;
}

void WaitForQueuedTick() {
    const auto limit = std::chrono::steady_clock::now() + 10s;
    while (Application().MainThreadCalls().PendingCount() == 0 && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_GT(Application().MainThreadCalls().PendingCount(), 0u);
}

TEST(AsyncTimer, DeadlinesDoNotDriftAndALateHandlerIsNotCaughtUp) {
    // Interval 10. Start at 0 -> deadline 10. The wait ends at 12; the handler ends at 13, but the
    // next deadline is 12 + 10 = 22. That wait ends at 22; the handler ends at 40, past 32, so the
    // next deadline is 40 + 10 = 50 and nothing fires at 45.
    ScriptedClock clock({0, 5, 9, 12, 13, 21, 22, 40, 45, 49, 50, 51, 59});
    std::vector<std::int64_t> fired;
    {
        TAsyncTimer timer(clock.Source());
        timer.SetInterval(10);
        timer.OnTimer = [&](TComponent* sender) {
            EXPECT_EQ(sender, &timer);
            fired.push_back(clock.Last());
        };
        timer.SetEnabled(true);
        ASSERT_TRUE(PumpUntil([&] { return clock.Exhausted() && fired.size() >= 3; }));
        Application().ProcessMessages();
    }
    EXPECT_EQ(fired, (std::vector<std::int64_t>{12, 22, 50}));
}

TEST(AsyncTimer, IntervalIsReadAfreshForEachDeadline) {
    // Start at 0 with 10 -> fires at 10; the handler sets 25, so the next deadline is 35, not 20.
    ScriptedClock clock({0, 10, 10, 20, 34, 35, 36, 36});
    std::vector<std::int64_t> fired;
    TAsyncTimer timer(clock.Source());
    timer.SetInterval(10);
    timer.OnTimer = [&](TComponent*) {
        fired.push_back(clock.Last());
        timer.SetInterval(25);
    };
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return clock.Exhausted() && fired.size() >= 2; }));
    EXPECT_EQ(fired, (std::vector<std::int64_t>{10, 35}));
}

TEST(AsyncTimer, OnTimerRunsOnTheMainThread) {
    TAsyncTimer timer;
    timer.SetInterval(1);
    std::thread::id ranOn;
    timer.OnTimer = [&](TComponent*) { ranOn = std::this_thread::get_id(); };
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ranOn != std::thread::id(); }));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(AsyncTimer, DisabledWhileATickIsQueuedTheTickDoesNotCallOnTimer) {
    TAsyncTimer timer;
    timer.SetInterval(1);
    int calls = 0;
    timer.OnTimer = [&](TComponent*) { ++calls; };
    timer.SetEnabled(true);
    WaitForQueuedTick();
    timer.SetEnabled(false);
    ASSERT_TRUE(PumpUntil([] { return Application().MainThreadCalls().PendingCount() == 0; }));
    Application().ProcessMessages();
    EXPECT_EQ(calls, 0);
}

TEST(AsyncTimer, DestroyedWithAQueuedTickWhileNobodyServesTheLoop) {
    int calls = 0;
    auto timer = std::make_unique<TAsyncTimer>();
    timer->SetInterval(1);
    timer->OnTimer = [&](TComponent*) { ++calls; };
    timer->SetEnabled(true);
    WaitForQueuedTick();
    timer.reset();  // must return although the worker waits for the main thread
    EXPECT_EQ(Application().MainThreadCalls().PendingCount(), 0u) << "the queued tick is withdrawn";
    Application().ProcessMessages();
    EXPECT_EQ(calls, 0);
}

TEST(AsyncTimer, DestroyedFromItsOwnOnTimer) {
    auto timer = std::make_unique<TAsyncTimer>();
    timer->SetInterval(1);
    int calls = 0;
    timer->OnTimer = [&](TComponent*) {
        ++calls;
        timer.reset();
    };
    timer->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return timer == nullptr; }));
    EXPECT_EQ(calls, 1);
}

TEST(AsyncTimer, ZeroIntervalDoesNotStartUntilAnIntervalIsSet) {
    ScriptedClock clock({0, 1, 2, 3, 4, 5, 6});
    TAsyncTimer timer(clock.Source());
    int calls = 0;
    timer.OnTimer = [&](TComponent*) { ++calls; };
    timer.SetInterval(0);
    timer.SetEnabled(true);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(clock.Reads(), 0u) << "an enabled timer with interval 0 stays suspended";
    timer.SetInterval(2);
    ASSERT_TRUE(PumpUntil([&] { return calls >= 2; }));
}

TEST(AsyncTimer, AnUnusableClockFallsBackToTheSteadyClock) {
    TAsyncTimer timer(TTickSource{[] { return std::int64_t{0}; }, 0});
    timer.SetInterval(1);
    int calls = 0;
    timer.OnTimer = [&](TComponent*) { ++calls; };
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return calls >= 2; }));
}

}  // namespace
}  // namespace engine
