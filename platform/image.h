#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// Thrown by the image decoders when a record is not a picture they can decode: a wrong signature,
// an unsupported variant, a truncated file or a header that lies about its size.
class ImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace image_limits {
// No decoder allocates from a header field beyond these: 16384 is the largest texture side any
// OpenGL driver offers, and 32 Mi pixels (128 MiB of RGBA) is far above any picture the programs use.
constexpr std::int64_t kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 25;
}  // namespace image_limits

// Throws ImageError unless a picture of this size is one a decoder may allocate.
inline void CheckImageSize(std::int64_t width, std::int64_t height, const std::string& format) {
    if (width <= 0 || height <= 0) {
        throw ImageError(format + " image has no pixels (" + std::to_string(width) + " x " +
                         std::to_string(height) + ")");
    }
    if (width > image_limits::kMaxSide || height > image_limits::kMaxSide ||
        width * height > image_limits::kMaxPixels) {
        throw ImageError(format + " image is too large (" + std::to_string(width) + " x " +
                         std::to_string(height) + ")");
    }
}

// A decoded picture: 8-bit RGBA, rows top first, no padding. Every image decoder of both programs
// produces this, so a texture loader never cares where the pixels came from.
struct Image {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    // Whether the source format carries alpha; when it does not, every alpha byte is 255.
    bool HasAlpha = false;
    std::vector<std::uint8_t> Pixels;

    std::uint8_t* Row(std::int32_t y) { return Pixels.data() + static_cast<std::size_t>(y) * Width * 4; }
    const std::uint8_t* Row(std::int32_t y) const {
        return Pixels.data() + static_cast<std::size_t>(y) * Width * 4;
    }
};

}  // namespace platform
