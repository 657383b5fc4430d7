#include "engine/viewer/full_screen_viewer.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

// Without the screen: settings are stored for the moment it is taken, and nothing opens a window.
TEST(FullScreenViewerSettings, ChangesWhileWindowlessOpenNothing) {
    TGLFullScreenViewer viewer;
    viewer.SetScreenActive(false);
    viewer.SetWidth(1024);
    viewer.SetScreenDepth(sd24bits);
    viewer.SetWindowed(true);
    viewer.Buffer().SetContextOptions(roDoubleBuffer | roNoColorBufferClear);
    viewer.SetCursor(3);
    EXPECT_FALSE(viewer.ScreenActive());
    EXPECT_EQ(viewer.Window(), nullptr);
    EXPECT_FALSE(viewer.DisplaySwitched());
    EXPECT_EQ(viewer.Cursor(), 3);
    EXPECT_EQ(viewer.Buffer().Viewport().width, 1024) << "the buffer renders at the logical size";
}

TEST(FullScreenViewerSettings, TheLogicalSizeIsAtLeastOnePixel) {
    TGLFullScreenViewer viewer;
    EXPECT_EQ(viewer.Width(), 800);
    EXPECT_EQ(viewer.Height(), 600);
    viewer.SetHeight(0);
    EXPECT_EQ(viewer.Height(), 1);
    EXPECT_EQ(viewer.Buffer().Viewport().height, 1);
}

TEST(FullScreenViewerCamera, ACameraThatDiesLeavesTheViewerWithout) {
    TGLWorld world;
    auto* camera = world.Cameras().CreateChild<TGLCamera>();
    TGLFullScreenViewer viewer;
    viewer.SetCamera(camera);
    EXPECT_EQ(viewer.Camera(), camera);
    EXPECT_EQ(viewer.Buffer().Camera(), camera);
    camera->Free();
    EXPECT_EQ(viewer.Camera(), nullptr);
}

}  // namespace
}  // namespace engine
