#include "platform/png_writer.h"

#include "platform/paths.h"

#include <png.h>

#include <cstring>
#include <stdexcept>
#include <vector>

namespace platform {
namespace {

// Encodes with libpng's simplified API; returns false with the image's message on failure.
bool Encode(png_image& info, const platform::Image& image, std::vector<std::uint8_t>& out) {
    png_alloc_size_t size = 0;
    const png_int_32 stride = image.Width * 4;
    if (!png_image_write_to_memory(&info, nullptr, &size, 0, image.Pixels.data(), stride, nullptr)) {
        return false;
    }
    out.resize(size);
    return png_image_write_to_memory(&info, out.data(), &size, 0, image.Pixels.data(), stride, nullptr) != 0 &&
           (out.resize(size), true);
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const platform::Image& image) {
    png_image info;
    std::memset(&info, 0, sizeof info);
    info.version = PNG_IMAGE_VERSION;
    info.width = static_cast<png_uint_32>(image.Width);
    info.height = static_cast<png_uint_32>(image.Height);
    info.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> bytes;
    if (!Encode(info, image, bytes)) {
        const std::string message = info.message;
        png_image_free(&info);
        throw std::runtime_error("PNG encoding failed: " + message);
    }
    png_image_free(&info);
    return bytes;
}

void WritePng(const std::string& path, const platform::Image& image) {
    platform::WriteFileAtomically(path, EncodePng(image));
}

}  // namespace platform
