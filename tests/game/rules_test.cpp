#include "tests/game/game_driver.h"
#include "tests/game/game_fixture.h"

#include "engine/effects/animated_sprite.h"
#include "game/cursor_slots.h"
#include "game/game_math.h"
#include "game/tower_kinds.h"

#include <cmath>

namespace tests {
namespace {

using namespace engine;

constexpr int kRocketButton = 0;
constexpr int kLaserButton = 1;
constexpr int kGatlingButton = 2;

class RulesTest : public GameTest {
protected:
    void ClickButton(int button) { driver.ClickButton(button); }
    TGLProxyObject* PlaceAt(const TVec4& position) { return driver.PlaceAt(position); }
    TGLProxyObject* Tower(int button, const TVec4& position) { return driver.Tower(button, position); }
    void Progress(TGLProxyObject& root, double deltaTime = kStep) { game->firebaseProgress(&root, deltaTime, 0); }
    TGLActor& BugActor(int index) { return *State().BugTable[index].Actor.Get(); }
    // Moves every bug far away, out of every tower's search.
    void ScatterBugs() {
        for (int i = 1; i <= game::rules::BugCount; ++i) {
            BugActor(i).SetWorldPosition(TVec4{45, 30, 45, 1});
        }
    }
    void PutBug(int index, const TVec4& at, float squaredDistance) {
        BugActor(index).SetWorldPosition(TVec4{at.X + std::sqrt(squaredDistance), at.Y, at.Z, 1});
    }
    // A missile in the scene's container, as a rocket tower makes it.
    TGLDummyCube* MissileAt(const TVec4& position, const TVec4& direction) {
        auto* missile = Scene().Missiles->CreateChild<TGLDummyCube>();
        missile->SetPosition(position);
        missile->SetDirection(direction);
        missile->SetUp(std::abs(direction.Y) > 0.9f ? TVec4{1, 0, 0, 0} : TVec4{0, 1, 0, 0});
        return missile;
    }
    TVec4 TerrainBelow(float x, float z) {
        TVec4 hit;
        EXPECT_TRUE(Scene().terrain->OctreeRayCast(TVec4{x, 10, z, 1}, TVec4{0, -1, 0, 0}, &hit, nullptr));
        return hit;
    }

