#include "tests/game/game_driver.h"
#include "tests/game/game_fixture.h"

#include "engine/effects/animated_sprite.h"
#include "engine/effects/source_pfx_effect.h"
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

// A living bug runs along its line to its target by the base, nearer at every step; there it turns to
// its attack, stops and takes 0.01 of the base's health a step. In a whole game bugs reach the base.
TEST_F(RulesTest, BugsRunToTheBaseAndAttackIt) {
    Frame();
    game::TBugState& bug = State().BugTable[1];
    TGLActor& actor = BugActor(1);
    const TVec4 from = actor.GetWorldPosition();
    const TVec4 along = Normalize(TVec4{from.X - bug.Target.X, 0, from.Z - bug.Target.Z, 0});
    actor.SetWorldPosition(TVec4{bug.Target.X + along.X * 6, from.Y, bug.Target.Z + along.Z * 6, 1});
    game->BugProgress(&actor, 0, 0);
    float left = game::Distance2(actor.GetWorldPosition(), bug.Target);
    int steps = 0;
    while (actor.ActiveAnimationName() != "attack" && steps < 1000) {
        game->BugProgress(&actor, kStep, 0);
        const float now = game::Distance2(actor.GetWorldPosition(), bug.Target);
        ASSERT_LT(now, left) << "step " << steps;
        left = now;
        ++steps;
    }
    EXPECT_LT(left, game::rules::AttackDistance2);
    const float health = Scene().base->TagFloat();
    const TVec4 standing = actor.GetWorldPosition();
    for (int i = 0; i < 10; ++i) {
        game->BugProgress(&actor, kStep, 0);
    }
    EXPECT_NEAR(Scene().base->TagFloat(), health - 0.1f, 1e-4f);
    EXPECT_NEAR(actor.GetWorldPosition().X, standing.X, 1e-3f);
    EXPECT_NEAR(actor.GetWorldPosition().Z, standing.Z, 1e-3f);

    const auto attackers = [&] {
        int count = 0;
        for (int i = 2; i <= game::rules::BugCount; ++i) {
            count += BugActor(i).ActiveAnimationName() == "attack" ? 1 : 0;
        }
        return count;
    };
    int frames = 0;
    while (attackers() == 0 && frames < 60 / kStep) {
        Frame();
        ++frames;
    }
    EXPECT_GT(attackers(), 0) << "no bug reached the base in a minute";
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

// The spot is judged where the tower stands, on the terrain under the pointer: it needs the spacing
// of the placing kind from every other tower, whatever that tower's kind, and about 5.48 units from
// the base. On an illegal spot the tower's parts, its range ring and the cursor show the refusal.
TEST_F(RulesTest, PlacementNeedsTheSpacingOfThePlacingKindAndTheBaseDistance) {
    TGLProxyObject* other = Tower(kGatlingButton, TVec4{20, -5, 20, 1});
    struct Case {
        int button;
        TGLBaseSceneObject* neighbour;  // moved to the spot's side, the given distance away
        float distance;
        bool valid;
    };
    TGLBaseSceneObject* base = Scene().base;
    const Case cases[] = {
        {kRocketButton, other, 4.0f, true},  {kRocketButton, other, 3.99f, false},
        {kGatlingButton, other, 2.0f, true}, {kGatlingButton, other, 1.99f, false},
        {kRocketButton, base, 5.48f, true},  {kRocketButton, base, 5.47f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.button) + " at " + std::to_string(c.distance));
        ClickButton(c.button);
        TGLProxyObject* root = State().TowerTable[State().TowerCount - 1].Proxy.Get();
        driver.PointAt(TVec4{-20, 0, -20, 1});
        Progress(*root);
        const TVec4 spot = root->GetWorldPosition();
        const TVec4 home = c.neighbour->Position().AsVector();
        c.neighbour->SetPosition(TVec4{spot.X + c.distance, spot.Y, spot.Z, 1});
        Progress(*root);
        EXPECT_EQ(root->GetWorldPosition(), spot);
        EXPECT_EQ(State().PlaceValid, c.valid);
        game->GLCadencer1Progress(&Scene().GLCadencer1, 0, 0);
        const std::string master = root->MasterObject()->Name();
        EXPECT_EQ(master.find("_refused") != std::string::npos, !c.valid) << master;
        const game::TTowerKind& kind = *game::TowerKindOfButton(c.button);
        for (const char* ring : game::kRingMaterials) {
            const TVec4 tint = Scene().GLMaterialLibrary3.FindMaterial(ring)->Material().FrontProperties().Diffuse().Color();
            const bool red = tint.Y < 0.5f;
            EXPECT_EQ(red, !c.valid && kind.Ring == ring) << ring;
        }
        State().MouseX = 400;
        State().MouseY = 200;
        game->gui_barProgress(Scene().gui_bar, kStep, 0);
        game->AsyncTimer2Timer(&Scene().AsyncTimer2);
        EXPECT_EQ(Scene().GLFullScreenViewer1.Cursor() == game::cursors::Refusing, !c.valid);
        c.neighbour->SetPosition(home);
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

// A rocket tower fires once it has held a target for 3 s; losing every target starts the wait again,
// and each shot starts it from 0. The missile leaves two units out of the barrel along the gun, a
// small dummy trailing the missiles' flame, and flies straight on at 20 units a second.
TEST_F(RulesTest, RocketsFireAfterHoldingATargetForThreeSeconds) {
    TGLProxyObject* root = Tower(kRocketButton, TVec4{20, -5, 20, 1});
    const game::TTowerState& tower = State().TowerTable[root->Tag()];
    const TGLBaseSceneObject& gun = *root->ChildAt(0);
    const TVec4 at = root->GetWorldPosition();
    // Held in the air inside the ring, so that the missiles climb away from the terrain.
    const auto holdBug = [&](bool held) {
        ScatterBugs();
        if (held) {
            BugActor(5).SetWorldPosition(TVec4{at.X + 8, at.Y + 6, at.Z, 1});
        }
    };
    holdBug(true);
    for (int turn = 0; turn < 100; ++turn) {
        Progress(*root, 0);
    }
    const struct {
        int frames;  // of half a second
        bool target;
        int missiles;
        float reload;
    } steps[] = {{5, true, 0, 2.5f}, {1, false, 0, 0}, {5, true, 0, 2.5f},
                 {1, true, 1, 0},    {5, true, 1, 2.5f}, {1, true, 2, 0}};
    for (const auto& step : steps) {
        holdBug(step.target);
        for (int i = 0; i < step.frames; ++i) {
            Progress(*root, 0.5);
        }
        EXPECT_EQ(Scene().Missiles->ChildCount(), step.missiles);
        EXPECT_EQ(tower.Reload, step.reload);
    }
    EXPECT_EQ(game->Figures.MissilesFired, 2);

    auto& missile = dynamic_cast<TGLDummyCube&>(*Scene().Missiles->ChildAt(1));
    const TVec4 direction = Normalize(gun.GetWorldDirection());
    const TVec4 start = gun.GetWorldPosition() + direction * 2;
    const TVec4 position = missile.GetWorldPosition();
    EXPECT_NEAR(game::Distance2(position, start), 0, 1e-8f);
    EXPECT_NEAR(Dot(Normalize(missile.GetWorldDirection()), direction), 1, 1e-6f);
    EXPECT_FLOAT_EQ(missile.CubeSize(), 0.1f);
    EXPECT_EQ(missile.Tag(), 0);
    const TGLSourcePFXEffect& flame = SourceEffectOf(missile);
    EXPECT_EQ(flame.Manager(), &Scene().GLPerlinPFXManager1);
    EXPECT_FLOAT_EQ(flame.ParticleInterval(), 0.005f);
    EXPECT_EQ(flame.DispersionMode(), sdmIsotropic);
    EXPECT_EQ(flame.VelocityMode(), svmRelative);
    EXPECT_TRUE(flame.DisabledIfOwnerInvisible());
    EXPECT_TRUE(flame.Enabled());
    game->MissilesProgress(&missile, 0.1, 0);
    EXPECT_NEAR(game::Distance2(missile.GetWorldPosition(), position + direction * 2), 0, 1e-8f);
    Frame(5);
    EXPECT_GT(Scene().GLPerlinPFXManager1.ParticleCount(), 0);
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

// A missile explodes within one unit of the terrain ahead, exactly one included; the blast hurts bugs
// nearer than four units by (17 - d²) x 6 and leaves an explosion one unit above the impact, drawn
// pulled towards the eye so that the ground and walls beside it do not cut it.
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
    // The height at which the missile finds the terrain ahead at a squared distance of exactly 1.
    float height = ground.Y + 1;
    float d2 = 0;
    for (int step = 0; step < 64 && d2 != 1; ++step) {
        const TVec4 start{ground.X, height, ground.Z, 1};
        TVec4 hit;
        ASSERT_TRUE(Scene().terrain->OctreeRayCast(start, TVec4{0, -1, 0, 0}, &hit, nullptr));
        d2 = game::Distance2(start, hit);
        if (d2 != 1) {
            height = std::nextafter(height, d2 > 1 ? -100.0f : 100.0f);
        }
    }
    ASSERT_EQ(d2, 1);
    Scene().Missiles->ChildAt(0)->SetPosition(TVec4{ground.X, height, ground.Z, 1});
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
    EXPECT_TRUE(sprite.PulledTowardsEye());
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
