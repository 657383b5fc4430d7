#include "engine/effects/animated_sprite.h"

#include "engine/core/set_and_notify.h"
#include "engine/material/lib_material.h"
#include "engine/material/material_passes.h"
#include "engine/render/render_context_info.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace engine {

TSpriteFrameQuad SpriteFrameQuad(const TSpriteAnimation& animation, bool materialFound, int textureWidth,
                                 int textureHeight, float pixelRatio, bool mirrorU, bool mirrorV) {
    TSpriteFrameQuad quad;
    if (materialFound && textureWidth > 0 && textureHeight > 0) {
        const TSpriteFrameRect r = animation.FrameRect(textureWidth, textureHeight);
        if (r.left != r.right && r.top != r.bottom) {
            const float w = static_cast<float>(textureWidth);
            const float h = static_cast<float>(textureHeight);
            quad.uL = static_cast<float>(r.left) / w;
            quad.uR = static_cast<float>(r.right) / w;
            // Image row 0 is the top of the texture.
            quad.vB = 1.0f - static_cast<float>(r.bottom) / h;
            quad.vT = 1.0f - static_cast<float>(r.top) / h;
            quad.halfWidth = static_cast<float>(static_cast<double>(r.right) - r.left) * 0.5f / pixelRatio;
            quad.halfHeight = static_cast<float>(static_cast<double>(r.bottom) - r.top) * 0.5f / pixelRatio;
        }
    }
    if (mirrorU) {
        std::swap(quad.uL, quad.uR);
    }
    if (mirrorV) {
        std::swap(quad.vB, quad.vT);
    }
    return quad;
}

namespace {

// The radius, in eye space, of the circle that the quad with these half axes (in the coordinates
// the model-view matrix m takes to the eye) fits its picture in.
float EyeRadius(const GLfloat m[16], const TVec3& halfX, const TVec3& halfY) {
    const auto eyeLength = [m](const TVec3& v) {
        return Length(TVec3{m[0] * v.X + m[4] * v.Y + m[8] * v.Z, m[1] * v.X + m[5] * v.Y + m[9] * v.Z,
                            m[2] * v.X + m[6] * v.Y + m[10] * v.Z});
    };
    return std::max(eyeLength(halfX), eyeLength(halfY));
}

}  // namespace

float DepthPullFactor(const TVec3& centre, float radius, float nearDistance) {
    // Just beyond the near plane, so that the pulled sprite is not clipped away.
    constexpr float kNearMargin = 1.01f;
    const float distance = Length(centre);
    const float depth = -centre.Z;
    if (depth <= 0.0f || distance <= 0.0f) {
        return 1.0f;
    }
    const float nearest = std::min(1.0f, nearDistance * kNearMargin / depth);
    return std::max((distance - std::max(radius, 0.0f)) / distance, nearest);
}

TGLAnimatedSprite::TGLAnimatedSprite() {
    SetObjectStyle(DrawDirect);
    m_materialLibrary.SetOnFreed([this] { MarkStructureChanged(); });
}

void TGLAnimatedSprite::SetMaterialLibrary(TGLMaterialLibrary* library) {
    if (library == m_materialLibrary.Get()) {
        return;
    }
    m_materialLibrary.Set(library);
    MarkStructureChanged();
}

void TGLAnimatedSprite::SetInterval(int interval) {
    SetAndNotify(m_interval, interval, [this] { MarkStructureChanged(); });
}

float TGLAnimatedSprite::FrameRate() const {
    return FrameRateOfInterval(m_interval);
}

void TGLAnimatedSprite::SetFrameRate(float rate) {
    SetInterval(IntervalOfFrameRate(rate));
}

void TGLAnimatedSprite::SetAnimationIndex(int index) {
    index = std::max(index, -1);
    if (index == m_animationIndex) {
        return;
    }
    m_animationIndex = index;
    if (TSpriteAnimation* animation = CurrentAnimation()) {
        const bool backward = m_animationMode == samBounceBackward || m_animationMode == samLoopBackward;
        animation->SetCurrentFrame(backward ? animation->EndFrame() : animation->StartFrame());
    }
    MarkStructureChanged();
}

