#include "engine/platform/callback_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace engine {
namespace {

using List = TCallbackList<std::function<void()>>;

TEST(CallbackList, RemovalDuringWalkSkipsTheRemovedAndKeepsTheRunningAlive) {
    List list;
    std::vector<int> calls;
    TLoopHandle second = 0;
    TLoopHandle first = 0;
    first = list.Add([&] {
        calls.push_back(1);
        list.Remove(first);   // itself, while running
        list.Remove(second);  // a later one
        calls.push_back(10);  // still alive after removing itself
    });
    second = list.Add([&] { calls.push_back(2); });
    list.Add([&] { calls.push_back(3); });

    list.ForEach([](auto& callback) { callback(); });
    EXPECT_EQ(calls, (std::vector<int>{1, 10, 3}));

    calls.clear();
    list.ForEach([](auto& callback) { callback(); });
    EXPECT_EQ(calls, (std::vector<int>{3}));
}

TEST(CallbackList, AddedDuringWalkRunsFromTheNextWalk) {
    List list;
    int added = 0;
    list.Add([&] { list.Add([&] { ++added; }); });
    list.ForEach([](auto& callback) { callback(); });
    EXPECT_EQ(added, 0);
    list.ForEach([](auto& callback) { callback(); });
    EXPECT_EQ(added, 1);
}

TEST(CallbackList, EmptyCountsLiveEntriesOnly) {
    List list;
    EXPECT_TRUE(list.Empty());
    const TLoopHandle handle = list.Add([] {});
    EXPECT_FALSE(list.Empty());
    list.Remove(handle + 1);
    EXPECT_FALSE(list.Empty());
    list.Remove(handle);
    EXPECT_TRUE(list.Empty());
}

}  // namespace
}  // namespace engine
