#include "tests/editor/app/editor_app_fixture.h"

#include "editor/app/properties_window.h"
#include "editor/data/map_file.h"
#include "platform/paths.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>

namespace editor {
namespace {

using CommandsTest = EditorAppTest;

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    return platform::ReadWholeFile(path);
}

TEST_F(CommandsTest, SaveOfANewMapAsksForANameAndWritesTheMapBytes) {
    StartEditor();
    LeftClickAt(CellCentre(1, 1));
    m_answers.push_back(std::nullopt);
    m_window->Menu().N8->trigger();
    EXPECT_TRUE(Session().MapFileName.empty());
    EXPECT_FALSE(std::filesystem::exists(PathOf("first.map")));

    m_answers.push_back(PathOf("first.map"));
    m_window->Menu().N8->trigger();
    EXPECT_EQ(Session().MapFileName, PathOf("first.map"));
    EXPECT_EQ(FileBytes(PathOf("first.map")), EncodeMap(MapData()));

    LeftClickAt(CellCentre(2, 1));
    m_window->Menu().N8->trigger();
    EXPECT_TRUE(m_answers.empty());
    EXPECT_EQ(FileBytes(PathOf("first.map")), EncodeMap(MapData()));
    EXPECT_EQ(MapData().Tiles.size(), 2u);
}

TEST_F(CommandsTest, SaveAsRenamesAndNewForgetsTheName) {
    StartEditor();
    m_answers.push_back(PathOf("other.map"));
    m_window->Menu().N9->trigger();
    EXPECT_EQ(Session().MapFileName, PathOf("other.map"));
    EXPECT_EQ(FileBytes(PathOf("other.map")).size(), 28u);

    LeftClickAt(CellCentre(0, 0));
    Session().Camera.PanX = 5;
    m_window->Menu().N6->trigger();
    EXPECT_TRUE(Session().MapFileName.empty());
    EXPECT_TRUE(MapData().Tiles.empty());
    EXPECT_FLOAT_EQ(Session().Camera.PanX, -2);
}

TEST_F(CommandsTest, OpenLoadsTheMapAndItsBaseSurface) {
    StartEditor();
    const std::uint32_t firstBase = Session().BaseTexture;
    TMap stored;
    stored.SetSize(6, 5);
    stored.SetSurface(1);
    stored.AddTile(1, 3, 3);
    stored.SaveMap(PathOf("stored.map"));

    m_answers.push_back(PathOf("stored.map"));
    m_window->Menu().N7->trigger();
    EXPECT_EQ(Session().MapFileName, PathOf("stored.map"));
    EXPECT_EQ(MapData().Header.SizeX, 6);
    EXPECT_EQ(MapData().Tiles.size(), 1u);
    EXPECT_NE(Session().BaseTexture, firstBase);
    EXPECT_TRUE(m_errors.empty());
    Session().Camera.PanY = -3;
    MoveMouse(PointOverMap(0.5, 4.5));
    EXPECT_EQ(Session().Camera.CursorY, 4);
}

TEST_F(CommandsTest, SaveErrorsGoToTheErrorBoxAndTheEditorGoesOn) {
    StartEditor();
    m_answers.push_back(PathOf("no-such-folder/x.map"));
    m_window->Menu().N9->trigger();
    EXPECT_EQ(m_errors.size(), 1u);
    LeftClickAt(CellCentre(1, 1));
    EXPECT_EQ(MapData().Tiles.size(), 1u);
}

TEST_F(CommandsTest, AutosaveWritesTempMapEveryThirtySeconds) {
    StartEditor();
    EXPECT_TRUE(m_window->AutosaveTimer().isActive());
    EXPECT_EQ(m_window->AutosaveTimer().interval(), 30000);
    LeftClickAt(CellCentre(3, 2));
    m_answers.push_back(PathOf("named.map"));
    m_window->Menu().N9->trigger();
    LeftClickAt(CellCentre(3, 3));

    m_window->AutosaveTimer().setInterval(50);
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(m_folder / "Temp.map"); }, 5000));
    m_window->AutosaveTimer().stop();
    EXPECT_EQ(FileBytes(PathOf("Temp.map")), EncodeMap(MapData()));
    EXPECT_NE(FileBytes(PathOf("named.map")), EncodeMap(MapData()));
}

TEST_F(CommandsTest, AutosaveThatCannotWriteShowsTheErrorBox) {
    StartEditor();
    m_window->AutosaveTimer().stop();
    std::filesystem::create_directory(m_folder / "Temp.map");
    m_window->Timer1Timer();
    EXPECT_EQ(m_errors.size(), 1u);
    m_window->Timer1Timer();
    EXPECT_EQ(m_errors.size(), 2u);
}

TEST_F(CommandsTest, PropertiesResizeTheMapWithoutTouchingRecords) {
    StartEditor();
    LeftClickAt(CellCentre(3, 3));
    Tools().ComboBox1->setCurrentIndex(1);
    LeftClickAt(CellCentre(2, 3));
    const TMapData before = MapData();
    const std::uint32_t base = Session().BaseTexture;

    m_window->Menu().N3->trigger();
    TFormProp& properties = m_window->Properties();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&properties));
    EXPECT_EQ(properties.windowTitle(), QString::fromUtf8("Свойства карты"));
    EXPECT_EQ(properties.SpinEdit1()->value(), 4);
    EXPECT_EQ(properties.SpinEdit1()->minimum(), 4);
    EXPECT_EQ(properties.SpinEdit2()->maximum(), 255);
    properties.SpinEdit1()->setValue(10);
    properties.SpinEdit2()->setValue(3);
    QTest::mouseClick(properties.Button1(), Qt::LeftButton);
    EXPECT_FALSE(properties.isVisible());
    EXPECT_EQ(MapData().Header.SizeX, 10);
    EXPECT_EQ(MapData().Header.SizeY, 4);
    EXPECT_EQ(EncodeMap(MapData()).size(), EncodeMap(before).size());
    EXPECT_EQ(MapData().Tiles[0].Blend, before.Tiles[0].Blend);
    EXPECT_EQ(MapData().Ground[0].X, 2);
    EXPECT_EQ(Session().BaseTexture, base);

    Session().Camera.PanX = -4;
    MoveMouse(CellCentre(5, 1));
    EXPECT_EQ(Session().Camera.CursorX, 5);
    EXPECT_EQ(Session().Camera.CursorY, 1);

    m_window->Menu().N3->trigger();
    EXPECT_EQ(properties.SpinEdit1()->value(), 10);
    properties.ComboBox1()->setCurrentIndex(1);
    properties.Button1Click();
    EXPECT_EQ(MapData().Header.Surface, 1);
    EXPECT_NE(Session().BaseTexture, base);
}

}  // namespace
}  // namespace editor
