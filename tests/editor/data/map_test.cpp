#include "editor/data/map.h"

#include "editor/data/kind_catalogue.h"
#include "platform/paths.h"
#include "platform/random.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace editor {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void AppendI32(Bytes& bytes, std::int32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
    }
}

// A map with one record of each kind and non-zero padding everywhere, written out by hand.
Bytes GoldenMapBytes() {
    Bytes b = {10, 12, 2, 0xEE};
    AppendI32(b, 1);
    AppendI32(b, 1);
    AppendI32(b, 1);
    AppendI32(b, 1);
    b.insert(b.end(), {5, 'v', '1', '_', '4', '7', 0xA1, 0xA2});
    b.insert(b.end(), {3, 7, 9, 0, 255, 0, 255, 0, 0, 255, 255});  // tile
    AppendI32(b, 2);                                                // ground kind
    AppendI32(b, 350);
    b.insert(b.end(), {4, 5, 3, 2, 10, 0xB1, 0xB2, 0xB3});
    b.insert(b.end(), {0, 6, 8, 7, '3', '|', '4', '|', 'g', 'o', 'o'});  // special
    b.insert(b.end(), 13, 0);
    AppendI32(b, 1);  // air kind
    AppendI32(b, 90);
    AppendI32(b, -10);
    b.insert(b.end(), {250, 251, 20, 19, 7, 128, 0xC1, 0xC2});
    return b;
}

class MapTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("map_test_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }
    std::string Write(const std::string& name, const Bytes& bytes) const {
        platform::WriteFileAtomically(PathOf(name), bytes);
        return PathOf(name);
    }
    Bytes Saved(const TMap& map) const {
        map.SaveMap(PathOf("saved.map"));
        return platform::ReadWholeFile(PathOf("saved.map"));
    }

    fs::path m_folder;
};

TEST_F(MapTest, NewMapSavesAsExactly28Bytes) {
    TMap map;
    map.AddTile(1, 1, 1);
    int fired = 0;
    map.OnNewMap = [&] { ++fired; };
    for (std::uint32_t seed : {0u, 1u, 77u, 123456u}) {
        platform::SetRandomSeed(seed);
        map.NewMap();
        const Bytes bytes = Saved(map);
        ASSERT_EQ(bytes.size(), 28u);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 21),
                  (Bytes{4, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5}));
        EXPECT_EQ(std::string(bytes.begin() + 21, bytes.begin() + 24), "v1_");
        EXPECT_GE(bytes[24], '0');
        EXPECT_LE(bytes[24], '8');
        EXPECT_GE(bytes[25], '0');
        EXPECT_LE(bytes[25], '8');
        EXPECT_EQ(bytes[26], 0);
        EXPECT_EQ(bytes[27], 0);
    }
    EXPECT_EQ(fired, 4);
}

TEST_F(MapTest, GoldenFileLoadsFieldByFieldAndSavesBackByteForByte) {
    const Bytes golden = GoldenMapBytes();
    ASSERT_EQ(golden.size(), 28u + 11 + 16 + 24 + 20);
    TMap map;
    ASSERT_TRUE(map.LoadMap(Write("golden.map", golden)));
    const TMapData& data = map.Data();
    EXPECT_EQ(data.Header.SizeX, 10);
    EXPECT_EQ(data.Header.SizeY, 12);
    EXPECT_EQ(data.Header.Surface, 2);
    EXPECT_EQ(data.Header.Version.Text(), "v1_47");
    ASSERT_EQ(data.Tiles.size(), 1u);
    EXPECT_EQ(data.Tiles[0].Kind, 3);
    EXPECT_EQ(data.Tiles[0].X, 7);
    EXPECT_EQ(data.Tiles[0].Y, 9);
    EXPECT_EQ(data.Tiles[0].Blend, (std::array<std::uint8_t, 8>{0, 255, 0, 255, 0, 0, 255, 255}));
    ASSERT_EQ(data.Ground.size(), 1u);
    EXPECT_EQ(data.Ground[0].Kind, 2);
    EXPECT_EQ(data.Ground[0].Angle, 350);
    EXPECT_EQ(data.Ground[0].X, 4);
    EXPECT_EQ(data.Ground[0].Y, 5);
    EXPECT_EQ(data.Ground[0].Length, 3);
    EXPECT_EQ(data.Ground[0].Width, 2);
    EXPECT_EQ(data.Ground[0].Height, 10);
    ASSERT_EQ(data.Specials.size(), 1u);
    EXPECT_EQ(data.Specials[0].Kind, 0);
    EXPECT_EQ(data.Specials[0].X, 6);
    EXPECT_EQ(data.Specials[0].Y, 8);
    EXPECT_EQ(data.Specials[0].Param.Text(), "3|4|goo");
    ASSERT_EQ(data.Air.size(), 1u);
    EXPECT_EQ(data.Air[0].Kind, 1);
    EXPECT_EQ(data.Air[0].Angle, 90);
    EXPECT_EQ(data.Air[0].Level, -10);
    EXPECT_EQ(data.Air[0].X, 250);
    EXPECT_EQ(data.Air[0].Y, 251);
    EXPECT_EQ(data.Air[0].Length, 20);
    EXPECT_EQ(data.Air[0].Width, 19);
    EXPECT_EQ(data.Air[0].Height, 7);
    EXPECT_EQ(data.Air[0].Opacity, 128);

    EXPECT_EQ(Saved(map), golden) << "blend and padding come back as they stood";
}

