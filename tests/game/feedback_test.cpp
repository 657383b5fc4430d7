#include "tests/game/game_driver.h"
#include "tests/game/game_fixture.h"
#include "tests/game/sound_recorder.h"

#include "game/tower_kinds.h"

#include <cmath>
#include <string>
#include <vector>

namespace tests {
namespace {

using namespace engine;

class FeedbackTest : public GameTest {
protected:
    void KeyDown(TVirtualKey key) { game->GLFullScreenViewer1KeyDown(&Scene().GLFullScreenViewer1, key, 0); }
    // The left button held with the pointer's ray straight down onto a tower.
    void HoldOn(const TGLProxyObject& tower) {
        const TVec4 at = tower.GetWorldPosition();
        State().CameraPos = TVec4{at.X, at.Y + 15, at.Z, 1};
        State().MouseRay = TVec4{0, -1, 0, 0};
        State().LeftDown = true;
    }
    game::TTowerState& Record(int index) { return State().TowerTable[index]; }
    // The pointer on a button for so many view steps.
    void Hover(int button, int steps) {
        const TGLCoordinates& p = Scene().gui_bar->ChildAt(button)->Position();
        State().MouseX = static_cast<int>(p.X());
        State().MouseY = static_cast<int>(p.Y());
        for (int i = 0; i < steps; ++i) {
            game->ViewStep();
        }
    }

