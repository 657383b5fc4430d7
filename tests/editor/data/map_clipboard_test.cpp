#include "editor/data/map_clipboard.h"

#include "editor/data/map_history.h"
#include "tests/editor/data/record_builders.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace editor {
namespace {

using namespace test_records;
using Cells = std::vector<std::pair<int, int>>;

template <typename Record>
Cells AnchorsOf(const std::vector<Record>& records) {
    Cells cells;
    for (const Record& record : records) {
        cells.emplace_back(record.X, record.Y);
    }
    return cells;
}

// The anchor cells of every layer of a map or a clipboard.
struct Anchors {
    Cells Tiles;
    Cells Ground;
    Cells Specials;
    Cells Air;

    template <typename Layers>
    static Anchors Of(const Layers& layers) {
        return {AnchorsOf(layers.Tiles), AnchorsOf(layers.Ground), AnchorsOf(layers.Specials), AnchorsOf(layers.Air)};
    }
    bool operator==(const Anchors&) const = default;
};

void PrintTo(const Anchors& anchors, std::ostream* out) {
    for (const Cells& layer : {anchors.Tiles, anchors.Ground, anchors.Specials, anchors.Air}) {
        *out << "[";
        for (const auto& [x, y] : layer) {
            *out << " (" << x << ", " << y << ")";
        }
        *out << " ] ";
    }
}

// A 12 x 10 map with records of every layer inside and around the block (2, 2)..(5, 4).
TMap SampleMap() {
    TMap map;
    map.SetSize(12, 10);
    map.AddTile(0, 1, 2);
    map.AddTile(0, 2, 2);
    map.AddTile(1, 2, 2);
    map.AddTile(2, 5, 4);
    map.AddTile(0, 6, 4);
    map.AddGroundObject(GroundAt(7, 3, 3, 5));  // anchored in the block, reaching out of it
    map.AddGroundObject(GroundAt(8, 1, 2, 3));  // covering cells of the block, anchored outside it
    map.AddGroundObject(GroundAt(9, 5, 2, 1));
    map.AddSpecialObject(SpecialAt(0, 4, 4, "2|2|Script1"));
    map.AddSpecialObject(SpecialAt(0, 9, 9, "gate"));
    map.AddAirObject(AirAt(1, 2, 4, -4, 90));
    map.AddAirObject(AirAt(2, 6, 2, -4, 90));
    return map;
}

constexpr TCellRect kBlock = {2, 2, 4, 3};

TEST(MapClipboardTest, CutAndPasteMoveEveryLayerAndUndoRestoresEachStep) {
    TMap map = SampleMap();
    const std::vector<std::uint8_t> original = EncodeMap(map.Data());
    TMapHistory history;

    const TMapClipboard copied = CopyRegion(map, kBlock);
    EXPECT_EQ(EncodeMap(map.Data()), original) << "copying changes nothing";
    EXPECT_EQ(copied.Length, 4);
    EXPECT_EQ(copied.Width, 3);
    EXPECT_EQ(Anchors::Of(copied), (Anchors{{{0, 0}, {0, 0}, {3, 2}}, {{1, 1}, {3, 0}}, {{2, 2}}, {{0, 2}}}));
    EXPECT_EQ(copied.Tiles[1].Kind, 1) << "stacks keep their order";
    EXPECT_EQ(copied.Ground[0].Length, 5);
    EXPECT_EQ(copied.Specials[0].Param.Text(), "2|2|Script1");
    EXPECT_EQ(copied.Air[0].Opacity, 90);

    history.Begin(map);
    const TMapClipboard cut = CutRegion(map, kBlock);
    ASSERT_TRUE(history.Commit(map));
    EXPECT_EQ(cut, copied) << "cut lifts what copy copies";
    TMap rest;
    rest.SetSize(12, 10);
    rest.AddTile(0, 1, 2);
    rest.AddTile(0, 6, 4);
    rest.AddGroundObject(GroundAt(8, 1, 2, 3));
    rest.AddSpecialObject(SpecialAt(0, 9, 9, "gate"));
    rest.AddAirObject(AirAt(2, 6, 2, -4, 90));
    TMapData expected = rest.Data();
    expected.Header.Version = map.Header().Version;
    EXPECT_EQ(EncodeMap(map.Data()), EncodeMap(expected)) << "the rest in order, blends updated";

    history.Begin(map);
    PasteRegion(map, cut, 7, 6);
    ASSERT_TRUE(history.Commit(map));
    const std::vector<std::uint8_t> pasted = EncodeMap(map.Data());
    EXPECT_EQ(Anchors::Of(map.Data()), (Anchors{{{1, 2}, {6, 4}, {7, 6}, {7, 6}, {10, 8}},
                                                {{1, 2}, {8, 7}, {10, 6}},
                                                {{9, 9}, {9, 8}},
                                                {{6, 2}, {7, 8}}}));
    EXPECT_EQ(map.Data().Air[1].Level, -4);

    history.Begin(map);
    PasteRegion(map, cut, 7, 6);
    ASSERT_TRUE(history.Commit(map));
    EXPECT_EQ(AnchorsOf(map.Data().Tiles), (Cells{{1, 2}, {6, 4}, {7, 6}, {7, 6}, {10, 8}, {7, 6}, {7, 6}}))
        << "as clicks: a lone tile is on top already, a stack of two goes on again";
    EXPECT_EQ(map.Data().Ground.size(), 5u) << "objects stack as clicks stack them";

    history.Undo(map);
    EXPECT_EQ(EncodeMap(map.Data()), pasted);
    history.Undo(map);
    history.Undo(map);
    EXPECT_EQ(EncodeMap(map.Data()), original);
    history.Redo(map);
    history.Redo(map);
    EXPECT_EQ(EncodeMap(map.Data()), pasted);

    history.Begin(map);
    DeleteRegion(map, {7, 6, 4, 3});
    ASSERT_TRUE(history.Commit(map));
    EXPECT_EQ(EncodeMap(map.Data()), EncodeMap(expected)) << "delete takes the pasted block away again";
}

struct PasteCase {
    int SizeX;
    int SizeY;
    int X;
    int Y;
    Anchors Pasted;
};

TEST(MapClipboardTest, RecordsWhoseAnchorWouldLeaveTheMapAreNotPasted) {
    // Lifted from a 3 x 2 block at (1, 1): tiles at (0, 0) and (2, 1), a ground object at (2, 0)
    // reaching five cells to the right, a marker at (1, 1), an air object at (0, 1).
    TMap source;
    source.SetSize(20, 20);
    source.AddTile(0, 1, 1);
    source.AddTile(1, 3, 2);
    source.AddGroundObject(GroundAt(0, 3, 1, 5));
    source.AddSpecialObject(SpecialAt(0, 2, 2, "p"));
    source.AddAirObject(AirAt(0, 1, 2, -4, 90));
    const TMapClipboard clipboard = CopyRegion(source, {1, 1, 3, 2});

    const std::vector<PasteCase> cases = {
        {10, 10, 0, 0, {{{0, 0}, {2, 1}}, {{2, 0}}, {{1, 1}}, {{0, 1}}}},
        {10, 10, 8, 8, {{{8, 8}}, {}, {{9, 9}}, {{8, 9}}}},
        {10, 10, 7, 8, {{{7, 8}, {9, 9}}, {{9, 8}}, {{8, 9}}, {{7, 9}}}},
        {10, 10, -1, -1, {{{1, 0}}, {}, {{0, 0}}, {}}},
        {10, 10, 9, 9, {{{9, 9}}, {}, {}, {}}},
        {10, 10, 200, 3, {}},
        {10, 10, std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), {}},
        {255, 255, 254, 253, {{{254, 253}}, {}, {}, {{254, 254}}}},  // no wrap to column 0
    };
    for (const PasteCase& test : cases) {
        SCOPED_TRACE(std::to_string(test.X) + ", " + std::to_string(test.Y));
        TMap map;
        map.SetSize(static_cast<std::uint8_t>(test.SizeX), static_cast<std::uint8_t>(test.SizeY));
        PasteRegion(map, clipboard, test.X, test.Y);
        EXPECT_EQ(Anchors::Of(map.Data()), test.Pasted);
    }

    const TMapClipboard corner = CopyRegion(source, {-3, -3, 5, 5});
    EXPECT_EQ(corner.Length, 2) << "the block is cut to the map";
    EXPECT_EQ(AnchorsOf(corner.Tiles), (Cells{{1, 1}}));
    const TMapClipboard nowhere = CopyRegion(source, {30, 0, 5, 5});
    EXPECT_TRUE(nowhere.Empty());
    EXPECT_EQ(nowhere.Length, 0);
}

}  // namespace
}  // namespace editor
