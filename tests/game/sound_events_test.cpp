#include "tests/game/game_driver.h"
#include "tests/game/game_fixture.h"
#include "tests/game/sound_recorder.h"

#include "game/laser_beam.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace tests {
namespace {

using namespace engine;

constexpr int kRocketButton = 0;
constexpr int kLaserButton = 1;
constexpr int kGatlingButton = 2;
constexpr int kRepairButton = 3;

class SoundEventsTest : public GameTest {
protected:
    SoundEventsTest() { game->SetSoundSink(&sound); }

    // A left click at a screen point, hovered for a frame of the panel first, as the player does it.
    void ClickAt(int x, int y) {
        State().MouseX = x;
        State().MouseY = y;
        game->gui_barProgress(Scene().gui_bar, 0, 0);
        game->GLFullScreenViewer1Click(&Scene().GLFullScreenViewer1);
    }
    // A click on the terrain while placing: the tower's frame judges the spot and answers.
    void PlacingClickAt(const TVec4& spot) {
        driver.PointAt(spot);
        ClickAt(400, 200);
        game->firebaseProgress(State().TowerTable[State().TowerCount - 1].Proxy.Get(), 0, 0);
    }
    void Type(char key) { game->GLFullScreenViewer1KeyPress(&Scene().GLFullScreenViewer1, key); }
    void KeyDown(TVirtualKey key) { game->GLFullScreenViewer1KeyDown(&Scene().GLFullScreenViewer1, key, 0); }
    TVec4 Ground(float x, float z) {
        TVec4 hit{x, 0, z, 1};
        Scene().terrain->OctreeRayCast(TVec4{x, 10, z, 1}, TVec4{0, -1, 0, 0}, &hit, nullptr);
        return TVec4{x, hit.Y + 0.2f, z, 1};
    }

