#include "tools/assetgen/game_models/game_models.h"
#include "tools/assetgen/game_models/model_parts.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

// The game's share of assetgen, which the build runs every time the generator changes.
namespace {

namespace fs = std::filesystem;

void BM_GenerateGameModels(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / ("bench_assetgen_models_" + std::to_string(::getpid()));
    for (auto _ : state) {
        tools::OutputFolder output(folder);
        tools::assetgen::GenerateGameModels(output);
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_GenerateGameModels)->Unit(benchmark::kMillisecond);

void BM_TerrainModel(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(tools::assetgen::MakeTerrain());
    }
}
BENCHMARK(BM_TerrainModel)->Unit(benchmark::kMillisecond);

void BM_BugModel(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(tools::WriteMd2(tools::assetgen::MakeBug()).size());
    }
}
BENCHMARK(BM_BugModel)->Unit(benchmark::kMillisecond);

}  // namespace
