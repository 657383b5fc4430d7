#include "game/session/run_stats.h"

#include "engine/platform/application.h"
#include "game/data_module.h"
#include "game/tower_kinds.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <utility>

namespace game {

using namespace engine;

namespace {

// The frame step the timing wraps, and who hears of its durations: the application takes a plain
// function as its step. The frame clock's step processes messages first, which may draw a frame and
// re-enter the step: only the outermost call counts, without the drawing inside it.
engine::TApplication::TFrameStep g_innerStep = nullptr;
TRunStats* g_stats = nullptr;
int g_stepDepth = 0;

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The value below which the share q of the samples lies (nearest rank).
double Quantile(std::vector<double> samples, double q) {
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

nlohmann::json MedianAndP99(const std::vector<double>& samples) {
    return {{"median", Quantile(samples, 0.5)}, {"p99", Quantile(samples, 0.99)}};
}

bool Finite(const TVec4& p) {
    return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z);
}

// A figure of the process's memory from the kernel, in MiB ("VmHWM" the peak, "VmRSS" now).
double ResidentMiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stod(line.substr(field.size() + 1)) / 1024.0;
        }
    }
    return 0;
}

}  // namespace

TRunStats::TRunStats(TDataModule2& game) : m_game(game) {
    TGLRenderBuffer& buffer = game.Scene.GLFullScreenViewer1.Buffer();
    buffer.BeforeRender = [this](TGLRenderBuffer*) { m_renderStart = TClock::now(); };
    buffer.AfterRender = [this](TGLRenderBuffer*) {
        m_renderMs.push_back(Milliseconds(TClock::now() - m_renderStart));
        ++m_rendersInPass;
        if (g_stepDepth > 0) {
            m_renderMsInStep += m_renderMs.back();
        }
    };
    g_stats = this;
}

TRunStats::~TRunStats() {
    TGLRenderBuffer& buffer = m_game.Scene.GLFullScreenViewer1.Buffer();
    buffer.BeforeRender = nullptr;
    buffer.AfterRender = nullptr;
    if (Application().FrameStep() == &TimedFrameStep) {
        Application().SetFrameStep(g_innerStep);
    }
    g_stats = nullptr;
}

void TRunStats::TimedFrameStep() {
    if (g_stepDepth > 0 || !g_stats) {
        g_innerStep();
        return;
    }
    TRunStats& stats = *g_stats;
    ++g_stepDepth;
    stats.m_renderMsInStep = 0;
    const double gameTime = stats.m_game.Figures.GameTime;
    const auto start = TClock::now();
    g_innerStep();
    const auto end = TClock::now();
    --g_stepDepth;
    if (stats.m_game.Figures.GameTime != gameTime) {
        stats.m_logicMs.push_back(Milliseconds(end - start) - stats.m_renderMsInStep);
    }
}

void TRunStats::BeforePass() {
    TApplication& application = Application();
    const TApplication::TFrameStep step = application.FrameStep();
    if (step != nullptr && step != &TimedFrameStep) {
        g_innerStep = step;
        application.SetFrameStep(&TimedFrameStep);
    }
}

// A frame is a pass of the game loop that showed a picture (one that drew twice counts once).
void TRunStats::AfterPass() {
    if (std::exchange(m_rendersInPass, 0) == 0) {
        return;
    }
    const TClock::time_point end = TClock::now();
    if (m_frames > 0) {
        m_frameSeconds.push_back(std::chrono::duration<double>(end - m_lastFrameEnd).count());
    }
    m_lastFrameEnd = end;
    ++m_frames;
    if (!WorldIsFinite()) {
        ++m_nonFiniteFrames;
    }
}

bool TRunStats::WorldIsFinite() const {
    const TDesignedScene& s = m_game.Scene;
    for (int i = 1; i <= rules::BugCount; ++i) {
        if (const TGLActor* actor = m_game.State.BugTable[i].Actor.Get(); actor && !Finite(actor->GetWorldPosition())) {
            return false;
        }
    }
    for (const TGLDummyCube* container : {s.Towers, s.Missiles}) {
        for (int i = 0; i < container->ChildCount(); ++i) {
            if (!Finite(container->ChildAt(i)->GetWorldPosition())) {
                return false;
            }
        }
    }
    return Finite(s.GLCamera1->GetWorldPosition());
}

