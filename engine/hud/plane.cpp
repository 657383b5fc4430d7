#include "engine/hud/plane.h"

#include <GL/gl.h>

#include <cmath>

namespace engine {

TGLPlane::TGLPlane() {
    SetObjectStyle(DrawDirect);
}

TVec4 TGLPlane::HalfExtents() const {
    return TVec4{std::fabs(m_width) * 0.5f, std::fabs(m_height) * 0.5f, 0.0f, 0.0f};
}

void TGLPlane::EmitGeometry(TRenderContextInfo&) {
    float s0 = 0.0f;
    float t0 = 0.0f;
    float s1 = m_xScope;
    float t1 = m_yScope;
    if (m_style & psTileTexture) {
        s0 = m_xOffset;
        t0 = m_yOffset;
        s1 = m_xTiles * m_xScope + m_xOffset;
        t1 = m_yTiles * m_yScope + m_yOffset;
    }
    const float halfWidth = m_width * 0.5f;
    const float halfHeight = m_height * 0.5f;
    if (m_noZWrite) {
        glDepthMask(GL_FALSE);
    }
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(s0, t0);
    glVertex2f(-halfWidth, -halfHeight);
    glTexCoord2f(s1, t0);
    glVertex2f(halfWidth, -halfHeight);
    glTexCoord2f(s1, t1);
    glVertex2f(halfWidth, halfHeight);
    glTexCoord2f(s0, t1);
    glVertex2f(-halfWidth, halfHeight);
    glEnd();
    if (m_noZWrite) {
        glDepthMask(GL_TRUE);
    }
}

std::unique_ptr<TGLBaseSceneObject> TGLPlane::NewInstance() const {
    return std::make_unique<TGLPlane>();
}

void TGLPlane::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* plane = dynamic_cast<const TGLPlane*>(&source)) {
        m_width = plane->m_width;
        m_height = plane->m_height;
        m_xOffset = plane->m_xOffset;
        m_yOffset = plane->m_yOffset;
        m_xScope = plane->m_xScope;
        m_yScope = plane->m_yScope;
        m_xTiles = plane->m_xTiles;
        m_yTiles = plane->m_yTiles;
        m_style = plane->m_style;
        m_noZWrite = plane->m_noZWrite;
    }
    TGLMaterialObject::DoCopyFrom(source);
}

}  // namespace engine
