#pragma once

#include <cstdint>
#include <vector>

namespace tools {

// A picture as the image writers take it: 8-bit red, green, blue per pixel, top row first,
// rows tightly packed.
struct RgbImage {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint8_t> Pixels;

    const std::uint8_t* Pixel(std::int32_t x, std::int32_t y) const {
        return Pixels.data() + (static_cast<std::size_t>(y) * Width + x) * 3;
    }
};

}  // namespace tools
