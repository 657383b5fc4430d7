#pragma once

#include "engine/platform/application.h"
#include "engine/scene/custom_scene_object.h"
#include "engine/scene/light_source.h"
#include "engine/viewer/full_screen_viewer.h"

#include <gtest/gtest.h>
#include <GL/gl.h>

#include <array>
#include <cstdint>

namespace engine::test {

// A 4 x 4 square in the local XY plane facing +Z, drawn with its material.
class TestQuad : public TGLMaterialObject {
public:
    void EmitGeometry(TRenderContextInfo&) override {
        glNormal3f(0, 0, 1);
        glBegin(GL_QUADS);
        glVertex3f(-2, -2, 0);
        glVertex3f(2, -2, 0);
        glVertex3f(2, 2, 0);
        glVertex3f(-2, 2, 0);
        glEnd();
    }
};

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

using Rgb = std::array<int, 3>;

// One pixel of the back buffer, in window pixels with y counted from the bottom.
inline Rgb PixelAt(int x, int y) {
    std::uint8_t p[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return Rgb{p[0], p[1], p[2]};
}

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
        quad = world.Objects().CreateChild<TestQuad>();
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
    TestQuad* quad = nullptr;
};

}  // namespace engine::test
