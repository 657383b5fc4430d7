#include "editor/data/mesh_table.h"

#include "tests/editor/data/data_test_fixture.h"
#include "tests/editor/data/qzm_samples.h"

#include <gtest/gtest.h>

namespace editor {
namespace {

using MeshTableTest = DataTestFixture;

TEST_F(MeshTableTest, MissingFileShowsTheDraw3DBoxAndGivesNoSlot) {
    TMeshTable table;
    EXPECT_EQ(table.LoadMesh(PathOf("Temp.qzm")), -1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "Draw3D Unit|File \"" + PathOf("Temp.qzm") + "\" not found, engine won't work correct!");
    EXPECT_EQ(table.SlotCount(), 0);
}

TEST_F(MeshTableTest, LoadsIntoTheFirstFreeSlot) {
    TMeshTable table;
    const std::string file = WriteText("Temp.qzm", qzm_samples::TexturedObject());
    EXPECT_EQ(table.LoadMesh(file), 0);
    EXPECT_EQ(table.LoadMesh(file), 1);
    EXPECT_EQ(table.LoadMesh(file), 2);
    ASSERT_NE(table.Mesh(1), nullptr);
    EXPECT_FALSE(table.Mesh(1)->Smooth);
    EXPECT_TRUE(table.Mesh(1)->Textured());
    table.FreeMesh(1);
    EXPECT_EQ(table.Mesh(1), nullptr);
    EXPECT_EQ(table.LoadMesh(file), 1);
    EXPECT_EQ(table.LoadMesh(file), 3);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(table.Mesh(-1), nullptr);
    EXPECT_EQ(table.Mesh(4), nullptr);
}

// A package's record loads from memory, and a bad one is named by its record in the box.
TEST_F(MeshTableTest, RecordsLoadFromMemory) {
    TMeshTable table;
    const std::string text = qzm_samples::TexturedObject();
    EXPECT_EQ(table.LoadMeshRecord("Дом.qzm", std::vector<std::uint8_t>(text.begin(), text.end())), 0);
    ASSERT_NE(table.Mesh(0), nullptr);
    EXPECT_TRUE(table.Mesh(0)->Textured());
    std::string outOfRange = qzm_samples::Object();
    outOfRange.replace(outOfRange.find("1 3 4"), 5, "1 3 7");
    EXPECT_EQ(table.LoadMeshRecord("Ель.qzm", std::vector<std::uint8_t>(outOfRange.begin(), outOfRange.end())), -1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].rfind("Draw3D Unit|File \"Ель.qzm\" is not a valid mesh: ", 0), 0u) << m_messages[0];
}

TEST_F(MeshTableTest, FileNamesResolveWithoutRegardToCase) {
    TMeshTable table;
    WriteText("temp.QZM", qzm_samples::Object());
    EXPECT_EQ(table.LoadMesh(PathOf("Temp.qzm")), 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(MeshTableTest, InvalidMeshShowsTheBoxAndMalformedNumbersReachTheCaller) {
    TMeshTable table;
    std::string outOfRange = qzm_samples::Object();
    outOfRange.replace(outOfRange.find("1 3 4"), 5, "1 3 7");
    EXPECT_EQ(table.LoadMesh(WriteText("bad.qzm", outOfRange)), -1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].rfind("Draw3D Unit|File \"" + PathOf("bad.qzm") + "\" is not a valid mesh: ", 0), 0u)
        << m_messages[0];
    EXPECT_EQ(table.SlotCount(), 0) << "a failed load takes no slot";

    std::string malformed = qzm_samples::Object();
    malformed.replace(malformed.find("2 0 0"), 5, "2 0 x");
    EXPECT_THROW(table.LoadMesh(WriteText("malformed.qzm", malformed)), QzmNumericError);
    EXPECT_EQ(table.SlotCount(), 0);
}

}  // namespace
}  // namespace editor
