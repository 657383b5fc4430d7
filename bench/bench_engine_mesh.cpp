// Ray casts on the terrain the game casts against every frame: a 64 x 64-cell height field
// (8,192 triangles) with an octree of depth 3.
#include "engine/mesh/free_form.h"
#include "tests/engine/mesh/height_field.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kCells = 64;

engine::TGLFreeForm& Terrain() {
    static engine::TGLFreeForm* terrain = [] {
        auto* mesh = new engine::TGLFreeForm;
        tests::AddHeightField(*mesh, kCells);
        mesh->PrepareOctree(3);
        return mesh;
    }();
    return *terrain;
}

// Points spread over the field, away from cell edges.
std::vector<engine::TVec4> RayStarts() {
    std::vector<engine::TVec4> starts;
    for (int i = 0; i < 97; ++i) {
        const float x = 0.37f + static_cast<float>((i * 37) % kCells);
        const float z = 0.61f + static_cast<float>((i * 23) % kCells);
        starts.push_back({x, 100.0f, z, 1.0f});
    }
    return starts;
}

void BM_OctreeRayCastVertical(benchmark::State& state) {
    engine::TGLFreeForm& terrain = Terrain();
    const std::vector<engine::TVec4> starts = RayStarts();
    std::size_t i = 0;
    engine::TVec4 point;
    for (auto _ : state) {
        const bool hit = terrain.OctreeRayCast(starts[i], {0, -1, 0, 0}, &point, nullptr);
        benchmark::DoNotOptimize(hit);
        benchmark::DoNotOptimize(point);
        i = (i + 1) % starts.size();
    }
}
BENCHMARK(BM_OctreeRayCastVertical);

void BM_IntersectRayAllTriangles(benchmark::State& state) {
    engine::TGLFreeForm& terrain = Terrain();
    const std::vector<engine::TVec4> starts = RayStarts();
    std::size_t i = 0;
    engine::TVec4 point;
    for (auto _ : state) {
        const bool hit = terrain.IntersectRay(starts[i], {0, -1, 0, 0}, &point, nullptr);
        benchmark::DoNotOptimize(hit);
        benchmark::DoNotOptimize(point);
        i = (i + 1) % starts.size();
    }
}
BENCHMARK(BM_IntersectRayAllTriangles);

void BM_PrepareOctreeDepth3(benchmark::State& state) {
    engine::TGLFreeForm mesh;
    tests::AddHeightField(mesh, kCells);
    for (auto _ : state) {
        mesh.PrepareOctree(3);
        benchmark::DoNotOptimize(mesh.Octree());
    }
    state.SetLabel(std::to_string(mesh.CollectTriangles().size() / 3) + " triangles");
}
BENCHMARK(BM_PrepareOctreeDepth3)->Unit(benchmark::kMillisecond);

}  // namespace