    TSoundRecorder sound;
    // Made anew for each use: Restart replaces the game.
    TGameDriver Driver() { return TGameDriver{*game}; }
};

// Delete or Backspace sells the tower the left button holds for half its price. Its nodes go, the
// table's last record moves into its slot (the moved tower answers to it, and its laser hum starts
// again under it), and the next placement takes the freed record at the end. Nothing is sold without
// the button, while placing, or with the pointer off every tower.
TEST_F(FeedbackTest, SellingPaysHalfThePriceFreesTheTowerAndReusesItsRecord) {
    game->SetSoundSink(&sound);
    TGLProxyObject* rocket = Driver().Tower(game::RocketTower.Button, Driver().Ground(TVec4{-15, 0, -15, 1}));
    TGLProxyObject* gatling = Driver().Tower(game::GatlingTower.Button, Driver().Ground(TVec4{-12, 0, 12, 1}));
    TGLProxyObject* laser = Driver().Tower(game::LaserTower.Button, Driver().Ground(TVec4{12, 0, -12, 1}));
    ASSERT_EQ(State().TowerCount, 4);
    ASSERT_EQ(State().Money, 500 - 160);
    sound.Take();

    HoldOn(*rocket);
    State().LeftDown = false;
    KeyDown(vkDelete);
    State().LeftDown = true;
    State().MouseRay = TVec4{0, 1, 0, 0};
    KeyDown(vkDelete);
    EXPECT_EQ(State().TowerCount, 4) << "the button up, or the pointer off the tower: nothing sold";

    HoldOn(*rocket);
    KeyDown(vkDelete);
    EXPECT_EQ(State().Money, 340 + 50);
    EXPECT_EQ(State().TowerCount, 3);
    EXPECT_EQ(Scene().Towers->ChildCount(), 2);
    EXPECT_EQ(Record(1).Proxy.Get(), laser);
    EXPECT_EQ(Record(1).Kind, game::tower_kinds::Laser);
    EXPECT_EQ(laser->Tag(), 1);
    EXPECT_FALSE(Record(3).Proxy);
    EXPECT_EQ(Record(3).Kind, 0);
    EXPECT_EQ(sound.Take(), (std::vector<std::string>{"stop laser 3", "sell"}));

    HoldOn(*laser);
    KeyDown(vkBack);
    EXPECT_EQ(State().Money, 390 + 25);
    EXPECT_EQ(State().TowerCount, 2);
    EXPECT_EQ(Record(1).Proxy.Get(), gatling);
    EXPECT_EQ(gatling->Tag(), 1);
    EXPECT_EQ(sound.Take(), (std::vector<std::string>{"stop laser 1", "sell"}));
    EXPECT_EQ(game->Figures.TowersSold, 2);

    // The gatling tower still fights under its new record; the next tower takes record 2.
    game::TBugState& bug = State().BugTable[7];
    const TVec4 at = gatling->GetWorldPosition();
    bug.Actor->SetWorldPosition(TVec4{at.X + 4, at.Y, at.Z, 1});
    game->firebaseProgress(gatling, 0.2, 0);
    EXPECT_EQ(Record(1).Target, 7);
    Driver().ClickButton(game::GatlingTower.Button);
    EXPECT_EQ(State().TowerCount, 3);
    EXPECT_TRUE(Record(2).Following);
    EXPECT_EQ(Record(2).Proxy.Get(), Scene().Towers->ChildAt(Scene().Towers->ChildCount() - 1));
    HoldOn(*gatling);
    KeyDown(vkDelete);
    EXPECT_EQ(Scene().Towers->ChildCount(), 2) << "nothing is sold while a tower is being placed";
}

// Half a second on a button shows what it buys; the classic game starts without the overlay, the
// survival game with it, and H switches it: bars over wounded living bugs as long as their health,
// a "+5" rising from each kill for a little over a second.
TEST_F(FeedbackTest, TooltipsShowAfterHalfASecondAndHSwitchesTheOverlay) {
    const std::pair<int, const char*> tips[] = {
        {0, "Rocket tower\rPrice 100\rRange 3.9 to 12.2\rDamage up to 34/s, blast"},
        {1, "Laser tower\rPrice 50\rRange up to 8.9\rDamage 25/s"},
        {2, "Gatling tower\rPrice 10\rRange 2.2 to 10.0\rDamage 10/s"},
        {3, "Repair the base\rPrice 200\rHealth +40, up to 100"},
    };
    for (const auto& [button, text] : tips) {
        // The first step on the button starts the count.
        Hover(button, static_cast<int>(std::ceil(game::rules::TooltipDelay / kStep)));
        EXPECT_FALSE(game->Hud.TooltipBox->Visible()) << button;
        Hover(button, 1);
        EXPECT_TRUE(game->Hud.TooltipBox->Visible()) << button;
        EXPECT_EQ(game->Hud.Tooltip->Text(), text);
        State().MouseX = 400;
        State().MouseY = 200;
        game->ViewStep();
        EXPECT_FALSE(game->Hud.TooltipBox->Visible());
    }

    game::TBugState& bug = State().BugTable[9];
    const TGLSprite& bar = *game->Hud.BugBars[9].Frame;
    bug.Health = 60;
    Frame();
    EXPECT_FALSE(State().CombatOverlay);
    EXPECT_FALSE(bar.Visible());
    KeyDown(VirtualKeyOfChar('H'));
    Frame();
    EXPECT_TRUE(bar.Visible());
    EXPECT_NEAR(game->Hud.BugBars[9].Fill->Width(), 1.2f * 0.6f, 1e-5f);
    EXPECT_NEAR(bar.Position().Y(), bug.Actor->GetWorldPosition().Y + 1.2f, 1e-4f);
    EXPECT_FALSE(game->Hud.BugBars[10].Frame->Visible()) << "a bug at full health has no bar";
    bug.Health = 0;
    Frame();
    EXPECT_FALSE(bar.Visible());
    EXPECT_EQ(game->Hud.PopupsShown(), 1);
    Frame(static_cast<int>(game::TGameHud::PopupSeconds / kStep) + 1);
    EXPECT_EQ(game->Hud.PopupsShown(), 0);
    KeyDown(VirtualKeyOfChar('H'));
    State().BugTable[11].Health = 50;
    Frame();
    EXPECT_FALSE(game->Hud.BugBars[11].Frame->Visible());

    Restart(kStep, game::TGameMode::Survival);
    EXPECT_TRUE(State().CombatOverlay);
}

// The speed shows while it is not 1x, the repair mode until its click, the pause with the scene
// dimmed under its sign; Home puts the camera over the base, looking down on it.
TEST_F(FeedbackTest, ModesShowOnScreenAndHomeLooksDownOnTheBase) {
    for (const auto& [key, sign] : {std::pair{vkF6, "2x"}, std::pair{vkF7, "3x"}, std::pair{vkF5, ""}}) {
        KeyDown(key);
        Frame();
        EXPECT_EQ(game->Hud.SpeedSign->Text(), sign);
    }
    Driver().ClickButton(game::rules::RepairButton);
    Frame();
    EXPECT_TRUE(game->Hud.RepairBox->Visible());
    Driver().ClickTerrain();
    Frame();
    EXPECT_FALSE(game->Hud.RepairBox->Visible());
    KeyDown(vkPause);
    EXPECT_TRUE(Scene().pause_sign->Visible());
    EXPECT_TRUE(game->Hud.PauseDim->Visible());
    EXPECT_EQ(Scene().pause_sign->ChildCount(), 2) << "the designed sign stays as it is";
    const TGLBaseSceneObject& root = Scene().World1.Objects();
    EXPECT_EQ(root.IndexOfChild(game->Hud.PauseDim) + 1, root.IndexOfChild(Scene().pause_sign));
    KeyDown(vkPause);
    EXPECT_FALSE(game->Hud.PauseDim->Visible());
    KeyDown(vkPause);

    State().MoveVelocity = TVec4{3, 2, 1, 0};
    KeyDown(vkHome);
    Frame();
    const TVec4 eye = Scene().GLCamera1->GetWorldPosition();
    const TVec4 base = Scene().base->GetWorldPosition();
    const TVec4 look = Normalize(Scene().GLCamera1->GetWorldDirection());
    EXPECT_NEAR(Length(eye - base), game::rules::HomeDistance, 0.2f);
    EXPECT_NEAR(eye.Y - base.Y, game::rules::HomeDistance * std::sin(DegToRad(game::rules::HomePitch)), 0.2f);
    EXPECT_GT(Dot(look, Normalize(base - eye)), 0.999f);
    EXPECT_EQ(State().MoveVelocity, (TVec4{0, 0, 0, 0}));
}

}  // namespace
}  // namespace tests
