#pragma once

#include "engine/hud/bitmap_font.h"
#include "platform/image.h"

namespace engine {

// The game's second font, for its own sentences: every printable ASCII character, space to '~', each
// a 5 x 9 glyph (capitals 7 high, descenders below) drawn white with a dark one-pixel outline, so
// that a text reads over the sky and the ground alike, in a 7 x 11 cell of a picture 16 cells wide.
namespace text_glyphs {
inline constexpr char First = ' ';
inline constexpr char Last = '~';
inline constexpr int CellWidth = 7;
inline constexpr int CellHeight = 11;
inline constexpr int CellsPerRow = 16;
}  // namespace text_glyphs

platform::Image TextGlyphPicture();

// Gives a font that picture: one range ' '..'~' from glyph 0, 7 x 11 cells that touch (the outlines
// keep the letters apart), nearest filtering, and the black of the top-left pixel transparent.
void SetUpTextFont(TGLCustomBitmapFont& font);

}  // namespace engine
