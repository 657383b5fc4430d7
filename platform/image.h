#pragma once

#include <cstdint>
#include <vector>

namespace platform {

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
