#include "engine/platform/display_restore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <exception>

namespace engine {
namespace {

constexpr int kRestored = 7;

[[noreturn]] void EndAsRestored() { std::_Exit(kRestored); }

TEST(DisplayRestoreDeathTest, ExitRestoresAHeldDisplay) {
    EXPECT_EXIT(
        {
            DisplayRestoreGuard guard(EndAsRestored);
            std::exit(0);
        },
        testing::ExitedWithCode(kRestored), "");
}

TEST(DisplayRestoreDeathTest, TerminateRestoresAHeldDisplay) {
    EXPECT_EXIT(
        {
            DisplayRestoreGuard guard(EndAsRestored);
            std::terminate();
        },
        testing::ExitedWithCode(kRestored), "");
}

TEST(DisplayRestoreDeathTest, ARestoredDisplayIsNotRestoredAgainAtExit) {
    EXPECT_EXIT(
        {
            { DisplayRestoreGuard guard(EndAsRestored); }
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

TEST(DisplayRestore, RunsEachActionOnce) {
    int runs = 0;
    DisplayRestoreGuard first([&runs] { ++runs; });
    DisplayRestoreGuard second([&runs] { runs += 10; });
    RestoreSwitchedDisplays();
    RestoreSwitchedDisplays();
    EXPECT_EQ(runs, 11);
}

}  // namespace
}  // namespace engine
