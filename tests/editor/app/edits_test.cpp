#include "tests/editor/app/editor_app_fixture.h"

#include "editor/app/command_line.h"
#include "editor/app/paint_stroke.h"
#include "editor/app/properties_window.h"
#include "editor/app/status_text.h"
#include "editor/data/map_file.h"

#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>

namespace editor {
namespace {

using EditsTest = EditorAppTest;
using Bytes = std::vector<std::uint8_t>;

// Every kind of edit the mapper makes, each one undoable step; undo walks back through the exact
// bytes (blends included) and the base texture follows the surface; redo walks forward again.
TEST_F(EditsTest, UndoAndRedoWalkThroughEveryKindOfEditByteForByte) {
    StartEditor();
    TMap stale;
    stale.AddTile(0, 1, 1);
    stale.AddTile(0, 2, 1);
    TMapData staleData = stale.Data();
    staleData.Tiles[0].Blend.fill(255);  // as a file may hold them: not what the editor computes
    std::ofstream(PathOf("stale.map"), std::ios::binary) << std::string_view(
        reinterpret_cast<const char*>(EncodeMap(staleData).data()), EncodeMap(staleData).size());
    m_answers.push_back(PathOf("stale.map"));
    m_window->Menu().N7->trigger();
    ASSERT_EQ(EncodeMap(MapData()), EncodeMap(staleData));
    EXPECT_FALSE(Session().History.CanUndo());

    std::vector<Bytes> states = {EncodeMap(MapData())};
    std::vector<std::uint32_t> baseTextures = {Session().BaseTexture};
    const auto step = [&](const std::function<void()>& edit) {
        edit();
        states.push_back(EncodeMap(MapData()));
        baseTextures.push_back(Session().BaseTexture);
        ASSERT_NE(states.back(), states[states.size() - 2]) << "each step changes the map";
    };
    step([&] { LeftClickAt(CellCentre(1, 2)); });  // recomputes the stale blends too
    step([&] { LeftClickAt(CellCentre(3, 3)); });
    step([&] {
        Tools().ListBox1->setCurrentRow(1);
        LeftClickAt(CellCentre(1, 1));  // a second kind stacked on a tile
    });
    step([&] { RightClickAt(CellCentre(1, 1)); });  // removes the first tile there, the last moves in
    step([&] {
        MoveMouse(CellCentre(0, 0));
        LeftPress(CellCentre(0, 0));
        DragTo(CellCentre(1, 0));
        DragTo(CellCentre(2, 0));
        LeftRelease(CellCentre(2, 0));
    });
    step([&] {
        Tools().ComboBox1->setCurrentIndex(1);
        LeftClickAt(CellCentre(2, 2));
    });
    step([&] {
        Tools().ComboBox1->setCurrentIndex(2);
        LeftClickAt(CellCentre(0, 3));
    });
    step([&] {
        Tools().ComboBox1->setCurrentIndex(3);
        LeftClickAt(CellCentre(3, 0));
    });
    step([&] {
        Tools().ComboBox1->setCurrentIndex(1);
        RightClickAt(CellCentre(2, 2));
    });
    step([&] {
        m_window->Menu().N3->trigger();
        m_window->Properties().SpinEdit1()->setValue(9);
        m_window->Properties().ComboBox1()->setCurrentIndex(1);
        m_window->Properties().Button1Click();
    });
    EXPECT_NE(baseTextures.back(), baseTextures.front()) << "the surface change loaded its texture";

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        m_window->Keys().Undo->trigger();
        EXPECT_EQ(EncodeMap(MapData()), states[i - 1]) << "undo to state " << i - 1;
    }
    EXPECT_EQ(Session().BaseTextureSurface, 0);
    EXPECT_FALSE(Session().History.Modified()) << "back at the file as it was opened";
    EXPECT_EQ(m_window->Properties().SpinEdit1()->value(), 4) << "the window shows the map on screen";
    m_window->Keys().Undo->trigger();
    EXPECT_EQ(EncodeMap(MapData()), states[0]);
    for (std::size_t i = 1; i < states.size(); ++i) {
        m_window->Keys().Redo->trigger();
        EXPECT_EQ(EncodeMap(MapData()), states[i]) << "redo to state " << i;
    }
    EXPECT_EQ(Session().BaseTextureSurface, 1);

