#include "engine/effects/sprite_pfx_manager.h"

#include "engine/core/set_and_notify.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

constexpr float kMinAspectRatio = 0.001f;
constexpr float kMaxAspectRatio = 1000.0f;
constexpr float kPi = 3.14159265358979f;

// Quadrants of a four-sprite texture by ID mod 4, corners c0..c3.
constexpr TSpriteTexCorners kQuadrants[4] = {
    {{{1.0f, 1.0f}, {0.5f, 1.0f}, {0.5f, 0.5f}, {1.0f, 0.5f}}},
    {{{0.5f, 1.0f}, {0.0f, 1.0f}, {0.0f, 0.5f}, {0.5f, 0.5f}}},
    {{{1.0f, 0.5f}, {0.5f, 0.5f}, {0.5f, 0.0f}, {1.0f, 0.0f}}},
    {{{0.5f, 0.5f}, {0.0f, 0.5f}, {0.0f, 0.0f}, {0.5f, 0.0f}}},
};
constexpr TSpriteTexCorners kWholeTexture = {{{1.0f, 1.0f}, {0.0f, 1.0f}, {0.0f, 0.0f}, {1.0f, 0.0f}}};

TVec3 RotateAbout(const TVec3& v, const TVec3& axis, float degrees) {
    return Affine(RotateVector(Direction(v), Direction(axis), DegToRad(degrees)));
}

}  // namespace

TSpriteTexCorners SpriteTexCorners(TSpritesPerTexture sprites, std::int32_t particleID) {
    if (sprites == sptOne) {
        return kWholeTexture;
    }
    return kQuadrants[static_cast<std::uint32_t>(particleID) % 4];
}

TGLBaseSpritePFXManager::~TGLBaseSpritePFXManager() {
    ReleaseTexture();
}

void TGLBaseSpritePFXManager::SetSpritesPerTexture(TSpritesPerTexture sprites) {
    SetAndNotify(m_spritesPerTexture, sprites, [this] { ReleaseTexture(); });
}

void TGLBaseSpritePFXManager::SetAspectRatio(float ratio) {
    m_aspectRatio = std::clamp(ratio, kMinAspectRatio, kMaxAspectRatio);
}

void TGLBaseSpritePFXManager::SetShareSprites(TGLBaseSpritePFXManager* manager) {
    m_shareSprites.Set(manager == this ? nullptr : manager);
}

void TGLBaseSpritePFXManager::ReleaseTexture() {
    m_texture.Release();
}

GLuint TGLBaseSpritePFXManager::OwnTexture() {
    if (m_texture.Get() != 0) {
        return m_texture.Get();
    }
    const TGLBitmap32 image = PrepareImage();
    if (image.Empty()) {
        return 0;
    }
    glBindTexture(GL_TEXTURE_2D, m_texture.Acquire());
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_LUMINANCE_ALPHA, image.Width, image.Height, GL_RGBA, GL_UNSIGNED_BYTE,
                      image.Data.data());
    return m_texture.Get();
}

void TGLBaseSpritePFXManager::InitializeRendering(TRenderContextInfo& rci) {
    (void)rci;
    // The camera's right, up and backward axes in world space are the rows of the view's rotation.
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const TVec3 right{m[0], m[4], m[8]};
    const TVec3 up{m[1], m[5], m[9]};
    m_viewAxis = TVec3{m[2], m[6], m[10]};
    const float a = std::sqrt(m_aspectRatio) * ParticleSize();
    const float b = ParticleSize() * ParticleSize() / a;
    for (int i = 0; i < 4; ++i) {
        const float theta = static_cast<float>(i) * kPi * 0.5f + kPi * 0.25f;
        m_corners[static_cast<std::size_t>(i)] = right * (a * std::sin(theta)) + up * (b * std::cos(theta));
        if (m_rotation != 0.0f) {
            m_corners[static_cast<std::size_t>(i)] =
                RotateAbout(m_corners[static_cast<std::size_t>(i)], m_viewAxis, -m_rotation);
        }
    }
    m_lifeRotation = AnyLifeRotation();
}

void TGLBaseSpritePFXManager::BeginParticles(TRenderContextInfo& rci) {
    (void)rci;
    TGLBaseSpritePFXManager* owner = ShareSprites() ? ShareSprites() : this;
    glBindTexture(GL_TEXTURE_2D, owner->OwnTexture());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, m_colorMode == scmNone ? GL_REPLACE : GL_MODULATE);
    if (m_colorMode != scmFade) {
        glBegin(GL_QUADS);
    }
}

void TGLBaseSpritePFXManager::RenderParticle(TRenderContextInfo& rci, const TGLParticle& particle) {
    (void)rci;
    const TPFXLifeState life = LifeStateAt(CurrentTime() - particle.CreationTime);
    float s = life.scales ? life.sizeScale : 1.0f;
    if (particle.EffectScale != 1.0f) {
        s *= particle.EffectScale;
    }
    std::array<TVec3, 4> corners;
    for (std::size_t i = 0; i < 4; ++i) {
        TVec3 offset = m_corners[i] * s;
        if (m_lifeRotation && life.rotates) {
            offset = RotateAbout(offset, m_viewAxis, life.rotateAngle);
        }
        corners[i] = particle.Position + offset;
    }
    const TSpriteTexCorners tex = SpriteTexCorners(m_spritesPerTexture, particle.ID);
    switch (m_colorMode) {
        case scmFade:
            glBegin(GL_TRIANGLE_FAN);
            glColor4fv(&life.inner.X);
            glTexCoord2f((tex[0][0] + tex[2][0]) * 0.5f, (tex[0][1] + tex[2][1]) * 0.5f);
            glVertex3f(particle.Position.X, particle.Position.Y, particle.Position.Z);
            glColor4fv(&life.outer.X);
            for (std::size_t i = 0; i <= 4; ++i) {
                const std::size_t c = i % 4;
                glTexCoord2fv(tex[c].data());
                glVertex3f(corners[c].X, corners[c].Y, corners[c].Z);
            }
            glEnd();
            return;
        case scmInner:
            glColor4fv(&life.inner.X);
            break;
        case scmOuter:
            glColor4fv(&life.outer.X);
            break;
        case scmNone:
            break;
    }
    for (std::size_t c = 0; c < 4; ++c) {
        glTexCoord2fv(tex[c].data());
        glVertex3f(corners[c].X, corners[c].Y, corners[c].Z);
    }
}

void TGLBaseSpritePFXManager::EndParticles(TRenderContextInfo& rci) {
    (void)rci;
    if (m_colorMode != scmFade) {
        glEnd();
    }
}

}  // namespace engine
