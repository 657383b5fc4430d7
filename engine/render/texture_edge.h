#pragma once

#include <GL/gl.h>

#include <cstdint>

namespace engine {

// Whether a clamped texture of this internal format, made from these RGBA rows (width x height,
// bottom row first), gives an additive pass no light where it is sampled beyond its edges in
// modulate or replace mode: the colour it contributes is black, or its alpha is 0, on every edge
// texel (and the border colour beyond them, transparent black, agrees either way). Only what the
// format keeps counts: an alpha-only texture takes its colour from the fragment, and the alpha of
// one without alpha (or of an intensity texture) is not the picture's. A compressed format never
// qualifies, since the compressor need not keep the edge texels as they were.
bool EdgeGivesNoLight(GLenum internalFormat, const std::uint8_t* rgba, int width, int height);

}  // namespace engine
