#include "engine/effects/particle_depth_regions.h"
#include "engine/effects/perlin_pfx_manager.h"
#include "platform/random.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace engine;

// A cloud of particles 10 to 60 units in front of a camera at the origin looking down +Z.
TGLParticleList Cloud(int count) {
    platform::SetRandomSeed(7);
    TGLParticleList list;
    for (int i = 0; i < count; ++i) {
        auto p = std::make_unique<TGLParticle>();
        p->ID = i;
        p->Position = TVec3{static_cast<float>(platform::RandomFloat() * 20.0 - 10.0),
                            static_cast<float>(platform::RandomFloat() * 20.0 - 10.0),
                            static_cast<float>(10.0 + platform::RandomFloat() * 50.0)};
        list.AddItem(std::move(p));
    }
    return list;
}

TParticleDepthView View() {
    TParticleDepthView view;
    view.cameraDirection = TVec3{0, 0, 1};
    view.nearDistance = 1.0f;
    view.range = 100.0f;
    return view;
}

// One frame's depth sort of the renderer: bucket, then sort every region (blended particles).
void BM_DepthSortBlended(benchmark::State& state) {
    const TGLParticleList list = Cloud(static_cast<int>(state.range(0)));
    const TParticleDepthView view = View();
    TParticleDepthRegions regions;
    for (auto _ : state) {
        regions.Add(list, view);
        regions.SortRegions(SortedRegionCount(saHigh));
        benchmark::DoNotOptimize(regions.Count());
        regions.Clear();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DepthSortBlended)->Arg(1000)->Arg(10000);

// The same for additive particles, which are only bucketed.
void BM_DepthSortAdditive(benchmark::State& state) {
    const TGLParticleList list = Cloud(static_cast<int>(state.range(0)));
    const TParticleDepthView view = View();
    TParticleDepthRegions regions;
    for (auto _ : state) {
        regions.Add(list, view);
        benchmark::DoNotOptimize(regions.Count());
        regions.Clear();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DepthSortAdditive)->Arg(1000)->Arg(10000);

// One tick of a manager with friction and acceleration; nothing dies. The friction is mild so that
// velocities do not decay into denormals over the many ticks measured.
void BM_ManagerProgress(benchmark::State& state) {
    TGLPerlinPFXManager manager;
    manager.LifeColors().Clear();
    manager.SetAcceleration(TVec3{0, 1, 0});
    manager.SetFriction(0.9999f);
    for (int i = 0; i < state.range(0); ++i) {
        manager.CreateParticle().Velocity = TVec3{0.1f, 0.2f, 0.3f};
    }
    double time = 0.0;
    for (auto _ : state) {
        time += 0.01;
        manager.DoProgress(TProgressTimes{0.01, time});
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ManagerProgress)->Arg(1000)->Arg(10000);

// The base smoke's 512 x 512 sprite texture, painted once at the first frame.
void BM_PerlinSpriteImage(benchmark::State& state) {
    TGLPerlinPFXManager manager;
    manager.SetTexMapSize(static_cast<int>(state.range(0)));
    manager.SetSpritesPerTexture(sptOne);
    for (auto _ : state) {
        benchmark::DoNotOptimize(manager.PrepareImage().Data.data());
    }
}
BENCHMARK(BM_PerlinSpriteImage)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond);

}  // namespace
