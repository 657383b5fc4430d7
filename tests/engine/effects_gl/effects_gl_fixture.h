#pragma once

#include "engine/material/gl_state_cache.h"
#include "engine/scene/camera.h"
#include "engine/scene/world.h"
#include "tests/support/gl_test_context.h"
#include "tests/support/rgb.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace engine::test {

using tests::Near;
using tests::Rgb;
using tests::kBlack;
using tests::kBlue;
using tests::kGreen;
using tests::kMagenta;
using tests::kRed;
using tests::kWhite;

constexpr int kSize = 64;

inline Rgb ToRgb(const TVec4& color) {
    const auto byte = [](float c) { return static_cast<int>(std::lround(std::clamp(c, 0.0f, 1.0f) * 255.0f)); };
    return {byte(color.X), byte(color.Y), byte(color.Z)};
}

// A 64 x 64 window on a scene whose camera stands at (0, 0, 5) looking down -Z; at Z = 0 one
// unit is 16 pixels and the origin is pixel (32, 32). The frame is cleared to magenta, a colour
// nothing here draws.
class EffectsGL : public ::testing::Test {
protected:
    EffectsGL() {
        camera = world.Cameras().CreateChild<TGLCamera>();
        camera->SetPosition(TVec4{0, 0, 5, 1});
        camera->SetDirection(TVec4{0, 0, -1, 0});
        camera->SetFocalLength(1.25f * kSize * 25.4f / (2.0f * 96.0f));
        setup.camera = camera;
        setup.states = &cache;
        setup.viewPortWidth = kSize;
        setup.viewPortHeight = kSize;
    }

    // One frame as the render buffer draws it.
    void Frame() {
        glViewport(0, 0, kSize, kSize);
        glClearColor(1, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        cache.Resync();
        cache.Enable(TGLState::stDepthTest);
        cache.SetDepthFunc(GL_LESS);
        cache.Disable(TGLState::stLighting);
        cache.Disable(TGLState::stCullFace);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        camera->ApplyProjection(TGLViewport{0, 0, kSize, kSize}, kSize, kSize, 96);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        camera->ApplyView();
        world.RenderFrame(setup);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    Rgb Pixel(int x, int y) const { return tests::RgbAt(context, x, y); }
    Rgb Center() const { return Pixel(kSize / 2, kSize / 2); }

    tests::GLTestContext context{kSize, kSize};
    TGLStateCache cache;
    TGLWorld world;
    TGLCamera* camera = nullptr;
    TGLFrameSetup setup;
};

}  // namespace engine::test
