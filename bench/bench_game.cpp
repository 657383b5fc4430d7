#include "engine/platform/application.h"
#include "game/data_module.h"
#include "game/session/game_audio.h"
#include "game/session/game_clock.h"
#include "tests/game/game_driver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace engine;

// One pass of the game loop takes one step of the world and one of the view, as on the designed
// 85 Hz display; a 60 Hz display's frame takes 85/60 steps on average.
constexpr double kStep = game::rules::StepSeconds;

// OpenAL picks its backend once per process: the null backend stands for a sound card (it mixes on
// a thread of its own, as a real device does), so the figures do not depend on the machine's.
const bool kNullBackend = ::setenv("ALSOFT_DRIVERS", "null", 0) == 0;

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The value below which the share q of the sorted samples lies.
double Quantile(const std::vector<double>& sorted, double q) {
    return sorted[static_cast<std::size_t>(q * static_cast<double>(sorted.size() - 1))];
}

// Where a benchmarked game's sound goes: nowhere listens, no output, or a device.
enum TSound { sOff, sNoOutput, sDevice };

struct StartedGame {
    explicit StartedGame(TSound sound = sOff) {
        game = std::make_unique<game::TDataModule2>(game::TGameSetup{GAME_BUILD_BIN, 1, true});
        clock = std::make_unique<game::TGameClock>(*game, kStep);
        if (sound != sOff) {
            TAudioOptions options;
            options.Output = sound == sDevice ? aoDevice : aoNone;
            audio = std::make_unique<game::TGameAudio>(*game, std::filesystem::path(GAME_BUILD_BIN) / "sounds", options);
        }
        game->StartUp();
    }
    ~StartedGame() {
        audio.reset();
        clock.reset();
        game.reset();
    }
    // One pass of the game loop: timers, input, the frame's progress walk and handlers, the picture
    // when there is a screen, then the pass's sound.
    void Frame() {
        clock->BeforePass();
        Application().ProcessMessages();
        if (audio) {
            const auto start = std::chrono::steady_clock::now();
            audio->AfterPass(clock->PassSeconds());
            soundStepMs.push_back(MillisecondsSince(start));
        }
    }
    std::unique_ptr<game::TDataModule2> game;
    std::unique_ptr<game::TGameClock> clock;
    std::unique_ptr<game::TGameAudio> audio;
    std::vector<double> soundStepMs;  // of each pass's sound step alone
};

// Keeps every bug alive, so that the battle goes on at full strength.
void HealBugs(StartedGame& g) {
    for (int i = 1; i <= game::rules::BugCount; ++i) {
        g.game->State.BugTable[i].Health = 100;
    }
}

// Thirty towers of both kinds in a ring around the base, and a minute of play, so that the bugs
// have arrived and attack while the towers fire, missiles fly and explosions play.
void BuildBattle(StartedGame& g) {
    g.game->State.Money = 100000;
    tests::TGameDriver driver(*g.game);
    const TVec4 base = g.game->Scene.base->GetWorldPosition();
    for (int i = 0; i < 30; ++i) {
        const float angle = static_cast<float>(i) * 6.2831853f / 30;
        const float radius = i % 2 == 0 ? 9.0f : 13.0f;
        const float x = base.X + radius * std::cos(angle);
        const float z = base.Z + radius * std::sin(angle);
        TVec4 ground{x, base.Y, z, 1};
        g.game->Scene.terrain->OctreeRayCast(TVec4{x, 10, z, 1}, TVec4{0, -1, 0, 0}, &ground, nullptr);
        driver.Tower(i % 2 == 0 ? 0 : 2, TVec4{x, ground.Y + 0.2f, z, 1});
    }
    for (int frame = 0; frame < 60 * game::rules::StepsPerSecond; ++frame) {
        HealBugs(g);
        g.Frame();
    }
}

void ReportBattle(benchmark::State& state, const StartedGame& g) {
    int alive = 0;
    int attacking = 0;
    for (int i = 1; i <= game::rules::BugCount; ++i) {
        const game::TBugState& bug = g.game->State.BugTable[i];
        alive += bug.Health > 0 ? 1 : 0;
        attacking += bug.Health > 0 && bug.Actor->ActiveAnimationName() == "attack" ? 1 : 0;
    }
    state.counters["bugsAlive"] = alive;
    state.counters["bugsAttacking"] = attacking;
    state.counters["towers"] = g.game->Scene.Towers->ChildCount();
    state.counters["missilesFlying"] = g.game->Scene.Missiles->ChildCount();
    state.counters["explosions"] = static_cast<double>(g.game->Figures.Explosions);
}

// The game's logic of one step without a screen: the progress walk with every handler and the view,
// and with the sound on, its events and the pass's sound step. Each step is timed on its own, for the
// median and the 99th percentile. Args: battle 0 or 1, sound (TSound).
void BM_FrameLogic(benchmark::State& state) {
    StartedGame g(static_cast<TSound>(state.range(1)));
    if (g.audio && !g.audio->Problems().empty()) {
        state.SkipWithError(g.audio->Problems().front().c_str());
        return;
    }
    g.game->Scene.GLCadencer1.SetEnabled(true);
    if (state.range(0) == 1) {
        BuildBattle(g);
    }
    std::vector<double> milliseconds;
    g.soundStepMs.clear();
    for (auto _ : state) {
        if (state.range(0) == 1) {
            HealBugs(g);
        }
        const auto start = std::chrono::steady_clock::now();
        g.Frame();
        milliseconds.push_back(MillisecondsSince(start));
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    state.counters["medianMs"] = Quantile(milliseconds, 0.5);
    state.counters["p99Ms"] = Quantile(milliseconds, 0.99);
    ReportBattle(state, g);
    if (g.audio) {
        std::sort(g.soundStepMs.begin(), g.soundStepMs.end());
        state.counters["soundStepMedianMs"] = Quantile(g.soundStepMs, 0.5);
        state.SetLabel(std::string(g.audio->System().OutputName()));
    }
}
BENCHMARK(BM_FrameLogic)
    ->ArgsProduct({{0, 1}, {sOff, sNoOutput, sDevice}})
    ->ArgNames({"battle", "sound"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3000);

// From the start of the program's start-up to its first frame on screen, without and with the
// sound (read, a device opened, the sounds uploaded).
void BM_StartUpToFirstFrame(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("needs a display (bench/run uses Xvfb when there is none)");
        return;
    }
    for (auto _ : state) {
        auto g = std::make_unique<StartedGame>(state.range(0) == 0 ? sOff : sDevice);
        g->game->StartPlaying();
        g->Frame();
        benchmark::DoNotOptimize(g->game->Scene.GLFullScreenViewer1.Buffer().FrameCount());
        state.PauseTiming();
        g->game->Scene.GLFullScreenViewer1.SetScreenActive(false);
        g.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstFrame)->Arg(0)->Arg(1)->ArgName("sound")->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