    m_window->Menu().N6->trigger();
    EXPECT_FALSE(Session().History.CanUndo());
    EXPECT_FALSE(Session().History.CanRedo());
}

TEST_F(EditsTest, EditorKeysAreBoundToTheirCommands) {
    StartEditor();
    const TMainMenu& menu = m_window->Menu();
    const TEditorKeys& keys = m_window->Keys();
    const std::vector<std::pair<QAction*, QList<QKeySequence>>> bindings = {
        {menu.N6, {QKeySequence("Ctrl+N")}},
        {menu.N7, {QKeySequence("Ctrl+O")}},
        {menu.N8, {QKeySequence("Ctrl+S")}},
        {menu.N9, {QKeySequence("Ctrl+Shift+S")}},
        {menu.N10, {QKeySequence("Ctrl+Q")}},
        {keys.Undo, {QKeySequence("Ctrl+Z")}},
        {keys.Redo, {QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}},
        {keys.ShowTools, {QKeySequence("F2")}},
        {keys.FitView, {QKeySequence("Home")}},
        {keys.OpenFileMenu, {QKeySequence("Alt+F")}},
        {keys.OpenHelpMenu, {QKeySequence("Alt+H")}},
    };
    for (const auto& [action, shortcuts] : bindings) {
        EXPECT_EQ(action->shortcuts(), shortcuts) << action->text().toStdString();
    }

    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    LeftClickAt(CellCentre(2, 2));
    QTest::keyClick(m_window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(MapData().Tiles.empty());
    QTest::keyClick(m_window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(MapData().Tiles.size(), 1u);
    QTest::keyClick(m_window.get(), Qt::Key_Home);
    EXPECT_FLOAT_EQ(Session().Camera.PanX, -2);
    EXPECT_LT(Session().Camera.Zoom, -1);
}

TEST_F(EditsTest, ADragPaintsEachCellPassedOnceAsOneStep) {
    StartEditor();
    MoveMouse(CellCentre(0, 0));
    LeftPress(CellCentre(0, 0));
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{1, 0}, {2, 0}, {1, 0}, {0, 0}, {3, 3}}) {
        DragTo(CellCentre(x, y));
    }
    LeftRelease(CellCentre(3, 3));
    std::vector<std::pair<int, int>> cells;
    for (const TSurfaceTile& tile : MapData().Tiles) {
        cells.emplace_back(tile.X, tile.Y);
    }
    // The jump from (0, 0) to (3, 3) between two frames passes the diagonal between them.
    EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {1, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(MapData().Tiles[1].Blend[map_layout::kBlendLeft], 255);
    m_window->Keys().Undo->trigger();
    EXPECT_TRUE(MapData().Tiles.empty());
}

TEST_F(EditsTest, ThePropertiesWindowShowsTheMapOpenedUnderIt) {
    StartEditor();
    m_window->Menu().N3->trigger();
    TFormProp& properties = m_window->Properties();
    properties.SpinEdit1()->setValue(20);
    TMap stored;
    stored.SetSize(9, 7);
    stored.SetSurface(1);
    stored.SaveMap(PathOf("opened.map"));
    m_answers.push_back(PathOf("opened.map"));
    m_window->Menu().N7->trigger();
    EXPECT_EQ(properties.SpinEdit1()->value(), 9);
    EXPECT_EQ(properties.SpinEdit2()->value(), 7);
    EXPECT_EQ(properties.ComboBox1()->currentIndex(), 1);
    properties.Button1Click();
    EXPECT_EQ(EncodeMap(MapData()), EncodeMap(stored.Data()));
    EXPECT_FALSE(Session().History.CanUndo()) << "OK with the map's own values changes nothing";
}

TEST(EditsPlainTest, ASurfaceTileOfTheTopKindIsNotAddedAgain) {
    const struct {
        std::vector<int> clicks;
        std::vector<int> kinds;
    } cases[] = {
        {{0, 0}, {0}},
        {{0, 1}, {0, 1}},
        {{0, 1, 1}, {0, 1}},
        {{0, 1, 0}, {0, 1, 0}},
    };
    for (const auto& c : cases) {
        TMap map;
        TToolSettings tools;
        for (int kind : c.clicks) {
            tools.SurfaceIndex = kind;
            ApplyToolClick(map, tools, 2, 3);
        }
        std::vector<int> kinds;
        for (const TSurfaceTile& tile : map.Data().Tiles) {
            kinds.push_back(tile.Kind);
        }
        EXPECT_EQ(kinds, c.kinds);
    }
}

TEST(EditsPlainTest, StrokeLinesTouchAndSkipCellsOffTheMap) {
    EXPECT_EQ(CellsBetween({0, 0}, {4, 2}), (std::vector<TCell>{{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}));
    EXPECT_EQ(CellsBetween({4, 2}, {0, 0}), (std::vector<TCell>{{4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}));
    TPaintStroke stroke;
    EXPECT_EQ(stroke.MoveTo({5, 5}), (std::vector<TCell>{{5, 5}}));
    EXPECT_TRUE(stroke.MoveTo({-1, -1}).empty());
    EXPECT_EQ(stroke.MoveTo({7, 5}), (std::vector<TCell>{{7, 5}})) << "no line across the gap";
    EXPECT_EQ(stroke.MoveTo({5, 5}), (std::vector<TCell>{{6, 5}}));
}

TEST(EditsPlainTest, HomeCentresTheMapAndZoomsOutWithinTheLimit) {
    TViewCamera camera;
    camera.FitMap(4, 4, 1.0);
    EXPECT_FLOAT_EQ(camera.PanX, -2);
    EXPECT_FLOAT_EQ(camera.PanY, -2);
    // The map's half-width of 2 cells must be within the 22.5 degree half-angle.
    EXPECT_GT(-camera.Zoom * std::tan(22.5 * std::numbers::pi / 180), 2.0);
    EXPECT_LT(camera.Zoom, -4.8f);
    camera.FitMap(40, 4, 2.0);
    EXPECT_GT(-camera.Zoom * std::tan(22.5 * std::numbers::pi / 180) * 2.0, 20.0);
    camera.FitMap(255, 255, 1.0);
    EXPECT_FLOAT_EQ(camera.Zoom, -30);
    EXPECT_FLOAT_EQ(camera.PanX, -127.5f);
}

TEST(EditsPlainTest, StatusLineSaysCellSizeCountsAndName) {
    TMap map;
    map.AddTile(0, 1, 1);
    map.AddAirObject({});
    EXPECT_EQ(StatusText(map.Data(), 2, 3, "/maps/level.map", true),
              "Клетка 2, 3 · карта 4 x 4 · плитки 1 · наземные 0 · спец. 0 · возд. 1 · level.map*");
    EXPECT_EQ(StatusText(map.Data(), -1, -1, "", false),
              "Клетка — · карта 4 x 4 · плитки 1 · наземные 0 · спец. 0 · возд. 1 · Без имени");
}

TEST(EditsPlainTest, CommandLineTakesOneMapHelpOrVersion) {
    const struct {
        std::vector<std::string> arguments;
        bool help;
        bool version;
        std::optional<std::string> file;
        bool error;
    } cases[] = {
        {{}, false, false, std::nullopt, false},
        {{"a.map"}, false, false, "a.map", false},
        {{"--help"}, true, false, std::nullopt, false},
        {{"a.map", "-h"}, true, false, "a.map", false},
        {{"--version"}, false, true, std::nullopt, false},
        {{"--", "--version"}, false, false, "--version", false},
        {{"a.map", "b.map"}, false, false, "a.map", true},
        {{"--frames"}, false, false, std::nullopt, true},
        {{"--", "-odd.map"}, false, false, "-odd.map", false},
    };
    for (const auto& c : cases) {
        const TCommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.Help, c.help);
        EXPECT_EQ(line.Version, c.version);
        EXPECT_EQ(line.MapFile, c.file);
        EXPECT_EQ(!line.Error.empty(), c.error);
    }
}

}  // namespace
}  // namespace editor
