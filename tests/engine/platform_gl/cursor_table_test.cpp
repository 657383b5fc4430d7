#include "engine/platform/cursor_table.h"

#include "tests/engine/platform/cursor_builder.h"

#include <gtest/gtest.h>
#include <SDL.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace engine {
namespace {

using std::chrono::milliseconds;

const CursorClock::time_point kStart = CursorClock::time_point{} + std::chrono::hours(2);

// Two frames shown in the order 0, 1, 0 for 100, 200 and 300 ms.
CursorFile Animated() {
    tests::DibDesc desc;
    desc.pixel = [](int x, int) { return x < 2 ? 0xffff0000u : 0u; };
    CursorFile cursor;
    cursor.frames.push_back(ReadCursorFile(tests::Cursor(desc, 1, 1)).frames[0]);
    desc.pixel = [](int, int) { return 0xff0000ffu; };
    cursor.frames.push_back(ReadCursorFile(tests::Cursor(desc, 2, 2)).frames[0]);
    cursor.sequence = {0, 1, 0};
    cursor.ratesJiffies = {6, 12, 18};
    return cursor;
}

class CursorTableTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        m_window = SDL_CreateWindow("cursor test", 0, 0, 64, 64, 0);
        ASSERT_NE(m_window, nullptr);
    }
    void TearDown() override {
        SDL_DestroyWindow(m_window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    SDL_Window* m_window = nullptr;
};

TEST_F(CursorTableTest, ASelectedSlotShowsItsCursorAndAnimatesAtItsRates) {
    CursorTable table;
    table.Assign(1, Animated());
    table.Select(1, kStart);
    SDL_Cursor* const first = SDL_GetCursor();
    EXPECT_NE(first, SDL_GetDefaultCursor());
    EXPECT_EQ(table.ShownFrame(), 0u);

    table.Update(kStart + milliseconds(99));
    EXPECT_EQ(SDL_GetCursor(), first);
    table.Update(kStart + milliseconds(100));
    EXPECT_EQ(table.ShownFrame(), 1u);
    SDL_Cursor* const second = SDL_GetCursor();
    EXPECT_NE(second, first);

    // The game selects the same slot every few milliseconds: that must not restart the animation.
    table.Select(1, kStart + milliseconds(150));
    EXPECT_EQ(table.ShownFrame(), 1u);
    table.Update(kStart + milliseconds(300));
    EXPECT_EQ(SDL_GetCursor(), first);
}

TEST_F(CursorTableTest, AnEmptySlotShowsTheSystemArrow) {
    CursorTable table;
    table.Assign(1, Animated());
    table.Select(1, kStart);
    table.Select(5, kStart);
    EXPECT_EQ(SDL_GetCursor(), SDL_GetDefaultCursor());
    EXPECT_FALSE(table.Has(5));
    EXPECT_EQ(table.Selected(), 5);
}

TEST_F(CursorTableTest, AFileThatCannotBeLoadedLeavesTheSlotAsItWas) {
    const std::string path = testing::TempDir() + "h7_cursor_test.ani";
    CursorTable table;
    {
        const tests::Bytes bytes = tests::Ani({1, 1, 10, 1, std::nullopt, std::nullopt, {tests::Cursor({})}});
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    EXPECT_TRUE(table.LoadFromFile(3, path));
    EXPECT_TRUE(table.Has(3));
    {
        std::ofstream(path, std::ios::binary) << "RIFF";
    }
    EXPECT_FALSE(table.LoadFromFile(3, path));
    EXPECT_NE(table.LastError().find("Animated cursor"), std::string::npos);
    EXPECT_TRUE(table.Has(3));
    EXPECT_FALSE(table.LoadFromFile(4, path + ".missing"));
    EXPECT_FALSE(table.Has(4));
    std::remove(path.c_str());
}

TEST_F(CursorTableTest, ReplacingTheShownCursorShowsTheNewOne) {
    CursorTable table;
    table.Assign(2, Animated());
    table.Select(2, kStart);
    SDL_Cursor* const before = SDL_GetCursor();
    table.Assign(2, Animated());
    EXPECT_NE(SDL_GetCursor(), before);
    EXPECT_NE(SDL_GetCursor(), SDL_GetDefaultCursor());
}

}  // namespace
}  // namespace engine
