#include "game/data_module.h"
#include "game/tower_kinds.h"
#include "platform/random.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace game {

using namespace engine;

namespace {

// Seconds as minutes and seconds, "4:05".
std::string Clock(double seconds) {
    const auto whole = static_cast<long long>(std::floor(std::max(0.0, seconds)));
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return text;
}

void FreeChildren(TGLBaseSceneObject& parent) {
    while (parent.ChildCount() > 0) {
        parent.ChildAt(parent.ChildCount() - 1)->Free();
    }
}

}  // namespace

// A world step of the survival game, after its bugs and towers: the fall, else the countdown or the
// wave under way, whose bugs leave their nests one by one and which is over once every one is dead.
void TDataModule2::SurvivalProgress(double deltaTime) {
    if (m_setup.Mode != TGameMode::Survival) {
        return;
    }
    if (Scene.base->TagFloat() <= 0) {
        Fall();
        return;
    }
    TWaveState& waves = State.Waves;
    if (!waves.Running) {
        waves.Countdown -= deltaTime;
        if (waves.Countdown <= 0) {
            StartWave();
        }
        return;
    }
    waves.SpawnWait -= deltaTime;
    while (waves.Spawned < WaveSize(waves.Wave) && waves.SpawnWait <= 0) {
        SpawnWaveBug(++waves.Spawned);
        waves.SpawnWait += rules::SpawnInterval;
    }
    if (BugsLeftInWave() == 0) {
        waves.Running = false;
        waves.Survived = waves.Wave;
        waves.Countdown = rules::WaveCountdown;
    }
}

void TDataModule2::StartWave() {
    TWaveState& waves = State.Waves;
    ++waves.Wave;
    waves.Running = true;
    waves.Spawned = 0;
    waves.SpawnWait = 0;
    waves.Countdown = 0;
    Sound().Play(gsWave);
}

// Only between waves of a survival game that goes on; the seconds left are paid for.
void TDataModule2::CallNextWave() {
    if (m_setup.Mode != TGameMode::Survival) {
        return;
    }
    if (State.WorldStands() || State.Waves.Running) {
        Sound().Play(gsRefused);
        return;
    }
    State.Money += EarlyCallBonus(State.Waves.Countdown, m_setup.Difficulty);
    StartWave();
}

int TDataModule2::BugsLeftInWave() const {
    const TWaveState& waves = State.Waves;
    if (!waves.Running) {
        return 0;
    }
    int alive = 0;
    for (int i = 1; i <= waves.Spawned; ++i) {
        alive += State.BugTable[i].Health > 0 && !State.BugTable[i].Resting ? 1 : 0;
    }
    return WaveSize(waves.Wave) - waves.Spawned + alive;
}

std::int64_t TDataModule2::Score() const {
    return game::Score(Figures.Kills, State.Waves.Survived);
}

// The classic game's bugs are always of the first wave's strength; the survival game's of the wave
// under way.
TBugStrength TDataModule2::SpawnStrength() const {
    const bool survival = m_setup.Mode == TGameMode::Survival;
    return BugStrength(survival ? std::max(1, State.Waves.Wave) : 1, m_setup.Difficulty);
}

void TDataModule2::SpawnWaveBug(int index) {
    RespawnBug(index);
    State.BugTable[index].Resting = false;
    State.BugTable[index].Actor->SetVisible(true);
}

// Dead, its death already paid for, hidden in its nest until a wave sends it.
void TDataModule2::RestBug(int index) {
    TBugState& bug = State.BugTable[index];
    bug.Resting = true;
    bug.Health = 0;
    bug.Actor->SetTagFloat(1);
    bug.Actor->SetVisible(false);
}

