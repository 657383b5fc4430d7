#pragma once

#include "engine/hud/bitmap_font.h"
#include "platform/image.h"

namespace engine {

// The game's glyph picture: 128 x 8, white strokes on black, eleven 11-pixel cells (the digits 0-9,
// then the sign shown for ':'), the last seven columns unused.
platform::Image GameGlyphPicture();

// Gives a font the game's settings: that picture, one range '0'..':' from glyph 0, 11 x 8 cells,
// nearest filtering, and the black of the top-left pixel transparent.
void SetUpGameFont(TGLCustomBitmapFont& font);

}  // namespace engine
