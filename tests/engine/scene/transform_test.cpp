#include "test_nodes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace engine {
namespace {

using test::ExpectMat;
using test::ExpectVec;

// A world matrix computed from scratch, without any cache.
TMat4 FreshWorld(const TGLBaseSceneObject& o) {
    TMat4 local;
    const TVec4 up = o.Up().AsVector();
    const TVec4 dir = o.Direction().AsVector();
    local[0] = Cross(up, dir) * o.Scale().X();
    local[1] = up * o.Scale().Y();
    local[2] = dir * o.Scale().Z();
    local[3] = o.Position().AsVector();
    const TGLBaseSceneObject* parent = o.Parent();
    return parent && !parent->IsSceneRoot() ? local * FreshWorld(*parent) : local;
}

struct Chain {
    TGLWorld world;
    TGLBaseSceneObject* a = nullptr;
    TGLBaseSceneObject* b = nullptr;
    TGLBaseSceneObject* c = nullptr;

    Chain() {
        a = world.Objects().CreateChild<TGLBaseSceneObject>();
        b = a->CreateChild<TGLBaseSceneObject>();
        c = b->CreateChild<TGLBaseSceneObject>();
        a->SetPosition(TVec4{1, 2, 3, 1});
        a->TurnBy(30);
        b->SetPosition(TVec4{0, 0, 5, 1});
        b->PitchBy(20);
        b->SetScale(TVec4{2, 2, 2, 0});
        c->SetPosition(TVec4{1, 0, 0, 1});
    }
};

TEST(Transform, ChildWorldIsLocalTimesParentWorld) {
    Chain chain;
    ExpectMat(chain.c->WorldTransform(), FreshWorld(*chain.c));
    ExpectMat(chain.c->WorldTransform(), chain.c->LocalTransform() * chain.b->WorldTransform());
}

TEST(Transform, MovingAnAncestorUpdatesCachedDescendants) {
    Chain chain;
    (void)chain.c->WorldTransform();
    (void)chain.c->InverseWorldTransform();
    chain.a->Advance(4);
    ExpectMat(chain.c->WorldTransform(), FreshWorld(*chain.c));
    ExpectMat(chain.c->InverseWorldTransform(), Invert(FreshWorld(*chain.c)));
    // A second move while the descendants are still dirty must not be lost either.
    (void)chain.b->WorldTransform();
    chain.a->TurnBy(15);
    chain.a->Rise(-2);
    ExpectMat(chain.c->WorldTransform(), FreshWorld(*chain.c));
}

TEST(Transform, InverseReadAloneIsRefreshedAfterAnAncestorMoves) {
    Chain chain;
    chain.b->SetScale(TVec4{1, 1, 1, 0});
    (void)chain.c->InverseWorldTransform();  // rigid all the way up: no world matrix computed
    chain.a->Advance(3);
    ExpectMat(chain.c->InverseWorldTransform(), Invert(FreshWorld(*chain.c)));
}

TEST(Transform, DeepReparentingRefreshesCachedWorld) {
    Chain chain;
    auto* other = chain.world.Objects().CreateChild<TGLBaseSceneObject>();
    auto* deep = other->CreateChild<TGLBaseSceneObject>();
    other->SetPosition(TVec4{-10, 0, 0, 1});
    deep->SetPosition(TVec4{0, 7, 0, 1});
    deep->RollBy(40);
    auto* leaf = chain.c->CreateChild<TGLBaseSceneObject>();
    leaf->SetPosition(TVec4{0, 1, 0, 1});
    (void)leaf->WorldTransform();
    (void)leaf->InverseWorldTransform();

    chain.b->Reparent(deep);
    ExpectMat(leaf->WorldTransform(), FreshWorld(*leaf));
    ExpectMat(leaf->InverseWorldTransform(), Invert(FreshWorld(*leaf)));

    // And back up, keeping children when the middle node is detached.
    auto detached = deep->DetachChild(chain.b, true);
    ExpectMat(chain.c->WorldTransform(), FreshWorld(*chain.c));
    ExpectMat(leaf->WorldTransform(), FreshWorld(*leaf));
}

TEST(Transform, InverseMatchesGeneralInverseForRigidAndScaledChains) {
    Chain chain;
    for (TGLBaseSceneObject* o : {chain.a, chain.b, chain.c}) {
        ExpectMat(o->InverseWorldTransform(), Invert(o->WorldTransform()));
    }
    chain.c->SetScale(TVec4{1, 3, 0.5f, 0});
    ExpectMat(chain.c->InverseWorldTransform(), Invert(chain.c->WorldTransform()));
}

TEST(Transform, EditingCoordinatesDirectlyDirtiesTheCache) {
    Chain chain;
    (void)chain.c->WorldTransform();
    chain.b->Position().SetY(4);
    chain.a->Scale().SetAll(TVec4{1, 2, 1, 0});
    ExpectMat(chain.c->WorldTransform(), FreshWorld(*chain.c));
}

TEST(Transform, SceneRootsDoNotTransformTheirChildren) {
    TGLWorld world;
    world.Objects().SetPosition(TVec4{100, 0, 0, 1});
    auto* o = world.Objects().CreateChild<TGLBaseSceneObject>();
    o->SetPosition(TVec4{1, 2, 3, 1});
    ExpectVec(o->GetWorldPosition(), TVec4{1, 2, 3, 1});
    ExpectVec(o->WorldToLocal(TVec4{1, 2, 3, 1}), TVec4{0, 0, 0, 1});
}

TEST(Transform, WorldPositionRoundTripsThroughAParent) {
    Chain chain;
    chain.c->SetWorldPosition(TVec4{7, -3, 2, 1});
    ExpectVec(chain.c->GetWorldPosition(), TVec4{7, -3, 2, 1});
    EXPECT_EQ(chain.c->Position().W(), 1.0f);
    ExpectVec(chain.c->LocalToWorld(chain.c->WorldToLocal(TVec4{4, 5, 6, 1})), TVec4{4, 5, 6, 1});
    ExpectVec(chain.c->LocalToWorld(TVec4{1, 0, 0, 0}), FreshWorld(*chain.c)[0]);
}

TEST(Transform, WorldDirectionAndUpFollowSetters) {
    Chain chain;
    const TVec4 want = Normalize(TVec4{1, 1, 0, 0});
    chain.c->SetWorldDirection(want);
    ExpectVec(chain.c->GetWorldDirection(), want);
    chain.c->SetWorldUp(TVec4{0, 0, 1, 0});
    ExpectVec(chain.c->GetWorldUp(), Normalize(Cross(Cross(want, TVec4{0, 0, 1, 0}), want)));
}

TEST(Transform, SetLocalTransformDerivesCoordinates) {
    TGLBaseSceneObject o;
    TMat4 m = RotationMatrix(Normalize(TVec4{1, 1, 0, 0}), 0.9f);
    m[0] = m[0] * 2.0f;
    m[1] = m[1] * 3.0f;
    m[2] = m[2] * 4.0f;
    m[3] = {5, 6, 7, 1};
    o.SetLocalTransform(m);
    ExpectVec(o.Scale().AsVector(), TVec4{2, 3, 4, 0});
    ExpectVec(o.Position().AsVector(), TVec4{5, 6, 7, 1});
    ExpectVec(o.Direction().AsVector(), Normalize(m[2]));
    ExpectMat(o.LocalTransform(), m);
}

TEST(Transform, TranslationOperationsFollowTheDefaultAxes) {
    TGLBaseSceneObject o;
    o.Strafe(1);
    ExpectVec(o.Position().AsVector(), TVec4{-1, 0, 0, 1});
    o.Advance(1);
    ExpectVec(o.Position().AsVector(), TVec4{-1, 0, 1, 1});
    o.Rise(1);
    ExpectVec(o.Position().AsVector(), TVec4{-1, 1, 1, 1});
    ExpectVec(o.GetWorldPosition(), TVec4{-1, 1, 1, 1});
}

TEST(Transform, BoundingRadiusAndSphereRayTest) {
    TGLWorld world;
    auto* o = world.Objects().CreateChild<TGLBaseSceneObject>();
    o->SetScale(TVec4{2, 2, 2, 0});
    o->SetPosition(TVec4{0, 0, 10, 1});
    const float radius = o->BoundingRadius();
    EXPECT_NEAR(radius, std::sqrt(3.0f), 1e-5f);

    TVec4 point;
    TVec4 normal;
    ASSERT_TRUE(o->IntersectRay(TVec4{0, 0, 0, 1}, TVec4{0, 0, 3, 0}, &point, &normal));
    ExpectVec(point, TVec4{0, 0, 10 - radius, 1});
    ExpectVec(normal, TVec4{0, 0, -1, 0});
    EXPECT_FALSE(o->IntersectRay(TVec4{0, 0, 0, 1}, TVec4{0, 0, -1, 0}, nullptr, nullptr)) << "behind the start";
    EXPECT_FALSE(o->IntersectRay(TVec4{0, 5, 0, 1}, TVec4{0, 0, 1, 0}, nullptr, nullptr));
    EXPECT_FALSE(o->IntersectRay(TVec4{0, 0, 0, 1}, TVec4{0, 0, 0, 0}, nullptr, nullptr)) << "no direction";
    ASSERT_TRUE(o->IntersectRay(TVec4{0, 0, 10, 1}, TVec4{1, 0, 0, 0}, &point, nullptr)) << "from inside";
    ExpectVec(point, TVec4{radius, 0, 10, 1});
}

}  // namespace
}  // namespace engine