nlohmann::json TRunStats::Report() const {
    const TDesignedScene& s = m_game.Scene;
    const TGameState& state = m_game.State;
    const TGameFigures& figures = m_game.Figures;
    const TGameSetup& setup = m_game.Setup();
    const bool survival = setup.Mode == TGameMode::Survival;
    const TVec4 camera = s.GLCamera1->GetWorldPosition();
    std::vector<double> fps;
    for (double seconds : m_frameSeconds) {
        if (seconds > 0) {
            fps.push_back(1.0 / seconds);
        }
    }
    int alive = 0;
    int lying = 0;
    int attacking = 0;
    float healthMin = rules::BugHealth;
    for (int i = 1; i <= rules::BugCount; ++i) {
        const TBugState& bug = state.BugTable[i];
        if (bug.Resting) {
            continue;
        }
        healthMin = std::min(healthMin, bug.Health);
        if (bug.Health > 0) {
            ++alive;
            attacking += bug.Actor && bug.Actor->ActiveAnimationName() == bug_animations::Attack ? 1 : 0;
        } else if (bug.CorpseTime >= -rules::SinkTime) {
            ++lying;
        }
    }
    int rockets = 0;
    int gatlings = 0;
    int lasers = 0;
    for (int i = 1; i < state.TowerCount && i <= rules::TowerCapacity; ++i) {
        const TTowerState& tower = state.TowerTable[i];
        if (!tower.Following && tower.Proxy) {
            rockets += tower.Kind == tower_kinds::Rocket ? 1 : 0;
            gatlings += tower.Kind == tower_kinds::Gatling ? 1 : 0;
            lasers += tower.Kind == tower_kinds::Laser ? 1 : 0;
        }
    }
    const TGLBaseSceneObject* model = s.base->ChildAt(0);
    return {
        {"frames", m_frames},
        {"gameTime", figures.GameTime},
        {"money", state.Money},
        {"baseHealth", s.base->TagFloat()},
        {"baseModel", model ? model->Name() : ""},
        {"cursor", s.GLFullScreenViewer1.Cursor()},
        {"sunElevation", s.GLEarthSkyDome1->SunElevation()},
        {"camera", {camera.X, camera.Y, camera.Z}},
        {"mouse", {state.MouseX, state.MouseY}},
        {"moneyText", s.money->Text()},
        {"fpsText", s.fpscounter->Text()},
        {"fps", {{"median", Quantile(fps, 0.5)}, {"p5", Quantile(fps, 0.05)}}},
        {"logicMs", MedianAndP99(m_logicMs)},
        {"renderMs", MedianAndP99(m_renderMs)},
        {"peakRssMiB", ResidentMiB("VmHWM")},
        {"rssMiB", ResidentMiB("VmRSS")},
        {"towerCount", state.TowerCount},
        {"kills", figures.Kills},
        {"bugsAlive", alive},
        {"bugsAttacking", attacking},
        {"bugsDead", lying},
        {"towers", {{"rocket", rockets}, {"gatling", gatlings}, {"laser", lasers}}},
        {"placing", state.Placing},
        {"missilesFired", figures.MissilesFired},
        {"missilesFlying", s.Missiles->ChildCount()},
        {"explosions", figures.Explosions},
        {"explosionsPlaying", s.Explosions->ChildCount()},
        {"gatlingShots", figures.GatlingShots},
        {"laserDamage", figures.LaserDamage},
        {"repairs", figures.Repairs},
        {"paused", state.Paused},
        {"speed", state.Speed},
        {"bugHealthMin", healthMin},
        {"nonFinite", m_nonFiniteFrames},
        {"mode", GameModeName(setup.Mode)},
        {"difficulty", DifficultyRules(setup.Difficulty).Name},
        {"wave", survival ? state.Waves.Wave : 0},
        {"wavesSurvived", state.Waves.Survived},
        {"bugsLeftInWave", m_game.BugsLeftInWave()},
        {"defeated", state.Defeated},
        {"score", m_game.Score()},
        {"timeSurvived", state.TimeSurvived},
        {"restarts", state.Restarts},
        {"towersSold", figures.TowersSold},
        {"combatOverlay", state.CombatOverlay},
    };
}

}  // namespace game
