#pragma once

#include "engine/core/component.h"
#include "engine/core/vector_math.h"
#include "engine/hud/bitmap_font_range.h"
#include "engine/render/bitmap32.h"
#include "engine/render/gl_texture_name.h"
#include "engine/material/texture.h"
#include "platform/image.h"

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace engine {

class TGLBaseSceneObject;
struct TRenderContextInfo;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

// Where a character's glyph lies in the font texture (texture coordinates; top > bottom).
struct TCharRect {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

// One character of a laid-out string, in text units (pixels on the HUD), y growing upwards: the
// cell spans x0..x1 and y0 (top) down to y1.
struct TGlyphQuad {
    float x0 = 0;
    float y0 = 0;
    float x1 = 0;
    float y1 = 0;
    TCharRect rect;
};

// Rounds to the nearest integer, halves to the even neighbour (-23.5 gives -24, 8.5 gives 8).
double RoundHalfEven(double value);

namespace bitmap_font_limits {
inline constexpr int CodeCount = 256;
inline constexpr unsigned char CarriageReturn = 13;
}  // namespace bitmap_font_limits

// A font whose characters are cells of one picture, mapped by ranges of codes. It draws strings as
// textured quads in its users' coordinates, and tells its users (HUD texts) to redraw when it
// changes. The glyph texture is built at the first draw after the picture, the filters or the alpha
// mode changed; freeing it needs the font's context to be current.
class TGLCustomBitmapFont : public TComponent {
public:
    TGLCustomBitmapFont();
    ~TGLCustomBitmapFont() override;

    const platform::Image& Glyphs() const { return m_glyphs; }
    void SetGlyphs(platform::Image picture);
    TBitmapFontRanges& Ranges() { return m_ranges; }
    const TBitmapFontRanges& Ranges() const { return m_ranges; }

    // Values below 2 are stored as 1.
    int CharWidth() const { return m_charWidth; }
    void SetCharWidth(int width);
    int CharHeight() const { return m_charHeight; }
    void SetCharHeight(int height);
    // Pixels between glyph cells in the picture; negative values are stored as 0.
    int GlyphsIntervalX() const { return m_glyphsIntervalX; }
    void SetGlyphsIntervalX(int interval);
    int GlyphsIntervalY() const { return m_glyphsIntervalY; }
    void SetGlyphsIntervalY(int interval);
    // Pixels between characters and between lines; negative values are stored as 0.
    int HSpace() const { return m_hSpace; }
    void SetHSpace(int space);
    int VSpace() const { return m_vSpace; }
    void SetVSpace(int space);
    TGLMagFilter MagFilter() const { return m_magFilter; }
    void SetMagFilter(TGLMagFilter filter);
    TGLMinFilter MinFilter() const { return m_minFilter; }
    void SetMinFilter(TGLMinFilter filter);
    // The inverse luminance modes are refused with std::invalid_argument and change nothing.
    TGLTextureImageAlpha GlyphsAlpha() const { return m_glyphsAlpha; }
    void SetGlyphsAlpha(TGLTextureImageAlpha mode);

    // The advance of a character before the spacing (every code: CharWidth).
    int CharWidthOf(unsigned char code) const;
    // Where the code's glyph lies in the texture; (0, 0, 0, 0) for a code in no range.
    const TCharRect& CharRect(unsigned char code) const;
    // The texture's size: the picture's rounded up to powers of two (0 x 0 without a picture).
    int TextureWidth() const;
    int TextureHeight() const;

    // length · HSpace − HSpace + the sum of the characters' widths.
    int TextWidth(const std::string& text) const;
    // The quads RenderString draws for text, relative to the text's position: lines separated by
    // carriage returns, aligned horizontally and placed vertically as asked.
    std::vector<TGlyphQuad> LayoutString(const std::string& text, TAlignment alignment, TTextLayout layout) const;
    // Draws text in colour with the glyph texture, blended; nothing for an empty picture or text.
    // Texturing, blending and lighting are switched directly and the state cache resynchronised.
    void RenderString(TRenderContextInfo& rci, const std::string& text, TAlignment alignment, TTextLayout layout,
                      const TVec4& colour);

    // Users are told (MarkStructureChanged) whenever the font changes. Registering twice keeps one entry.
    void RegisterUser(TGLBaseSceneObject& user);
    void UnRegisterUser(TGLBaseSceneObject& user);
    const std::vector<TGLBaseSceneObject*>& Users() const { return m_users; }

    // The OpenGL texture name (0 before the first build) and whether the next draw rebuilds it.
    GLuint TextureHandle() const { return m_handle.Get(); }
    bool TextureDirty() const { return m_textureDirty; }
    // Frees the texture (the context is being lost); the next draw builds it again.
    void FreeTexture();

private:
    // Forgets the derived widths and rectangles, and the texture when its inputs changed; users redraw.
    void Changed(bool texture);
    void ComputeCharRects() const;
    void BuildTexture();
    int AlignmentOffset(const std::string& text, std::size_t lineStart, TAlignment alignment) const;

    platform::Image m_glyphs;
    TBitmapFontRanges m_ranges{[this] { Changed(false); }};
    int m_charWidth = 16;
    int m_charHeight = 16;
    int m_glyphsIntervalX = 0;
    int m_glyphsIntervalY = 0;
    int m_hSpace = 1;
    int m_vSpace = 1;
    TGLMagFilter m_magFilter = TGLMagFilter::maLinear;
    TGLMinFilter m_minFilter = TGLMinFilter::miLinear;
    TGLTextureImageAlpha m_glyphsAlpha = TGLTextureImageAlpha::tiaDefault;

    mutable std::array<TCharRect, bitmap_font_limits::CodeCount> m_charRects{};
    mutable bool m_charRectsValid = false;
    std::vector<TGLBaseSceneObject*> m_users;
    TGLTextureName m_handle;
    bool m_textureDirty = true;
};

// The font component the game places in its scene description.
class TGLBitmapFont : public TGLCustomBitmapFont {};

}  // namespace engine
