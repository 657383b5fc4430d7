#include "tests/editor/app/editor_app_fixture.h"

#include "editor/app/overview_window.h"
#include "editor/app/problems_window.h"
#include "editor/document/view_rays.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QWheelEvent>

#include <set>
#include <utility>

namespace editor {
namespace {

using BlockToolsTest = EditorAppTest;
using CellSet = std::set<std::pair<int, int>>;

bool Near(QRgb actual, QRgb expected) {
    return std::abs(qRed(actual) - qRed(expected)) < 24 && std::abs(qGreen(actual) - qGreen(expected)) < 24 &&
           std::abs(qBlue(actual) - qBlue(expected)) < 24;
}

CellSet TileCells(const TMapData& map, std::uint8_t kind) {
    CellSet cells;
    for (const TSurfaceTile& tile : map.Tiles) {
        if (tile.Kind == kind) {
            cells.emplace(tile.X, tile.Y);
        }
    }
    return cells;
}

CellSet Block(int x0, int y0, int x1, int y1) {
    CellSet cells;
    for (int x = x0; x <= x1; ++x) {
        for (int y = y0; y <= y1; ++y) {
            cells.emplace(x, y);
        }
    }
    return cells;
}

// The map point at the middle of the view, which the camera is looking at.
TMapPoint ViewCentre(TMapView& view, const TViewCamera& camera) {
    return *MapPointAt(camera, view.width(), view.height(), view.width() / 2.0, view.height() / 2.0);
}

class BlockToolsKeysTest : public BlockToolsTest {
protected:
    void StartActive() {
        StartEditor();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_window.get(), static_cast<Qt::Key>(key), modifiers);
        WaitFrames(2);
    }
    void Drag(QPoint from, QPoint to) {
        MoveMouse(from);
        LeftPress(from);
        DragTo(to);
        LeftRelease(to);
        WaitFrames(1);
    }
};

// A rectangle dragged over the map, then two floods, each one step that undo takes back whole;
// the status bar says what the mode does, and a press of these modes adds nothing else.
TEST_F(BlockToolsKeysTest, FillsAreOneUndoStepEach) {
    StartActive();
    Tools().RectangleMode->setChecked(true);
    EXPECT_EQ(m_window->ToolHintLine().text(), QString::fromUtf8(texts::kHintRectangle));
    MoveMouse(CellCentre(0, 0));
    LeftPress(CellCentre(0, 0));
    DragTo(CellCentre(2, 1));
    EXPECT_TRUE(MapData().Tiles.empty()) << "the fill waits for the release";
    EXPECT_FALSE(Near(View().grabFramebuffer().pixel(CellCentre(1, 1)), test_data::kBase0)) << "the drag is drawn";
    LeftRelease(CellCentre(2, 1));
    EXPECT_EQ(TileCells(MapData(), 0), Block(0, 0, 2, 1));
    EXPECT_EQ(MapData().Tiles.size(), 6u);

    Tools().FloodMode->setChecked(true);
    Tools().ListBox1->setCurrentRow(1);
    EXPECT_EQ(m_window->ToolHintLine().text(), QString::fromUtf8(texts::kHintFlood));
    LeftClickAt(CellCentre(3, 3));
    WaitFrames(1);
    CellSet rest = Block(0, 0, 3, 3);
    for (const auto& cell : Block(0, 0, 2, 1)) {
        rest.erase(cell);
    }
    EXPECT_EQ(TileCells(MapData(), 1), rest) << "the base surface's cells, not the stones";
    LeftClickAt(CellCentre(0, 0));
    WaitFrames(1);
    EXPECT_EQ(MapData().Tiles.size(), 22u) << "the stones got roads on top";

    for (const std::size_t tiles : {16u, 6u, 0u}) {
        m_window->Keys().Undo->trigger();
        EXPECT_EQ(MapData().Tiles.size(), tiles);
    }
}

// Select, copy, paste following the pointer, place with a click, undo, delete; Escape cancels the
// paste, then clears the selection, and only then quits.
TEST_F(BlockToolsKeysTest, SelectionCopyPasteDeleteAndEscape) {
    StartActive();
    Tools().ComboBox1->setCurrentIndex(1);
    LeftClickAt(CellCentre(1, 1));
    Tools().ComboBox1->setCurrentIndex(0);
    LeftClickAt(CellCentre(1, 2));
    WaitFrames(1);
    ASSERT_EQ(MapData().Ground.size(), 1u);
    ASSERT_EQ(MapData().Tiles.size(), 1u);

    Tools().SelectTool->setChecked(true);
    Drag(CellCentre(1, 1), CellCentre(1, 2));
    ASSERT_TRUE(m_window->Regions().Selection());
    EXPECT_EQ(m_window->Regions().Selection()->X, 1);
    EXPECT_EQ(m_window->Regions().Selection()->Width, 2);
    EXPECT_EQ(MapData().Ground.size(), 1u) << "a selecting press adds nothing";

    Key(Qt::Key_C, Qt::ControlModifier);
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(m_window->Regions().Pasting());
    EXPECT_EQ(m_window->ToolHintLine().text(), QString::fromUtf8(texts::kHintPaste));
    MoveMouse(CellCentre(3, 0));
    const QImage atFirst = View().grabFramebuffer();
    MoveMouse(CellCentre(2, 1));
    const QImage atSecond = View().grabFramebuffer();
    EXPECT_FALSE(Near(atFirst.pixel(CellCentre(3, 1)), test_data::kBase0)) << "the block's tile under the pointer";
    EXPECT_TRUE(Near(atSecond.pixel(CellCentre(3, 1)), test_data::kBase0)) << "and gone once the pointer moved on";
    EXPECT_FALSE(Near(atSecond.pixel(CellCentre(2, 2)), test_data::kBase0));

    Key(Qt::Key_Escape);
    EXPECT_FALSE(m_window->Regions().Pasting());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(MapData().Ground.size(), 1u);

    Key(Qt::Key_V, Qt::ControlModifier);
    LeftClickAt(CellCentre(3, 0));
    WaitFrames(1);
    EXPECT_FALSE(m_window->Regions().Pasting());
    ASSERT_EQ(MapData().Ground.size(), 2u);
    EXPECT_EQ(MapData().Ground[1].X, 3);
    EXPECT_EQ(MapData().Ground[1].Y, 0);
    EXPECT_EQ(TileCells(MapData(), 0), CellSet({{1, 2}, {3, 1}}));
    m_window->Keys().Undo->trigger();
    EXPECT_EQ(MapData().Ground.size(), 1u);
    EXPECT_EQ(MapData().Tiles.size(), 1u);

    Key(Qt::Key_Delete);
    EXPECT_TRUE(MapData().Ground.empty());
    EXPECT_TRUE(MapData().Tiles.empty());
    m_window->Keys().Undo->trigger();
    EXPECT_EQ(MapData().Ground.size(), 1u);

    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(MapData().Ground.empty());
    Key(Qt::Key_V, Qt::ControlModifier);
    LeftClickAt(CellCentre(2, 2));
    WaitFrames(1);
    ASSERT_EQ(MapData().Ground.size(), 1u);
    EXPECT_EQ(MapData().Ground[0].X, 2);

    Key(Qt::Key_Escape);
    EXPECT_FALSE(m_window->Regions().Selection());
    EXPECT_TRUE(m_window->isVisible());
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    EXPECT_FALSE(m_window->isVisible());
}

// G shows the grid and hides it again; Ctrl+wheel zooms keeping the map point under the pointer,
// while the plain wheel still steps the zoom alone.
TEST_F(BlockToolsKeysTest, GridAndZoomTowardsThePointer) {
    StartActive();
    // The line between cells 1 and 2, one pixel wide: the darkest of the pixels around it.
    const QPoint line = PointOverMap(2.0, 1.5);
    const auto lineBlue = [&] {
        const QImage frame = View().grabFramebuffer();
        int darkest = 255;
        for (int dx = -1; dx <= 1; ++dx) {
            darkest = std::min(darkest, qBlue(frame.pixel(line + QPoint(dx, 0))));
        }
        return darkest;
    };
    const int plain = lineBlue();
    EXPECT_FALSE(m_window->GridShown());
    Key(Qt::Key_G);
    EXPECT_TRUE(m_window->GridShown());
    EXPECT_LT(lineBlue(), plain - 40);
    EXPECT_TRUE(Near(View().grabFramebuffer().pixel(CellCentre(1, 1)), test_data::kBase0));
    Key(Qt::Key_G);
    EXPECT_FALSE(m_window->GridShown());
    EXPECT_EQ(lineBlue(), plain);

    TViewCamera& camera = Session().Camera;
    const QPoint pointer = PointOverMap(3.3, 0.6);
    MoveMouse(pointer);
    const auto under = [&] {
        return *MapPointAt(camera, View().width(), View().height(), camera.LastMouseX,
                           View().height() - 1 - camera.LastMouseY);
    };
    const TMapPoint before = under();
    const auto wheel = [&](Qt::KeyboardModifiers modifiers, int delta) {
        QWheelEvent event(QPointF(pointer), QPointF(View().mapToGlobal(pointer)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&View(), &event);
    };
    wheel(Qt::ControlModifier, 3 * 120);
    EXPECT_LT(camera.Zoom, -1);
    EXPECT_NEAR(camera.Zoom, -6 * 0.729, 1e-4);
    EXPECT_NEAR(under().X, before.X, 1e-3);
    EXPECT_NEAR(under().Y, before.Y, 1e-3);
    for (int i = 0; i < 40; ++i) {
        wheel(Qt::ControlModifier, -120);
    }
    EXPECT_FLOAT_EQ(camera.Zoom, -30);
    EXPECT_NEAR(under().X, before.X, 1e-3);

    const float panX = camera.PanX;
    wheel(Qt::NoModifier, 120);
    EXPECT_FLOAT_EQ(camera.Zoom, -29.85f);
    EXPECT_FLOAT_EQ(camera.PanX, panX);
}

// The settings' list fills the submenu; a file that is gone is said and dropped, one that is
// there opens and goes to the top; saving under a new name puts that name first.
TEST_F(BlockToolsTest, RecentFilesOpenAndDropMissingOnes) {
    TMap kept;
    kept.AddTile(1, 2, 2);
    kept.SaveMap(PathOf("kept.map"));
    m_recentFiles = {PathOf("gone.map"), PathOf("kept.map"), PathOf("gone.map"), ""};
    StartEditor();
    const auto entries = [&] {
        QStringList texts;
        for (QAction* action : m_window->Menu().RecentMenu->actions()) {
            texts << action->text();
        }
        return texts;
    };
    ASSERT_EQ(entries(), QStringList({QString::fromStdString(PathOf("gone.map")), QString::fromStdString(PathOf("kept.map"))}));

    m_window->Menu().RecentMenu->actions()[0]->trigger();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], texts::kRecentMissing + PathOf("gone.map"));
    EXPECT_EQ(m_recentFiles, std::vector<std::string>({PathOf("kept.map")}));
    EXPECT_TRUE(MapData().Tiles.empty());

