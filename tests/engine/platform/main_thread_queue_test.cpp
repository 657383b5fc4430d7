#include "engine/platform/main_thread_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>

namespace engine {
namespace {

void WaitUntilQueued(const TMainThreadQueue& queue, std::size_t count) {
    while (queue.PendingCount() < count) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

const auto kIgnoreErrors = [](std::exception_ptr) {};

TEST(MainThreadQueue, SynchronisedCallRunsOnTheMainThreadAndTheWorkerWaitsForIt) {
    TMainThreadQueue queue;
    TSynchronizer sync(queue);
    std::thread::id ranOn;
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        EXPECT_TRUE(sync.Call([&] { ranOn = std::this_thread::get_id(); }));
        returned = true;
    });
    WaitUntilQueued(queue, 1);
    EXPECT_FALSE(returned) << "the worker waits while the call is queued";
    EXPECT_EQ(queue.RunPending(kIgnoreErrors), 1u);
    worker.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_TRUE(returned);
}

TEST(MainThreadQueue, CancelReleasesAWorkerWhoseCallNobodyRuns) {
    TMainThreadQueue queue;
    TSynchronizer sync(queue);
    bool ran = false;
    auto result = std::async(std::launch::async, [&] { return sync.Call([&] { ran = true; }); });
    WaitUntilQueued(queue, 1);
    sync.Cancel();
    EXPECT_FALSE(result.get());
    EXPECT_EQ(queue.PendingCount(), 0u) << "the cancelled call is withdrawn";
    queue.RunPending(kIgnoreErrors);
    EXPECT_FALSE(ran);
    auto again = std::async(std::launch::async, [&] { return sync.Call([&] { ran = true; }); });
    EXPECT_FALSE(again.get()) << "a cancelled synchroniser refuses new calls";
    EXPECT_EQ(queue.PendingCount(), 0u);
}

TEST(MainThreadQueue, CancelFromInsideTheRunningCallReleasesTheWorker) {
    // The shape of a timer destroyed by its own handler: the main thread, inside the call, stops and
    // joins the worker that is waiting for that very call.
    TMainThreadQueue queue;
    TSynchronizer sync(queue);
    bool result = true;
    std::thread worker;
    worker = std::thread([&] {
        result = sync.Call([&] {
            sync.Cancel();
            worker.join();
        });
    });
    WaitUntilQueued(queue, 1);
    EXPECT_EQ(queue.RunPending(kIgnoreErrors), 1u);
    EXPECT_FALSE(worker.joinable());
    EXPECT_FALSE(result);
}

TEST(MainThreadQueue, ExceptionInACallIsReportedAndLaterCallsStillRun) {
    TMainThreadQueue queue;
    bool later = false;
    std::string reported;
    queue.Post([] { throw std::runtime_error("broken call"); });
    queue.Post([&] { later = true; });
    queue.RunPending([&](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            reported = e.what();
        }
    });
    EXPECT_EQ(reported, "broken call");
    EXPECT_TRUE(later);
}

TEST(MainThreadQueue, RunPendingLeavesCallsPostedMeanwhileForTheNextPass) {
    TMainThreadQueue queue;
    int runs = 0;
    std::function<void()> again = [&] {
        ++runs;
        queue.Post(again);
    };
    queue.Post(again);
    EXPECT_EQ(queue.RunPending(kIgnoreErrors), 1u);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(queue.PendingCount(), 1u);
}

TEST(MainThreadQueue, CallFromTheMainThreadRunsDirectly) {
    TMainThreadQueue queue;
    TSynchronizer sync(queue);
    bool ran = false;
    EXPECT_TRUE(sync.Call([&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_EQ(queue.PendingCount(), 0u);
}

}  // namespace
}  // namespace engine
