#include "editor/document/view_camera.h"

#include <gtest/gtest.h>

namespace editor {
namespace {

TEST(ViewCameraTest, WheelStepsStopAtTheZoomLimits) {
    TViewCamera camera;
    for (int i = 0; i < 8; ++i) {
        camera.WheelDown();
    }
    EXPECT_NEAR(camera.Zoom, -7.2f, 1e-4);
    camera.Zoom = -29.95f;
    camera.WheelDown();
    EXPECT_FLOAT_EQ(camera.Zoom, -30);
    camera.Zoom = -1.1f;
    camera.WheelUp();
    EXPECT_FLOAT_EQ(camera.Zoom, -1);
}

TEST(ViewCameraTest, DragTurnsByOneStepPerMoveWithinTheLimits) {
    TViewCamera camera;
    camera.MouseMove(100, 100);
    camera.MouseDown(TMouseButton::Middle);
    camera.MouseMove(90, 300);
    EXPECT_EQ(camera.Tilt, 2);
    EXPECT_EQ(camera.Spin, 2);
    for (int y = 301; y < 400; ++y) {
        camera.MouseMove(90, y);
    }
    EXPECT_EQ(camera.Tilt, 85);
    for (int y = 399; y > 250; --y) {
        camera.MouseMove(90, y);
    }
    EXPECT_EQ(camera.Tilt, 0);
    for (int x = 91; x < 400; ++x) {
        camera.MouseMove(x, 250);
    }
    EXPECT_EQ(camera.Spin, -360);
    camera.MouseUp();
    camera.MouseMove(10, 10);
    EXPECT_EQ(camera.Spin, -360);
    EXPECT_EQ(camera.LastMouseX, 10);
}

TEST(ViewCameraTest, OnlyTheMiddleButtonRotates) {
    TViewCamera camera;
    camera.MouseDown(TMouseButton::Left);
    camera.MouseMove(5, 5);
    EXPECT_EQ(camera.Tilt, 0);
    EXPECT_FALSE(camera.Rotating);
}

}  // namespace
}  // namespace editor
