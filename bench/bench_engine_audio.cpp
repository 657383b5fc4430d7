#include "engine/audio/game_sounds.h"
#include "engine/audio/sound_system.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>

namespace {

using namespace engine;

// OpenAL picks its backend once per process: the null backend stands for a sound card (it mixes
// on a thread of its own, as a real device does), so the figures do not depend on the machine's.
const bool kNullBackend = ::setenv("ALSOFT_DRIVERS", "null", 0) == 0;

constexpr double kStep = 1.0 / 60;

std::filesystem::path Sounds() { return std::filesystem::path(GAME_BUILD_BIN) / "sounds"; }

TAudioOptions Options(TAudioOutput output) {
    TAudioOptions options;
    options.Output = output;
    options.File = (std::filesystem::temp_directory_path() / "bench_engine_audio.wav").string();
    return options;
}

// One step of a full battle: thirty gatling towers firing ten times a second (five shots a step),
// a blast and a launch twice a second, three lasers burning, a bug dying three times a second, the
// camera moving.
void BattleStep(TSoundSystem& system, int step) {
    for (int tower = step % 6; tower < 30; tower += 6) {
        const double angle = 2 * std::numbers::pi * tower / 30;
        system.Play(gsGatling, {static_cast<float>(15 * std::cos(angle)), 0, static_cast<float>(15 * std::sin(angle))});
    }
    if (step % 30 == 0) {
        system.Play(gsBlast, {3, 0, -8});
        system.Play(gsLaunch, {-6, 0, 4});
    }
    if (step % 20 == 0) {
        system.Play(gsBugDeath, {2, 0, -12});
    }
    for (int laser = 0; laser < 3; ++laser) {
        system.StartLoop(gsLaser, laser, {5.0f * laser, 0, -6});
    }
    const float x = static_cast<float>(step % 600) * 0.01f;
    system.SetListener({x, 20, 10}, {0, -0.8f, -0.6f}, {0, 0.6f, -0.8f});
    system.Step(kStep);
}

// The frame's cost of the sound: events raised, then the step. Arg: 0 no device, 1 a device
// (its mixing is on its own thread), 2 a file (the step renders its 1/60 s of the mix).
void BM_BattleStep(benchmark::State& state) {
    const TAudioOutput outputs[] = {aoNone, aoDevice, aoFile};
    TSoundSystem system(GameSoundTraits(), Sounds(), Options(outputs[state.range(0)]));
    if (!system.Problems().empty()) {
        state.SkipWithError(system.Problems().front().c_str());
        return;
    }
    system.StartLoop(gsAmbience, 0);
    int step = 0;
    for (auto _ : state) {
        BattleStep(system, step++);
    }
    state.SetLabel(std::string(system.OutputName()));
}
BENCHMARK(BM_BattleStep)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// What the sound adds to start-up: the fourteen WAVs read (Arg 0), and also the device opened and
// the sounds uploaded to it (Arg 1).
void BM_StartUp(benchmark::State& state) {
    const TAudioOptions options = Options(state.range(0) == 0 ? aoNone : aoDevice);
    for (auto _ : state) {
        TSoundSystem system(GameSoundTraits(), Sounds(), options);
        benchmark::DoNotOptimize(system.OutputName());
    }
}
BENCHMARK(BM_StartUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
