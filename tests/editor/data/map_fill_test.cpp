#include "editor/data/map_fill.h"

#include "editor/data/map_history.h"
#include "editor/data/top_surface.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace editor {
namespace {

// A map drawn as rows of cells, the top row first: '.' is the base surface, 'a', 'b', ... the kind
// of the top tile. Maps are built with stale blends, as a file may hold them.
using Picture = std::vector<std::string>;

std::uint8_t KindOf(char cell) {
    return static_cast<std::uint8_t>(cell - 'a');
}

// The layers' tiles, lowest layer first, each layer's cells in row order.
TMap MapOf(const std::vector<Picture>& layers) {
    TMapData data;
    data.Header.SizeX = static_cast<std::uint8_t>(layers.front().front().size());
    data.Header.SizeY = static_cast<std::uint8_t>(layers.front().size());
    data.Header.Version.Assign("v1_00");
    for (const Picture& layer : layers) {
        for (int y = 0; y < data.Header.SizeY; ++y) {
            for (int x = 0; x < data.Header.SizeX; ++x) {
                const char cell = layer[layer.size() - 1 - y][x];
                if (cell != '.') {
                    data.Tiles.push_back({KindOf(cell), static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                          {1, 2, 3, 4, 5, 6, 7, 8}});
                }
            }
        }
    }
    TMap map;
    map.Assign(data);
    return map;
}

Picture PictureOf(const TMap& map) {
    const TTopSurfaces top(map.Data().Tiles);
    Picture rows;
    for (int y = map.Header().SizeY - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < map.Header().SizeX; ++x) {
            const int kind = top.At(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
            row += kind == TTopSurfaces::kBaseSurface ? '.' : static_cast<char>('a' + kind);
        }
        rows.push_back(row);
    }
    return rows;
}

// The top layer; under it kind c below the left block of a, and kind a below one b, so only the
// top of a stack decides what a cell shows.
const Picture kTop = {
    "aab..bba",
    "a.b..b.a",
    "aabbbb.a",
    "..a.c..a",
    "cc..c..a",
};
const Picture kUnder = {
    "........",
    "........",
    "cc......",
    "........",
    "........",
};
const Picture kUnderB = {
    "........",
    "........",
    "..a.....",
    "........",
    "........",
};

struct FillCase {
    const char* Name;
    std::function<void(TMap&)> Fill;
    Picture After;
};

TEST(MapFillTest, FillsShowTheKindWhereExpectedAndEqualTheSurfaceToolsClicks) {
    const std::vector<FillCase> cases = {
        {"flood over a connected kind, not its diagonal or lower layers",
         [](TMap& map) { FloodFill(map, 0, 2, KindOf('d')); },
         {"ddb..bba", "d.b..b.a", "ddbbbb.a", "..a.c..a", "cc..c..a"}},
        {"flood over the base surface",
         [](TMap& map) { FloodFill(map, 6, 3, KindOf('e')); },
         {"aab..bba", "a.b..bea", "aabbbbea", "..a.ceea", "cc..ceea"}},
        {"flood with the kind already there", [](TMap& map) { FloodFill(map, 7, 0, KindOf('a')); }, kTop},
        {"flood off the map", [](TMap& map) { FloodFill(map, 8, 0, KindOf('d')); }, kTop},
        {"flood at a negative cell", [](TMap& map) { FloodFill(map, -1, 2, KindOf('d')); }, kTop},
        {"rectangle past the edge, over cells of its kind",
         [](TMap& map) { FillRectangle(map, {5, 2, std::numeric_limits<int>::max(), 2}, KindOf('b')); },
         {"aab..bba", "a.b..bbb", "aabbbbbb", "..a.c..a", "cc..c..a"}},
        {"rectangle dragged down to the left",
         [](TMap& map) { FillRectangle(map, CellRectBetween(2, 1, 0, 0), KindOf('c')); },
         {"aab..bba", "a.b..b.a", "aabbbb.a", "ccc.c..a", "ccc.c..a"}},
        {"rectangle wholly off the map", [](TMap& map) { FillRectangle(map, {-4, 0, 3, 9}, KindOf('d')); }, kTop},
    };
    for (const FillCase& test : cases) {
        SCOPED_TRACE(test.Name);
        TMap map = MapOf({kUnder, kUnderB, kTop});
        ASSERT_EQ(PictureOf(map), kTop);
        const std::vector<std::uint8_t> before = EncodeMap(map.Data());
        TMapHistory history;
        history.Begin(map);
        test.Fill(map);
        EXPECT_EQ(history.Commit(map), test.After != kTop) << "one step, or none when nothing changed";
        EXPECT_EQ(PictureOf(map), test.After);

        // The surface tool clicked on every changed cell, row by row from the bottom.
        TMap clicked = MapOf({kUnder, kUnderB, kTop});
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 8; ++x) {
                const char cell = test.After[4 - y][x];
                if (cell != kTop[4 - y][x]) {
                    clicked.AddTile(KindOf(cell), static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
                }
            }
        }
        EXPECT_EQ(EncodeMap(map.Data()), EncodeMap(clicked.Data())) << "tiles, their order and blends";

        history.Undo(map);
        EXPECT_EQ(EncodeMap(map.Data()), before) << "undone byte for byte";
    }
}

}  // namespace
}  // namespace editor
