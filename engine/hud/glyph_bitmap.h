#pragma once

#include "engine/render/bitmap32.h"
#include "platform/image.h"

namespace engine {

// The smallest power of two that is at least n (1 for n <= 1).
int NextPowerOfTwo(int n);

// Whether a font may derive its glyphs' alpha this way (the inverse luminance modes are not offered).
bool IsGlyphAlphaMode(TGLTextureImageAlpha mode);

// The glyph texture's pixels: the picture's colours (its alpha dropped) at the top-left of a black
// canvas whose sides are the picture's rounded up to powers of two, rows bottom-up, alpha derived by
// mode. tiaDefault and tiaTopLeftPointColorTransparent make every pixel with the RGB of the canvas's
// top-left pixel transparent and all others opaque. Empty for an empty picture or a refused mode.
TGLBitmap32 BuildGlyphBitmap(const platform::Image& picture, TGLTextureImageAlpha mode);

}  // namespace engine