void TGLAnimatedSprite::SetAnimationMode(TSpriteAnimationMode mode) {
    SetAndNotify(m_animationMode, mode, [this] { MarkStructureChanged(); });
}

void TGLAnimatedSprite::SetPixelRatio(float ratio) {
    if (ratio > 0.0f) {
        SetAndNotify(m_pixelRatio, ratio, [this] { MarkStructureChanged(); });
    }
}

void TGLAnimatedSprite::SetRotation(int degrees) {
    SetAndNotify(m_rotation, degrees, [this] { MarkStructureChanged(); });
}

void TGLAnimatedSprite::SetMirrorU(bool mirror) {
    SetAndNotify(m_mirrorU, mirror, [this] { MarkStructureChanged(); });
}

void TGLAnimatedSprite::SetMirrorV(bool mirror) {
    SetAndNotify(m_mirrorV, mirror, [this] { MarkStructureChanged(); });
}

void TGLAnimatedSprite::SetPulledTowardsEye(bool pulled) {
    SetAndNotify(m_pulledTowardsEye, pulled, [this] { MarkStructureChanged(); });
}

bool TGLAnimatedSprite::Fire(const TGLSpriteNotifyEvent& event) {
    if (!event) {
        return true;
    }
    TComponentLink<TGLAnimatedSprite> alive;
    alive.Set(this);
    // A copy: the handler may replace itself or free the sprite that holds it.
    const TGLSpriteNotifyEvent handler = event;
    handler(this);
    return alive.Get() != nullptr;
}

void TGLAnimatedSprite::NextFrame() {
    TSpriteAnimation* animation = CurrentAnimation();
    if (!animation) {
        return;
    }
    int frame = animation->CurrentFrame();
    const int first = animation->FirstFrame();
    const int last = animation->LastFrame();
    switch (m_animationMode) {
        case samPlayOnce:
        case samLoop:
        case samBounceForward:
            if (frame == last && !Fire(OnEndFrameReached)) {
                return;
            }
            ++frame;
            break;
        case samBounceBackward:
        case samLoopBackward:
            if (frame == first && !Fire(OnStartFrameReached)) {
                return;
            }
            --frame;
            break;
        case samNone:
            break;
    }
    // The event may have stopped the animation; the frame shown is still the old one here.
    if (m_animationMode != samNone && !Fire(OnFrameChanged)) {
        return;
    }
    // A handler may have removed the animation or chosen another one.
    animation = CurrentAnimation();
    if (!animation) {
        return;
    }
    switch (m_animationMode) {
        case samPlayOnce:
            if (frame > last) {
                SetAnimationMode(samNone);
            }
            break;
        case samLoop:
            if (frame > last) {
                frame = first;
            }
            break;
        case samBounceForward:
            if (frame == last) {
                SetAnimationMode(samBounceBackward);
            }
            break;
        case samBounceBackward:
            if (frame == first) {
                SetAnimationMode(samBounceForward);
            }
            break;
        case samLoopBackward:
            if (frame < first) {
                frame = last;
            }
            break;
        case samNone:
            break;
    }
    animation->SetCurrentFrame(frame);
}

void TGLAnimatedSprite::ProgressTree(const TProgressTimes& times) {
    TComponentLink<TGLAnimatedSprite> alive;
    alive.Set(this);
    TGLBaseSceneObject::ProgressTree(times);
    if (!alive) {
        return;
    }
    const TSpriteAnimation* animation = CurrentAnimation();
    if (!animation || m_animationMode == samNone) {
        return;
    }
    const int interval = animation->Interval() != 0 ? animation->Interval() : m_interval;
    if (interval <= 0) {
        return;
    }
    m_frameTimer += times.deltaTime * 1000.0 / interval;
    if (!std::isfinite(m_frameTimer)) {
        // A clock that jumped to infinity owes no frames.
        m_frameTimer = 0.0;
        return;
    }
    // Every owed frame is taken off the timer, also those after the animation stopped: steps in
    // samNone change nothing, so they are not walked one by one.
    const double steps = std::floor(m_frameTimer);
    m_frameTimer -= steps;
    for (double step = 0; step < steps && m_animationMode != samNone; ++step) {
        NextFrame();
        if (!alive) {
            return;
        }
    }
}

