#include "engine/hud/hud_sprite.h"

#include "engine/hud/diffuse_alpha.h"
#include "engine/hud/hud_transform.h"
#include "engine/material/lib_material.h"
#include "engine/material/material_passes.h"
#include "engine/scene/world.h"

#include <GL/gl.h>

#include <optional>

namespace engine {
namespace {

constexpr float kDefaultPixels = 16.0f;

// The material whose settings are applied: the end of the chain of library links.
const TGLMaterial& ActualMaterial(const TGLMaterial& material) {
    const TGLMaterial* actual = &material;
    while (actual->LibMaterial()) {
        actual = &actual->LibMaterial()->Material();
    }
    return *actual;
}

}  // namespace

TGLHUDSprite::TGLHUDSprite() : TGLSprite(kDefaultPixels, kDefaultPixels) {}

void TGLHUDSprite::DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) {
    if (drawSelf && !rci.ignoreMaterials && HUDViewportUsable(rci)) {
        if (Scene()) {
            Scene()->SetCurrentRenderingObject(this);
        }
        DrawPasses(Material(), rci, [&] { DrawQuad(rci); });
    }
    if (drawChildren) {
        RenderChildRange(0, ChildCount() - 1, rci);
    }
}

void TGLHUDSprite::DrawQuad(TRenderContextInfo& rci) {
    std::optional<TFrontDiffuseAlphaScope> diffuseAlpha;
    if (AlphaChannel() != 1.0f) {
        if (rci.GLStates->IsEnabled(TGLState::stLighting)) {
            diffuseAlpha.emplace(AlphaChannel());
        } else {
            const TVec4& diffuse = ActualMaterial(Material()).FrontProperties().Diffuse().Color();
            glColor4f(diffuse.X, diffuse.Y, diffuse.Z, AlphaChannel());
        }
    }
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    LoadHUDModelView(rci, Position().AsVector(), Rotation());
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // Raw switches inside the attribute push: the pop puts them back where the state cache saw them.
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    const float k = HUDPixelScale(rci);
    const float halfWidth = k * Width() * 0.5f;
    const float halfHeight = k * Height() * 0.5f;
    const float xTiles = static_cast<float>(m_xTiles);
    const float yTiles = static_cast<float>(m_yTiles);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-halfWidth, -halfHeight);
    glTexCoord2f(xTiles, 0.0f);
    glVertex2f(halfWidth, -halfHeight);
    glTexCoord2f(xTiles, yTiles);
    glVertex2f(halfWidth, halfHeight);
    glTexCoord2f(0.0f, yTiles);
    glVertex2f(-halfWidth, halfHeight);
    glEnd();
    glDepthMask(GL_TRUE);
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

std::unique_ptr<TGLBaseSceneObject> TGLHUDSprite::NewInstance() const {
    return std::make_unique<TGLHUDSprite>();
}

void TGLHUDSprite::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* sprite = dynamic_cast<const TGLHUDSprite*>(&source)) {
        m_xTiles = sprite->m_xTiles;
        m_yTiles = sprite->m_yTiles;
    }
    TGLSprite::DoCopyFrom(source);
}

}  // namespace engine
