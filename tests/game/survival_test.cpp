#include "tests/game/game_driver.h"
#include "tests/game/game_fixture.h"
#include "tests/game/sound_recorder.h"

#include "game/survival_rules.h"
#include "game/tower_kinds.h"

#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace tests {
namespace {

using namespace engine;
using game::TDifficulty;
using game::TGameMode;

// Waves grow by four bugs up to the whole table; each wave's bugs have a fifth more health than the
// last one's and a little more pace up to a cap; the difficulty scales health, pace and money, and
// the classic game's bugs are exactly the designed ones.
TEST(SurvivalRules, WavesGrowInSizeAndStrengthByDifficulty) {
    struct Case {
        TDifficulty difficulty;
        float health;
        float speed;
        int money;
    };
    const Case cases[] = {
        {TDifficulty::Easy, 0.75f, 0.9f, 750}, {TDifficulty::Normal, 1, 1, 500}, {TDifficulty::Hard, 1.4f, 1.15f, 350}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(game::DifficultyRules(c.difficulty).Name));
        EXPECT_EQ(game::DifficultyNamed(game::DifficultyRules(c.difficulty).Name), c.difficulty);
        EXPECT_EQ(game::StartMoney(c.difficulty), c.money);
        EXPECT_EQ(game::EarlyCallBonus(15.5, c.difficulty), static_cast<int>(std::floor(31 * (c.money / 500.0))));
        EXPECT_EQ(game::EarlyCallBonus(-1, c.difficulty), 0);
        game::TBugStrength previous{0, 0};
        for (int wave = 1; wave <= 16; ++wave) {
            EXPECT_EQ(game::WaveSize(wave), std::min(4 * wave, 40)) << wave;
            const game::TBugStrength strength = game::BugStrength(wave, c.difficulty);
            EXPECT_NEAR(strength.Health, 100 * std::pow(1.2f, wave - 1) * c.health, 1e-3f * strength.Health) << wave;
            EXPECT_NEAR(strength.Speed, std::min(1 + 0.04f * (wave - 1), 1.5f) * c.speed, 1e-5f) << wave;
            EXPECT_GT(strength.Health, previous.Health);
            EXPECT_GE(strength.Speed, previous.Speed);
            previous = strength;
        }
    }
    EXPECT_EQ(game::BugStrength(1, TDifficulty::Normal).Health, 100.0f);
    EXPECT_EQ(game::BugStrength(1, TDifficulty::Normal).Speed, 1.0f);
    EXPECT_FALSE(game::DifficultyNamed("extreme"));
    EXPECT_EQ(game::Score(12, 3), 420);
}

class SurvivalTest : public GameTest {
protected:
    SurvivalTest() { Restart(kStep, TGameMode::Survival); }

    // Passes of the game loop for so many seconds of game time.
    void Play(double seconds) { Frame(static_cast<int>(std::lround(seconds / kStep))); }
    game::TBugState& Bug(int index) { return State().BugTable[index]; }
    void KeyDown(TVirtualKey key) { game->GLFullScreenViewer1KeyDown(&Scene().GLFullScreenViewer1, key, 0); }
    void Listen() { game->SetSoundSink(&sound); }
    // The base's health all but gone, and bug 1 about to bite it.
    void BiteTheLastHealth() {
        game::TBugState& bug = Bug(1);
        if (bug.Resting) {
            game->StartWave();
            Frame();
        }
        Scene().base->SetTagFloat(0.005f);
        bug.Actor->SetWorldPosition(bug.Target);
    }
    int Nodes(const TGLBaseSceneObject& node) const {
        int count = 1;
        for (int i = 0; i < node.ChildCount(); ++i) {
            count += Nodes(*node.ChildAt(i));
        }
        return count;
    }

    TSoundRecorder sound;
    // Made anew for each use: Restart replaces the game.
    TGameDriver Driver() { return TGameDriver{*game}; }
};