void TGLAnimatedSprite::EmitGeometry(TRenderContextInfo& rci) {
    TSpriteAnimation* animation = CurrentAnimation();
    if (animation && animation->ShowsFrame()) {
        DrawFrame(rci, *animation);
    }
}

void TGLAnimatedSprite::DrawFrame(TRenderContextInfo& rci, TSpriteAnimation& animation) {
    TGLLibMaterial* material = animation.LibMaterial();
    int textureWidth = 0;
    int textureHeight = 0;
    if (material && material->Material().HasTexture()) {
        textureWidth = material->Material().Texture().Image().Width;
        textureHeight = material->Material().Texture().Image().Height;
    }
    const TSpriteFrameQuad quad = SpriteFrameQuad(animation, material != nullptr, textureWidth, textureHeight,
                                                  m_pixelRatio, m_mirrorU, m_mirrorV);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    // The eye's right and up axes in the sprite's coordinates, stretched by their own length: the
    // sprite grows with the square of the scale it is drawn under.
    TVec3 x{m[0], m[4], m[8]};
    TVec3 y{m[1], m[5], m[9]};
    x = x * (Length(x) * quad.halfWidth);
    y = y * (Length(y) * quad.halfHeight);
    const float pull = m_pulledTowardsEye ? DepthPullFactor(TVec3{m[12], m[13], m[14]}, EyeRadius(m, x, y),
                                                            NearClippingDistance(rci))
                                          : 1.0f;
    const bool ownMatrix = m_rotation != 0 || pull != 1.0f;
    const auto drawQuad = [&] {
        glPushAttrib(GL_ENABLE_BIT);
        glDisable(GL_LIGHTING);
        if (ownMatrix) {
            glPushMatrix();
        }
        if (pull != 1.0f) {
            glLoadIdentity();
            glScalef(pull, pull, pull);
            glMultMatrixf(m);
        }
        if (m_rotation != 0) {
            glRotatef(static_cast<float>(m_rotation), m[2], m[6], m[10]);
        }
        const TVec3 topRight = x + y;
        const TVec3 topLeft = y - x;
        glBegin(GL_QUADS);
        glTexCoord2f(quad.uR, quad.vT);
        glVertex3f(topRight.X, topRight.Y, topRight.Z);
        glTexCoord2f(quad.uL, quad.vT);
        glVertex3f(topLeft.X, topLeft.Y, topLeft.Z);
        glTexCoord2f(quad.uL, quad.vB);
        glVertex3f(-topRight.X, -topRight.Y, -topRight.Z);
        glTexCoord2f(quad.uR, quad.vB);
        glVertex3f(-topLeft.X, -topLeft.Y, -topLeft.Z);
        glEnd();
        if (ownMatrix) {
            glPopMatrix();
        }
        glPopAttrib();
    };
    // A multi-pass material is given its passes rather than left applied.
    if (material && !rci.ignoreMaterials && rci.GLStates) {
        DrawPasses(*material, rci, drawQuad);
    } else {
        drawQuad();
    }
}

std::unique_ptr<TGLBaseSceneObject> TGLAnimatedSprite::NewInstance() const {
    return std::make_unique<TGLAnimatedSprite>();
}

void TGLAnimatedSprite::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* sprite = dynamic_cast<const TGLAnimatedSprite*>(&source)) {
        m_animations.Assign(sprite->m_animations);
        m_materialLibrary.Set(sprite->m_materialLibrary.Get());
        m_interval = sprite->m_interval;
        m_animationIndex = sprite->m_animationIndex;
        m_animationMode = sprite->m_animationMode;
        m_pixelRatio = sprite->m_pixelRatio;
        m_rotation = sprite->m_rotation;
        m_mirrorU = sprite->m_mirrorU;
        m_mirrorV = sprite->m_mirrorV;
        m_pulledTowardsEye = sprite->m_pulledTowardsEye;
        m_frameTimer = sprite->m_frameTimer;
        OnFrameChanged = sprite->OnFrameChanged;
        OnEndFrameReached = sprite->OnEndFrameReached;
        OnStartFrameReached = sprite->OnStartFrameReached;
    }
    TGLBaseSceneObject::DoCopyFrom(source);
}

}  // namespace engine
