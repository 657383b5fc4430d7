#pragma once

#include "tools/writers/canvas.h"
#include "tools/writers/rgb_image.h"

#include <cstdint>
#include <vector>

// The colour key of the editor's BMP textures: pixels of exactly middle grey become transparent.
namespace tools {

namespace key_colour {
constexpr std::uint8_t kGrey = 128;
}  // namespace key_colour

// Which pixels of a picture are opaque: one byte a pixel, top row first, non-zero for opaque.
struct CoverageMask {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint8_t> Opaque;

    bool IsOpaque(std::int32_t x, std::int32_t y) const {
        return Opaque[static_cast<std::size_t>(y) * Width + x] != 0;
    }
};

// The picture with every uncovered pixel set to the key colour. A covered pixel that happens to
// come out as the key colour is nudged by one step of blue, so only the mask decides what is
// transparent. Throws std::invalid_argument when the mask's size differs from the canvas's.
RgbImage ToKeyedImage(const Canvas& canvas, const CoverageMask& mask);

// Whether the pixel at (x, y) is the key colour.
bool IsKeyColour(const RgbImage& image, std::int32_t x, std::int32_t y);

}  // namespace tools
