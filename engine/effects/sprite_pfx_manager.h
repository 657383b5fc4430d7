#pragma once

#include "engine/core/component.h"
#include "engine/effects/life_colored_pfx_manager.h"
#include "engine/render/bitmap32.h"
#include "engine/render/gl_texture_name.h"

#include <GL/gl.h>

#include <array>

namespace engine {

// How a sprite is coloured: a fan from the inner colour at its centre to the outer colour at its
// corners, one of the two colours flat, or the texture alone.
enum TSpriteColorMode { scmFade, scmInner, scmOuter, scmNone };
// Whether the sprite texture holds one picture or four (particles take the quadrant ID mod 4).
enum TSpritesPerTexture { sptOne, sptFour };

// Texture coordinates of a sprite's corners c0..c3 (right-up, right-down, left-down, left-up).
using TSpriteTexCorners = std::array<std::array<float, 2>, 4>;
TSpriteTexCorners SpriteTexCorners(TSpritesPerTexture sprites, std::int32_t particleID);

// Draws each particle as a camera-facing textured quad whose colour and size follow its age. The
// subclass paints the sprite texture, which is made on first use in a rendering context.
class TGLBaseSpritePFXManager : public TGLLifeColoredPFXManager {
public:
    ~TGLBaseSpritePFXManager() override;

    TSpriteColorMode ColorMode() const { return m_colorMode; }
    void SetColorMode(TSpriteColorMode mode) { m_colorMode = mode; }
    // Changing it drops the texture, which is then painted again.
    TSpritesPerTexture SpritesPerTexture() const { return m_spritesPerTexture; }
    void SetSpritesPerTexture(TSpritesPerTexture sprites);
    // Width over height of the sprites, kept within 0.001..1000.
    float AspectRatio() const { return m_aspectRatio; }
    void SetAspectRatio(float ratio);
    // Degrees about the view axis.
    float Rotation() const { return m_rotation; }
    void SetRotation(float degrees) { m_rotation = degrees; }
    // A sprite manager whose texture is used instead of this one's; cleared when it dies.
    TGLBaseSpritePFXManager* ShareSprites() const { return m_shareSprites.Get(); }
    void SetShareSprites(TGLBaseSpritePFXManager* manager);

    // The OpenGL texture of this manager's own sprites, 0 until first drawn.
    GLuint TextureHandle() const { return m_texture.Get(); }
    // The sprite picture as the texture is made from it.
    virtual TGLBitmap32 PrepareImage() const = 0;

    GLenum TexturingMode() const override { return GL_TEXTURE_2D; }
    void InitializeRendering(TRenderContextInfo& rci) override;
    void BeginParticles(TRenderContextInfo& rci) override;
    void RenderParticle(TRenderContextInfo& rci, const TGLParticle& particle) override;
    void EndParticles(TRenderContextInfo& rci) override;

    // The corner offsets of the last InitializeRendering, in world units.
    const std::array<TVec3, 4>& CornerOffsets() const { return m_corners; }

protected:
    // Drops the texture so that the next drawing paints it again.
    void ReleaseTexture();

private:
    GLuint OwnTexture();

    TSpriteColorMode m_colorMode = scmInner;
    TSpritesPerTexture m_spritesPerTexture = sptOne;
    float m_aspectRatio = 1.0f;
    float m_rotation = 0.0f;
    TComponentLink<TGLBaseSpritePFXManager> m_shareSprites;
    TGLTextureName m_texture;
    std::array<TVec3, 4> m_corners{};
    TVec3 m_viewAxis{0, 0, 1};
    bool m_lifeRotation = false;
};

}  // namespace engine
