#pragma once

#include "engine/scene/custom_scene_object.h"
#include "tests/support/scene_frame_test.h"

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

constexpr int kSize = tests::kFrameSize;

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

// The scene frame with quads to place in it.
class SceneGL : public tests::SceneFrameTest {
protected:
    Quad* AddQuad(TGLBaseSceneObject& parent, const TVec4& position, const TVec4& rgba,
                  TBlendingMode blending = TBlendingMode::bmOpaque, float half = 1.0f) {
        auto* quad = parent.CreateChild<Quad>(half);
        quad->SetPosition(position);
        quad->Colored(rgba, blending);
        return quad;
    }
};

}  // namespace engine::test
