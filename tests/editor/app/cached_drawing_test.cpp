#include "tests/editor/app/immediate_map_drawing.h"

#include "editor/data/texture_loader.h"
#include "editor/view/map_renderer.h"
#include "tests/editor/app/editor_app_fixture.h"
#include "tests/support/gl_test_context.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace editor {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// A texture of stripes in two colours, some texels of the second one transparent (the key
// colour's holes), so blending, texture coordinates and translucency all show in the pixels.
std::uint32_t StripedTexture(std::array<std::uint8_t, 3> a, std::array<std::uint8_t, 3> b, bool holes) {
    constexpr int kSide = 16;
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const bool second = (x + 2 * y) % 7 < 3;
            const auto& colour = second ? b : a;
            pixels.insert(pixels.end(), colour.begin(), colour.end());
            pixels.push_back(holes && second && x % 3 == 0 ? 0 : 255);
        }
    }
    return CreateTexture(kSide, kSide, TextureFormat::RGBA, pixels.data());
}

// Texels of scattered colours, so that nearly any two texture coordinates give two colours.
std::uint32_t ScatteredTexture() {
    constexpr int kSide = 16;
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < kSide * kSide; ++i) {
        const auto hash = static_cast<std::uint32_t>(i) * 2654435761u;
        pixels.insert(pixels.end(), {static_cast<std::uint8_t>(hash >> 24), static_cast<std::uint8_t>(hash >> 16),
                                     static_cast<std::uint8_t>(hash >> 8), 255});
    }
    return CreateTexture(kSide, kSide, TextureFormat::RGBA, pixels.data());
}

int LoadTestMesh(const std::string& text) {
    const std::string path = (std::filesystem::temp_directory_path() / "cached_drawing_test.qzm").string();
    std::ofstream(path) << text;
    const int slot = LoadMesh(path);
    std::filesystem::remove(path);
    return slot;
}

