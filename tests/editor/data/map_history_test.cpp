#include "editor/data/map_history.h"

#include "editor/data/map_file.h"
#include "platform/random.h"

#include <gtest/gtest.h>

#include <random>

namespace editor {
namespace {

using Bytes = std::vector<std::uint8_t>;

// One random edit of any kind, on a small map so that edits meet: tiles next to and on top of
// each other, removals that move the last record, header changes.
void RandomEdit(TMap& map, std::mt19937& random) {
    const auto cell = [&] { return static_cast<std::uint8_t>(random() % 4); };
    switch (random() % 7) {
    case 0: map.AddTile(static_cast<std::uint8_t>(random() % 2), cell(), cell()); break;
    case 1: map.DeleteTileAt(cell(), cell()); break;
    case 2: {
        TGroundObject object;
        object.X = cell();
        object.Angle = static_cast<std::int32_t>(random() % 360);
        map.AddGroundObject(object);
        break;
    }
    case 3: map.DeleteGroundAt(cell(), 0); break;
    case 4: {
        TSpecialObject object;
        object.Param.Assign(std::to_string(random()));
        map.AddSpecialObject(object);
        map.DeleteSpecialAt(0, 0);
        break;
    }
    case 5: {
        TAirObject object;
        object.Y = cell();
        map.AddAirObject(object);
        break;
    }
    default: map.SetSize(static_cast<std::uint8_t>(4 + random() % 3), 5); break;
    }
}

TEST(MapHistoryTest, UndoAndRedoRestoreEveryStateByteForByte) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        TMap map;
        // A loaded file may hold blends the editor would not compute; the first tile edit
        // recomputes them all, and undo must bring the stored ones back.
        TMapData loaded = map.Data();
        loaded.Tiles.push_back({0, 1, 1, {255, 255, 255, 255, 255, 255, 255, 255}});
        map.Assign(loaded);
        TMapHistory history;
        history.Clear(true);
        std::vector<Bytes> states = {EncodeMap(map.Data())};
        for (int i = 0; i < 30; ++i) {
            history.Begin(map);
            RandomEdit(map, random);
            if (random() % 3 == 0) {
                RandomEdit(map, random);  // two edits in one step, as a drag stroke makes them
            }
            if (history.Commit(map)) {
                states.push_back(EncodeMap(map.Data()));
            } else {
                EXPECT_EQ(EncodeMap(map.Data()), states.back()) << "no step means no change";
            }
        }
        for (std::size_t i = states.size() - 1; i > 0; --i) {
            ASSERT_TRUE(history.Undo(map));
            ASSERT_EQ(EncodeMap(map.Data()), states[i - 1]) << "seed " << seed << " state " << i - 1;
        }
        EXPECT_FALSE(history.Undo(map));
        for (std::size_t i = 1; i < states.size(); ++i) {
            ASSERT_TRUE(history.Redo(map));
            ASSERT_EQ(EncodeMap(map.Data()), states[i]) << "seed " << seed << " state " << i;
        }
        EXPECT_FALSE(history.Redo(map));
    }
}

TEST(MapHistoryTest, KeepsTheNewestStepsUpToItsLimit) {
    TMap map;
    TMapHistory history;
    for (int i = 0; i < 250; ++i) {
        history.Begin(map);
        map.AddTile(0, static_cast<std::uint8_t>(i % 200), static_cast<std::uint8_t>(i / 200));
        ASSERT_TRUE(history.Commit(map));
    }
    int undone = 0;
    while (history.Undo(map)) {
        ++undone;
    }
    EXPECT_EQ(undone, static_cast<int>(history_limits::kUndoSteps));
    EXPECT_GE(history_limits::kUndoSteps, 100u);
    EXPECT_EQ(map.Data().Tiles.size(), 50u);
    EXPECT_TRUE(history.Modified()) << "the saved state fell off the end";
}

TEST(MapHistoryTest, ModifiedFollowsTheSavedStateThroughUndoAndNewSteps) {
    TMap map;
    TMapHistory history;
    const auto edit = [&](std::uint8_t x) {
        history.Begin(map);
        map.AddTile(0, x, 0);
        history.Commit(map);
    };
    EXPECT_FALSE(history.Modified());
    edit(1);
    EXPECT_TRUE(history.Modified());
    history.MarkSaved();
    EXPECT_FALSE(history.Modified());
    edit(2);
    history.Undo(map);
    EXPECT_FALSE(history.Modified()) << "undone back to the saved state";
    history.Undo(map);
    EXPECT_TRUE(history.Modified());
    history.Redo(map);
    edit(3);
    EXPECT_FALSE(history.CanRedo()) << "a new step drops what was undone";
    EXPECT_TRUE(history.Modified());
    history.Begin(map);
    EXPECT_FALSE(history.Commit(map)) << "a step that changed nothing is no step";
    history.Begin(map);
    map.AddTile(0, 9, 9);
    EXPECT_FALSE(history.Undo(map)) << "no undo in the middle of a step";
    history.Commit(map);
    history.Clear(false);
    EXPECT_TRUE(history.Modified()) << "a restored autosave is no file on disk";
    EXPECT_FALSE(history.CanUndo());
    history.Clear(true);
    EXPECT_FALSE(history.Modified());
}

}  // namespace
}  // namespace editor
