#pragma once

#include "engine/material/gl_state_cache.h"
#include "engine/scene/camera.h"
#include "engine/scene/world.h"
#include "tests/support/gl_test_context.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace engine::test {

constexpr int kSize = 64;

struct Rgb {
    int r, g, b;
};

inline ::testing::AssertionResult Near(const Rgb& actual, const Rgb& expected, int tolerance = 4) {
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "(" << actual.r << ", " << actual.g << ", " << actual.b << ") instead of ("
                                         << expected.r << ", " << expected.g << ", " << expected.b << ")";
}

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

    Rgb Pixel(int x, int y) const {
        const std::uint32_t p = context.PixelAt(x, y);
        return {static_cast<int>(p >> 24), static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF)};
    }
    Rgb Center() const { return Pixel(kSize / 2, kSize / 2); }

    tests::GLTestContext context{kSize, kSize};
    TGLStateCache cache;
    TGLWorld world;
    TGLCamera* camera = nullptr;
    TGLFrameSetup setup;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kMagenta{255, 0, 255};

}  // namespace engine::test