    TGameDriver driver{*game};
};

TEST_F(RulesTest, PopulationPutsEachBugInTheGroupOfItsIndexWithOneMarker) {
    for (int index = 1; index <= game::rules::BugCount; ++index) {
        SCOPED_TRACE(index);
        const game::TBugState& bug = State().BugTable[index];
        TGLActor& actor = BugActor(index);
        // Bugs1 holds 3, 7, ...; Bugs2 2, 6, ...; Bugs3 1, 5, ...; Bugs4 4, 8, ...
        const int group = std::array<int, 4>{3, 2, 1, 0}[index % 4];
        EXPECT_EQ(actor.Parent(), Scene().Bugs[group]);
        EXPECT_EQ(actor.Tag(), index);
        EXPECT_EQ(actor.ChildCount(), 1);
        EXPECT_TRUE(actor.Visible());
        EXPECT_EQ(actor.ActiveAnimationName(), "run");
        EXPECT_EQ(bug.Health, 100);
        EXPECT_GE(bug.Slowness, 1);
        EXPECT_LE(bug.Slowness, 3);
        EXPECT_EQ(actor.Interval(), 40 + 5 * bug.Slowness);
    }
    for (TGLDummyCube* group : Scene().Bugs) {
        EXPECT_EQ(group->ChildCount(), 10);
    }
}

// A bug dies at health exactly 0, pays once however far its health falls, lies, sinks and comes
// back as a new bug.
TEST_F(RulesTest, ABugDiesAtZeroPaysOnceAndRespawns) {
    Frame();  // the bugs stand on the terrain, their own up along their direction
    game::TBugState& bug = State().BugTable[7];
    TGLActor& actor = BugActor(7);
    bug.Health = 0;
    game->BugProgress(&actor, kStep, 0);
    EXPECT_EQ(State().Money, 505);
    EXPECT_EQ(actor.TagFloat(), 1);
    EXPECT_EQ(actor.ActiveAnimationName(), "crdeath");
    EXPECT_EQ(actor.Interval(), 500);
    bug.Health -= 102;
    game->BugProgress(&actor, kStep, 0);
    EXPECT_EQ(State().Money, 505);
    EXPECT_EQ(game->Figures.Kills, 1);

    bug.CorpseTime = 0;
    const float sunkFrom = actor.GetWorldPosition().Y;
    game->BugProgress(&actor, 1.0, 0);
    EXPECT_LT(actor.GetWorldPosition().Y, sunkFrom);
    bug.CorpseTime = -4.99f;
    game->BugProgress(&actor, 0.02, 0);
    EXPECT_EQ(bug.Health, 100);
    EXPECT_EQ(bug.CorpseTime, 10);
    EXPECT_EQ(actor.TagFloat(), 0);
    EXPECT_EQ(actor.ActiveAnimationName(), "run");
}

// The scan keeps the nearest living bug so far and takes it only when it lies strictly between the
// two ranges (rocket: 15 and 150); ties keep the earlier index.
TEST_F(RulesTest, TargetScanTakesTheNearestBugOnlyInsideTheRing) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, float>> bugs;  // index, squared distance
        std::vector<int> dead;
        int target;
    };
    const Case cases[] = {
        {"a nearer bug inside the minimum range hides a farther one", {{1, 3}, {2, 50}}, {}, 0},
        {"the nearer bug met later keeps the earlier target", {{1, 50}, {2, 3}}, {}, 1},
        {"the nearest of two in range", {{1, 50}, {2, 40}}, {}, 2},
        {"a tie keeps the earlier index", {{3, 60}, {7, 60}}, {}, 3},
        {"outside the maximum range", {{1, 151}}, {}, 0},
        {"inside the minimum range", {{1, 14.999f}}, {}, 0},
        {"just beyond the minimum range", {{1, 15.001f}}, {}, 1},
        {"dead bugs are ignored", {{1, 20}, {2, 50}}, {1}, 2},
    };
    TGLProxyObject* root = Tower(kRocketButton, TVec4{20, -5, 20, 1});
    game::TTowerState& tower = State().TowerTable[root->Tag()];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScatterBugs();
        for (int i = 1; i <= game::rules::BugCount; ++i) {
            State().BugTable[i].Health = 100;
        }
        for (const auto& [index, d] : c.bugs) {
            PutBug(index, root->GetWorldPosition(), d);
        }
        for (int index : c.dead) {
            State().BugTable[index].Health = 0;
        }
        Progress(*root);
        EXPECT_EQ(tower.Target, c.target);
    }
}

// The spacing a new tower needs is its own kind's, whatever the other tower is; every kind keeps
// about 5.48 units from the base.
TEST_F(RulesTest, PlacementNeedsTheSpacingOfThePlacingKindAndTheBaseDistance) {
    const TVec4 other{20, -5, 20, 1};
    Tower(kGatlingButton, other);
    const TVec4 base = Scene().base->GetWorldPosition();
    struct Case {
        int button;
        TVec4 spot;
        bool valid;
    };
    const Case cases[] = {
        {kRocketButton, {24.0f, -5, 20, 1}, true},  {kRocketButton, {23.99f, -5, 20, 1}, false},
        {kGatlingButton, {22.0f, -5, 20, 1}, true}, {kGatlingButton, {21.99f, -5, 20, 1}, false},
        {kRocketButton, {base.X + 5.48f, base.Y, base.Z, 1}, true},
        {kRocketButton, {base.X + 5.47f, base.Y, base.Z, 1}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.button) + " at " + std::to_string(c.spot.X));
        // The mouse points straight down at the terrain, so the following tower judges its last spot.
        State().CameraPos = TVec4{0, 20, 0, 1};
        State().MouseRay = TVec4{0, -1, 0, 0};
        ClickButton(c.button);
        TGLProxyObject* root = State().TowerTable[State().TowerCount - 1].Proxy.Get();
        root->SetPosition(c.spot);
        Progress(*root);
        EXPECT_EQ(State().PlaceValid, c.valid);
        // A tower on an illegal spot shows its parts in red.
        game->GLCadencer1Progress(&Scene().GLCadencer1, 0, 0);
        const std::string master = root->MasterObject()->Name();
        EXPECT_EQ(master.find("_refused") != std::string::npos, !c.valid) << master;
        const int refusing = game::cursors::Refusing;
        State().MouseX = 400;
        State().MouseY = 200;
        game->gui_barProgress(Scene().gui_bar, kStep, 0);
        game->AsyncTimer2Timer(&Scene().AsyncTimer2);
        EXPECT_EQ(Scene().GLFullScreenViewer1.Cursor() == refusing, !c.valid);
    }
}

