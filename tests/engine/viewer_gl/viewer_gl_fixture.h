#pragma once

#include "engine/platform/application.h"
#include "engine/scene/light_source.h"
#include "engine/viewer/full_screen_viewer.h"
#include "tests/support/rgb.h"
#include "tests/support/test_quad.h"

#include <gtest/gtest.h>
#include <GL/gl.h>

#include <cstdint>

namespace engine::test {

// A clock that advances a fixed step at every reading.
class SteppingClock : public TPerformanceClock {
public:
    explicit SteppingClock(std::int64_t step) : m_step(step) {}
    std::int64_t Counter() override { return m_now += m_step; }
    std::int64_t Frequency() const override { return 1000; }

private:
    std::int64_t m_step;
    std::int64_t m_now = 0;
};

using tests::Rgb;
using tests::RgbAt;

inline float DepthAt(int x, int y) {
    float depth = 0;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
}

// The game's camera lens looking down -Z from (0, 0, 10) at a lit white quad around the origin, in a
// windowed 800 x 600 viewer whose frames stay in the back buffer to be read.
class ViewerGL : public testing::Test {
protected:
    void SetUp() override {
        camera = world.Cameras().CreateChild<TGLCamera>();
        camera->SetFocalLength(70);
        camera->SetPosition(TVec4{0, 0, 10, 1});
        light = world.Objects().CreateChild<TGLLightSource>();
        light->SetLightStyle(lsOmni);
        light->SetPosition(TVec4{0, 0, 10, 1});
        quad = world.Objects().CreateChild<tests::TestQuad>(2.0f);
        quad->Material().FrontProperties().Diffuse().SetColor(TVec4{1, 1, 1, 1});
        viewer.SetCaption("viewer test");
        viewer.SetWindowed(true);
        viewer.SetCamera(camera);
        TGLRenderBuffer& buffer = viewer.Buffer();
        buffer.SetContextOptions(roDoubleBuffer | roNoSwapBuffers);
        buffer.SetBackgroundColor(0x0000FF);
        buffer.AmbientColor().SetColor(TVec4{0, 0, 0, 1});
        viewer.SetScreenActive(true);
    }

    // Renders one frame now and leaves its context current.
    void Render() { viewer.Buffer().RenderToScreen(); }
    // Passes of the main loop until the viewer has painted what it was asked to.
    void PaintWhileInvalid() {
        for (int i = 0; i < 100 && viewer.Invalid(); ++i) {
            Application().ProcessMessages();
        }
        ASSERT_FALSE(viewer.Invalid());
    }

    TGLWorld world;
    TGLFullScreenViewer viewer;
    TGLCamera* camera = nullptr;
    TGLLightSource* light = nullptr;
    tests::TestQuad* quad = nullptr;
};

}  // namespace engine::test
