#pragma once

#include "engine/scene/camera.h"
#include "engine/scene/custom_scene_object.h"
#include "engine/scene/world.h"
#include "tests/support/gl_test_context.h"
#include "tests/support/rgb.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

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

// A square in the local XY plane facing +Z, texture coordinates 0..1, drawn through its material.
class Quad : public TGLMaterialObject {
public:
    explicit Quad(float half = 1.0f) : m_half(half) {}
    void EmitGeometry(TRenderContextInfo&) override {
        glBegin(GL_QUADS);
        glNormal3f(0, 0, 1);
        glTexCoord2f(0, 0);
        glVertex3f(-m_half, -m_half, 0);
        glTexCoord2f(1, 0);
        glVertex3f(m_half, -m_half, 0);
        glTexCoord2f(1, 1);
        glVertex3f(m_half, m_half, 0);
        glTexCoord2f(0, 1);
        glVertex3f(-m_half, m_half, 0);
        glEnd();
    }
    void SetStyle(std::uint8_t style) { SetObjectStyle(style); }
    // Unlit colour (and lit diffuse) with its blending.
    Quad& Colored(const TVec4& rgba, TBlendingMode blending = TBlendingMode::bmOpaque) {
        Material().FrontProperties().Diffuse().SetColor(rgba);
        Material().SetBlendingMode(blending);
        return *this;
    }
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override { return std::make_unique<Quad>(m_half); }

private:
    float m_half;
};

// A 64 x 64 window on a scene whose camera stands at (0, 0, 5) looking down -Z; its lens shows
// -2..2 in X and Y at Z = 0, so one unit there is 16 pixels and the origin is pixel (32, 32).
class SceneGL : public ::testing::Test {
protected:
    SceneGL() {
        camera = world.Cameras().CreateChild<TGLCamera>();
        camera->SetPosition(TVec4{0, 0, 5, 1});
        // Near distance 1.25 with a window of +-0.5: a half-width of 0.4 per unit of distance.
        camera->SetFocalLength(1.25f * kSize * 25.4f / (2.0f * 96.0f));
        setup.camera = camera;
        setup.states = &cache;
        setup.viewPortWidth = kSize;
        setup.viewPortHeight = kSize;
    }

    // One frame as the render buffer draws it.
    void Frame() {
        glViewport(0, 0, kSize, kSize);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const GLfloat noAmbient[4] = {0, 0, 0, 1};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);
        cache.Enable(TGLState::stDepthTest);
        cache.SetDepthFunc(GL_LESS);
        cache.SetEnabled(TGLState::stLighting, lighting);
        cache.Enable(TGLState::stNormalize);
        cache.Disable(TGLState::stCullFace);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        camera->ApplyProjection(TGLViewport{0, 0, kSize, kSize}, kSize, kSize, 96);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        camera->ApplyView();
        GLint maxLights = 8;
        glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
        world.LoadLights(maxLights);
        world.RenderFrame(setup);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    Rgb Pixel(int x, int y) const { return tests::RgbAt(context, x, y); }
    Rgb Center() const { return Pixel(kSize / 2, kSize / 2); }

    Quad* AddQuad(TGLBaseSceneObject& parent, const TVec4& position, const TVec4& rgba,
                  TBlendingMode blending = TBlendingMode::bmOpaque, float half = 1.0f) {
        auto* quad = parent.CreateChild<Quad>(half);
        quad->SetPosition(position);
        quad->Colored(rgba, blending);
        return quad;
    }

    tests::GLTestContext context{kSize, kSize};
    TGLStateCache cache;
    TGLWorld world;
    TGLCamera* camera = nullptr;
    TGLFrameSetup setup;
    bool lighting = false;
};

}  // namespace engine::test