// A rocket tower leads a running bug by its marker and aims at the bug itself once it attacks.
TEST_F(RulesTest, RocketsLeadRunningBugsUntilTheyAttack) {
    TGLProxyObject* root = Tower(kRocketButton, TVec4{20, -5, 20, 1});
    TGLBaseSceneObject& gun = *root->ChildAt(0);
    TGLBaseSceneObject& aim = *gun.ChildAt(0);
    ScatterBugs();
    PutBug(5, root->GetWorldPosition(), 60);
    // Once the gun has come round, it and its aim node point at the aim point, exactly.
    const auto gunAimsAt = [&](const TVec4& point) {
        for (int frame = 0; frame < 200; ++frame) {
            Progress(*root);
        }
        const TVec4 wanted = Normalize(point - gun.GetWorldPosition());
        const TVec4 actual = Normalize(gun.GetWorldDirection());
        const TVec4 held = Normalize(aim.GetWorldDirection());
        EXPECT_NEAR(held.X, actual.X, 1e-6f);
        EXPECT_NEAR(held.Y, actual.Y, 1e-6f);
        EXPECT_NEAR(held.Z, actual.Z, 1e-6f);
        return std::abs(wanted.X - actual.X) < 1e-4f && std::abs(wanted.Y - actual.Y) < 1e-4f &&
               std::abs(wanted.Z - actual.Z) < 1e-4f;
    };
    EXPECT_TRUE(gunAimsAt(BugActor(5).ChildAt(0)->GetWorldPosition()));
    BugActor(5).SelectAnimation("attack");
    EXPECT_TRUE(gunAimsAt(BugActor(5).GetWorldPosition()));
}

// A turn step lands exactly on the wanted vector when it ends within 0.001 of it on every axis.
TEST(TurnTowards, SnapsWithinTheTolerance) {
    const TVec4 wanted{0.6f, 0.0f, 0.8f, 0};
    const struct {
        TVec4 from;
        bool snaps;
    } cases[] = {
        {{0.6f + 0.0011f, 0, 0.8f, 0}, true},    // 0.00099 after a tenth of the way
        {{0.6f, 0.0012f, 0.8f, 0}, false},       // 0.00108 left on Y
        {{0.6f, 0, 0.8f - 0.00111f, 0}, true},   // 0.000999
        {{0, 1, 0, 0}, false},
    };
    for (const auto& c : cases) {
        const TVec4 step = game::TurnTowards(c.from, wanted, 0.1f);
        EXPECT_EQ(step == wanted, c.snaps) << c.from.X << "," << c.from.Y << "," << c.from.Z;
        if (!c.snaps) {
            EXPECT_EQ(step, game::Lerp(c.from, wanted, 0.1f));
        }
    }
}

// Ten shots a second of one point each: a bug of 100 falls in 100 shots, and the kill pays 5.
TEST_F(RulesTest, AGatlingTowerKillsABugInAHundredShots) {
    TGLProxyObject* root = Tower(kGatlingButton, TVec4{20, -5, 20, 1});
    EXPECT_EQ(State().Money, 490);
    ScatterBugs();
    PutBug(9, root->GetWorldPosition(), 30);
    int frames = 0;
    while (State().BugTable[9].Health > 0 && frames < 2000) {
        Progress(*root);
        ++frames;
    }
    EXPECT_EQ(game->Figures.GatlingShots, 100);
    EXPECT_NEAR(frames * kStep, 10.0, 1.5);
    game->BugProgress(&BugActor(9), kStep, 0);
    EXPECT_EQ(State().Money, 495);
}

