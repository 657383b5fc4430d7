#pragma once

#include "engine/scene/custom_scene_object.h"

#include <GL/gl.h>

#include <cstdint>
#include <memory>

namespace tests {

// A square in the local XY plane facing +Z, texture coordinates 0..1, drawn through its material.
class TestQuad : public engine::TGLMaterialObject {
public:
    explicit TestQuad(float half = 1.0f) : m_half(half) {}
    void EmitGeometry(engine::TRenderContextInfo&) override {
        constexpr float kCorners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        glBegin(GL_QUADS);
        glNormal3f(0, 0, 1);
        for (const auto& corner : kCorners) {
            glTexCoord2f(corner[0], corner[1]);
            glVertex3f((2 * corner[0] - 1) * m_half, (2 * corner[1] - 1) * m_half, 0);
        }
        glEnd();
    }
    void SetStyle(std::uint8_t style) { SetObjectStyle(style); }
    // Unlit colour (and lit diffuse) with its blending.
    TestQuad& Colored(const engine::TVec4& rgba,
                      engine::TBlendingMode blending = engine::TBlendingMode::bmOpaque) {
        Material().FrontProperties().Diffuse().SetColor(rgba);
        Material().SetBlendingMode(blending);
        return *this;
    }
    std::unique_ptr<engine::TGLBaseSceneObject> NewInstance() const override {
        return std::make_unique<TestQuad>(m_half);
    }

private:
    float m_half;
};

}  // namespace tests
