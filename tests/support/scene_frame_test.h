#pragma once

#include "engine/render/gl_state_cache.h"
#include "engine/scene/camera.h"
#include "engine/scene/world.h"
#include "tests/support/gl_test_context.h"
#include "tests/support/rgb.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace tests {

inline constexpr int kFrameSize = 64;

// A 64 x 64 window on a scene whose camera stands at (0, 0, 5) looking down -Z; its lens shows
// -2..2 in X and Y at Z = 0, so one unit there is 16 pixels and the origin is pixel (32, 32).
class SceneFrameTest : public ::testing::Test {
protected:
    static constexpr int kSize = kFrameSize;

    SceneFrameTest() {
        camera = world.Cameras().CreateChild<engine::TGLCamera>();
        camera->SetPosition(engine::TVec4{0, 0, 5, 1});
        // Near distance 1.25 with a window of +-0.5: a half-width of 0.4 per unit of distance.
        camera->SetFocalLength(1.25f * kSize * 25.4f / (2.0f * 96.0f));
        setup.camera = camera;
        setup.states = &cache;
        setup.viewPortWidth = kSize;
        setup.viewPortHeight = kSize;
    }

    // One frame as the render buffer draws it, cleared to clearColour, lit when lighting is set.
    void Frame() {
        using engine::TGLState;
        glViewport(0, 0, kSize, kSize);
        glClearColor(clearColour.X, clearColour.Y, clearColour.Z, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const GLfloat noAmbient[4] = {0, 0, 0, 1};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);
        cache.Resync();
        cache.Enable(TGLState::stDepthTest);
        cache.SetDepthFunc(GL_LESS);
        cache.SetEnabled(TGLState::stLighting, lighting);
        cache.Enable(TGLState::stNormalize);
        cache.Disable(TGLState::stCullFace);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        camera->ApplyProjection(engine::TGLViewport{0, 0, kSize, kSize}, kSize, kSize, 96);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        camera->ApplyView();
        GLint maxLights = 8;
        glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
        world.LoadLights(maxLights);
        world.RenderFrame(setup);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    Rgb Pixel(int x, int y) const { return RgbAt(context, x, y); }
    Rgb Center() const { return Pixel(kSize / 2, kSize / 2); }

    GLTestContext context{kSize, kSize};
    engine::TGLStateCache cache;
    engine::TGLWorld world;
    engine::TGLCamera* camera = nullptr;
    engine::TGLFrameSetup setup;
    engine::TVec4 clearColour{0, 0, 0, 1};
    bool lighting = false;
};

}  // namespace tests
