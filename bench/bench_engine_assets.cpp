// The per-frame cost of an animated bug: actor progress plus the morph blend of a 500-triangle
// MD2 model.
#include "engine/assets/actor.h"
#include "engine/assets/model_formats.h"
#include "tests/engine/assets/model_builders.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// A 16 x 16-cell sheet (512 triangles, 289 vertices) rippling through 20 frames.
tests::Bytes RipplingSheet() {
    constexpr int kCells = 16;
    constexpr int kSide = kCells + 1;
    tests::Md2Desc desc;
    desc.skinWidth = 256;
    desc.skinHeight = 256;
    for (int v = 0; v < kSide * kSide; ++v) {
        desc.texCoords.push_back(
            {static_cast<std::int16_t>((v % kSide) * 15), static_cast<std::int16_t>((v / kSide) * 15)});
    }
    for (int z = 0; z < kCells; ++z) {
        for (int x = 0; x < kCells; ++x) {
            const auto a = static_cast<std::int16_t>(z * kSide + x);
            const auto b = static_cast<std::int16_t>(a + 1);
            const auto c = static_cast<std::int16_t>(a + kSide);
            const auto d = static_cast<std::int16_t>(c + 1);
            desc.triangles.push_back({a, c, b, a, c, b});
            desc.triangles.push_back({b, c, d, b, c, d});
        }
    }
    for (int f = 0; f < 20; ++f) {
        tests::Md2Frame frame{
            {0.5f, 0.5f, 0.05f}, {-4, -4, 0}, "run" + std::string(f < 9 ? "0" : "") + std::to_string(f + 1), {}};
        for (int v = 0; v < kSide * kSide; ++v) {
            const int x = v % kSide;
            const int z = v / kSide;
            const double h = 127.0 + 120.0 * std::sin(0.5 * x + 0.3 * f) * std::cos(0.4 * z);
            frame.vertices.push_back(
                {static_cast<std::uint8_t>(x * 15), static_cast<std::uint8_t>(z * 15), static_cast<std::uint8_t>(h)});
        }
        desc.frames.push_back(frame);
    }
    return tests::FileMD2(desc);
}

void BM_ActorProgressAndBlend(benchmark::State& state) {
    engine::RegisterModelFormats();
    engine::TGLActor actor;
    actor.LoadFromStream("sheet.md2", RipplingSheet());
    actor.SetAnimationMode(engine::aamLoop);
    actor.SetInterval(50);
    double time = 0.0;
    for (auto _ : state) {
        time += 0.0117;
        actor.ProgressTree(engine::TProgressTimes{0.0117, time});
        actor.PrepareFrame();
        benchmark::DoNotOptimize(actor.MeshObjects()[0].Vertices().data());
    }
    state.SetLabel(std::to_string(actor.MeshObjects()[0].TriangleCount()) + " triangles");
}
BENCHMARK(BM_ActorProgressAndBlend);

}  // namespace
