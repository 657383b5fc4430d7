#include "editor/data/map_file.h"
#include "editor/document/editor_session.h"
#include "editor/document/map_opening.h"
#include "editor/document/tool_settings.h"
#include "editor/view/catalogue_loader.h"
#include "editor/view/map_drawing.h"
#include "editor/view/map_renderer.h"
#include "platform/paths.h"
#include "tests/editor/app/immediate_map_drawing.h"
#include "tests/support/gl_test_context.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <vector>

// The map view's frame on a full-size map (255 x 255 cells, a tile on every cell, 3,000 ground,
// 500 air and 200 special objects with the generated catalogues), in a window the size of the
// editor's view: the cached drawing against the immediate drawing it replaces. Each iteration ends
// with glFinish, so the software renderer's work is inside the time.
namespace {

namespace fs = std::filesystem;
constexpr int kSide = 255;
constexpr int kViewWidth = 542;
constexpr int kViewHeight = 505;

struct World {
    World() {
        // The generated catalogues and packages lie in bin/ beside this program's folder.
        fs::current_path(fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin");
        editor::InitialiseViewState();
        editor::SetViewProjection(kViewWidth, kViewHeight);
        const editor::TCatalogueLists lists = editor::LoadCatalogues({}, session.Kinds, session.BaseTexture);
        session.BaseSurfaces = lists.BaseSurfaces;
        Fill();
        ResetCamera();
    }

    void Fill() {
        std::mt19937 random(7);
        const auto count = [](const std::vector<editor::TKindEntry>& kinds) { return static_cast<int>(kinds.size()); };
        editor::TMapData data;
        data.Header.SizeX = kSide;
        data.Header.SizeY = kSide;
        data.Header.Version.Assign("v1_00");
        for (int x = 0; x < kSide; ++x) {
            for (int y = 0; y < kSide; ++y) {
                const auto kind = static_cast<std::uint8_t>((x / 9 + y / 7) % count(session.Kinds.SurfaceKinds));
                data.Tiles.push_back({kind, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), {}});
            }
        }
        for (int i = 0; i < 3000; ++i) {
            editor::TGroundObject object;
            object.Kind = static_cast<std::int32_t>(random() % count(session.Kinds.GroundKinds));
            object.Angle = static_cast<std::int32_t>(random() % 36) * 10;
            object.X = static_cast<std::uint8_t>(random() % kSide);
            object.Y = static_cast<std::uint8_t>(random() % kSide);
            object.Length = static_cast<std::uint8_t>(1 + random() % 3);
            object.Width = static_cast<std::uint8_t>(1 + random() % 3);
            object.Height = static_cast<std::uint8_t>(1 + random() % 4);
            data.Ground.push_back(object);
        }
        for (int i = 0; i < 500; ++i) {
            editor::TAirObject object;
            object.Kind = static_cast<std::int32_t>(random() % count(session.Kinds.AirKinds));
            object.Angle = static_cast<std::int32_t>(random() % 36) * 10;
            object.Level = static_cast<std::int32_t>(random() % 31) - 10;
            object.X = static_cast<std::uint8_t>(random() % kSide);
            object.Y = static_cast<std::uint8_t>(random() % kSide);
            object.Length = static_cast<std::uint8_t>(1 + random() % 4);
            object.Width = static_cast<std::uint8_t>(1 + random() % 4);
            object.Height = static_cast<std::uint8_t>(1 + random() % 3);
            object.Opacity = static_cast<std::uint8_t>(random() % 2 ? 255 : 80 + random() % 150);
            data.Air.push_back(object);
        }
        for (int i = 0; i < 200; ++i) {
            editor::TSpecialObject object;
            object.Kind = static_cast<std::uint8_t>(random() % 5);
            object.X = static_cast<std::uint8_t>(random() % kSide);
            object.Y = static_cast<std::uint8_t>(random() % kSide);
            data.Specials.push_back(object);
        }
        session.Map.Assign(std::move(data));
        session.Map.UpdateTileBlend();
    }

    // After "Открыть" the camera is where start-up put it: the new map's pan, the first zoom.
    void ResetCamera() {
        session.Camera = editor::TViewCamera{};
        session.Camera.PanX = editor::map_defaults::kNewMapPanX;
        session.Camera.PanY = editor::map_defaults::kNewMapPanY;
        session.Camera.LastMouseX = kViewWidth / 2 + 7;
        session.Camera.LastMouseY = kViewHeight / 2 - 7;
    }

