#include "platform/random.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform {
namespace {

TEST(Random, StaysInRangeAndCoversIt) {
    SetRandomSeed(12345);
    std::vector<int> counts(10, 0);
    for (int i = 0; i < 10000; ++i) {
        const int value = Random(10);
        ASSERT_GE(value, 0);
        ASSERT_LT(value, 10);
        ++counts[value];
    }
    for (int count : counts) {
        EXPECT_GT(count, 800);
        EXPECT_LT(count, 1200);
    }
    for (int i = 0; i < 10000; ++i) {
        const double value = RandomFloat();
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
    }
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-3), 0);
}

TEST(Random, SavedStateReplaysTheSameSequence) {
    Randomize();
    const auto saved = GetRandomSeed();
    std::vector<int> first;
    for (int i = 0; i < 20; ++i) {
        first.push_back(Random(1000));
    }
    SetRandomSeed(saved);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(Random(1000), first[i]);
    }
}

}  // namespace
}  // namespace platform
