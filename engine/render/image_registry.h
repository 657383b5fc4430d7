#pragma once

#include "platform/image.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// Raised when a file cannot reach any image reader: it is missing or unreadable, or no format is
// registered for its extension. A reader's own failures keep their own exception class.
class EImageFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decodes a whole file held in memory; throws the format's own exception on bad data.
using ImageReader = std::function<platform::Image(std::span<const std::uint8_t> data)>;

struct ImageFormat {
    std::string Extension;  // lower case, without the dot
    std::string Description;
    ImageReader Reader;
};

// The process-wide registry of image formats by file extension. JPEG ("jpg", "jpeg") and BMP are
// there from the start; other readers add themselves at start-up. Registering an extension again
// replaces its reader. Extensions are matched case-insensitively, with or without a leading dot.
void RegisterImageFormat(ImageFormat format);
std::optional<ImageFormat> FindImageFormat(std::string_view extension);
// Every registered format, ordered by extension.
std::vector<ImageFormat> RegisteredImageFormats();

// The extension of a file name, lower case and without the dot ("" when there is none). Both '/'
// and '\' separate folders.
std::string ImageExtension(std::string_view path);

// Decodes data with the reader registered for the extension.
platform::Image DecodeImage(std::string_view extension, std::span<const std::uint8_t> data);

// Reads a file and decodes it with the reader its extension selects. The name may use '\' or '/'
// and is matched case-insensitively where the exact name does not exist.
platform::Image LoadImageFile(const std::string& path);

}  // namespace engine