// Small maps with every kind of record: all surface kinds with mixed blends and stacked tiles,
// ground objects turned by 0, 45, 90 and 270 degrees with length unlike width, translucent and
// sunken air objects, special markers (two on one cell), and the preview with its frame.
class CachedDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitialiseViewState();
        SetViewProjection(kWidth, kHeight);
        TKindCatalogues& kinds = session.Kinds;
        kinds.SurfaceKinds = {{0, static_cast<std::int32_t>(StripedTexture({200, 40, 40}, {250, 200, 60}, true)), -1},
                              {1, static_cast<std::int32_t>(StripedTexture({40, 180, 60}, {20, 90, 30}, false)), -1},
                              {2, static_cast<std::int32_t>(StripedTexture({60, 60, 220}, {230, 230, 250}, true)), -1}};
        const int pyramid = LoadTestMesh(test_data::PyramidQzm());
        const auto skin = static_cast<std::int32_t>(StripedTexture({150, 100, 60}, {90, 60, 30}, false));
        kinds.GroundKinds = {{0, skin, pyramid}, {1, 0, pyramid}};
        kinds.AirKinds = {{0, static_cast<std::int32_t>(StripedTexture({230, 230, 230}, {120, 120, 200}, false)), pyramid}};
        session.BaseTexture = StripedTexture({70, 120, 40}, {90, 140, 50}, false);

        TMap& map = session.Map;
        map.SetSize(14, 11);
        for (int x = 1; x <= 4; ++x) {
            for (int y = 1; y <= 3; ++y) {
                map.AddTile(0, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
            }
        }
        for (int x = 5; x <= 9; ++x) {
            map.AddTile(1, static_cast<std::uint8_t>(x), 2);
        }
        map.AddTile(2, 2, 2);  // stacked over kind 0
        map.AddTile(1, 2, 2);  // and a third level
        map.AddTile(2, 11, 8);
        map.AddTile(7, 12, 9);  // no catalogue entry: untextured
        TMapData data = map.Data();
        data.Tiles[4].Blend = {255, 0, 255, 0, 255, 0, 255, 0};  // as a file may hold them
        map.Assign(data);

        const std::array<std::int32_t, 4> angles = {0, 45, 90, 270};
        for (std::size_t i = 0; i < angles.size(); ++i) {
            TGroundObject object;
            object.Kind = static_cast<std::int32_t>(i % 2);
            object.Angle = angles[i];
            object.X = static_cast<std::uint8_t>(1 + 3 * i);
            object.Y = 5;
            object.Length = static_cast<std::uint8_t>(2 + i % 2);
            object.Width = 1;
            object.Height = static_cast<std::uint8_t>(1 + i);
            map.AddGroundObject(object);
        }
        for (const auto& [x, y, opacity, level] : std::vector<std::array<int, 4>>{
                 {2, 7, 120, 4}, {3, 7, 200, 0}, {8, 6, 255, 8}, {11, 2, 60, -10}}) {
            TAirObject object;
            object.X = static_cast<std::uint8_t>(x);
            object.Y = static_cast<std::uint8_t>(y);
            object.Length = 2;
            object.Width = 3;
            object.Height = 2;
            object.Angle = 30;
            object.Opacity = static_cast<std::uint8_t>(opacity);
            object.Level = level;
            map.AddAirObject(object);
        }
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{{6, 8}, {6, 8}, {12, 1}}) {
            TSpecialObject object;
            object.X = static_cast<std::uint8_t>(x);
            object.Y = static_cast<std::uint8_t>(y);
            map.AddSpecialObject(object);
        }
    }

    std::vector<std::uint8_t> Frame(const std::function<void()>& draw) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        return context.ReadPixels();
    }

    // Draws both ways from the same camera: the pictures are the same to the last bit of every
    // pixel, and the same cell is picked.
    void ExpectSamePicture(const std::string& label) {
        const TViewCamera camera = session.Camera;
        const std::vector<std::uint8_t> expected = Frame([&] { immediate::DrawMap(session, tools); });
        const std::pair<int, int> expectedCursor{session.Camera.CursorX, session.Camera.CursorY};
        session.Camera = camera;
        const std::vector<std::uint8_t> actual = Frame([&] { renderer.Draw(session, tools); });
        EXPECT_EQ(std::make_pair(session.Camera.CursorX, session.Camera.CursorY), expectedCursor) << label;
        int differing = 0;
        int drawn = 0;
        for (std::size_t i = 0; i < expected.size(); i += 4) {
            differing += !std::equal(&expected[i], &expected[i] + 3, &actual[i]);
            drawn += expected[i] + expected[i + 1] + expected[i + 2] > 0;
        }
        EXPECT_EQ(differing, 0) << label;
        EXPECT_GT(drawn, kWidth * kHeight / 20) << label << ": the map must be in the picture";
    }

    // Puts the camera so that it looks at the map point (x, y) from the distance, with the tilt
    // and spin: the pan that brings the point onto the view axis.
    void LookAt(double x, double y, double distance, int tilt, int spin) {
        const double theta = tilt * std::numbers::pi / 180;
        const double phi = spin * std::numbers::pi / 180;
        session.Camera = TViewCamera{};
        session.Camera.Tilt = tilt;
        session.Camera.Spin = spin;
        session.Camera.Zoom = static_cast<float>(-distance * std::cos(theta));
        session.Camera.PanX = static_cast<float>(-distance * std::sin(theta) * std::sin(phi) - x);
        session.Camera.PanY = static_cast<float>(distance * std::sin(theta) * std::cos(phi) - y);
    }

    // Points the mouse at the map point as the camera shows it.
    void MouseOver(double x, double y) {
        std::array<GLdouble, 16> modelview{};
        std::array<GLdouble, 16> projection{};
        std::array<GLint, 4> viewport{};
        glPushMatrix();
        ApplyCamera(session.Camera);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
        glPopMatrix();
        glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        GLdouble windowX = 0, windowY = 0, windowZ = 0;
        gluProject(x, y, kTileLift, modelview.data(), projection.data(), viewport.data(), &windowX, &windowY, &windowZ);
        session.Camera.LastMouseX = static_cast<int>(std::lround(windowX));
        session.Camera.LastMouseY = kHeight - 1 - static_cast<int>(std::floor(windowY));
    }

    tests::GLTestContext context{kWidth, kHeight};
    TEditorSession session;
    TToolSettings tools;
    TMapRenderer renderer;
};