TEST_F(MapTest, RecordsMadeInMemoryEncodeToTheGoldenLayout) {
    TMapData data;
    data.Header.SizeX = 10;
    data.Header.SizeY = 12;
    data.Header.Surface = 2;
    data.Header.Padding3 = 0xEE;
    data.Header.TileCount = data.Header.GroundCount = data.Header.SpecialCount = data.Header.AirCount = 1;
    data.Header.Version.Assign("v1_47");
    data.Header.Padding26 = {0xA1, 0xA2};
    data.Tiles.push_back({3, 7, 9, {0, 255, 0, 255, 0, 0, 255, 255}});
    data.Ground.push_back({2, 350, 4, 5, 3, 2, 10, {0xB1, 0xB2, 0xB3}});
    TSpecialObject special{0, 6, 8, {}};
    special.Param.Assign("3|4|goo");
    data.Specials.push_back(special);
    data.Air.push_back({1, 90, -10, 250, 251, 20, 19, 7, 128, {0xC1, 0xC2}});
    EXPECT_EQ(EncodeMap(data), GoldenMapBytes());
}

TEST_F(MapTest, ParamIsCutToTwentyCharactersWithZerosAfterTheText) {
    TSpecialObject special;
    special.Param.Assign("12|34|a very long script name");
    EXPECT_EQ(special.Param.Length, 20);
    EXPECT_EQ(special.Param.Text(), "12|34|a very long sc");
    special.Param.Assign("ab");
    EXPECT_EQ(special.Param.Text(), "ab");
    EXPECT_EQ(special.Param.Chars[2], 0) << "nothing of the longer text is left behind";
    special.Param.Length = 200;
    EXPECT_EQ(special.Param.Text().size(), 20u) << "a lying length byte reads no further than the field";
}

TEST_F(MapTest, FailedLoadsLeaveTheMapExactlyAsItWas) {
    TMap map;
    map.AddTile(1, 2, 3);
    map.AddTile(1, 3, 3);
    TGroundObject ground;
    ground.X = 9;
    map.AddGroundObject(ground);
    const Bytes before = Saved(map);

    const Bytes golden = GoldenMapBytes();
    Bytes wrongVersion = golden;
    wrongVersion[22] = '2';
    Bytes truncated(golden.begin(), golden.end() - 1);
    Bytes headerOnly(golden.begin(), golden.begin() + 27);
    Bytes negative = golden;
    negative[8 + 3] = 0x80;  // GroundCount < 0
    Bytes huge = golden;
    for (int i = 0; i < 4; ++i) {
        huge[4 + i] = i == 3 ? 0x7F : 0xFF;  // TileCount 2^31 - 1
    }

    EXPECT_FALSE(map.LoadMap(PathOf("missing.map")));
    EXPECT_FALSE(map.LoadMap(Write("v2.map", wrongVersion)));
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, Bytes>>{
             {"truncated.map", truncated}, {"header.map", headerOnly}, {"huge.map", huge}}) {
        try {
            map.LoadMap(Write(name, bytes));
            ADD_FAILURE() << name << " must not load";
        } catch (const MapFileError& error) {
            EXPECT_STREQ(error.what(), "Read beyond end of file") << name;
        }
    }
    EXPECT_THROW(map.LoadMap(Write("negative.map", negative)), MapFileError);
    EXPECT_FALSE(map.LoadMap(m_folder.string())) << "a folder is no map file";
    EXPECT_EQ(Saved(map), before);
    EXPECT_EQ(map.Data().Header.TileCount, 2);
    EXPECT_EQ(map.Data().Tiles.size(), 2u);
}