// Bounds included: a missile on the box's faces flies on, one beyond any face is gone.
TEST_F(RulesTest, MissilesLeavingTheFlightBoxVanish) {
    struct Case {
        TVec4 position;
        bool stays;
    };
    const Case cases[] = {
        {{50, 5, 0, 1}, true},     {{50.01f, 5, 0, 1}, false}, {{0, 20, 0, 1}, true},
        {{0, 20.01f, 0, 1}, false}, {{0, -10, -50, 1}, true},   {{0, 5, -50.01f, 1}, false},
    };
    for (const Case& c : cases) {
        TGLDummyCube* missile = MissileAt(c.position, TVec4{0, 1, 0, 0});
        game->MissilesProgress(missile, 0, 0);
        EXPECT_EQ(Scene().Missiles->ChildCount(), c.stays ? 1 : 0) << c.position.X << "," << c.position.Y;
        if (c.stays) {
            missile->Free();
        }
    }
}

// A missile explodes within one unit of the terrain ahead; the blast hurts bugs nearer than four
// units by (17 - d²) x 6 and leaves an explosion one unit above the impact.
TEST_F(RulesTest, MissilesExplodeNearTheTerrainAndBlastTheBugsAround) {
    const TVec4 ground = TerrainBelow(-20, -20);
    MissileAt(TVec4{ground.X, ground.Y + 1.001f, ground.Z, 1}, TVec4{0, -1, 0, 0});
    game->MissilesProgress(Scene().Missiles->ChildAt(0), 0, 0);
    ASSERT_EQ(Scene().Missiles->ChildCount(), 1);
    ScatterBugs();
    const struct {
        int index;
        float d2;
        float health;
    } bugs[] = {{1, 0, 100 - 102}, {2, 15.9f, 100 - 1.1f * 6}, {3, 16, 100}};
    for (const auto& b : bugs) {
        PutBug(b.index, ground, b.d2);
    }
    Scene().Missiles->ChildAt(0)->SetPosition(TVec4{ground.X, ground.Y + 0.999f, ground.Z, 1});
    game->MissilesProgress(Scene().Missiles->ChildAt(0), 0, 0);
    EXPECT_EQ(Scene().Missiles->ChildCount(), 0);
    for (const auto& b : bugs) {
        EXPECT_NEAR(State().BugTable[b.index].Health, b.health, 1e-3f) << "bug " << b.index;
    }
    ASSERT_EQ(Scene().Explosions->ChildCount(), 1);
    auto& sprite = dynamic_cast<TGLAnimatedSprite&>(*Scene().Explosions->ChildAt(0));
    EXPECT_NEAR(sprite.GetWorldPosition().Y, ground.Y + 1, 1e-4f);
    EXPECT_EQ(sprite.Rotation(), -90);
    EXPECT_EQ(sprite.Scale().X(), 2);
    EXPECT_EQ(sprite.AnimationMode(), samPlayOnce);
    // It plays its 64 frames at 30 a second, turning a degree a frame, and is gone after.
    Frame(static_cast<int>(2.5 / kStep));
    EXPECT_EQ(Scene().Explosions->ChildCount(), 0);
}

// The hover box of a button reaches 32 pixels left, right and above its position, 20 below, all
// edges excluded.
TEST_F(RulesTest, TheHoverBoxOfAButtonHasStrictEdges) {
    const struct {
        int x;
        int y;
        int hovered;
    } cases[] = {{249, 550, 0}, {248, 550, -1}, {311, 550, 0}, {312, 550, -1}, {313, 550, 1}, {280, 519, 0},
                 {280, 518, -1}, {280, 569, 0}, {280, 570, -1}, {480, 560, 3}};
    for (const auto& c : cases) {
        State().MouseX = c.x;
        State().MouseY = c.y;
        game->gui_barProgress(Scene().gui_bar, kStep, 0);
        EXPECT_EQ(Scene().gui_bar->Tag(), c.hovered) << c.x << "," << c.y;
    }
    // Held down over an affordable button it shows pressed, one pixel right and down.
    State().MouseX = 408;
    State().MouseY = 550;
    State().LeftDown = true;
    game->gui_barProgress(Scene().gui_bar, kStep, 0);
    EXPECT_EQ(Scene().gui_gatling->Tag(), 1);
    EXPECT_EQ(Scene().gui_gatling->Position().X(), 409);
    EXPECT_EQ(Scene().gui_gatling->Position().Y(), 551);
    State().MouseX = 100;
    game->gui_barProgress(Scene().gui_bar, kStep, 0);
    EXPECT_EQ(Scene().gui_gatling->Tag(), 0);
    EXPECT_EQ(Scene().gui_gatling->Position().X(), 408);
}

