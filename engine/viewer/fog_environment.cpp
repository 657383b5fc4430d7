#include "engine/viewer/fog_environment.h"

#include <GL/glext.h>

namespace engine {

GLenum GLFogMode(TFogMode mode) {
    switch (mode) {
        case fmExp: return GL_EXP;
        case fmExp2: return GL_EXP2;
        case fmLinear: break;
    }
    return GL_LINEAR;
}

GLenum GLFogDistanceMode(TFogDistance distance) {
    switch (distance) {
        case fdEyeRadial: return GL_EYE_RADIAL_NV;
        case fdEyePlane: return GL_EYE_PLANE;
        case fdDefault: break;
    }
    return 0;
}

TGLFogEnvironment::TGLFogEnvironment() {
    m_fogColor.OnChange = [this] { Changed(); };
}

void TGLFogEnvironment::Changed() {
    if (OnChange) {
        OnChange();
    }
}

void TGLFogEnvironment::Apply(TGLStateCache& states, bool hasFogDistance) const {
    states.Enable(TGLState::stFog);
    const GLenum mode = GLFogMode(m_fogMode);
    glFogi(GL_FOG_MODE, static_cast<GLint>(mode));
    if (mode != GL_LINEAR) {
        glFogf(GL_FOG_DENSITY, m_fogColor.Alpha());
    }
    glFogfv(GL_FOG_COLOR, m_fogColor.AsArray());
    glFogf(GL_FOG_START, m_fogStart);
    glFogf(GL_FOG_END, m_fogEnd);
    const GLenum distanceMode = GLFogDistanceMode(m_fogDistance);
    if (hasFogDistance && distanceMode != 0) {
        glFogi(GL_FOG_DISTANCE_MODE_NV, static_cast<GLint>(distanceMode));
    }
}

}  // namespace engine
