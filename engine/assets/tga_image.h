#pragma once

#include "platform/image.h"

#include <cstdint>
#include <span>
#include <stdexcept>

namespace engine {

class ETGAException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A bitmap read from a Targa file: 24- or 32-bit true colour, uncompressed (type 2) or run-length
// encoded (type 10); type 0 (no image data) gives an empty bitmap. A 32-bit file keeps its alpha
// bytes and reports HasAlpha; a 24-bit one is opaque.
class TTGAImage : public platform::Image {
public:
    // Replaces the bitmap with the decoded file; on failure throws ETGAException and keeps the
    // old bitmap.
    void LoadFromData(std::span<const std::uint8_t> data);
};

}  // namespace engine
