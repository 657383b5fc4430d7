#include "tests/game/game_driver.h"
#include "tests/game/game_fixture.h"

#include "game/laser_beam.h"
#include "game/tower_kinds.h"

#include <cmath>

namespace tests {
namespace {

using namespace engine;

constexpr int kLaserButton = 1;
constexpr int kRepairButton = 3;

class LaserAndComfortsTest : public GameTest {
protected:
    TGLActor& BugActor(int index) { return *State().BugTable[index].Actor.Get(); }
    void ScatterBugs() {
        for (int i = 1; i <= game::rules::BugCount; ++i) {
            BugActor(i).SetWorldPosition(TVec4{45, 30, 45, 1});
        }
    }
    // A laser tower with bug 5 in its range, its gun already come round onto it.
    TGLProxyObject* AimedLaser() {
        TGLProxyObject* root = driver.Tower(kLaserButton, TVec4{20, -5, 20, 1});
        ScatterBugs();
        const TVec4 at = root->GetWorldPosition();
        BugActor(5).SetWorldPosition(TVec4{at.X + 6, at.Y, at.Z, 1});
        for (int frame = 0; frame < 100; ++frame) {
            game->firebaseProgress(root, 0, 0);
        }
        State().BugTable[5].Health = 100;
        return root;
    }
    game::TLaserBeam& Beam(TGLProxyObject& root) {
        return dynamic_cast<game::TLaserBeam&>(*root.ChildAt(0)->ChildAt(1));
    }
    // The mouse points straight down at the world point p.
    void PointAt(const TVec4& p) {
        State().CameraPos = TVec4{p.X, 15, p.Z, 1};
        State().MouseRay = TVec4{0, -1, 0, 0};
    }

    TGameDriver driver{*game};
};

// The beam takes 25 health a second of game time, however that time is cut into frames.
TEST_F(LaserAndComfortsTest, TheBeamBurnsBySecondsNotFrames) {
    TGLProxyObject* root = AimedLaser();
    for (const int frames : {60, 30, 7}) {
        State().BugTable[5].Health = 100;
        for (int i = 0; i < frames; ++i) {
            game->firebaseProgress(root, 1.0 / frames, 0);
        }
        EXPECT_NEAR(State().BugTable[5].Health, 75, 1e-3) << frames << " frames";
        EXPECT_TRUE(Beam(*root).Visible());
    }
    EXPECT_NEAR(game->Figures.LaserDamage, 75, 1e-2);
    // The beam runs from the emitter's tip to the bug.
    const TVec4 to = Beam(*root).To();
    EXPECT_NEAR(to.X, BugActor(5).GetWorldPosition().X, 1e-4);
    ScatterBugs();
    game->firebaseProgress(root, 0.1, 0);
    EXPECT_FALSE(Beam(*root).Visible());
}

// The beam is on only while the gun points within 5 degrees of the target.
TEST_F(LaserAndComfortsTest, TheBeamNeedsTheGunWithinFiveDegrees) {
    TGLProxyObject* root = AimedLaser();
    TGLBaseSceneObject& gun = *root->ChildAt(0);
    const TVec4 on = Normalize(gun.GetWorldDirection());
    int burning = 0;
    int cold = 0;
    for (float degrees = 2; degrees <= 12; degrees += 0.5f) {
        gun.SetWorldDirection(RotateVector(on, TVec4{0, 1, 0, 0}, DegToRad(degrees)));
        State().BugTable[5].Health = 100;
        game->firebaseProgress(root, 0.1, 0);
        const TVec4 wanted = Normalize(BugActor(5).GetWorldPosition() - gun.GetWorldPosition());
        const float off = RadToDeg(std::acos(std::clamp(Dot(Normalize(gun.GetWorldDirection()), wanted), -1.0f, 1.0f)));
        const bool burns = State().BugTable[5].Health < 100;
        EXPECT_EQ(burns, off <= 5) << degrees << " degrees off, " << off << " after the turn";
        EXPECT_EQ(Beam(*root).Visible(), burns);
        (burns ? burning : cold) += 1;
    }
    EXPECT_GT(burning, 0);
    EXPECT_GT(cold, 0);
}

// Repair mode's click on the base gives it 40 health, at most 100, for 200; the band goes up.
TEST_F(LaserAndComfortsTest, RepairMendsTheBaseOnlyOnAHitWithTheMoney) {
    const TVec4 base = Scene().base->GetWorldPosition();
    struct Case {
        float health;
        int money;
        bool onBase;
        float healthAfter;
        int moneyAfter;
    };
    const Case cases[] = {
        {20, 500, true, 60, 300},   {80, 250, true, 100, 50}, {50, 199, true, 50, 199},
        {100, 500, true, 100, 500}, {50, 500, false, 50, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.health) + " with " + std::to_string(c.money));
        Scene().base->SetTagFloat(c.health);
        Frame();
        State().Money = c.money;
        driver.ClickButton(kRepairButton);
        if (c.money >= 200) {
            EXPECT_TRUE(State().RepairMode);
        }
        State().RepairMode = true;
        PointAt(c.onBase ? base : TVec4{base.X + 30, 0, base.Z + 30, 1});
        State().MouseX = 400;
        State().MouseY = 200;
        game->gui_barProgress(Scene().gui_bar, 0, 0);
        game->GLFullScreenViewer1Click(&Scene().GLFullScreenViewer1);
        EXPECT_FALSE(State().RepairMode);
        EXPECT_EQ(Scene().base->TagFloat(), c.healthAfter);
        EXPECT_EQ(State().Money, c.moneyAfter);
    }
    // 20 + 40 = 60: the first case took the base from the wreck up to the intact model.
    Scene().base->SetTagFloat(20);
    Frame();
    EXPECT_EQ(Scene().base->ChildAt(0), Scene().base_d2);
    State().Money = 500;
    State().RepairMode = true;
    PointAt(base);
    game->GLFullScreenViewer1Click(&Scene().GLFullScreenViewer1);
    Frame();
    EXPECT_EQ(Scene().base->ChildAt(0), Scene().base_d0);
    EXPECT_EQ(game->Figures.Repairs, 3);
}

}  // namespace
}  // namespace tests