// The bugs wait hidden in their nests; the countdown sends wave 1, whose four bugs leave one by one
// with the wave's strength; once all are dead the next countdown runs, and N calls that wave at once
// for two of money a second left. N while a wave runs is refused.
TEST_F(SurvivalTest, TheCountdownSendsEachWaveAndNCallsItEarlyForABonus) {
    Listen();
    for (int i = 1; i <= game::rules::BugCount; ++i) {
        EXPECT_TRUE(Bug(i).Resting && !Bug(i).Actor->Visible() && Bug(i).Health == 0) << i;
    }
    EXPECT_TRUE(State().CombatOverlay);
    Play(19.9);
    EXPECT_EQ(State().Waves.Wave, 0);
    Play(0.2);
    ASSERT_EQ(State().Waves.Wave, 1);
    EXPECT_EQ(sound.Count("wave"), 1);
    Play(0.6);
    EXPECT_EQ(State().Waves.Spawned, 2);
    EXPECT_EQ(game->BugsLeftInWave(), 4);
    Play(1.0);
    // Bugs 3, 2, 1 and 4 stand in Bugs1 .. Bugs4: the first wave comes from every nest.
    const std::array<TGLDummyCube*, 5> nests{nullptr, Scene().Bugs[2], Scene().Bugs[1], Scene().Bugs[0], Scene().Bugs[3]};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(Bug(i).Resting);
        EXPECT_TRUE(Bug(i).Actor->Visible());
        EXPECT_EQ(Bug(i).Health, 100);
        EXPECT_EQ(Bug(i).Actor->Parent(), nests[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_TRUE(Bug(5).Resting);

    KeyDown(VirtualKeyOfChar('N'));
    EXPECT_EQ(State().Waves.Wave, 1);
    EXPECT_EQ(sound.Count("refused"), 1);
    for (int i = 1; i <= 3; ++i) {
        Bug(i).Health = 0;
    }
    Play(0.1);
    EXPECT_EQ(game->BugsLeftInWave(), 1);
    EXPECT_TRUE(State().Waves.Running);
    Bug(4).Health = 0;
    Play(5.0);
    EXPECT_FALSE(State().Waves.Running);
    EXPECT_EQ(State().Waves.Survived, 1);
    EXPECT_EQ(game->Figures.Kills, 4);
    EXPECT_NEAR(State().Waves.Countdown, 20 - 5.0 + kStep, 0.05);

    const int money = State().Money;
    const double left = State().Waves.Countdown;
    KeyDown(VirtualKeyOfChar('N'));
    EXPECT_EQ(State().Money, money + static_cast<int>(std::floor(2 * left)));
    EXPECT_EQ(State().Waves.Wave, 2);
    Play(4.0);
    EXPECT_EQ(game->BugsLeftInWave(), 8);
    for (int i = 1; i <= 8; ++i) {
        EXPECT_NEAR(Bug(i).Health, 120, 0.5f) << i;
        EXPECT_FLOAT_EQ(Bug(i).SpeedFactor, 1.04f) << i;
    }
    EXPECT_EQ(game->Score(), 4 * 10 + 100);
}

// In the survival game the base's fall stops the world in the step it happens, even with more steps
// due in the pass (here three, at 3x): bugs, towers, missiles and particles stand, the health stays at
// 0, while the camera still flies; the score is told once and the panel shows it. The classic game
// goes below 0 and on, as designed.
TEST_F(SurvivalTest, TheFallStopsTheWorldOnlyInTheSurvivalGame) {
    for (const TGameMode mode : {TGameMode::Survival, TGameMode::Classic}) {
        SCOPED_TRACE(mode == TGameMode::Survival ? "survival" : "classic");
        Restart(kStep, mode);
        Listen();
        std::vector<std::int64_t> told;
        game->OnFallen = [&](std::int64_t score) {
            told.push_back(score);
            return std::int64_t{7};
        };
        Driver().Tower(game::RocketTower.Button, Driver().Ground(TVec4{-15, 0, -15, 1}));
        BiteTheLastHealth();
        State().Speed = 3;
        const double before = game->Figures.GameTime;
        Frame();
        if (mode == TGameMode::Classic) {
            EXPECT_LT(Scene().base->TagFloat(), 0);
            EXPECT_FALSE(State().Defeated);
            Frame(10);
            EXPECT_LT(Scene().base->TagFloat(), -0.1f);
            EXPECT_FALSE(Scene().base->TagFloat() == 0);
            EXPECT_TRUE(told.empty());
            continue;
        }
        EXPECT_TRUE(State().Defeated);
        EXPECT_NEAR(game->Figures.GameTime - before, kStep, 1e-9) << "one step of the three due";
        EXPECT_EQ(Scene().base->TagFloat(), 0);
        EXPECT_EQ(told, std::vector<std::int64_t>{0});
        EXPECT_TRUE(Scene().pause_sign->Visible() == false && game->Hud.DefeatDim->Visible());
        EXPECT_NE(game->Hud.DefeatBody->Text().find("Best score      7"), std::string::npos);
        EXPECT_EQ(sound.Count("fallen"), 1);
        EXPECT_EQ(sound.Count("paused"), 1);

        const TVec4 bug = Bug(1).Actor->GetWorldPosition();
        const double gameTime = game->Figures.GameTime;
        const double flame = Scene().GLPerlinPFXManager1.CurrentTime();
        const TVec4 camera = Scene().cam->GetWorldPosition();
        State().MoveVelocity = TVec4{0, 10, 0, 0};
        Frame(20);
        EXPECT_EQ(Bug(1).Actor->GetWorldPosition(), bug);
        EXPECT_EQ(game->Figures.GameTime, gameTime);
        EXPECT_EQ(Scene().GLPerlinPFXManager1.CurrentTime(), flame);
        EXPECT_EQ(Scene().base->TagFloat(), 0);
        EXPECT_GT(Scene().cam->GetWorldPosition().Y, camera.Y + 0.5f) << "the camera flies on";
        // Nothing is bought, paused or called while the base lies fallen.
        const int money = State().Money;
        Driver().ClickButton(game::GatlingTower.Button);
        KeyDown(vkF9);
        KeyDown(VirtualKeyOfChar('N'));
        EXPECT_EQ(State().Money, money);
        EXPECT_FALSE(State().Placing || State().Paused);
        EXPECT_EQ(told.size(), 1u);
    }
}

// R after the fall clears the battle away (towers, missiles, explosions, particles, records, sounds)
// and starts again from the seed: the fresh game's first wave plays again exactly, and the scene has
// as many nodes as at start-up.
TEST_F(SurvivalTest, ANewGameAfterTheFallReplaysTheFreshGameWithNothingLeftOver) {
    Listen();
    const int nodes = Nodes(Scene().World1.Objects());
    const auto snapshot = [this] {
        std::vector<float> figures{static_cast<float>(State().Money), Scene().base->TagFloat()};
        for (int i = 1; i <= game::rules::BugCount; ++i) {
            const TVec4 p = Bug(i).Actor->GetWorldPosition();
            figures.insert(figures.end(), {p.X, p.Y, p.Z, Bug(i).Health, static_cast<float>(Bug(i).Slowness)});
        }
        return figures;
    };
    const auto firstWave = [&] {
        KeyDown(VirtualKeyOfChar('N'));
        Play(12);
        return snapshot();
    };
    const std::vector<float> start = snapshot();
    const std::vector<float> fresh = firstWave();

    const TVec4 rocket = Driver().Tower(game::RocketTower.Button, Driver().Ground(TVec4{-15, 0, -15, 1}))->GetWorldPosition();
    Driver().Tower(game::GatlingTower.Button, Driver().Ground(TVec4{-12, 0, 12, 1}));
    const TVec4 laser = Driver().Tower(game::LaserTower.Button, Driver().Ground(TVec4{12, 0, -12, 1}))->GetWorldPosition();
    Driver().ClickButton(game::GatlingTower.Button);
    // A bug held in the rocket tower's range and one in the laser's, until missiles fly.
    for (int pass = 0; pass < 5 * 85; ++pass) {
        Bug(1).Actor->SetWorldPosition(TVec4{rocket.X + 8, rocket.Y, rocket.Z, 1});
        Bug(2).Actor->SetWorldPosition(TVec4{laser.X + 5, laser.Y, laser.Z, 1});
        Bug(1).Health = Bug(2).Health = 100;
        Frame();
    }
    ASSERT_TRUE(State().Placing);
    ASSERT_GT(Scene().Missiles->ChildCount() + Scene().Explosions->ChildCount(), 0);
    ASSERT_GT(game->Figures.MissilesFired, 0);
    BiteTheLastHealth();
    Frame();
    ASSERT_TRUE(State().Defeated);
    sound.Take();

    KeyDown(VirtualKeyOfChar('R'));
    EXPECT_FALSE(State().Defeated);
    EXPECT_EQ(State().Restarts, 1);
    EXPECT_EQ(Nodes(Scene().World1.Objects()), nodes);
    for (const TGLDummyCube* container : {Scene().Towers, Scene().Missiles, Scene().Explosions}) {
        EXPECT_EQ(container->ChildCount(), 0) << container->Name();
    }
    EXPECT_EQ(Scene().GLPerlinPFXManager1.ParticleCount() + Scene().GLPerlinPFXManager2.ParticleCount(), 0);
    EXPECT_EQ(State().TowerCount, 1);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(State().TowerTable[i].Kind == 0 && !State().TowerTable[i].Proxy) << i;
    }
    EXPECT_FALSE(State().Placing || State().RepairMode);
    EXPECT_EQ(State().Waves.Wave, 0);
    EXPECT_EQ(State().Waves.Countdown, game::rules::WaveCountdown);
    EXPECT_EQ(State().TimeSurvived, 0);
    EXPECT_EQ(game->Figures.Kills + game->Figures.MissilesFired, 0);
    EXPECT_EQ(Scene().base->ChildAt(0), Scene().base_d0);
    EXPECT_FALSE(game->Hud.DefeatDim->Visible());
    const std::vector<std::string> heard = sound.Take();
    EXPECT_NE(std::find(heard.begin(), heard.end(), "stop laser 3"), heard.end());
    EXPECT_NE(std::find(heard.begin(), heard.end(), "going on"), heard.end());

    EXPECT_EQ(snapshot(), start);
    EXPECT_EQ(firstWave(), fresh);
}

}  // namespace
}  // namespace tests
