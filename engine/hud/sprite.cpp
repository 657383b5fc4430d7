#include "engine/hud/sprite.h"

#include "engine/hud/diffuse_alpha.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace engine {

TGLSprite::TGLSprite() : TGLSprite(1.0f, 1.0f) {}

TGLSprite::TGLSprite(float width, float height) : m_width(width), m_height(height) {
    SetObjectStyle(DrawDirect | NeverCulled);
}

void TGLSprite::SetAlphaChannel(float alpha) {
    SetAndNotify(m_alphaChannel, std::clamp(alpha, 0.0f, 1.0f), [this] { MarkStructureChanged(); });
}

TVec4 TGLSprite::HalfExtents() const {
    const float halfWidth = std::fabs(m_width) * 0.5f;
    return TVec4{halfWidth, std::fabs(m_height) * 0.5f, halfWidth, 0.0f};
}

void TGLSprite::EmitGeometry(TRenderContextInfo&) {
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    // The eye's right and up axes in the object's frame. Their length s is the scale the object
    // inherits: a vector along them grows by s on its way to the eye, so dividing by s² (not s)
    // keeps the sprite Width x Height world units under a scaled parent or scale of its own.
    TVec3 right{m[0], m[4], m[8]};
    TVec3 up{m[1], m[5], m[9]};
    const float rightSquared = Dot(right, right);
    const float upSquared = Dot(up, up);
    if (rightSquared == 0.0f || upSquared == 0.0f) {
        return;
    }
    right = right * (m_width * 0.5f / rightSquared);
    up = up * (m_height * 0.5f / upSquared);
    std::optional<TFrontDiffuseAlphaScope> alpha;
    if (m_alphaChannel != 1.0f) {
        alpha.emplace(m_alphaChannel);
    }
    if (m_noZWrite) {
        glDepthMask(GL_FALSE);
    }
    if (m_rotation != 0.0f) {
        glPushMatrix();
        glRotatef(m_rotation, m[2], m[6], m[10]);
    }
    const float u0 = m_mirrorU ? 1.0f : 0.0f;
    const float u1 = 1.0f - u0;
    const float v0 = m_mirrorV ? 1.0f : 0.0f;
    const float v1 = 1.0f - v0;
    const TVec3 topRight = right + up;
    const TVec3 topLeft = up - right;
    glBegin(GL_QUADS);
    // Lit sprites face the eye.
    glNormal3f(m[2], m[6], m[10]);
    glTexCoord2f(u1, v1);
    glVertex3f(topRight.X, topRight.Y, topRight.Z);
    glTexCoord2f(u0, v1);
    glVertex3f(topLeft.X, topLeft.Y, topLeft.Z);
    glTexCoord2f(u0, v0);
    glVertex3f(-topRight.X, -topRight.Y, -topRight.Z);
    glTexCoord2f(u1, v0);
    glVertex3f(-topLeft.X, -topLeft.Y, -topLeft.Z);
    glEnd();
    if (m_rotation != 0.0f) {
        glPopMatrix();
    }
    if (m_noZWrite) {
        glDepthMask(GL_TRUE);
    }
}

std::unique_ptr<TGLBaseSceneObject> TGLSprite::NewInstance() const {
    return std::make_unique<TGLSprite>();
}

void TGLSprite::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* sprite = dynamic_cast<const TGLSprite*>(&source)) {
        m_width = sprite->m_width;
        m_height = sprite->m_height;
        m_rotation = sprite->m_rotation;
        m_alphaChannel = sprite->m_alphaChannel;
        m_noZWrite = sprite->m_noZWrite;
        m_mirrorU = sprite->m_mirrorU;
        m_mirrorV = sprite->m_mirrorV;
    }
    TGLMaterialObject::DoCopyFrom(source);
}

}  // namespace engine
