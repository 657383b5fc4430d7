#include "tools/writers/key_colour.h"

#include <stdexcept>

namespace tools {

RgbImage ToKeyedImage(const Canvas& canvas, const CoverageMask& mask) {
    if (mask.Width != canvas.Width() || mask.Height != canvas.Height() ||
        mask.Opaque.size() != static_cast<std::size_t>(mask.Width) * mask.Height) {
        throw std::invalid_argument("Coverage mask and canvas differ in size");
    }
    RgbImage image = canvas.ToImage();
    for (std::int32_t y = 0; y < image.Height; ++y) {
        for (std::int32_t x = 0; x < image.Width; ++x) {
            std::uint8_t* pixel = image.Pixels.data() + (static_cast<std::size_t>(y) * image.Width + x) * 3;
            if (!mask.IsOpaque(x, y)) {
                pixel[0] = pixel[1] = pixel[2] = key_colour::kGrey;
            } else if (IsKeyColour(image, x, y)) {
                pixel[2] = key_colour::kGrey + 1;
            }
        }
    }
    return image;
}

bool IsKeyColour(const RgbImage& image, std::int32_t x, std::int32_t y) {
    const std::uint8_t* pixel = image.Pixel(x, y);
    return pixel[0] == key_colour::kGrey && pixel[1] == key_colour::kGrey && pixel[2] == key_colour::kGrey;
}

}  // namespace tools