TEST_F(RulesTest, ButtonsTheMoneyCannotPayAreRefused) {
    State().Money = 99;
    Frame();
    const auto lit = [&](const char* button) {
        return Scene().GLMaterialLibrary1.FindMaterial(button)->Material().FrontProperties().Diffuse().Color().X == 1;
    };
    EXPECT_FALSE(lit("gui_rocket"));
    EXPECT_FALSE(lit("gui_repair"));
    EXPECT_TRUE(lit("gui_laser"));
    EXPECT_TRUE(lit("gui_gatling"));
    ClickButton(kRocketButton);
    EXPECT_EQ(Scene().GLFullScreenViewer1.Cursor(), game::cursors::Refusing);
    EXPECT_FALSE(State().Placing);
    EXPECT_EQ(State().TowerCount, 1);
    ClickButton(kGatlingButton);
    EXPECT_EQ(Scene().GLFullScreenViewer1.Cursor(), game::cursors::Choose);
    EXPECT_TRUE(State().Placing);
    EXPECT_EQ(State().TowerCount, 2);
    PlaceAt(TVec4{20, -5, 20, 1});
    EXPECT_EQ(State().Money, 89);
    // Clicks on the terrain with nothing being placed cost nothing.
    PlaceAt(TVec4{20, -5, 20, 1});
    EXPECT_EQ(State().Money, 89);
}

// Another button gives the placement in progress up at no charge, and the new tower takes its record.
TEST_F(RulesTest, AnotherButtonCancelsThePlacementAndReusesItsRecord) {
    ClickButton(kRocketButton);
    ClickButton(kGatlingButton);
    EXPECT_EQ(State().TowerCount, 2);
    ASSERT_EQ(Scene().Towers->ChildCount(), 1);
    const game::TTowerState& record = State().TowerTable[1];
    EXPECT_EQ(record.Kind, game::tower_kinds::Gatling);
    EXPECT_EQ(record.MaxRange2, 100);
    EXPECT_EQ(record.Proxy.Get(), Scene().Towers->ChildAt(0));
    EXPECT_EQ(record.Proxy->MasterObject(), Scene().gutlingbase);
    ClickButton(kLaserButton);
    EXPECT_EQ(State().TowerCount, 2);
    ASSERT_EQ(Scene().Towers->ChildCount(), 1);
    EXPECT_EQ(record.Kind, game::tower_kinds::Laser);
    EXPECT_EQ(record.MinRange2, 0);
    EXPECT_EQ(record.MaxRange2, 80);
    EXPECT_FLOAT_EQ(record.TurnRate, 0.3f);
    EXPECT_EQ(record.Proxy->MasterObject(), Scene().laserbase);
    EXPECT_EQ(State().Money, 500);
    PlaceAt(TVec4{20, -5, 20, 1});
    EXPECT_EQ(State().Money, 450);
    ClickButton(kRocketButton);
    PlaceAt(TVec4{30, -5, 20, 1});
    EXPECT_EQ(State().Money, 350);
    EXPECT_EQ(State().TowerTable[1].Kind, game::tower_kinds::Laser);
    EXPECT_EQ(State().TowerTable[2].Kind, game::tower_kinds::Rocket);
}

TEST_F(RulesTest, AFullTowerTableRefusesTheTowerButtons) {
    State().TowerCount = game::rules::TowerCapacity + 1;
    ClickButton(kGatlingButton);
    EXPECT_EQ(Scene().GLFullScreenViewer1.Cursor(), game::cursors::Refusing);
    EXPECT_FALSE(State().Placing);
    EXPECT_EQ(Scene().Towers->ChildCount(), 0);
    ClickButton(3);
    EXPECT_TRUE(State().RepairMode);
}

}  // namespace
}  // namespace tests
