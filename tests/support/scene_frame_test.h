#pragma once

#include "engine/render/gl_state_cache.h"
#include "engine/scene/camera.h"
#include "engine/scene/world.h"
#include "tests/support/gl_test_context.h"
#include "tests/support/rgb.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace tests {

inline constexpr int kFrameSize = 64;

// Where one colour lies in a frame: the bounding box of its pixels (inclusive, y from the top) and
// how many there are.
struct Coverage {
    int left = INT_MAX;
    int top = INT_MAX;
    int right = -1;
    int bottom = -1;
    int count = 0;
};

// A hidden window on a scene whose camera stands at (0, 0, 5) looking down -Z, drawn as the render
// buffer draws a frame: cleared to clearColour, lit when lighting is set, faces culled (by the state
// and by the buffer's default for materials) when faceCulling is set.
class SceneFrameTest : public ::testing::Test {
protected:
    static constexpr int kSize = kFrameSize;

    // 64 x 64 pixels through a lens that shows -2..2 in X and Y at Z = 0, so one unit there is 16
    // pixels and the origin is pixel (32, 32).
    SceneFrameTest() : SceneFrameTest(kSize, kSize) {
        // Near distance 1.25 with a window of +-0.5: a half-width of 0.4 per unit of distance.
        camera->SetFocalLength(1.25f * kSize * 25.4f / (2.0f * 96.0f));
    }
    // width x height pixels through the camera's default lens.
    SceneFrameTest(int width, int height) : context(width, height) {
        camera = world.Cameras().CreateChild<engine::TGLCamera>();
        camera->SetPosition(engine::TVec4{0, 0, 5, 1});
        setup.camera = camera;
        setup.states = &cache;
        setup.viewPortWidth = width;
        setup.viewPortHeight = height;
    }

    // Draws one frame and reads it back.
    void Frame() {
        using engine::TGLState;
        const int width = context.Width();
        const int height = context.Height();
        glViewport(0, 0, width, height);
        glClearColor(clearColour.X, clearColour.Y, clearColour.Z, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const GLfloat noAmbient[4] = {0, 0, 0, 1};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);
        cache.Resync();
        cache.Enable(TGLState::stDepthTest);
        cache.SetDepthFunc(GL_LESS);
        cache.SetEnabled(TGLState::stLighting, lighting);
        cache.Enable(TGLState::stNormalize);
        cache.SetEnabled(TGLState::stCullFace, faceCulling);
        setup.bufferFaceCull = faceCulling;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        camera->ApplyProjection(engine::TGLViewport{0, 0, width, height}, width, height, 96);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        camera->ApplyView();
        GLint maxLights = 8;
        glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
        world.LoadLights(maxLights);
        world.RenderFrame(setup);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        m_pixels = context.ReadPixels();
    }

    // x from the left, y from the bottom, as OpenGL counts.
    Rgb Pixel(int x, int y) const { return RgbAt(x, y); }
    Rgb Center() const { return Pixel(context.Width() / 2, context.Height() / 2); }
    // x from the left, y from the top, as screen and HUD positions count, in the last frame.
    Rgb ScreenPixel(int x, int y) const {
        const std::size_t row = static_cast<std::size_t>(context.Height() - 1 - y);
        const std::uint8_t* p = m_pixels.data() + (row * static_cast<std::size_t>(context.Width()) + x) * 4;
        return {p[0], p[1], p[2]};
    }
    Coverage CoverageOf(const Rgb& colour) const {
        Coverage c;
        for (int y = 0; y < context.Height(); ++y) {
            for (int x = 0; x < context.Width(); ++x) {
                if (ScreenPixel(x, y) == colour) {
                    c.left = std::min(c.left, x);
                    c.right = std::max(c.right, x);
                    c.top = std::min(c.top, y);
                    c.bottom = std::max(c.bottom, y);
                    ++c.count;
                }
            }
        }
        return c;
    }

    GLTestContext context;
    engine::TGLStateCache cache;
    engine::TGLWorld world;
    engine::TGLCamera* camera = nullptr;
    engine::TGLFrameSetup setup;
    engine::TVec4 clearColour{0, 0, 0, 1};
    bool lighting = false;
    bool faceCulling = false;

private:
    std::vector<std::uint8_t> m_pixels;
};

}  // namespace tests
