#include "engine/scene/dummy_cube.h"
#include "test_nodes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace engine {
namespace {

using test::CountingBuffer;
using test::ExpectVec;

TEST(DummyCube, HalfExtentsUseTheCubeSizesMagnitude) {
    TGLDummyCube cube;
    ExpectVec(cube.HalfExtents(), TVec4{0.5f, 0.5f, 0.5f, 0});
    cube.SetCubeSize(-3);
    ExpectVec(cube.HalfExtents(), TVec4{1.5f, 1.5f, 1.5f, 0});
    cube.SetScale(TVec4{2, 2, 2, 0});
    EXPECT_NEAR(cube.BoundingRadius(), 3.0f * std::sqrt(3.0f), 1e-5f);
}

TEST(DummyCube, IsNeverHitByRays) {
    TGLWorld world;
    auto* cube = world.Objects().CreateChild<TGLDummyCube>();
    cube->SetPosition(TVec4{0, 0, 5, 1});
    EXPECT_FALSE(cube->IntersectRay(TVec4{0, 0, 0, 1}, TVec4{0, 0, 1, 0}, nullptr, nullptr));
    auto* plain = world.Objects().CreateChild<TGLBaseSceneObject>();
    plain->SetPosition(TVec4{0, 0, 5, 1});
    EXPECT_TRUE(plain->IntersectRay(TVec4{0, 0, 0, 1}, TVec4{0, 0, 1, 0}, nullptr, nullptr));
}

TEST(DummyCube, SortsByTheMeanOfItsChildren) {
    TGLWorld world;
    auto* cube = world.Objects().CreateChild<TGLDummyCube>();
    cube->SetPosition(TVec4{100, 0, 0, 1});
    ExpectVec(cube->SortPosition(), TVec4{100, 0, 0, 1});
    cube->CreateChild<TGLBaseSceneObject>()->SetPosition(TVec4{2, 0, 0, 1});
    auto* inner = cube->CreateChild<TGLDummyCube>();
    inner->CreateChild<TGLBaseSceneObject>()->SetPosition(TVec4{0, 4, 0, 1});
    inner->CreateChild<TGLBaseSceneObject>()->SetPosition(TVec4{0, 8, 0, 1});
    // Children: (102, 0, 0) and the inner cube's mean (100, 6, 0).
    ExpectVec(cube->SortPosition(), TVec4{101, 3, 0, 1});
}

TEST(DummyCube, StructureChangesSignalEveryTimeForDirectDrawObjects) {
    TGLWorld world;
    auto* cube = world.Objects().CreateChild<TGLDummyCube>();
    CountingBuffer buffer;
    world.AttachBuffer(buffer);
    cube->SetCubeSize(2);
    cube->SetCubeSize(3);
    EXPECT_EQ(buffer.changes, 2) << "drawn directly: each change must reach the view";
    cube->SetCubeSize(3);
    EXPECT_EQ(buffer.changes, 2) << "an unchanged value does nothing";

    auto* compiled = world.Objects().CreateChild<TGLBaseSceneObject>();
    buffer.changes = 0;
    compiled->ClearStructureChanged();
    compiled->MarkStructureChanged();
    compiled->MarkStructureChanged();
    EXPECT_EQ(buffer.changes, 1) << "a compiled list is rebuilt once anyway";
    EXPECT_TRUE(compiled->StructureChanged());
}

TEST(DummyCube, CopyKeepsCubeSettings) {
    TGLDummyCube source;
    source.SetCubeSize(2.5f);
    source.SetEdgeColor(TVec4{1, 0, 0, 1});
    source.SetVisibleAtRunTime(true);
    source.SetCamInvarianceMode(cimPosition);
    TGLDummyCube copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.CubeSize(), 2.5f);
    EXPECT_EQ(copy.EdgeColor(), (TVec4{1, 0, 0, 1}));
    EXPECT_TRUE(copy.VisibleAtRunTime());
    EXPECT_EQ(copy.CamInvarianceMode(), cimPosition);
}

}  // namespace
}  // namespace engine
