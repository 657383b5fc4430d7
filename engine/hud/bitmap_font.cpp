#include "engine/hud/bitmap_font.h"

#include "engine/core/set_and_notify.h"
#include "engine/hud/glyph_bitmap.h"
#include "engine/render/render_context_info.h"
#include "engine/scene/scene_object.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace engine {
namespace {

// Trims a rectangle's edges inwards so that linear filtering does not pick up the neighbouring cell.
constexpr float kEdgeInset = 0.05f;

}  // namespace

double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction < 0.5) {
        return floor;
    }
    if (fraction > 0.5) {
        return floor + 1.0;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

TGLCustomBitmapFont::TGLCustomBitmapFont() = default;

TGLCustomBitmapFont::~TGLCustomBitmapFont() {
    // Users hold links to the font, which free-notification clears; they then simply draw nothing.
    NotifyFreed();
}

void TGLCustomBitmapFont::SetGlyphs(platform::Image picture) {
    m_glyphs = std::move(picture);
    Changed(true);
}

void TGLCustomBitmapFont::SetCharWidth(int width) {
    SetAndNotify(m_charWidth, width < 2 ? 1 : width, [this] { Changed(false); });
}

void TGLCustomBitmapFont::SetCharHeight(int height) {
    SetAndNotify(m_charHeight, height < 2 ? 1 : height, [this] { Changed(false); });
}

void TGLCustomBitmapFont::SetGlyphsIntervalX(int interval) {
    SetAndNotify(m_glyphsIntervalX, std::max(interval, 0), [this] { Changed(false); });
}

void TGLCustomBitmapFont::SetGlyphsIntervalY(int interval) {
    SetAndNotify(m_glyphsIntervalY, std::max(interval, 0), [this] { Changed(false); });
}

void TGLCustomBitmapFont::SetHSpace(int space) {
    SetAndNotify(m_hSpace, std::max(space, 0), [this] { Changed(false); });
}

void TGLCustomBitmapFont::SetVSpace(int space) {
    SetAndNotify(m_vSpace, std::max(space, 0), [this] { Changed(false); });
}

void TGLCustomBitmapFont::SetMagFilter(TGLMagFilter filter) {
    SetAndNotify(m_magFilter, filter, [this] { Changed(true); });
}

void TGLCustomBitmapFont::SetMinFilter(TGLMinFilter filter) {
    SetAndNotify(m_minFilter, filter, [this] { Changed(true); });
}

void TGLCustomBitmapFont::SetGlyphsAlpha(TGLTextureImageAlpha mode) {
    if (!IsGlyphAlphaMode(mode)) {
        throw std::invalid_argument("Bitmap fonts do not support this glyph alpha mode");
    }
    SetAndNotify(m_glyphsAlpha, mode, [this] { Changed(true); });
}

void TGLCustomBitmapFont::Changed(bool texture) {
    m_charRectsValid = false;
    if (texture) {
        m_textureDirty = true;
    }
    for (TGLBaseSceneObject* user : m_users) {
        user->MarkStructureChanged();
    }
}

int TGLCustomBitmapFont::CharWidthOf(unsigned char) const {
    return m_charWidth;
}

int TGLCustomBitmapFont::TextureWidth() const {
    return m_glyphs.Width > 0 ? NextPowerOfTwo(m_glyphs.Width) : 0;
}

int TGLCustomBitmapFont::TextureHeight() const {
    return m_glyphs.Height > 0 ? NextPowerOfTwo(m_glyphs.Height) : 0;
}

const TCharRect& TGLCustomBitmapFont::CharRect(unsigned char code) const {
    if (!m_charRectsValid) {
        ComputeCharRects();
    }
    return m_charRects[code];
}

void TGLCustomBitmapFont::ComputeCharRects() const {
    m_charRects.fill(TCharRect{});
    m_charRectsValid = true;
    const int textureWidth = TextureWidth();
    const int textureHeight = TextureHeight();
    if (textureWidth == 0 || textureHeight == 0) {
        return;
    }
    const float tw = static_cast<float>(textureWidth);
    const float th = static_cast<float>(textureHeight);
    const std::int64_t cellWidth = std::int64_t{m_charWidth} + m_glyphsIntervalX;
    const std::int64_t cellHeight = std::int64_t{m_charHeight} + m_glyphsIntervalY;
    // A picture narrower than one cell still has its first cell, rather than no row at all.
    const std::int64_t glyphsPerRow = std::max<std::int64_t>((m_glyphs.Width + m_glyphsIntervalX) / cellWidth, 1);
    for (int r = 0; r < m_ranges.Count(); ++r) {
        const TBitmapFontRange& range = m_ranges.Items(r);
        if (range.StopASCII() < range.StartASCII()) {
            continue;
        }
        std::int64_t glyph = range.StartGlyphIdx();
        for (int code = range.StartASCII(); code <= range.StopASCII(); ++code, ++glyph) {
            const float x = static_cast<float>(glyph % glyphsPerRow * cellWidth);
            const float y = static_cast<float>(glyph / glyphsPerRow * cellHeight);
            TCharRect& rect = m_charRects[static_cast<std::size_t>(code)];
            rect.left = (x + kEdgeInset) / tw;
            rect.top = (th - (y + kEdgeInset)) / th;
            rect.right = (x + static_cast<float>(CharWidthOf(static_cast<unsigned char>(code))) - kEdgeInset) / tw;
            rect.bottom = (th - (y + static_cast<float>(m_charHeight) - kEdgeInset)) / th;
        }
    }
}

int TGLCustomBitmapFont::TextWidth(const std::string& text) const {
    int width = static_cast<int>(text.size()) * m_hSpace - m_hSpace;
    for (char c : text) {
        width += CharWidthOf(static_cast<unsigned char>(c));
    }
    return width;
}

int TGLCustomBitmapFont::AlignmentOffset(const std::string& text, std::size_t lineStart, TAlignment alignment) const {
    if (alignment == taLeftJustify) {
        return 0;
    }
    const std::size_t lineEnd = std::min(text.find(static_cast<char>(bitmap_font_limits::CarriageReturn), lineStart),
                                         text.size());
    const int width = TextWidth(text.substr(lineStart, lineEnd - lineStart));
    if (alignment == taRightJustify) {
        return -width;
    }
    return static_cast<int>(RoundHalfEven(-width * 0.5));
}

std::vector<TGlyphQuad> TGLCustomBitmapFont::LayoutString(const std::string& text, TAlignment alignment,
                                                          TTextLayout layout) const {
    std::vector<TGlyphQuad> quads;
    quads.reserve(text.size());
    const int lineHeight = m_charHeight + m_vSpace;
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(),
                                                      static_cast<char>(bitmap_font_limits::CarriageReturn)));
    const int block = lines * lineHeight - m_vSpace;
    float y = 0;
    if (layout == tlCenter) {
        y = static_cast<float>(RoundHalfEven(block * 0.5));
    } else if (layout == tlBottom) {
        y = static_cast<float>(block);
    }
    float x = static_cast<float>(AlignmentOffset(text, 0, alignment));
    const float spaceAdvance = static_cast<float>(CharWidthOf(' ') + m_hSpace);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        if (code == bitmap_font_limits::CarriageReturn) {
            x = static_cast<float>(AlignmentOffset(text, i + 1, alignment));
            y -= static_cast<float>(lineHeight);
        } else if (code == ' ') {
            x += spaceAdvance;
        } else if (code > ' ' && CharWidthOf(code) > 0) {
            const float w = static_cast<float>(CharWidthOf(code));
            quads.push_back(TGlyphQuad{x, y, x + w, y - static_cast<float>(m_charHeight), CharRect(code)});
            x += w + static_cast<float>(m_hSpace);
        }
    }
    return quads;
}