TEST_F(MapTest, LoadFindsTheFileWhateverTheCaseAndSeparators) {
    fs::create_directories(m_folder / "Maps");
    Write("Maps/Level.map", GoldenMapBytes());
    TMap map;
    EXPECT_TRUE(map.LoadMap(m_folder.string() + "\\maps\\LEVEL.MAP"));
    EXPECT_EQ(map.Data().Header.SizeX, 10);
}

TEST_F(MapTest, FailedSaveKeepsThePreviousFileAndTheMap) {
    TMap map;
    map.AddTile(4, 4, 4);
    const std::string target = Write("keep.map", GoldenMapBytes());
    EXPECT_THROW(map.SaveMap(PathOf("no/such/folder/x.map")), MapFileError);
    fs::create_directories(m_folder / "dir.map");
    EXPECT_THROW(map.SaveMap(PathOf("dir.map")), MapFileError);
    EXPECT_TRUE(fs::is_directory(m_folder / "dir.map"));
    EXPECT_EQ(platform::ReadWholeFile(target), GoldenMapBytes());
    map.SaveMap(target);
    EXPECT_EQ(platform::ReadWholeFile(target).size(), 28u + 11);
    for (const auto& entry : fs::directory_iterator(m_folder)) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << "temporary left behind";
    }
}

TEST_F(MapTest, HeaderFieldsSetByThePropertiesDialogAreSaved) {
    TMap map;
    map.SetSize(255, 17);
    map.SetSurface(3);
    const Bytes bytes = Saved(map);
    EXPECT_EQ(bytes[0], 255);
    EXPECT_EQ(bytes[1], 17);
    EXPECT_EQ(bytes[2], 3);
}

std::array<std::uint8_t, 8> BlendOf(const TMap& map, std::size_t index) {
    return map.Data().Tiles.at(index).Blend;
}