    m_window->Menu().RecentMenu->actions()[0]->trigger();
    ASSERT_EQ(MapData().Tiles.size(), 1u);
    EXPECT_EQ(Session().MapFileName, PathOf("kept.map"));

    m_answers.push_back(PathOf("other.map"));
    m_window->Menu().N9->trigger();
    EXPECT_EQ(m_recentFiles, std::vector<std::string>({PathOf("other.map"), PathOf("kept.map")}));
    EXPECT_EQ(entries().front(), QString::fromStdString(PathOf("other.map")));
}

// The checker's list in Russian; choosing a line centres the view on the record's cell and moves
// a selection there; a clean map says so.
TEST_F(BlockToolsTest, CheckerListsProblemsAndGoesToTheirCells) {
    TMap broken;
    broken.AddTile(5, 1, 2);
    TGroundObject outside;
    outside.X = 6;
    outside.Y = 1;
    broken.AddGroundObject(outside);
    broken.SaveMap(PathOf("broken.map"));
    StartEditor(PathOf("broken.map"));

    m_window->Menu().Check->trigger();
    QListWidget& list = m_window->Problems().List();
    ASSERT_TRUE(m_window->Problems().isVisible());
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(0)->text(), QString::fromUtf8("Плитка №1 в клетке (1, 2): вида 5 нет в каталоге, он не рисуется"));
    EXPECT_EQ(list.item(1)->text(), QString::fromUtf8("Наземный объект №1 в клетке (6, 1): лежит за пределами карты 4 x 4"));

    m_window->Problems().Choose(0);
    EXPECT_NEAR(ViewCentre(View(), Session().Camera).X, 1.5, 1e-3);
    EXPECT_NEAR(ViewCentre(View(), Session().Camera).Y, 2.5, 1e-3);
    EXPECT_FALSE(m_window->Regions().Selection()) << "no selection is made where there was none";

    m_window->Regions().Select({0, 0, 2, 2});
    m_window->Problems().Choose(1);
    EXPECT_NEAR(ViewCentre(View(), Session().Camera).X, 6.5, 1e-3);
    ASSERT_TRUE(m_window->Regions().Selection());
    EXPECT_EQ(m_window->Regions().Selection()->X, 6);
    EXPECT_EQ(m_window->Regions().Selection()->Y, 1);
    EXPECT_EQ(m_window->Regions().Selection()->Length, 1);

    m_window->Menu().N6->trigger();
    m_window->Menu().Check->trigger();
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->text(), QString::fromUtf8(texts::kNoProblems));
    EXPECT_EQ(list.item(0)->flags(), Qt::NoItemFlags);
}

