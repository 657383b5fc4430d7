#include "tests/editor/app/editor_app_fixture.h"

#include "editor/app/properties_window.h"
#include "editor/data/map_file.h"
#include "platform/paths.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>

namespace editor {
namespace {

using CommandsTest = EditorAppTest;

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    return platform::ReadWholeFile(path);
}

// The file menu, the autosave timer and the status line between them and the document, whose
// rules tests/editor/document covers.
TEST_F(CommandsTest, FileMenuAndAutosaveTimerReachTheDocument) {
    StartEditor();
    EXPECT_TRUE(m_window->AutosaveTimer().isActive());
    EXPECT_EQ(m_window->AutosaveTimer().interval(), 30000);
    LeftClickAt(CellCentre(3, 2));
    EXPECT_TRUE(m_window->StatusLine().text().endsWith("*"));
    m_answers.push_back(PathOf("named.map"));
    m_window->Menu().N9->trigger();
    EXPECT_EQ(FileBytes(PathOf("named.map")), EncodeMap(MapData()));
    EXPECT_TRUE(m_window->StatusLine().text().endsWith("named.map"));

    LeftClickAt(CellCentre(3, 3));
    m_window->Menu().N8->trigger();
    EXPECT_EQ(FileBytes(PathOf("named.map")), EncodeMap(MapData()));
    EXPECT_TRUE(m_answers.empty());

    LeftClickAt(CellCentre(1, 1));
    m_window->AutosaveTimer().setInterval(50);
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(m_folder / "Temp.map"); }, 5000));
    m_window->AutosaveTimer().stop();
    EXPECT_EQ(FileBytes(PathOf("Temp.map")), EncodeMap(MapData()));
    EXPECT_NE(FileBytes(PathOf("named.map")), EncodeMap(MapData()));

    m_window->Menu().N6->trigger();
    EXPECT_EQ(m_questions, std::vector<std::string>{texts::kUnsavedQuestion});
    EXPECT_TRUE(MapData().Tiles.empty());
    EXPECT_FALSE(m_window->StatusLine().text().endsWith("*"));
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

// The map opens with its records; its missing base surface is said once, the texture shown stays,
// and OK in the properties (whose list has no entry for it) keeps the surface.
TEST_F(CommandsTest, AMapOnAMissingBaseSurfaceOpensAndKeepsIt) {
    StartEditor();
    const std::uint32_t base = Session().BaseTexture;
    TMap stored;
    stored.SetSurface(9);
    stored.AddTile(1, 2, 2);
    stored.SaveMap(PathOf("surface.map"));
    m_answers.push_back(PathOf("surface.map"));
    m_window->Menu().N7->trigger();
    EXPECT_EQ(MapData().Header.Surface, 9);
    EXPECT_EQ(MapData().Tiles.size(), 1u);
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_errors.empty());
    EXPECT_TRUE(m_dataMessages.empty());
    EXPECT_EQ(Session().BaseTexture, base);

    m_window->Menu().N3->trigger();
    EXPECT_EQ(m_window->Properties().ComboBox1()->currentIndex(), -1);
    m_window->Properties().Button1Click();
    EXPECT_EQ(MapData().Header.Surface, 9);
    EXPECT_TRUE(m_errors.empty());
}

// A second editor in the folder writes "Temp-2.map" and says so beside the status line.
TEST_F(CommandsTest, ASecondEditorInTheFolderNamesItsOwnAutosave) {
    StartEditor();
    EXPECT_TRUE(m_window->AutosaveNote().isHidden());
    TfrmGL second(RecordingServices());
    second.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.Started(); }, 20000));
    EXPECT_FALSE(second.AutosaveNote().isHidden());
    EXPECT_TRUE(second.AutosaveNote().text().contains("Temp-2.map")) << second.AutosaveNote().text().toStdString();
    EXPECT_EQ(second.statusBar()->currentMessage(), QString::fromUtf8(texts::kOtherEditorRunning));
    EXPECT_TRUE(m_questions.empty());
    second.Timer1Timer();
    m_window->Timer1Timer();
    EXPECT_TRUE(std::filesystem::exists(m_folder / "Temp-2.map"));
    EXPECT_TRUE(std::filesystem::exists(m_folder / "Temp.map"));
}

}  // namespace
}  // namespace editor