TEST_F(MapTest, BlendOpensOnlyVerticesSurroundedByTheSameKind) {
    TMap map;
    map.AddTile(2, 5, 5);
    EXPECT_EQ(BlendOf(map, 0), (std::array<std::uint8_t, 8>{}));
    map.AddTile(2, 6, 5);
    EXPECT_EQ(BlendOf(map, 0), (std::array<std::uint8_t, 8>{0, 0, 0, 0, 255, 0, 0, 0}));
    EXPECT_EQ(BlendOf(map, 1), (std::array<std::uint8_t, 8>{0, 0, 0, 255, 0, 0, 0, 0}));

    TMap block;
    for (int x = 4; x <= 6; ++x) {
        for (int y = 4; y <= 6; ++y) {
            block.AddTile(1, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
        }
    }
    block.AddTile(2, 7, 5);  // another kind beside the block counts for nothing
    const std::size_t centre = 4;
    ASSERT_EQ(block.Data().Tiles[centre].X, 5);
    ASSERT_EQ(block.Data().Tiles[centre].Y, 5);
    EXPECT_EQ(BlendOf(block, centre), (std::array<std::uint8_t, 8>{255, 255, 255, 255, 255, 255, 255, 255}));
    EXPECT_EQ(BlendOf(block, 7), (std::array<std::uint8_t, 8>{255, 255, 0, 255, 0, 255, 255, 0}))
        << "tile (6, 5) stays closed towards the other kind on its right";
}

TEST_F(MapTest, NeighboursWrapAtColumnAndRowZero) {
    TMap map;
    map.AddTile(0, 0, 0);
    map.AddTile(0, 1, 0);
    map.AddTile(0, 0, 1);
    map.AddTile(0, 1, 1);
    EXPECT_EQ(BlendOf(map, 0)[map_layout::kBlendLeft], 0) << "column 255 holds nothing";
    EXPECT_EQ(BlendOf(map, 0)[map_layout::kBlendUpperRight], 255);
    map.AddTile(0, 255, 0);
    EXPECT_EQ(BlendOf(map, 0)[map_layout::kBlendLeft], 255) << "column 0's left neighbour is column 255";
    EXPECT_EQ(BlendOf(map, 4)[map_layout::kBlendRight], 255);
}

TEST_F(MapTest, RemovalMovesTheLastRecordIntoTheGap) {
    const auto ground = [](std::int32_t kind, std::uint8_t x) {
        TGroundObject object;
        object.Kind = kind;
        object.X = x;
        object.Y = 1;
        object.Length = 3;
        object.Width = 3;
        return object;
    };
    const auto kinds = [](const TMap& map) {
        std::vector<std::int32_t> result;
        for (const TGroundObject& object : map.Data().Ground) {
            result.push_back(object.Kind);
        }
        return result;
    };
    TMap map;
    map.AddGroundObject(ground(10, 1));
    map.AddGroundObject(ground(20, 2));
    map.AddGroundObject(ground(30, 3));
    map.AddGroundObject(ground(40, 1));

    map.DeleteGroundAt(2, 2);  // covered by the first object, but not its anchor
    EXPECT_EQ(kinds(map), (std::vector<std::int32_t>{10, 20, 30, 40}));
    map.DeleteGroundAt(1, 1);  // the first match, whatever its kind
    EXPECT_EQ(kinds(map), (std::vector<std::int32_t>{40, 20, 30}));
    map.DeleteGroundAt(3, 1);  // the last record simply goes
    EXPECT_EQ(kinds(map), (std::vector<std::int32_t>{40, 20}));
    map.DeleteGroundAt(2, 1);
    map.DeleteGroundAt(1, 1);
    EXPECT_TRUE(map.Data().Ground.empty());
    EXPECT_EQ(map.Data().Header.GroundCount, 0);

    TSpecialObject special;
    special.X = 5;
    map.AddSpecialObject(special);
    TAirObject air;
    air.Y = 6;
    map.AddAirObject(air);
    map.DeleteSpecialAt(0, 6);
    map.DeleteAirAt(5, 0);
    EXPECT_EQ(map.Data().Header.SpecialCount, 1);
    EXPECT_EQ(map.Data().Header.AirCount, 1);
    map.DeleteSpecialAt(5, 0);
    map.DeleteAirAt(0, 6);
    EXPECT_EQ(map.Data().Header.SpecialCount, 0);
    EXPECT_EQ(map.Data().Header.AirCount, 0);
}

TEST_F(MapTest, DeletingATileReopensItsNeighboursBlend) {
    TMap map;
    map.AddTile(1, 0, 0);
    map.AddTile(1, 1, 0);
    map.AddTile(2, 1, 0);
    map.AddTile(1, 2, 0);
    ASSERT_EQ(BlendOf(map, 0)[map_layout::kBlendRight], 255);
    map.DeleteTileAt(1, 0);  // the first tile there, kind 1; the last tile moves into its place
    ASSERT_EQ(map.Data().Tiles.size(), 3u);
    EXPECT_EQ(map.Data().Tiles[1].X, 2);
    EXPECT_EQ(BlendOf(map, 0)[map_layout::kBlendRight], 0);
    EXPECT_TRUE(map.FindTile(2, 1, 0));
    EXPECT_FALSE(map.FindTile(1, 1, 0));
    EXPECT_EQ(map.Data().Header.TileCount, 3);
}

// The blend rule exactly as first written: every neighbour looked up by a walk over all tiles.
void ReferenceUpdateTileBlend(std::vector<TSurfaceTile>& tiles) {
    const auto find = [&](std::uint8_t kind, int x, int y) {
        for (const TSurfaceTile& tile : tiles) {
            if (tile.Kind == kind && tile.X == static_cast<std::uint8_t>(x) && tile.Y == static_cast<std::uint8_t>(y)) {
                return true;
            }
        }
        return false;
    };
    for (TSurfaceTile& t : tiles) {
        const std::uint8_t k = t.Kind;
        const int x = t.X;
        const int y = t.Y;
        const auto alpha = [](bool covered) { return covered ? std::uint8_t{255} : std::uint8_t{0}; };
        t.Blend[0] = alpha(find(k, x - 1, y - 1) && find(k, x - 1, y) && find(k, x, y - 1));
        t.Blend[1] = alpha(find(k, x, y - 1));
        t.Blend[2] = alpha(find(k, x + 1, y - 1) && find(k, x, y - 1) && find(k, x + 1, y));
        t.Blend[3] = alpha(find(k, x - 1, y));
        t.Blend[4] = alpha(find(k, x + 1, y));
        t.Blend[5] = alpha(find(k, x - 1, y + 1) && find(k, x, y + 1) && find(k, x - 1, y));
        t.Blend[6] = alpha(find(k, x, y + 1));
        t.Blend[7] = alpha(find(k, x + 1, y + 1) && find(k, x, y + 1) && find(k, x + 1, y));
    }
}

TEST_F(MapTest, IndexedBlendMatchesTheLinearSearchOnRandomMaps) {
    std::mt19937 random(20261209);
    const std::vector<std::uint8_t> kinds = {0, 1, 2, 255};
    for (int round = 0; round < 40; ++round) {
        TMap map;
        // Cells cluster around the wrap of columns and rows, so stacked tiles and wrapped neighbours abound.
        const int spread = 3 + round % 6;
        const int count = 20 + static_cast<int>(random() % 200);
        for (int i = 0; i < count; ++i) {
            const auto x = static_cast<std::uint8_t>(static_cast<int>(random() % spread) - spread / 2);
            const auto y = static_cast<std::uint8_t>(static_cast<int>(random() % spread) - spread / 2);
            map.AddTile(kinds[random() % kinds.size()], x, y);
            if (random() % 5 == 0) {
                map.DeleteTileAt(static_cast<std::uint8_t>(random() % spread), y);
            }
        }
        std::vector<TSurfaceTile> expected = map.Data().Tiles;
        ReferenceUpdateTileBlend(expected);
        ASSERT_EQ(map.Data().Tiles.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(map.Data().Tiles[i].Blend, expected[i].Blend) << "round " << round << ", tile " << i;
        }
    }
}

TEST_F(MapTest, FirstTileEditAfterAnAssignUpdatesEveryStaleBlend) {
    // Blends stored in a file need not follow the rule; the first edit updates them all, as it
    // always did, and not only those around the edited cell.
    TMapData data;
    for (std::uint8_t x = 0; x < 6; ++x) {
        data.Tiles.push_back({1, x, 0, {1, 2, 3, 4, 5, 6, 7, 8}});
    }
    TMap map;
    map.Assign(data);
    map.AddTile(2, 40, 40);
    std::vector<TSurfaceTile> expected = map.Data().Tiles;
    ReferenceUpdateTileBlend(expected);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(map.Data().Tiles[i].Blend, expected[i].Blend) << "tile " << i;
    }
}

