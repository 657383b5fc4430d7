#pragma once

#include "platform/image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The picture as the bytes of an 8-bit RGBA PNG. Throws std::runtime_error with libpng's message.
std::vector<std::uint8_t> EncodePng(const platform::Image& image);

// Writes the picture as an 8-bit RGBA PNG, replacing the file atomically. Throws
// platform::FileError or std::runtime_error with libpng's message.
void WritePng(const std::string& path, const platform::Image& image);

}  // namespace platform