    tests::GLTestContext context{kViewWidth, kViewHeight};
    editor::TEditorSession session;
    editor::TToolSettings tools;
    editor::TMapRenderer renderer;
};

World& TheWorld() {
    static World world;
    return world;
}

// The milliseconds of processor time the whole process has used, the software renderer's own
// threads included: on a machine shared with other work this is the figure that does not grow
// with the load.
double ProcessCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec * 1e-6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Times each iteration itself and reports the median and the 99th percentile in milliseconds,
// and the median processor time. What follows each iteration untimed may measure something else.
template <typename Body>
void Timed(benchmark::State& state, Body body, const std::function<void()>& untimed = {}) {
    std::vector<double> times;
    std::vector<double> cpu;
    for (auto _ : state) {
        const double cpuStart = ProcessCpuMs();
        const auto start = std::chrono::steady_clock::now();
        body();
        glFinish();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpu.push_back(ProcessCpuMs() - cpuStart);
        state.SetIterationTime(seconds);
        times.push_back(seconds * 1000);
        if (untimed) {
            untimed();
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p99_ms"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    state.counters["cpu_ms"] = Median(cpu);
}

void Frame(bool cached) {
    World& world = TheWorld();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (cached) {
        world.renderer.Draw(world.session, world.tools);
    } else {
        editor::immediate::DrawMap(world.session, world.tools);
    }
}

// Arguments: cached (1) or immediate (0); camera 0 is the default one, 1 is Zoom -30 with Tilt 60.
void BM_Frame(benchmark::State& state) {
    World& world = TheWorld();
    world.ResetCamera();
    if (state.range(1) == 1) {
        world.session.Camera.Zoom = -30;
        world.session.Camera.Tilt = 60;
    }
    const bool cached = state.range(0) == 1;
    Frame(cached);
    Timed(state, [&] { Frame(cached); });
    world.ResetCamera();
}
BENCHMARK(BM_Frame)->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(200);
BENCHMARK(BM_Frame)->Args({0, 0})->Args({0, 1})->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// One click at the cursor cell until the next frame is drawn, as the main window does it: the
// step around the edit, the map's own blend update, the changed blocks rebuilt, the frame.
// Argument: 0 a tile (added, then removed by the next iteration), 1 a ground object.
// frame_ms is the median of the same frame drawn again without a change, outside the timed part:
// the difference is what the edit itself costs, the rest is the frame any change would cause.
void BM_EditUntilNextFrame(benchmark::State& state) {
    World& world = TheWorld();
    world.ResetCamera();
    world.tools.Tool = state.range(0) == 0 ? editor::TTool::Surface : editor::TTool::Ground;
    world.tools.SurfaceIndex = 1;
    Frame(true);
    const int x = world.session.Camera.CursorX;
    const int y = world.session.Camera.CursorY;
    bool add = true;
    std::vector<double> frames;
    Timed(state, [&] {
        world.session.History.Begin(world.session.Map);
        if (add) {
            editor::ApplyToolClick(world.session.Map, world.tools, x, y);
        } else {
            editor::ApplyToolDelete(world.session.Map, world.tools, x, y);
        }
        world.session.History.Commit(world.session.Map);
        world.renderer.MapChanged();
        Frame(true);
        add = !add;
    }, [&] {
        const auto start = std::chrono::steady_clock::now();
        Frame(true);
        glFinish();
        frames.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    });
    state.counters["frame_ms"] = Median(frames);
    world.tools = editor::TToolSettings{};
}
BENCHMARK(BM_EditUntilNextFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(100);

// "Открыть" of the full-size map until its first frame is drawn.
void BM_OpenUntilFirstFrame(benchmark::State& state) {
    World& world = TheWorld();
    world.ResetCamera();
    const std::string path = (fs::temp_directory_path() / ("bench_editor_view_" + std::to_string(::getpid()) + ".map")).string();
    world.session.Map.SaveMap(path);
    Timed(state, [&] {
        world.session.Map.Assign(editor::ReadMapFile(path));
        editor::TMapRenderer fresh;
        world.renderer = std::move(fresh);
        world.renderer.MapChanged();
        Frame(true);
    });
    fs::remove(path);
}
BENCHMARK(BM_OpenUntilFirstFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

}  // namespace