TEST_F(CachedDrawingTest, EveryToolAndCameraGivesTheImmediatePicture) {
    const struct {
        const char* name;
        double x, y, distance;
        int tilt, spin;
    } cameras[] = {
        {"above", 7, 5.5, 16, 0, 0},
        {"tilted and turned", 7, 5, 13, 50, 30},
        {"close, partly outside the view and behind the eye", 3, 2.5, 4, 70, -120},
        {"steep from afar", 7, 5, 30, 80, 200},
    };
    for (const auto& camera : cameras) {
        for (TTool tool : {TTool::Surface, TTool::Ground, TTool::Special, TTool::Air}) {
            LookAt(camera.x, camera.y, camera.distance, camera.tilt, camera.spin);
            MouseOver(4.5, 1.5);
            tools.Tool = tool;
            tools.SurfaceIndex = 2;
            tools.GroundLength = 3;
            tools.GroundWidth = 2;
            tools.GroundAngle = 45;
            tools.AirOpacity = 90;
            tools.AirLength = 2;
            ExpectSamePicture(std::string(camera.name) + ", tool " + std::to_string(static_cast<int>(tool)));
            EXPECT_TRUE(session.Camera.HasCursor()) << camera.name;
        }
    }
}

// A mesh without texture coordinates takes the one that whatever was drawn before it left: a
// textured object, or a marker, outside the view must leave it as its drawing would have.
TEST_F(CachedDrawingTest, RecordsOutsideTheViewLeaveTheTextureCoordinateTheirDrawingLeaves) {
    const std::string pyramid = test_data::PyramidQzm();
    const int untextured = LoadTestMesh(pyramid.substr(0, pyramid.find("New Texture:")));
    std::string offCorner = pyramid;
    offCorner.replace(offCorner.find("0.5 1 0\n"), 8, "0.1 0.2 0\n");
    const int textured = LoadTestMesh(offCorner);
    const auto scattered = static_cast<std::int32_t>(ScatteredTexture());
    session.Kinds.GroundKinds = {{0, scattered, textured}, {1, scattered, untextured}};
    session.Kinds.AirKinds = session.Kinds.GroundKinds;

    const auto ground = [](std::int32_t kind, std::uint8_t x) { return TGroundObject{kind, 30, x, 3, 2, 2, 2, {}}; };
    const auto air = [](std::int32_t kind, std::uint8_t x) { return TAirObject{kind, 30, 2, x, 3, 2, 2, 2, 255, {}}; };
    const TSpecialObject marker{0, 35, 4, {}};
    const TSurfaceTile tile{0, 2, 2, {}};
    const struct {
        const char* name;
        std::vector<TSurfaceTile> tiles;
        std::vector<TGroundObject> ground;
        std::vector<TSpecialObject> specials;
        std::vector<TAirObject> air;
    } cases[] = {
        {"ground object outside, then an untextured one", {}, {ground(0, 35), ground(1, 3)}, {}, {}},
        {"air object outside, then an untextured one", {}, {}, {}, {air(0, 35), air(1, 3)}},
        {"marker outside, then an untextured air object", {tile}, {}, {marker}, {air(1, 3)}},
    };
    for (const auto& c : cases) {
        TMapData data;
        data.Header.SizeX = 40;
        data.Header.SizeY = 9;
        data.Tiles = c.tiles;
        data.Ground = c.ground;
        data.Specials = c.specials;
        data.Air = c.air;
        session.Map.Assign(data);
        renderer.MapChanged();
        LookAt(4, 4, 8, 0, 0);
        MouseOver(-0.3, 4);  // off the map: no preview draws between the records
        ExpectSamePicture(c.name);
        EXPECT_FALSE(session.Camera.HasCursor()) << c.name;
    }
}

// Edits rebuild only the blocks they touch; the picture after each is the immediate one.
TEST_F(CachedDrawingTest, EditsAndLoadsRedrawWhatChanged) {
    LookAt(7, 5.5, 15, 20, 10);
    ExpectSamePicture("before");
    const std::vector<std::pair<const char*, std::function<void(TMap&)>>> edits = {
        {"tile added in a second block", [](TMap& m) { m.AddTile(0, 17, 3); }},
        {"tile removed, the last moved into its place", [](TMap& m) { m.DeleteTileAt(1, 1); }},
        {"stacked tile removed", [](TMap& m) { m.DeleteTileAt(2, 2); }},
        {"ground object removed", [](TMap& m) { m.DeleteGroundAt(4, 5); }},
        {"air object added", [](TMap& m) { m.AddAirObject(TAirObject{0, 90, 2, 9, 3, 3, 1, 3, 100, {}}); }},
        {"marker removed", [](TMap& m) { m.DeleteSpecialAt(6, 8); }},
        {"map resized", [](TMap& m) { m.SetSize(9, 8); }},
        {"new map", [](TMap& m) { m.NewMap(); }},
    };
    for (const auto& [name, edit] : edits) {
        edit(session.Map);
        renderer.MapChanged();
        ExpectSamePicture(name);
    }
}

}  // namespace
}  // namespace editor
