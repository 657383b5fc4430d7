#pragma once

#include "platform/image.h"

#include <cstdint>
#include <span>

namespace platform {

// Decodes a whole Windows bitmap file: 1, 4 and 8 bits with a palette (uncompressed, RLE8, RLE4),
// 16 and 32 bits with default or explicit bit fields, 24 bits; bottom-up and top-down rows; core
// (OS/2) and info headers of every later version. The result has alpha only when the file gives
// an alpha mask (a version 3 to 5 header, or alpha bit fields); otherwise every pixel is opaque.
// Throws ImageError for anything else, including truncated data and sizes the file cannot hold.
Image DecodeBmp(std::span<const std::uint8_t> data);

}  // namespace platform
