#include "engine/core/set_and_notify.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace engine {
namespace {

TEST(SetAndNotify, StoresAndTellsOnlyAChangedValueAfterStoringIt) {
    std::string field = "a";
    std::vector<std::string> heard;
    const auto notify = [&] { heard.push_back(field); };
    SetAndNotify(field, "a", notify);
    EXPECT_TRUE(heard.empty());
    SetAndNotify(field, "b", notify);
    SetAndNotify(field, "b", notify);
    EXPECT_EQ(field, "b");
    EXPECT_EQ(heard, std::vector<std::string>{"b"});
}

}  // namespace
}  // namespace engine
