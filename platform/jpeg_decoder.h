#pragma once

#include "platform/image.h"

#include <cstdint>
#include <span>

namespace platform {

// Decodes a whole JPEG file through libjpeg at full size: grey, YCbCr and (Adobe) CMYK pictures
// all come out as opaque RGBA. Throws ImageError with libjpeg's own words for a damaged file, and
// for a file that ends before its last scan or whose coded data stops early (libjpeg would only warn
// and fill the rest with grey). The picture is allocated as rows arrive, not from the header.
Image DecodeJpeg(std::span<const std::uint8_t> data);

}  // namespace platform
