#include "engine/material/face_properties.h"

#include "engine/core/set_and_notify.h"

#include <algorithm>

namespace engine {
namespace {

std::array<GLfloat, 4> ToArray(const TGLColor& color) {
    const TVec4& c = color.Color();
    return {c.X, c.Y, c.Z, c.W};
}

}  // namespace

GLenum GLPolygonMode(TPolygonMode mode) {
    switch (mode) {
        case TPolygonMode::pmLines:
            return GL_LINE;
        case TPolygonMode::pmPoints:
            return GL_POINT;
        case TPolygonMode::pmFill:
            break;
    }
    return GL_FILL;
}

TGLFaceProperties::TGLFaceProperties() {
    for (TGLColor* color : {&m_ambient, &m_diffuse, &m_emission, &m_specular}) {
        color->OnChange = [this] { Changed(); };
    }
}

void TGLFaceProperties::Changed() {
    if (OnChange) {
        OnChange();
    }
}

void TGLFaceProperties::SetShininess(int shininess) {
    shininess = std::clamp(shininess, 0, 128);
    SetAndNotify(m_shininess, shininess, [this] { Changed(); });
}

void TGLFaceProperties::SetPolygonMode(TPolygonMode mode) {
    SetAndNotify(m_polygonMode, mode, [this] { Changed(); });
}

void TGLFaceProperties::Assign(const TGLFaceProperties& source) {
    m_ambient.Assign(source.m_ambient);
    m_diffuse.Assign(source.m_diffuse);
    m_emission.Assign(source.m_emission);
    m_specular.Assign(source.m_specular);
    SetShininess(source.m_shininess);
    SetPolygonMode(source.m_polygonMode);
}

void TGLFaceProperties::Apply(TGLStateCache& states, GLenum face) const {
    TGLFaceMaterialState material;
    material.emission = ToArray(m_emission);
    material.ambient = ToArray(m_ambient);
    material.diffuse = ToArray(m_diffuse);
    material.specular = ToArray(m_specular);
    material.shininess = static_cast<GLfloat>(m_shininess);
    states.SetGLMaterialColors(face, material);
    states.SetPolygonMode(face, GLPolygonMode(m_polygonMode));
}

}  // namespace engine
