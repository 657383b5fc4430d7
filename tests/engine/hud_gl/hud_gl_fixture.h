#pragma once

#include "engine/material/material.h"
#include "engine/scene/camera.h"
#include "engine/scene/world.h"
#include "tests/support/gl_test_context.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace engine::test {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBackground{0, 0, 255};
inline constexpr Rgb kRed{255, 0, 0};

// The pixels of one colour: their bounding box (inclusive, y from the top) and their number.
struct Coverage {
    int left = kWidth;
    int top = kHeight;
    int right = -1;
    int bottom = -1;
    int count = 0;
};

// An 800 x 600 view of a scene on a blue background, as the render buffer draws a frame: camera at
// (0, 0, 5) looking down -Z, lighting off, faces culled as the buffer does by default.
class HudGL : public ::testing::Test {
protected:
    HudGL() {
        camera = world.Cameras().CreateChild<TGLCamera>();
        camera->SetPosition(TVec4{0, 0, 5, 1});
        setup.camera = camera;
        setup.states = &cache;
        setup.viewPortWidth = kWidth;
        setup.viewPortHeight = kHeight;
    }

    void Frame() {
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        cache.Enable(TGLState::stDepthTest);
        cache.SetDepthFunc(GL_LESS);
        cache.Disable(TGLState::stLighting);
        cache.SetEnabled(TGLState::stCullFace, faceCulling);
        setup.bufferFaceCull = faceCulling;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        camera->ApplyProjection(TGLViewport{0, 0, kWidth, kHeight}, kWidth, kHeight, 96);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        camera->ApplyView();
        world.RenderFrame(setup);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        pixels = context.ReadPixels();
    }

    // x from the left, y from the top, of the last frame.
    Rgb Pixel(int x, int y) const {
        const std::uint8_t* p = pixels.data() + (static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 4;
        return {p[0], p[1], p[2]};
    }

    Coverage CoverageOf(const Rgb& colour) const {
        Coverage c;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (Pixel(x, y) == colour) {
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

    static void Colour(TGLMaterial& material, const TVec4& rgba) {
        material.FrontProperties().Diffuse().SetColor(rgba);
    }

    tests::GLTestContext context{kWidth, kHeight};
    TGLStateCache cache;
    TGLWorld world;
    TGLCamera* camera = nullptr;
    TGLFrameSetup setup;
    bool faceCulling = true;
    std::vector<std::uint8_t> pixels;
};

}  // namespace engine::test
