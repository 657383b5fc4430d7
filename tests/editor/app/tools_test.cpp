#include "tests/editor/app/editor_app_fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

namespace editor {
namespace {

using ToolsTest = EditorAppTest;

// Colours compare loosely: JPEG and the blending round a little.
bool Near(QRgb actual, QRgb expected) {
    return std::abs(qRed(actual) - qRed(expected)) < 24 && std::abs(qGreen(actual) - qGreen(expected)) < 24 &&
           std::abs(qBlue(actual) - qBlue(expected)) < 24;
}

TEST_F(ToolsTest, LeftClickAtTheDefaultCameraAddsATileWhereThePreviewShowedIt) {
    StartEditor();
    const QPoint cell = CellCentre(2, 1);
    EXPECT_TRUE(Near(View().grabFramebuffer().pixel(cell), test_data::kBase0));

    MoveMouse(cell);
    EXPECT_EQ(Session().Camera.CursorX, 2);
    EXPECT_EQ(Session().Camera.CursorY, 1);
    const QImage preview = View().grabFramebuffer();
    EXPECT_TRUE(Near(preview.pixel(cell), test_data::kStones));

    LeftClickAt(cell);
    ASSERT_EQ(MapData().Tiles.size(), 1u);
    EXPECT_EQ(MapData().Tiles[0].Kind, 0);
    EXPECT_EQ(MapData().Tiles[0].X, 2);
    EXPECT_EQ(MapData().Tiles[0].Y, 1);

    MoveMouse(QPoint(2, 2));
    EXPECT_FALSE(Session().Camera.HasCursor());
    const QImage placed = View().grabFramebuffer();
    EXPECT_TRUE(Near(placed.pixel(cell), preview.pixel(cell)));
    EXPECT_TRUE(Near(placed.pixel(CellCentre(1, 1)), test_data::kBase0));
}

// Before the mouse has ever been over the map nothing translucent has been drawn yet; the tiles
// of an opened map fade all the same.
TEST_F(ToolsTest, ALoneTileFadesToTheBaseSurfaceAtItsEdgesFromTheFirstFrame) {
    StartEditor();
    TMap stored;
    stored.AddTile(1, 1, 2);
    stored.SaveMap(PathOf("one.map"));
    m_answers.push_back(PathOf("one.map"));
    m_window->Menu().N7->trigger();
    ASSERT_FALSE(Session().Camera.HasCursor());
    const QImage frame = View().grabFramebuffer();
    EXPECT_TRUE(Near(frame.pixel(CellCentre(1, 2)), test_data::kRoad));
    EXPECT_TRUE(Near(frame.pixel(PointOverMap(1.04, 2.04)), test_data::kBase0));
    EXPECT_TRUE(Near(frame.pixel(PointOverMap(1.96, 2.5)), test_data::kBase0));
}

TEST_F(ToolsTest, ClickOffTheMapAddsNothing) {
    StartEditor();
    LeftClickAt(PointOverMap(-0.5, 1.5));
    EXPECT_FALSE(Session().Camera.HasCursor());
    EXPECT_TRUE(MapData().Tiles.empty());
}

TEST_F(ToolsTest, RightClickRemovesTheFirstRecordOfTheCurrentLayerOnly) {
    StartEditor();
    const QPoint cell = CellCentre(1, 1);
    LeftClickAt(cell);
    Tools().ListBox1->setCurrentRow(1);
    LeftClickAt(cell);
    Tools().ComboBox1->setCurrentIndex(1);
    Tools().SpinEdit1->setValue(3);
    LeftClickAt(cell);
    ASSERT_EQ(MapData().Tiles.size(), 2u);
    ASSERT_EQ(MapData().Ground.size(), 1u);

    Tools().ComboBox1->setCurrentIndex(0);
    RightClickAt(cell);
    ASSERT_EQ(MapData().Tiles.size(), 1u);
    EXPECT_EQ(MapData().Tiles[0].Kind, 1);
    EXPECT_EQ(MapData().Ground.size(), 1u);

    Tools().ComboBox1->setCurrentIndex(1);
    RightClickAt(CellCentre(2, 1));
    EXPECT_EQ(MapData().Ground.size(), 1u);
    RightClickAt(cell);
    EXPECT_TRUE(MapData().Ground.empty());
    EXPECT_EQ(MapData().Tiles.size(), 1u);
}

TEST_F(ToolsTest, GroundAndAirClicksStoreThePaletteValues) {
    StartEditor();
    Tools().ComboBox1->setCurrentIndex(1);
    Tools().ListBox2->setCurrentRow(1);
    Tools().SpinEdit1->setValue(3);
    Tools().SpinEdit2->setValue(2);
    Tools().SpinEdit3->setValue(4);
    Tools().SpinEdit4->setValue(90);
    LeftClickAt(CellCentre(0, 3));
    ASSERT_EQ(MapData().Ground.size(), 1u);
    const TGroundObject& ground = MapData().Ground[0];
    EXPECT_EQ(ground.Kind, 1);
    EXPECT_EQ(ground.Angle, 90);
    EXPECT_EQ(ground.X, 0);
    EXPECT_EQ(ground.Y, 3);
    EXPECT_EQ(ground.Length, 3);
    EXPECT_EQ(ground.Width, 2);
    EXPECT_EQ(ground.Height, 4);

    Tools().ComboBox1->setCurrentIndex(3);
    Tools().SpinEdit9->setValue(-10);
    Tools().SpinEdit10->setValue(80);
    Tools().SpinEdit8->setValue(350);
    LeftClickAt(CellCentre(3, 0));
    ASSERT_EQ(MapData().Air.size(), 1u);
    const TAirObject& air = MapData().Air[0];
    EXPECT_EQ(air.Kind, 0);
    EXPECT_EQ(air.Level, -10);
    EXPECT_EQ(air.Opacity, 80);
    EXPECT_EQ(air.Angle, 350);
    EXPECT_EQ(air.X, 3);
    EXPECT_EQ(air.Y, 0);
}

TEST_F(ToolsTest, GroundPreviewShowsTheObjectAClickPlaces) {
    StartEditor();
    Tools().ComboBox1->setCurrentIndex(1);
    Tools().SpinEdit1->setValue(2);
    const QPoint apex = PointOverMap(1.0, 0.5);
    MoveMouse(CellCentre(0, 0));
    const QImage preview = View().grabFramebuffer();
    EXPECT_FALSE(Near(preview.pixel(apex), test_data::kBase0));
    EXPECT_TRUE(Near(preview.pixel(PointOverMap(2.5, 0.5)), test_data::kBase0));

    LeftClickAt(CellCentre(0, 0));
    MoveMouse(QPoint(2, 2));
    const QImage placed = View().grabFramebuffer();
    EXPECT_TRUE(Near(placed.pixel(apex), preview.pixel(apex)));
}

TEST_F(ToolsTest, SpecialToolFramesTheCursorCellInTranslucentRed) {
    StartEditor();
    Tools().ComboBox1->setCurrentIndex(2);
    MoveMouse(CellCentre(3, 3));
    const QImage frame = View().grabFramebuffer();
    const QRgb framed = frame.pixel(CellCentre(3, 3));
    EXPECT_GT(qRed(framed), qRed(test_data::kBase0) + 50);
    EXPECT_LT(qBlue(framed), qBlue(test_data::kBase0) - 50);
    EXPECT_TRUE(Near(frame.pixel(CellCentre(2, 3)), test_data::kBase0));
}

TEST_F(ToolsTest, ScriptAreaParameterJoinsLengthWidthAndName) {
    StartEditor();
    Tools().ComboBox1->setCurrentIndex(2);
    EXPECT_TRUE(Tools().GroupBox3->isVisibleTo(&m_window->Tools()));
    EXPECT_FALSE(Tools().GroupBox1->isVisibleTo(&m_window->Tools()));
    Tools().ListBox3->setCurrentRow(0);
    EXPECT_TRUE(Tools().Panel1->isHidden());
    QTest::mouseClick(Tools().ListBox3->viewport(), Qt::LeftButton, {},
                      Tools().ListBox3->visualItemRect(Tools().ListBox3->item(0)).center());
    EXPECT_FALSE(Tools().Panel1->isHidden());

    Tools().SpinEdit11->setValue(12);
    Tools().SpinEdit12->setValue(3);
    EXPECT_EQ(Tools().Edit2->text(), "Script1");
    LeftClickAt(CellCentre(2, 2));
    ASSERT_EQ(MapData().Specials.size(), 1u);
    EXPECT_EQ(MapData().Specials[0].Kind, 0);
    EXPECT_EQ(MapData().Specials[0].Param.Text(), "12|3|Script1");

    EXPECT_TRUE(Tools().ParamWarning->isHidden());
    Tools().Edit2->setText("abcdefghijklmnopqrst");
    EXPECT_FALSE(Tools().ParamWarning->isHidden()) << "the name will be cut";
    EXPECT_TRUE(Tools().ParamWarning->text().contains("\"12|3|abcdefghijklmno\"")) << Tools().ParamWarning->text().toStdString();
    LeftClickAt(CellCentre(2, 2));
    ASSERT_EQ(MapData().Specials.size(), 2u);
    EXPECT_EQ(MapData().Specials[1].Param.Text(), "12|3|abcdefghijklmno");

    QTest::mouseClick(Tools().ListBox3->viewport(), Qt::RightButton, {},
                      Tools().ListBox3->visualItemRect(Tools().ListBox3->item(2)).center());
    EXPECT_EQ(Tools().ListBox3->currentRow(), 2);
    EXPECT_TRUE(Tools().Panel1->isHidden());
    Tools().Edit1->setText("фл=1");
    LeftClickAt(CellCentre(0, 0));
    ASSERT_EQ(MapData().Specials.size(), 3u);
    EXPECT_EQ(MapData().Specials[2].Kind, 2);
    EXPECT_EQ(MapData().Specials[2].Param.Text(), "\xF4\xEB=1") << "one byte a character, as stored maps hold it";
    EXPECT_TRUE(Tools().ParamWarning->isHidden());
}

TEST_F(ToolsTest, ToolSwitchShowsExactlyOneGroup) {
    StartEditor();
    TFormTools& palette = m_window->Tools();
    const std::array<QGroupBox*, 4> groups = {Tools().GroupBox1, Tools().GroupBox2, Tools().GroupBox3,
                                              Tools().GroupBox4};
    for (int tool = 0; tool < 4; ++tool) {
        Tools().ComboBox1->setCurrentIndex(tool);
        for (int group = 0; group < 4; ++group) {
            EXPECT_EQ(groups[static_cast<std::size_t>(group)]->isVisibleTo(&palette), group == tool) << tool;
        }
    }
    EXPECT_EQ(Tools().SpinEdit4->singleStep(), 10);
    EXPECT_EQ(Tools().SpinEdit9->minimum(), -10);
    EXPECT_EQ(Tools().SpinEdit10->value(), 255);
    EXPECT_EQ(Tools().Edit1->maxLength(), 20);
}

TEST(ToolSettingsTest, EmptyListsStoreKindsWithoutACatalogueEntry) {
    TMap map;
    TToolSettings tools;
    tools.SurfaceIndex = -1;
    tools.GroundIndex = -1;
    ApplyToolClick(map, tools, 1, 2);
    tools.Tool = TTool::Ground;
    ApplyToolClick(map, tools, 1, 2);
    ASSERT_EQ(map.Data().Tiles.size(), 1u);
    EXPECT_EQ(map.Data().Tiles[0].Kind, 255);
    ASSERT_EQ(map.Data().Ground.size(), 1u);
    EXPECT_EQ(map.Data().Ground[0].Kind, -1);
    ApplyToolClick(map, tools, -1, -1);
    ApplyToolDelete(map, tools, -1, -1);
    EXPECT_EQ(map.Data().Ground.size(), 1u);
}

}  // namespace
}  // namespace editor
