#include "editor/data/map.h"
#include "editor/data/map_fill.h"
#include "editor/data/map_history.h"
#include "editor/data/package.h"
#include "editor/data/package_writer.h"
#include "platform/paths.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kSide = 255;

std::string TemporaryPath(const std::string& name) {
    return (fs::temp_directory_path() / ("bench_editor_data_" + std::to_string(::getpid()) + "_" + name)).string();
}

// A 255 x 255 map with a tile on every cell, in 16 x 16 patches of the given number of kinds so
// that blends vary.
editor::TMap FullyPaintedMap(int kinds = 4) {
    editor::TMapData data;
    data.Header.SizeX = kSide;
    data.Header.SizeY = kSide;
    data.Header.Version.Assign("v1_00");
    for (int x = 0; x < kSide; ++x) {
        for (int y = 0; y < kSide; ++y) {
            editor::TSurfaceTile tile;
            tile.Kind = static_cast<std::uint8_t>((x / 16 + y / 16) % kinds);
            tile.X = static_cast<std::uint8_t>(x);
            tile.Y = static_cast<std::uint8_t>(y);
            data.Tiles.push_back(tile);
        }
    }
    data.Header.TileCount = static_cast<std::int32_t>(data.Tiles.size());
    const std::string path = TemporaryPath("full.map");
    platform::WriteFileAtomically(path, editor::EncodeMap(data));
    editor::TMap map;
    map.LoadMap(path);
    fs::remove(path);
    map.UpdateTileBlend();
    return map;
}

void BM_UpdateTileBlend(benchmark::State& state) {
    editor::TMap map = FullyPaintedMap();
    for (auto _ : state) {
        map.UpdateTileBlend();
        benchmark::DoNotOptimize(map.Data().Tiles.data());
    }
    state.counters["tiles"] = static_cast<double>(map.Data().Tiles.size());
}
BENCHMARK(BM_UpdateTileBlend)->Unit(benchmark::kMillisecond);

// One click of the surface tool: a tile appended and every blend updated.
void BM_AddTile(benchmark::State& state) {
    editor::TMap map = FullyPaintedMap();
    int i = 0;
    for (auto _ : state) {
        const auto x = static_cast<std::uint8_t>(i % kSide);
        const auto y = static_cast<std::uint8_t>(i / kSide % kSide);
        map.AddTile(1, x, y);
        state.PauseTiming();
        map.DeleteTileAt(x, y);  // keeps the map at 65,025 tiles
        ++i;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddTile)->Unit(benchmark::kMillisecond);

// One right click of the surface tool: the first tile at the cell removed and every blend updated.
void BM_DeleteTileAt(benchmark::State& state) {
    editor::TMap map = FullyPaintedMap();
    int i = 0;
    for (auto _ : state) {
        const auto x = static_cast<std::uint8_t>(i % kSide);
        const auto y = static_cast<std::uint8_t>(i / kSide % kSide);
        map.DeleteTileAt(x, y);
        state.PauseTiming();
        map.AddTile(2, x, y);
        ++i;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteTileAt)->Unit(benchmark::kMillisecond);

// A fill as the editor makes it: one undo step around the call. The map is put back, untimed,
// before every fill.
template <typename Fill>
void MeasureFill(benchmark::State& state, const editor::TMap& start, const Fill& fill) {
    editor::TMapHistory history;
    for (auto _ : state) {
        state.PauseTiming();
        editor::TMap map = start;
        state.ResumeTiming();
        history.Begin(map);
        fill(map);
        history.Commit(map);
        state.counters["tiles"] = static_cast<double>(map.Data().Tiles.size());
    }
}

// The whole of an empty 255 x 255 map dragged over with the rectangle fill.
void BM_FillRectangleWholeMap(benchmark::State& state) {
    editor::TMap empty;
    empty.SetSize(kSide, kSide);
    MeasureFill(state, empty, [](editor::TMap& map) { editor::FillRectangle(map, {0, 0, kSide, kSide}, 1); });
}
BENCHMARK(BM_FillRectangleWholeMap)->Unit(benchmark::kMillisecond);

// A flood over a 255 x 255 map painted all in one kind: 65,025 tiles more on top of 65,025.
void BM_FloodFillWholeMap(benchmark::State& state) {
    MeasureFill(state, FullyPaintedMap(1), [](editor::TMap& map) { editor::FloodFill(map, 127, 127, 2); });
}
BENCHMARK(BM_FloodFillWholeMap)->Unit(benchmark::kMillisecond);

void BM_SaveAndLoadMap(benchmark::State& state) {
    editor::TMap map = FullyPaintedMap();
    editor::TMap loaded;
    const std::string path = TemporaryPath("save.map");
    for (auto _ : state) {
        map.SaveMap(path);
        loaded.LoadMap(path);
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
    fs::remove(path);
}
BENCHMARK(BM_SaveAndLoadMap)->Unit(benchmark::kMillisecond);

// A start-up extraction: the whole package is read and its directory parsed for every record.
void BM_ExtractRecord(benchmark::State& state) {
    std::vector<editor::PackageRecord> records;
    for (int i = 0; i < 200; ++i) {
        std::vector<std::uint8_t> data(64 * 1024);
        for (std::size_t k = 0; k < data.size(); ++k) {
            data[k] = static_cast<std::uint8_t>((k * (i + 3)) ^ (k >> 7));
        }
        records.push_back({"texture" + std::to_string(i) + ".bmp", std::move(data)});
    }
    const std::string path = TemporaryPath("bench.qzp");
    editor::WritePackage(path, records);
    for (auto _ : state) {
        benchmark::DoNotOptimize(editor::ExtractRecord(path, "TEXTURE199.BMP"));
    }
    state.counters["packageBytes"] = static_cast<double>(fs::file_size(path));
    fs::remove(path);
}
BENCHMARK(BM_ExtractRecord)->Unit(benchmark::kMillisecond);

}  // namespace
