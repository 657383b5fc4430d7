#include "tests/game/game_driver.h"
#include "tests/game/game_fixture.h"

#include "game/cursor_slots.h"
#include "game/tower_kinds.h"

namespace tests {
namespace {

using namespace engine;

constexpr int kRocketButton = game::RocketTower.Button;
constexpr int kGatlingButton = game::GatlingTower.Button;
constexpr int kRepairButton = game::rules::RepairButton;

class PlacementTest : public GameTest {
protected:
    // The tower being placed, or the last one placed.
    TGLProxyObject& LastTower() { return *State().TowerTable[State().TowerCount - 1].Proxy.Get(); }
    void TowerFrame() { game->firebaseProgress(&LastTower(), kStep, 0); }
    TGLLibMaterial& Ring(const char* name) { return *Scene().GLMaterialLibrary3.FindMaterial(name); }
    TVec4 RingOffset(const char* name) { return Ring(name).TextureOffset().AsVector(); }
    bool RingHidden(const char* name) { return RingOffset(name) == TVec4{512, 512, 1, 0}; }

    TGameDriver driver{*game};
};

// A click off the panel places the tower only where its frame finds the terrain under the pointer and
// judges the spot legal; it is paid for there and stays there. A click over another tower, the sky or
// the void beyond the terrain buys nothing, and the placement goes on.
TEST_F(PlacementTest, AClickPlacesOnlyWhereItsFrameJudgesTheSpot) {
    driver.Tower(kRocketButton, driver.Ground(TVec4{-20, 0, -20, 1}));
    struct Case {
        const char* what;
        float legalZ;  // the spot of the frame before the click, at X -10: legal
        TVec4 cameraAtClick;
        TVec4 rayAtClick;
        bool placed;
    };
    const TVec4 down{0, -1, 0, 0};
    const Case cases[] = {
        {"the legal spot", -20, {-10, 20, -20, 1}, down, true},
        {"another legal spot", -10, {-7, 20, -10, 1}, down, true},
        {"onto the rocket tower", 0, {-20.5f, 20, -20, 1}, down, false},
        {"the sky", 0, {-10, 20, 0, 1}, {0, 1, 0, 0}, false},
        {"the void beyond the terrain", 0, {200, 20, 200, 1}, down, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        driver.ClickButton(kGatlingButton);
        TGLProxyObject& tower = LastTower();
        driver.PointAt(TVec4{-10, 0, c.legalZ, 1});
        TowerFrame();
        ASSERT_TRUE(State().PlaceValid);
        const TVec4 legalStand = tower.GetWorldPosition();
        const int money = State().Money;

        State().CameraPos = c.cameraAtClick;
        State().MouseRay = c.rayAtClick;
        driver.ClickTerrain();
        TowerFrame();
        EXPECT_EQ(State().Money, c.placed ? money - 10 : money);
        EXPECT_EQ(State().Placing, !c.placed);
        EXPECT_EQ(State().PlaceValid, c.placed);
        const TVec4 stand = tower.GetWorldPosition();
        if (c.placed) {
            // It stands on the clicked spot, and stays there whatever the pointer does next.
            EXPECT_NEAR(stand.X, c.cameraAtClick.X, 1e-4f);
            EXPECT_NEAR(stand.Z, c.cameraAtClick.Z, 1e-4f);
            driver.PointAt(TVec4{0, 0, 0, 1});
            TowerFrame();
            EXPECT_EQ(tower.GetWorldPosition(), stand);
            EXPECT_FALSE(State().TowerTable[tower.Tag()].Following);
        } else if (c.rayAtClick.Y > 0 || c.cameraAtClick.X > 100) {
            // Off the terrain the tower waits where it last stood.
            EXPECT_EQ(stand, legalStand);
        }
    }
}

// The button a click acts on is the one under the click, whatever the panel saw in the last frame;
// a button is refused by its price, not by the cursor an illegal spot left behind.
TEST_F(PlacementTest, TheButtonUnderAClickIsJudgedWhereTheClickIs) {
    struct Case {
        const char* what;
        int money;
        int framePointerX, framePointerY;  // where the panel's last frame saw the pointer
        int cursor;                        // left by the last timer tick
        int clickX, clickY;
        int placingKind;  // 0: no placement
    };
    const int choose = game::cursors::Choose;
    const int refusing = game::cursors::Refusing;
    const Case cases[] = {
        {"reached and clicked between frames", 500, 400, 200, choose, 408, 550, 2},
        {"left between frames, clicked on the terrain", 500, 408, 550, choose, 400, 200, 0},
        {"an illegal spot's cursor left over", 500, 280, 550, refusing, 280, 550, 1},
        {"unaffordable, though the cursor chose it", 99, 280, 550, choose, 280, 550, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        State().RepairMode = false;
        State().Money = c.money;
        State().MouseX = c.framePointerX;
        State().MouseY = c.framePointerY;
        game->gui_barProgress(Scene().gui_bar, kStep, 0);
        Scene().GLFullScreenViewer1.SetCursor(static_cast<std::int16_t>(c.cursor));
        State().MouseX = c.clickX;
        State().MouseY = c.clickY;
        game->GLFullScreenViewer1Click(&Scene().GLFullScreenViewer1);
        EXPECT_EQ(State().Placing, c.placingKind != 0);
        if (c.placingKind != 0) {
            EXPECT_EQ(State().PlacingKind, c.placingKind);
            driver.ClickButton(kRepairButton);
        }
        EXPECT_EQ(State().Money, c.money);
        EXPECT_EQ(Scene().Towers->ChildCount(), 0);
    }
}

// A ring is centred on a point by a texture offset on a grid of 1024 steps across the terrain, its
// kind's texture scale taken into account.
TEST_F(PlacementTest, PlaceRingPutsTheRingOnTheTerrainGrid) {
    const struct {
        TVec4 point;
        const char* ring;
        int texelX, texelY;
        float offsetX, offsetY;
    } cases[] = {
        {{0, 0, 0, 1}, "mark", 512, 512, -1.5f, -1.5f},
        {{0, 0, 0, 1}, "1mark", 512, 512, -2.0f, -2.0f},
        // 700.5 and 300.5 steps, truncated.
        {{18.85f, 3, 21.15f, 1}, "mark", 700, 300, -2.234375f, -0.671875f},
        {{18.85f, 3, 21.15f, 1}, "1mark", 700, 300, -2.91796875f, -0.96484375f},
        // -90.5 steps: truncated towards zero.
        {{-60.25f, 0, 0, 1}, "mark", -90, 512, 0.8515625f, -1.5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.ring) + " at " + std::to_string(c.point.X));
        game->PlaceRing(c.point, c.ring);
        EXPECT_EQ(State().RingTexelX, c.texelX);
        EXPECT_EQ(State().RingTexelY, c.texelY);
        const TVec4 offset = RingOffset(c.ring);
        EXPECT_FLOAT_EQ(offset.X, c.offsetX);
        EXPECT_FLOAT_EQ(offset.Y, c.offsetY);
        EXPECT_EQ(offset.Z, 1);
    }
}

// A placed tower shows its ring while the left button is held on it; one not under the pointer asks
// for the ring to be hidden, which the timer does once nobody places or holds the button. A cancelled
// placement hides its ring at once, whatever comes next; the ring's refusal tint goes with it.
TEST_F(PlacementTest, RingsShowAndHideAsThePlayerActs) {
    const TVec4 spot = driver.Ground(TVec4{-20, 0, -20, 1});
    driver.Tower(kRocketButton, spot);
    const TVec4 away{10, 0, 10, 1};
    const auto timerTick = [&](const TVec4& pointAt) {
        game->AsyncTimer2Timer(&Scene().AsyncTimer2);
        driver.PointAt(pointAt);  // in place of the ray the timer took from the real pointer
    };

    game->PlaceRing(spot, "mark");
    const TVec4 shown = RingOffset("mark");
    driver.PointAt(away);
    TowerFrame();
    EXPECT_EQ(RingOffset("mark"), (TVec4{shown.X, shown.Y, 0, 0}));  // hiding asked for
    State().LeftDown = true;
    timerTick(away);
    EXPECT_FALSE(RingHidden("mark"));
    State().LeftDown = false;
    timerTick(away);
    EXPECT_TRUE(RingHidden("mark"));
    driver.PointAt(spot);
    State().LeftDown = true;
    TowerFrame();
    EXPECT_EQ(RingOffset("mark"), shown);
    State().LeftDown = false;

    for (const int cancelling : {kGatlingButton, kRepairButton}) {
        SCOPED_TRACE(cancelling);
        driver.ClickButton(kRocketButton);
        driver.PointAt(spot);  // too near the rocket tower: refused, the ring turns red
        TowerFrame();
        game->GLCadencer1Progress(&Scene().GLCadencer1, 0, 0);
        EXPECT_FALSE(RingHidden("mark"));
        EXPECT_LT(Ring("mark").Material().FrontProperties().Diffuse().Color().Y, 0.5f);
        driver.ClickButton(cancelling);
        EXPECT_TRUE(RingHidden("mark"));
        game->GLCadencer1Progress(&Scene().GLCadencer1, 0, 0);
        EXPECT_EQ(Ring("mark").Material().FrontProperties().Diffuse().Color(), (TVec4{1, 1, 1, 1}));
    }
}

}  // namespace
}  // namespace tests
