#pragma once

#include "platform/image.h"

#include <cstdint>
#include <span>
#include <stdexcept>

namespace engine {

class EDDSException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A bitmap read from a DirectDraw Surface file: the top level only (DXT1, DXT3, DXT5 or
// uncompressed bit masks); mipmaps, cube faces and volume slices after it are ignored. DXT blocks
// that the image covers only in part (sides not multiples of 4) are decoded too. Formats without
// alpha (no alpha flag, or DXT1 without a three-colour block) come out opaque with HasAlpha false.
class TDDSImage : public platform::Image {
public:
    // Replaces the bitmap with the decoded file; on failure throws EDDSException and keeps the
    // old bitmap.
    void LoadFromData(std::span<const std::uint8_t> data);
};

}  // namespace engine