// F3 shows the overview: the map in its surfaces' colours, redrawn when the map changes, the
// view's footprint on it, and a click there moves the camera; its close box unchecks the menu.
TEST_F(BlockToolsTest, OverviewShowsTheMapAndMovesTheCamera) {
    StartEditor();
    TFormOverview& overview = m_window->Overview();
    EXPECT_FALSE(overview.isVisible());
    m_window->Menu().Overview->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&overview));
    EXPECT_TRUE(m_window->Menu().Overview->isChecked());
    const QPoint cell = overview.WidgetPoint({0.5, 3.5}).toPoint();
    const QRgb before = overview.grab().toImage().pixel(cell);
    EXPECT_GT(qBlue(before), qRed(before) + 80) << "the grass of the base surface";

    LeftClickAt(CellCentre(0, 3));
    WaitFrames(1);
    const QRgb after = overview.grab().toImage().pixel(cell);
    EXPECT_GT(qRed(after), qBlue(after) + 80) << "the stones tile, drawn when the map changed";

    const auto footprintNow = [&] {
        return ViewFootprint(Session().Camera, View().width(), View().height());
    };
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(overview.Footprint()[i].X, footprintNow()[i].X);
        EXPECT_DOUBLE_EQ(overview.Footprint()[i].Y, footprintNow()[i].Y);
    }
    const QPoint target = overview.WidgetPoint({3, 1}).toPoint();
    QTest::mouseClick(&overview, Qt::LeftButton, Qt::NoModifier, target);
    WaitFrames(2);
    const TMapPoint clicked = overview.MapPoint(target);
    EXPECT_NEAR(ViewCentre(View(), Session().Camera).X, clicked.X, 1e-3);
    EXPECT_NEAR(ViewCentre(View(), Session().Camera).Y, clicked.Y, 1e-3);
    EXPECT_DOUBLE_EQ(overview.Footprint()[0].X, footprintNow()[0].X) << "the footprint followed the camera";

    overview.close();
    EXPECT_FALSE(m_window->Menu().Overview->isChecked());
}

}  // namespace
}  // namespace editor
