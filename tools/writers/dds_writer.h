#pragma once

#include "tools/writers/rgba_image.h"

#include <cstdint>
#include <vector>

namespace tools {

// How a DDS file stores its pixels.
enum class DdsFormat {
    Dxt1,       // 4 bits a pixel; alpha below 128 becomes a transparent texel, above it opaque
    Dxt3,       // 8 bits a pixel; alpha kept in 4 bits
    Dxt5,       // 8 bits a pixel; alpha interpolated per block, exact at 0 and 255
    Bgra32,     // uncompressed A8R8G8B8
};

// A DirectDraw Surface file holding the picture as its only level (no mipmaps: the engine makes
// its own). DXT blocks come from libsquish with colours weighted by alpha, so texels that are
// transparent anyway do not spoil their block's colours. Throws std::invalid_argument for an
// empty picture, one whose pixel count does not match its size, or (for the DXT formats) sides
// that are not multiples of 4, whose partial blocks the game's reader would not decode.
std::vector<std::uint8_t> EncodeDds(const RgbaImage& image, DdsFormat format);

}  // namespace tools