// The base has fallen: the world stops where it is (the steps still due in this pass too), its
// sounds fall silent, and the panel tells how the game went.
void TDataModule2::Fall() {
    State.Defeated = true;
    Scene.base->SetTagFloat(0);
    Scene.GLCadencer1.SkipRemainingSteps();
    if (State.Placing) {
        CancelPlacement();
    }
    State.RepairMode = false;
    Sound().SetPaused(true);
    Sound().Play(gsFallen);
    const std::int64_t earlierBest = OnFallen ? OnFallen(Score()) : 0;
    Hud.ShowDefeat(DefeatText(earlierBest));
}

std::string TDataModule2::DefeatText(std::int64_t earlierBest) const {
    const std::int64_t score = Score();
    std::string text = "Waves survived  " + std::to_string(State.Waves.Survived) + "\r" +
                       "Kills           " + std::to_string(Figures.Kills) + "\r" +
                       "Time            " + Clock(State.TimeSurvived) + "\r" +
                       "Score           " + std::to_string(score) + "\r" +
                       "Best score      " + std::to_string(std::max(score, earlierBest));
    if (score > earlierBest) {
        text += "\r\rA new best score!";
    }
    return text;
}

// Everything of the game goes (towers, missiles, explosions, the particles in the air, the records)
// and a game starts again as start-up left it: the money, the base, the sun, the bugs at the spots
// the seed gives them first, the waves and every timer. The camera stays where the player has it.
void TDataModule2::NewGame() {
    ClearBattlefield();
    ++State.Restarts;
    State.Defeated = false;
    State.Paused = false;
    Scene.pause_sign->SetVisible(false);
    Hud.PauseDim->SetVisible(false);
    State.Speed = 1;
    Sound().SetPaused(false);
    Scene.base->SetTagFloat(rules::BaseFullHealth);
    ShowHealth();
    Scene.GLEarthSkyDome1->SetSunElevation(rules::SunStart);
    Figures = TGameFigures{Figures.GameTime};
    State.Waves = TWaveState{};
    State.TimeSurvived = 0;
    Hud.ShowDefeat("");
    Hud.ClearPopups();
    if (m_setup.Seed) {
        platform::SetRandomSeed(*m_setup.Seed);
    } else {
        platform::Randomize();
    }
    for (const int index : PopulationOrder()) {
        RespawnBug(index);
        State.BugTable[index].Resting = false;
        State.BugTable[index].Actor->SetVisible(true);
    }
    // What start-up drew after the bugs (the stars) is not drawn again, but the generator goes on as
    // it did then.
    if (m_setup.Seed) {
        platform::SetRandomSeed(m_startRandomState);
    }
    StartGame();
}

// The start of a game in its mode, once the bugs stand where they first spawn.
void TDataModule2::StartGame() {
    State.Money = StartMoney(m_setup.Difficulty);
    if (m_setup.Mode == TGameMode::Survival) {
        for (int i = 1; i <= rules::BugCount; ++i) {
            RestBug(i);
        }
        State.Waves.Countdown = rules::WaveCountdown;
    }
}

void TDataModule2::ClearBattlefield() {
    for (int i = 1; i < State.TowerCount && i <= rules::TowerCapacity; ++i) {
        if (State.TowerTable[i].Kind == tower_kinds::Laser) {
            Sound().StopLoop(gsLaser, i);
        }
    }
    // Beyond TowerCount too: a cancelled placement leaves its record as it was.
    for (TTowerState& record : State.TowerTable) {
        ClearTowerRecord(record);
    }
    for (TGLDummyCube* container : {Scene.Towers, Scene.Missiles, Scene.Explosions}) {
        FreeChildren(*container);
    }
    State.TowerCount = 1;
    State.Placing = false;
    State.PlacingKind = 0;
    State.PlaceValid = false;
    State.PlaceRequested = false;
    State.RepairMode = false;
    for (const char* ring : kRingMaterials) {
        HideRing(ring);
    }
    for (TGLPerlinPFXManager* manager : {&Scene.GLPerlinPFXManager1, &Scene.GLPerlinPFXManager2}) {
        manager->Particles().Clear();
    }
}

}  // namespace game
