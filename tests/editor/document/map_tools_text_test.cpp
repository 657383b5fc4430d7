#include "editor/document/overview_cells.h"
#include "editor/document/problem_text.h"
#include "editor/document/recent_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace editor {
namespace {

TEST(RecentFilesTest, NewestFirstEachOnceAtMostEight) {
    std::vector<std::string> list;
    for (int i = 1; i <= 10; ++i) {
        list = WithRecentFile(list, "m" + std::to_string(i) + ".map");
    }
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list.front(), "m10.map");
    EXPECT_EQ(list.back(), "m3.map");
    list = WithRecentFile(list, "m5.map");
    EXPECT_EQ(list.size(), 8u);
    EXPECT_EQ(list[0], "m5.map");
    EXPECT_EQ(list[1], "m10.map");
    EXPECT_EQ(std::count(list.begin(), list.end(), "m5.map"), 1);
    list = WithoutRecentFile(list, "m10.map");
    EXPECT_EQ(list.size(), 7u);
    EXPECT_EQ(list[1], "m9.map");
}

// Every layer and problem, the kind read from the map (an index past the layer says no number),
// the header's problems without a cell.
TEST(ProblemTextTest, SaysWhichRecordWhereAndWhatInRussian) {
    TMapData map;
    map.Header.SizeX = 10;
    map.Header.SizeY = 12;
    map.Header.Surface = 9;
    map.Tiles.push_back({7, 3, 4, {}});
    map.Air.resize(3);
    map.Air[2].Kind = -4;
    struct Case {
        TMapProblem Problem;
        const char* Text;
    };
    const std::vector<Case> cases = {
        {{TProblem::Outside, TMapLayer::Ground, 4, 200, 3, ""}, "Наземный объект №5 в клетке (200, 3): лежит за пределами карты 10 x 12"},
        {{TProblem::Kind, TMapLayer::Tiles, 0, 3, 4, ""}, "Плитка №1 в клетке (3, 4): вида 7 нет в каталоге, он не рисуется"},
        {{TProblem::Kind, TMapLayer::Air, 2, 0, 0, ""}, "Воздушный объект №3 в клетке (0, 0): вида -4 нет в каталоге, он не рисуется"},
        {{TProblem::Kind, TMapLayer::Special, 5, 1, 1, ""}, "Специальный объект №6 в клетке (1, 1): его вида нет в каталоге, он не рисуется"},
        {{TProblem::Kind, TMapLayer::Header, -1, -1, -1, ""}, "Заголовок карты: вида 9 нет в каталоге, он не рисуется"},
        {{TProblem::Duplicate, TMapLayer::Special, 1, 2, 2, ""}, "Специальный объект №2 в клетке (2, 2): в точности повторяет более ранний объект того же слоя"},
        {{TProblem::Header, TMapLayer::Tiles, -1, -1, -1, ""}, "Плитка: счётчики заголовка не совпадают с записями файла"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProblemText(c.Problem, map), c.Text);
    }
}

// The topmost tile with a coloured kind gives the cell's colour, rows from the map's top; tiles off
// the map and kinds without a colour leave what was there; objects cover what they stand on, as far
// as the map reaches.
TEST(OverviewCellsTest, TopTileColoursEachCellRowsFromTheTop) {
    TMapData map;
    map.Header.SizeX = 3;
    map.Header.SizeY = 2;
    map.Tiles = {{0, 0, 0, {}}, {1, 0, 0, {}}, {0, 2, 1, {}}, {5, 2, 1, {}}, {1, 3, 0, {}}, {1, 0, 2, {}}};
    const std::vector<std::uint32_t> colours = {0xFF0000AA, 0xFF00BB00};
    constexpr std::uint32_t kBase = 0xFF111111;
    EXPECT_EQ(OverviewCells(map, colours, kBase),
              std::vector<std::uint32_t>({kBase, kBase, 0xFF0000AA, 0xFF00BB00, kBase, kBase}));

    TGroundObject wide;
    wide.X = 1;
    wide.Y = 1;
    wide.Length = 200;
    map.Ground.push_back(wide);
    TSpecialObject marker;
    marker.X = 2;
    map.Specials.push_back(marker);
    marker.X = 7;
    map.Specials.push_back(marker);
    constexpr std::uint32_t kGround = overview_colours::kGroundObject;
    EXPECT_EQ(OverviewCells(map, colours, kBase),
              std::vector<std::uint32_t>({kBase, kGround, kGround, 0xFF00BB00, kBase, overview_colours::kSpecialObject}));
}

}  // namespace
}  // namespace editor
