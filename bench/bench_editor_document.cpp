#include "editor/document/overview_cells.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int kSide = 255;

// The overview's picture made again after an edit of a 255 x 255 map covered twice over with tiles
// (130,050 of them), as after a flood over a painted map: the cost each edit adds while the
// overview is shown.
void BM_OverviewCellsFullMap(benchmark::State& state) {
    editor::TMapData map;
    map.Header.SizeX = kSide;
    map.Header.SizeY = kSide;
    for (int layer = 0; layer < 2; ++layer) {
        for (int x = 0; x < kSide; ++x) {
            for (int y = 0; y < kSide; ++y) {
                map.Tiles.push_back({static_cast<std::uint8_t>((x / 16 + y / 16 + layer) % 7),
                                     static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), {}});
            }
        }
    }
    const std::vector<std::uint32_t> colours(7, 0xFF336699);
    for (auto _ : state) {
        benchmark::DoNotOptimize(editor::OverviewCells(map, colours, 0xFF224422));
    }
}
BENCHMARK(BM_OverviewCellsFullMap)->Unit(benchmark::kMicrosecond);

}  // namespace
