#pragma once

#include "engine/material/color.h"
#include "engine/render/gl_state_cache.h"

#include <functional>

namespace engine {

enum class TPolygonMode : std::uint8_t { pmFill, pmLines, pmPoints };

GLenum GLPolygonMode(TPolygonMode mode);

// The lighting material of one face (front or back) of a TGLMaterial.
class TGLFaceProperties {
public:
    TGLFaceProperties();
    TGLFaceProperties(const TGLFaceProperties&) = delete;
    TGLFaceProperties& operator=(const TGLFaceProperties&) = delete;

    TGLColor& Ambient() { return m_ambient; }
    TGLColor& Diffuse() { return m_diffuse; }
    TGLColor& Emission() { return m_emission; }
    TGLColor& Specular() { return m_specular; }
    const TGLColor& Ambient() const { return m_ambient; }
    const TGLColor& Diffuse() const { return m_diffuse; }
    const TGLColor& Emission() const { return m_emission; }
    const TGLColor& Specular() const { return m_specular; }
    int Shininess() const { return m_shininess; }
    // Clamped to OpenGL's range 0..128.
    void SetShininess(int shininess);
    TPolygonMode PolygonMode() const { return m_polygonMode; }
    void SetPolygonMode(TPolygonMode mode);

    void Assign(const TGLFaceProperties& source);

    // Sends the colours and shininess as face's lighting material (GL_FRONT or GL_BACK) and the
    // polygon mode.
    void Apply(TGLStateCache& states, GLenum face) const;

    std::function<void()> OnChange;

private:
    void Changed();

    TGLColor m_ambient{0.2f, 0.2f, 0.2f, 1.0f};
    TGLColor m_diffuse{0.8f, 0.8f, 0.8f, 1.0f};
    TGLColor m_emission{0.0f, 0.0f, 0.0f, 1.0f};
    TGLColor m_specular{0.0f, 0.0f, 0.0f, 1.0f};
    int m_shininess = 0;
    TPolygonMode m_polygonMode = TPolygonMode::pmFill;
};

}  // namespace engine
