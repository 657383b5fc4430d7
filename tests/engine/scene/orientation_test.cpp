#include "test_nodes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace engine {
namespace {

using test::ExpectVec;

void ExpectOrthonormal(const TGLBaseSceneObject& o) {
    EXPECT_NEAR(Length(o.Direction().AsVector()), 1.0f, 1e-5f);
    EXPECT_NEAR(Length(o.Up().AsVector()), 1.0f, 1e-5f);
    EXPECT_NEAR(Dot(o.Direction().AsVector(), o.Up().AsVector()), 0.0f, 1e-5f);
}

TEST(Orientation, DirectionEditKeepsUpOrthogonal) {
    TGLBaseSceneObject o;
    o.SetDirection(TVec4{1, 1, 0, 0});
    ExpectVec(o.Direction().AsVector(), Normalize(TVec4{1, 1, 0, 0}));
    ExpectOrthonormal(o);
    o.Up().SetAll(TVec4{0, 0, 2, 0});
    ExpectVec(o.Up().AsVector(), TVec4{0, 0, 1, 0});
    ExpectOrthonormal(o);
}

TEST(Orientation, DirectionAlongUpUsesTheZFallback) {
    TGLBaseSceneObject o;
    o.SetDirection(TVec4{0, 1, 0, 0});
    ExpectVec(o.Direction().AsVector(), TVec4{0, 1, 0, 0});
    // side = (0, 0, 1) × Up = (-1, 0, 0); Up = side × Direction.
    ExpectVec(o.Up().AsVector(), TVec4{0, 0, -1, 0});
}

TEST(Orientation, UpAlongZAndDirectionUsesTheXFallback) {
    TGLBaseSceneObject o;
    o.SetUp(TVec4{0, 0, 1, 0});  // Direction is (0, 0, 1): both fallbacks needed
    ExpectVec(o.Up().AsVector(), TVec4{0, 0, 1, 0});
    // side = (1, 0, 0) × Up = (0, -1, 0); Direction = Up × side.
    ExpectVec(o.Direction().AsVector(), TVec4{1, 0, 0, 0});
}

TEST(Orientation, ZeroOnThePublishedPropertyIsIgnoredZeroComponentsAreRepaired) {
    TGLBaseSceneObject o;
    o.SetDirection(TVec4{1, 0, 0, 0});
    o.SetDirection(TVec4{0, 0, 0, 0});
    o.SetUp(TVec4{0, 0, 0, 0});
    ExpectVec(o.Direction().AsVector(), TVec4{1, 0, 0, 0});
    ExpectVec(o.Up().AsVector(), TVec4{0, 1, 0, 0});

    o.Direction().SetAll(TVec4{0, 0, 0, 0});
    ExpectVec(o.Direction().AsVector(), TVec4{0, 0, 1, 0});
    o.Up().SetAll(TVec4{0, 0, 0, 0});
    ExpectVec(o.Up().AsVector(), TVec4{0, 1, 0, 0});
    ExpectOrthonormal(o);
}

TEST(Orientation, AimAtFromOriginAlongZ) {
    TGLBaseSceneObject o;
    o.SetDirection(TVec4{1, 0, 0, 0});
    o.AimAt(TVec4{0, 0, 10, 1}, TVec4{0, 1, 0, 0});
    ExpectVec(o.Direction().AsVector(), TVec4{0, 0, 1, 0});
    ExpectVec(o.Up().AsVector(), TVec4{0, 1, 0, 0});
}

TEST(Orientation, AimAtUnderATurnedParentStoresParentLocalDirection) {
    TGLWorld world;
    auto* parent = world.Objects().CreateChild<TGLBaseSceneObject>();
    parent->TurnBy(90);
    auto* o = parent->CreateChild<TGLBaseSceneObject>();
    o->AimAt(TVec4{0, 0, 10, 1}, TVec4{0, 1, 0, 0});
    ExpectVec(o->GetWorldDirection(), TVec4{0, 0, 1, 0});
    ExpectVec(o->GetWorldUp(), TVec4{0, 1, 0, 0});
    // The turned parent's X axis is world +Z, so the stored Direction is its local (1, 0, 0).
    ExpectVec(o->Direction().AsVector(), TVec4{1, 0, 0, 0});
}

TEST(Orientation, AimAtOwnPositionOrAlongTheHintStaysSafe) {
    TGLBaseSceneObject o;
    o.SetPosition(TVec4{1, 1, 1, 1});
    o.AimAt(TVec4{1, 1, 1, 1}, TVec4{0, 1, 0, 0});
    ExpectVec(o.Direction().AsVector(), TVec4{0, 0, 1, 0});
    o.AimAt(TVec4{1, 5, 1, 1}, TVec4{0, 1, 0, 0});
    ExpectVec(o.Direction().AsVector(), TVec4{0, 1, 0, 0});
    ExpectOrthonormal(o);
}

TEST(Orientation, TurnByRotatesDirectionTowardsMinusXAndStoresTheAngle) {
    TGLBaseSceneObject o;
    o.TurnBy(50);
    // The game's camera carrier: Direction (-0.766, 0, 0.643) with TurnAngle -50.
    ExpectVec(o.Direction().AsVector(), TVec4{-0.7660444f, 0, 0.64278764f, 0});
    ExpectVec(o.Up().AsVector(), TVec4{0, 1, 0, 0});
    EXPECT_NEAR(o.TurnAngle(), -50.0f, 1e-4f);
    o.SetTurnAngle(0);
    ExpectVec(o.Direction().AsVector(), TVec4{0, 0, 1, 0});
}

TEST(Orientation, PitchByRaisesDirectionAndStoresTheAngle) {
    TGLBaseSceneObject o;
    o.PitchBy(30);
    ExpectVec(o.Direction().AsVector(), TVec4{0, 0.5f, 0.8660254f, 0});
    ExpectVec(o.Up().AsVector(), TVec4{0, 0.8660254f, -0.5f, 0});
    EXPECT_NEAR(o.PitchAngle(), 30.0f, 1e-4f);
    o.SetPitchAngle(0);
    ExpectVec(o.Direction().AsVector(), TVec4{0, 0, 1, 0});
    ExpectVec(o.Up().AsVector(), TVec4{0, 1, 0, 0});
}

TEST(Orientation, RollTurnsUpAboutDirection) {
    TGLBaseSceneObject o;
    o.RollBy(90);
    ExpectVec(o.Direction().AsVector(), TVec4{0, 0, 1, 0});
    ExpectOrthonormal(o);
    EXPECT_NEAR(o.RollAngle(), 90.0f, 1e-4f);
    o.SetRollAngle(0);
    ExpectVec(o.Up().AsVector(), TVec4{0, 1, 0, 0});
}

TEST(Orientation, StoredAnglesDropWholeTurnsAndStayWithinHalfATurn) {
    struct Case {
        float set;
        float stored;
    };
    for (const Case& c : {Case{370, 10}, Case{-370, -10}, Case{190, -170}, Case{-190, 170}, Case{540, 180},
                          Case{-540, -180}, Case{180, 180}, Case{-50, -50}, Case{720, 0}}) {
        SCOPED_TRACE(c.set);
        TGLBaseSceneObject o;
        o.SetTurnAngle(c.set);
        EXPECT_NEAR(o.TurnAngle(), c.stored, 1e-3f);
    }
    TGLBaseSceneObject o;
    for (int i = 0; i < 9; ++i) {
        o.TurnBy(45);
    }
    EXPECT_NEAR(o.TurnAngle(), -45.0f, 1e-3f);
}

TEST(Orientation, SettingAnAngleRotatesByTheDifference) {
    TGLBaseSceneObject o;
    o.SetTurnAngle(-50);
    ExpectVec(o.Direction().AsVector(), TVec4{-0.7660444f, 0, 0.64278764f, 0});
    o.SetTurnAngle(310);  // the same stored angle: rotates by a whole turn
    ExpectVec(o.Direction().AsVector(), TVec4{-0.7660444f, 0, 0.64278764f, 0});
    EXPECT_NEAR(o.TurnAngle(), -50.0f, 1e-4f);
}

TEST(Orientation, LoadingStoresAnglesWithoutRotating) {
    TGLBaseSceneObject o;
    o.BeginLoading();
    o.SetDirection(TVec4{-0.7660444f, 0, 0.64278764f, 0});
    o.SetTurnAngle(-50);
    o.Loaded();
    EXPECT_EQ(o.TurnAngle(), -50.0f);
    ExpectVec(o.Direction().AsVector(), TVec4{-0.7660444f, 0, 0.64278764f, 0});
}

}  // namespace
}  // namespace engine
