#pragma once

#include "tools/writers/canvas.h"
#include "tools/writers/key_colour.h"

#include <cstdint>
#include <vector>

namespace tools {

// A picture with straight (not premultiplied) alpha: 8-bit red, green, blue, alpha per pixel, top
// row first, rows tightly packed. The DDS and cursor writers take it.
struct RgbaImage {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint8_t> Pixels;

    const std::uint8_t* Pixel(std::int32_t x, std::int32_t y) const {
        return Pixels.data() + (static_cast<std::size_t>(y) * Width + x) * 4;
    }
};

// The canvas's colours with alpha 255 where the mask is opaque and 0 elsewhere. Uncovered pixels
// keep their colour, so filtering and block compression at the edges never pull in a stray one.
// Throws std::invalid_argument when the mask's size differs from the canvas's.
RgbaImage ToRgbaImage(const Canvas& canvas, const CoverageMask& mask);

}  // namespace tools
