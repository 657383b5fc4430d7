#include "engine/hud/pixel_font.h"

#include <utility>

namespace engine {

void SetUpPixelFont(TGLCustomBitmapFont& font, platform::Image glyphs, char first, char last, int cellWidth,
                    int cellHeight) {
    font.SetGlyphs(std::move(glyphs));
    font.Ranges().Clear();
    TBitmapFontRange& range = font.Ranges().Add();
    range.SetStartASCII(first);
    range.SetStopASCII(last);
    range.SetStartGlyphIdx(0);
    font.SetCharWidth(cellWidth);
    font.SetCharHeight(cellHeight);
    font.SetGlyphsIntervalX(0);
    font.SetGlyphsIntervalY(0);
    font.SetMagFilter(TGLMagFilter::maNearest);
    font.SetMinFilter(TGLMinFilter::miNearest);
    font.SetGlyphsAlpha(TGLTextureImageAlpha::tiaTopLeftPointColorTransparent);
}

}  // namespace engine
