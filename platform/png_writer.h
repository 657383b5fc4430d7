#pragma once

#include "platform/image.h"

#include <string>

namespace platform {

// Writes the picture as an 8-bit RGBA PNG, replacing the file atomically. Throws
// platform::FileError or std::runtime_error with libpng's message.
void WritePng(const std::string& path, const platform::Image& image);

}  // namespace platform