    TSoundRecorder sound;
    TGameDriver driver{*game};
};

// Every shot, launch, blast and kill of a battle is raised once where it happens, the beams' hum
// while they burn and the base's cue every step it is bitten, and a quiet valley raises nothing.
TEST_F(SoundEventsTest, ABattleRaisesEachOfItsSoundsOnceWhereItHappens) {
    Frame(60);
    EXPECT_TRUE(sound.events.empty()) << sound.events.front().What;

    State().Money = 100000;
    const TVec4 base = Scene().base->GetWorldPosition();
    const int buttons[] = {kRocketButton, kGatlingButton, kLaserButton, kGatlingButton, kLaserButton, kRocketButton};
    std::vector<TVec4> guns;
    for (int i = 0; i < 6; ++i) {
        const float angle = static_cast<float>(i) * 6.2831853f / 6;
        TGLProxyObject* root = driver.Tower(buttons[i], Ground(base.X + 11 * std::cos(angle), base.Z + 11 * std::sin(angle)));
        guns.push_back(root->ChildAt(0)->GetWorldPosition());
    }
    sound.events.clear();
    Frame(60 * 60);

    const game::TGameFigures& figures = game->Figures;
    EXPECT_GT(figures.GatlingShots, 0);
    EXPECT_GT(figures.Explosions, 0);
    EXPECT_GT(figures.Kills, 0);
    EXPECT_EQ(sound.Count("gatling"), figures.GatlingShots);
    EXPECT_EQ(sound.Count("launch"), figures.MissilesFired);
    EXPECT_EQ(sound.Count("blast"), figures.Explosions);
    EXPECT_EQ(sound.Count("bug_death"), figures.Kills);
    // The base loses a fixed amount each step a bug bites it.
    const float lost = game::rules::BaseFullHealth - Scene().base->TagFloat();
    EXPECT_GT(lost, 1);
    EXPECT_NEAR(static_cast<float>(sound.Count("base_hit")) * game::rules::BaseDamagePerFrame, lost, 0.01f * lost);
    EXPECT_EQ(sound.Count("alarm"), (lost > 40 ? 1 : 0) + (lost > 70 ? 1 : 0));

    // A shot sounds at its gun, a blast where the missile met the ground.
    for (const TSoundRecorder::TEvent& event : sound.events) {
        if (event.What == "gatling") {
            const auto near = [&](const TVec4& gun) { return Length(gun - event.At) < 0.01f; };
            EXPECT_TRUE(std::any_of(guns.begin(), guns.end(), near));
        } else if (event.What == "blast") {
            EXPECT_NEAR(event.At.Y, Ground(event.At.X, event.At.Z).Y - 0.2f, 0.05f);
        }
    }

    // The beams: a loop a step while burning (each step takes its damage), one stop when it ends,
    // and nothing while cold.
    std::int64_t burningSteps = 0;
    for (const int owner : {3, 5}) {
        const std::string loop = "loop laser " + std::to_string(owner);
        const std::string stop = "stop laser " + std::to_string(owner);
        std::string last = stop;
        for (const TSoundRecorder::TEvent& event : sound.events) {
            if (event.What == stop) {
                EXPECT_EQ(last, loop) << "a stop only ends a burning beam";
            }
            if (event.What == loop || event.What == stop) {
                last = event.What;
            }
        }
        burningSteps += sound.Count(loop);
        EXPECT_GT(sound.Count(stop), 0);
    }
    EXPECT_NEAR(static_cast<double>(burningSteps) * game::rules::BeamDamagePerSecond * kStep, figures.LaserDamage,
                1e-3 * figures.LaserDamage);
}

// The player's cues: each click, key and pause answers with its own sound, or a refusal.
TEST_F(SoundEventsTest, ThePlayersActionsAnswerWithTheirCues) {
    const TVec4 base = Scene().base->GetWorldPosition();
    Scene().base->SetTagFloat(50);
    Frame();
    sound.events.clear();
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> heard;
    };
    const Step steps[] = {
        {"a tower button", [&] { driver.ClickButton(kGatlingButton); }, {"purchase"}},
        {"an illegal spot", [&] { PlacingClickAt(base); }, {"refused"}},
        {"a legal spot", [&] { PlacingClickAt(TVec4{-10, 0, -20, 1}); }, {"place"}},
        {"a plain click", [&] { ClickAt(400, 200); }, {}},
        {"a button too dear", [&] { State().Money = 99; driver.ClickButton(kRocketButton); }, {"refused"}},
        {"the repair button", [&] { State().Money = 500; driver.ClickButton(kRepairButton); }, {"purchase"}},
        {"a repair of the base",
         [&] {
             State().CameraPos = TVec4{base.X, 15, base.Z, 1};
             State().MouseRay = TVec4{0, -1, 0, 0};
             ClickAt(400, 200);
         },
         {"repair"}},
        {"a repair beside it",
         [&] {
             State().RepairMode = true;
             State().CameraPos = TVec4{base.X + 30, 15, base.Z + 30, 1};
             ClickAt(400, 200);
         },
         {"refused"}},
        {"the pause key", [&] { KeyDown(vkPause); }, {"paused", "pause"}},
        {"a click while paused", [&] { driver.ClickButton(kGatlingButton); }, {"refused"}},
        {"the pause key again", [&] { KeyDown(vkF9); }, {"going on", "resume"}},
        {"the sound keys", [&] { for (const char key : {'m', 'M', '-', '=', '+', 'x', 'w'}) Type(key); },
         {"mute", "mute", "volume -10", "volume 10", "volume 10"}},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(sound.Take(), step.heard) << step.what;
    }
}

// The alarm sounds when the base's band falls, straight to the wreck too, never when a repair
// lifts it.
TEST_F(SoundEventsTest, TheAlarmSoundsOnlyWhenTheBaseFallsABand) {
    const std::pair<float, int> healths[] = {{61, 0}, {59, 1}, {45, 0}, {29, 1}, {20, 0},
                                             {60, 0}, {59, 1}, {100, 0}, {10, 1}, {35, 0}};
    for (const auto& [health, alarms] : healths) {
        Scene().base->SetTagFloat(health);
        Frame();
        EXPECT_EQ(sound.Count("alarm"), alarms) << health;
        sound.events.clear();
    }
}

}  // namespace
}  // namespace tests
