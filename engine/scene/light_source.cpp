#include "engine/scene/light_source.h"

#include "engine/scene/world.h"

#include <GL/gl.h>

namespace engine {

TGLLightSource::TGLLightSource() : m_spotDirection(this, TVec4{0, 0, -1, 0}, csVector) {
    auto changed = [this] { SignalChange(); };
    m_ambient.OnChange = changed;
    m_diffuse.OnChange = changed;
    m_specular.OnChange = changed;
}

void TGLLightSource::SetLightStyle(TGLLightStyle style) {
    SetAndNotify(m_lightStyle, style, [this] { SignalChange(); });
}

void TGLLightSource::SetShining(bool shining) {
    SetAndNotify(m_shining, shining, [this] { SignalChange(); });
}

void TGLLightSource::CoordinatesEdited(TGLCoordinates& which) {
    if (&which == &m_spotDirection) {
        MarkTransformChanged();
        return;
    }
    TGLBaseSceneObject::CoordinatesEdited(which);
}

void TGLLightSource::SceneJoined() {
    m_lightSlot = Scene()->AddLight(*this);
}

void TGLLightSource::SceneLeaving() {
    Scene()->RemoveLight(*this);
    m_lightSlot = -1;
}

void TGLLightSource::LoadIntoGL() const {
    if (m_lightSlot < 0) {
        return;
    }
    const GLenum light = GL_LIGHT0 + static_cast<GLenum>(m_lightSlot);
    if (!m_shining) {
        glDisable(light);
        return;
    }
    glEnable(light);
    const bool underRoot = !Parent() || Parent()->IsSceneRoot();
    if (m_lightStyle == lsParallel) {
        glMultMatrixf(&WorldTransform()[0].X);
        const TVec4& d = m_spotDirection.AsVector();
        const GLfloat direction[4] = {d.X, d.Y, d.Z, 0.0f};
        glLightfv(light, GL_POSITION, direction);
    } else {
        if (!underRoot) {
            glMultMatrixf(&Parent()->WorldTransform()[0].X);
        }
        glLightfv(light, GL_POSITION, &Position().AsVector().X);
    }
    glLightfv(light, GL_AMBIENT, m_ambient.AsArray());
    glLightfv(light, GL_DIFFUSE, m_diffuse.AsArray());
    glLightfv(light, GL_SPECULAR, m_specular.AsArray());
    if (m_lightStyle == lsSpot) {
        if (m_spotCutOff != 180.0f) {
            glLightfv(light, GL_SPOT_DIRECTION, &m_spotDirection.AsVector().X);
            glLightf(light, GL_SPOT_EXPONENT, m_spotExponent);
        }
        glLightf(light, GL_SPOT_CUTOFF, m_spotCutOff);
    } else {
        glLightf(light, GL_SPOT_CUTOFF, 180.0f);
    }
    glLightf(light, GL_CONSTANT_ATTENUATION, m_constAttenuation);
    glLightf(light, GL_LINEAR_ATTENUATION, m_linearAttenuation);
    glLightf(light, GL_QUADRATIC_ATTENUATION, m_quadraticAttenuation);
}

bool TGLLightSource::IntersectRay(const TVec4&, const TVec4&, TVec4*, TVec4*) const {
    return false;
}

std::unique_ptr<TGLBaseSceneObject> TGLLightSource::NewInstance() const {
    return std::make_unique<TGLLightSource>();
}

void TGLLightSource::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* light = dynamic_cast<const TGLLightSource*>(&source)) {
        m_lightStyle = light->m_lightStyle;
        m_shining = light->m_shining;
        m_constAttenuation = light->m_constAttenuation;
        m_linearAttenuation = light->m_linearAttenuation;
        m_quadraticAttenuation = light->m_quadraticAttenuation;
        m_spotCutOff = light->m_spotCutOff;
        m_spotExponent = light->m_spotExponent;
        m_spotDirection.Assign(light->m_spotDirection);
        m_ambient.Assign(light->m_ambient);
        m_diffuse.Assign(light->m_diffuse);
        m_specular.Assign(light->m_specular);
    }
    TGLBaseSceneObject::DoCopyFrom(source);
}

}  // namespace engine