TEST(KindCatalogues, LookupsTakeTheFirstEntryWithTheId) {
    TKindCatalogues catalogues;
    catalogues.SurfaceKinds = {{0, 11, -1}, {1, 12, -1}, {1, 13, -1}};
    catalogues.GroundKinds = {{0, 21, 5}};
    catalogues.AirKinds = {{0, 31, -1}, {1, 32, 7}};
    EXPECT_EQ(catalogues.FindSurfaceTexture(1), 12);
    EXPECT_EQ(catalogues.FindSurfaceTexture(3), 0) << "a kind beyond the catalogue has no texture";
    EXPECT_EQ(catalogues.FindSurfaceTexture(-1), 0);
    const TKindLookup ground = catalogues.FindGroundKind(0);
    EXPECT_TRUE(ground.Found);
    EXPECT_EQ(ground.Mesh, 5);
    EXPECT_EQ(ground.Texture, 21);
    EXPECT_FALSE(catalogues.FindGroundKind(1).Found);
    EXPECT_EQ(catalogues.FindAirKind(1).Mesh, 7);
    EXPECT_EQ(catalogues.FindAirKind(0).Mesh, -1);
    EXPECT_FALSE(catalogues.FindAirKind(255).Found);
}

}  // namespace
}  // namespace editor
