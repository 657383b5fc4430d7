#include "engine/scene/camera.h"
#include "engine/scene/dummy_cube.h"
#include "test_nodes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace engine {
namespace {

using test::CountingBuffer;
using test::ExpectVec;

constexpr TGLViewport kGameViewport{0, 0, 800, 600};

TEST(CameraLens, TheGameLensGivesItsWindowNearAndFarDistance) {
    TGLCamera camera;
    camera.SetFocalLength(70);
    const TGLProjectionWindow w = camera.ProjectionWindow(kGameViewport, 800, 600, 96);
    EXPECT_NEAR(w.left, -0.5f, 1e-6f);
    EXPECT_NEAR(w.right, 0.5f, 1e-6f);
    EXPECT_NEAR(w.bottom, -0.375f, 1e-6f);
    EXPECT_NEAR(w.top, 0.375f, 1e-6f);
    EXPECT_NEAR(w.nearDistance, 140.0f * 96.0f / (800.0f * 25.4f), 1e-5f);
    EXPECT_NEAR(w.nearDistance, 0.661f, 1e-3f);
    EXPECT_NEAR(w.farDistance, 100.661f, 1e-3f);
    EXPECT_NEAR(w.viewRadiusFactor, std::sqrt(0.5f * 0.5f + 0.375f * 0.375f) / w.nearDistance, 1e-5f);
    // About 37 degrees to each side.
    EXPECT_NEAR(std::atan(w.right / w.nearDistance) * 180.0f / 3.14159265f, 37.1f, 0.1f);
}

TEST(CameraLens, PartialViewportAndOrthogonalAndBiasAndSceneScale) {
    TGLCamera camera;
    camera.SetFocalLength(70);
    // The right half of an 800 x 600 buffer: the window's left edge moves to the centre.
    TGLProjectionWindow w = camera.ProjectionWindow(TGLViewport{400, 0, 400, 600}, 800, 600, 96);
    EXPECT_NEAR(w.left, -0.0f, 1e-6f);
    EXPECT_NEAR(w.right, 0.5f, 1e-6f);

    camera.SetNearPlaneBias(2);
    camera.SetSceneScale(4);
    w = camera.ProjectionWindow(kGameViewport, 800, 600, 96);
    EXPECT_NEAR(w.right, 0.5f * 2 / 4, 1e-6f);
    EXPECT_NEAR(w.nearDistance, 2 * 0.66142f, 1e-4f);

    camera.SetNearPlaneBias(1);
    camera.SetSceneScale(1);
    camera.SetCameraStyle(csOrthogonal);
    w = camera.ProjectionWindow(kGameViewport, 800, 600, 96);
    EXPECT_NEAR(w.right, 0.5f * 100 / 70, 1e-6f);
    EXPECT_NEAR(w.top, 0.375f * 100 / 70, 1e-6f);
}

TEST(CameraLens, OutOfRangeValuesAreStoredAsOneAndEveryChangeSignals) {
    TGLWorld world;
    CountingBuffer buffer;
    world.AttachBuffer(buffer);
    auto* camera = world.Cameras().CreateChild<TGLCamera>();
    buffer.changes = 0;
    camera->SetFocalLength(0);
    EXPECT_EQ(camera->FocalLength(), 1.0f);
    camera->SetNearPlaneBias(-3);
    EXPECT_EQ(camera->NearPlaneBias(), 1.0f);  // already 1: no change
    camera->SetSceneScale(0);
    EXPECT_EQ(camera->SceneScale(), 1.0f);
    EXPECT_EQ(buffer.changes, 1);
    camera->SetDepthOfView(50);
    camera->SetCameraStyle(csOrthogonal);
    camera->SetFocalLength(1);  // unchanged
    EXPECT_EQ(buffer.changes, 3);
}

TEST(Camera, DefaultsAndKind) {
    TGLCamera camera;
    ExpectVec(camera.Direction().AsVector(), TVec4{0, 0, -1, 0});
    ExpectVec(camera.Up().AsVector(), TVec4{0, 1, 0, 0});
    EXPECT_TRUE(camera.IsCamera());
    EXPECT_FALSE(camera.IntersectRay(TVec4{0, 0, 5, 1}, TVec4{0, 0, -1, 0}, nullptr, nullptr));
}

TEST(Camera, TargetIsClearedWhenItDiesAndCopiesCarryTheLens) {
    TGLWorld world;
    auto* camera = world.Cameras().CreateChild<TGLCamera>();
    auto* target = world.Objects().CreateChild<TGLDummyCube>();
    camera->SetTargetObject(target);
    camera->SetFocalLength(70);
    camera->SetCameraStyle(csInfinitePerspective);

    auto* copy = world.Cameras().CreateChild<TGLCamera>();
    copy->CopyFrom(*camera);
    EXPECT_EQ(copy->TargetObject(), target);
    EXPECT_EQ(copy->FocalLength(), 70.0f);
    EXPECT_EQ(copy->CameraStyle(), csInfinitePerspective);
    EXPECT_TRUE(copy->NewInstance()->IsCamera());

    target->Free();
    EXPECT_EQ(camera->TargetObject(), nullptr);
    EXPECT_EQ(copy->TargetObject(), nullptr);
}

}  // namespace
}  // namespace engine
