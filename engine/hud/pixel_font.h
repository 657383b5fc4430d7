#pragma once

#include "engine/hud/bitmap_font.h"
#include "platform/image.h"

namespace engine {

// Gives a font a picture of pixel glyphs in cells that touch: one range first..last from glyph 0,
// cells of the size given, nearest filtering so the pixels stay sharp when scaled, and the colour of
// the top-left pixel transparent.
void SetUpPixelFont(TGLCustomBitmapFont& font, platform::Image glyphs, char first, char last, int cellWidth,
                    int cellHeight);

}  // namespace engine
