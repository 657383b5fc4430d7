#include "editor/view/catalogue_loader.h"
#include "editor/view/data_folder.h"
#include "editor/view/map_drawing.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace editor {
namespace {

TEST(CellAtTest, OnlyPointsStrictlyInsideACellPickIt) {
    EXPECT_EQ(CellAt(2.01, 2.5, 4, 4), std::make_pair(2, 2));
    EXPECT_EQ(CellAt(0.001, 3.999, 4, 4), std::make_pair(0, 3));
    EXPECT_EQ(CellAt(2.0, 2.5, 4, 4), std::make_pair(-1, -1));
    EXPECT_EQ(CellAt(1.5, 0.0, 4, 4), std::make_pair(-1, -1));
    EXPECT_EQ(CellAt(4.2, 1.5, 4, 4), std::make_pair(-1, -1));
    EXPECT_EQ(CellAt(-0.2, 1.5, 4, 4), std::make_pair(-1, -1));
    EXPECT_EQ(CellAt(254.5, 254.5, 255, 255), std::make_pair(254, 254));
}

TEST(ObjectPlacementTest, GroundObjectStandsOverItsCells) {
    TGroundObject object;
    object.X = 5;
    object.Y = 7;
    object.Length = 3;
    object.Width = 2;
    object.Height = 4;
    const TObjectPlacement placement = GroundPlacement(object);
    EXPECT_FLOAT_EQ(placement.X, 6.5f);
    EXPECT_FLOAT_EQ(placement.Y, 8.0f);
    EXPECT_FLOAT_EQ(placement.Z, 1.96f);
    EXPECT_FLOAT_EQ(placement.ScaleX, 1.5f);
    EXPECT_FLOAT_EQ(placement.ScaleY, 1.0f);
    EXPECT_FLOAT_EQ(placement.ScaleZ, 2.0f);
}

TEST(ObjectPlacementTest, AirObjectLevelLiftsOrSinksIt) {
    TAirObject object;
    object.Height = 1;
    object.Level = -10;
    EXPECT_FLOAT_EQ(AirPlacement(object).Z, -2.01f);
    object.Level = 20;
    object.Height = 7;
    EXPECT_FLOAT_EQ(AirPlacement(object).Z, 8.43f);
}

TEST(ObjectDisplayNameTest, DropsTheExtensionByCharacters) {
    EXPECT_EQ(ObjectDisplayName("tower.qzm"), "tower");
    EXPECT_EQ(ObjectDisplayName("Дом.qzm"), "Дом");
    EXPECT_EQ(ObjectDisplayName("Домик"), "Д");
    EXPECT_EQ(ObjectDisplayName(".qzm"), "");
    EXPECT_EQ(ObjectDisplayName("ab"), "");
}

TEST(LoadBaseTextureTest, SurfaceBeyondTheListIsAnError) {
    std::uint32_t texture = 7;
    EXPECT_THROW(LoadBaseTexture({}, {"a", "b"}, 2, texture), CatalogueError);
    EXPECT_EQ(texture, 7u);
}

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = std::filesystem::temp_directory_path() / "h9_DataFolderTest";
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root / "here");
        std::filesystem::create_directories(m_root / "program" / "System");
        std::filesystem::create_directories(m_root / "usr" / "bin");
        std::filesystem::create_directories(m_root / "usr" / "share" / "atlas" / "System");
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }
    std::filesystem::path m_root;
};

TEST_F(DataFolderTest, ProgramFolderServesWhenTheCurrentOneHasNoSystemFolder) {
    EXPECT_EQ(ChooseDataFolder(m_root / "here", m_root / "program"), m_root / "program");
    std::filesystem::create_directories(m_root / "here" / "system");
    EXPECT_EQ(ChooseDataFolder(m_root / "here", m_root / "program"), m_root / "here");
    EXPECT_EQ(ChooseDataFolder(m_root / "elsewhere", m_root / "nowhere"), m_root / "elsewhere");
    // Installed: the data is in ../share/atlas/ beside the program's folder.
    EXPECT_EQ(ChooseDataFolder(m_root / "elsewhere", m_root / "usr" / "bin"), m_root / "usr" / "share" / "atlas");
}

}  // namespace
}  // namespace editor