void TGLCustomBitmapFont::BuildTexture() {
    const TGLBitmap32 bitmap = BuildGlyphBitmap(m_glyphs, m_glyphsAlpha);
    glBindTexture(GL_TEXTURE_2D, m_handle.Acquire());
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(GLMinFilter(m_minFilter)));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER,
                    m_magFilter == TGLMagFilter::maNearest ? GL_NEAREST : GL_LINEAR);
    if (IsMipmapFilter(m_minFilter)) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, bitmap.Width, bitmap.Height, GL_RGBA, GL_UNSIGNED_BYTE,
                          bitmap.Data.data());
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, bitmap.Width, bitmap.Height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     bitmap.Data.data());
    }
    m_textureDirty = false;
}

void TGLCustomBitmapFont::RenderString(TRenderContextInfo& rci, const std::string& text, TAlignment alignment,
                                       TTextLayout layout, const TVec4& colour) {
    if (m_glyphs.Width <= 0 || m_glyphs.Height <= 0 || text.empty()) {
        return;
    }
    if (m_textureDirty || m_handle.Get() == 0) {
        BuildTexture();
    }
    const std::vector<TGlyphQuad> quads = LayoutString(text, alignment, layout);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    // The glyphs' transparency comes from blending; an alpha test left on by the object drawn
    // before changes nothing on screen but trips Mesa's software rasteriser into drawing solid cells.
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, m_handle.Get());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPushAttrib(GL_CURRENT_BIT);
    glColor4f(colour.X, colour.Y, colour.Z, colour.W);
    glBegin(GL_QUADS);
    for (const TGlyphQuad& quad : quads) {
        glTexCoord2f(quad.rect.left, quad.rect.top);
        glVertex2f(quad.x0, quad.y0);
        glTexCoord2f(quad.rect.left, quad.rect.bottom);
        glVertex2f(quad.x0, quad.y1);
        glTexCoord2f(quad.rect.right, quad.rect.bottom);
        glVertex2f(quad.x1, quad.y1);
        glTexCoord2f(quad.rect.right, quad.rect.top);
        glVertex2f(quad.x1, quad.y0);
    }
    glEnd();
    glPopAttrib();
    if (rci.GLStates) {
        rci.GLStates->Resync();
    }
}

void TGLCustomBitmapFont::RegisterUser(TGLBaseSceneObject& user) {
    if (std::find(m_users.begin(), m_users.end(), &user) == m_users.end()) {
        m_users.push_back(&user);
    }
}

void TGLCustomBitmapFont::UnRegisterUser(TGLBaseSceneObject& user) {
    m_users.erase(std::remove(m_users.begin(), m_users.end(), &user), m_users.end());
}

void TGLCustomBitmapFont::FreeTexture() {
    m_handle.Release();
    m_textureDirty = true;
}

}  // namespace engine
