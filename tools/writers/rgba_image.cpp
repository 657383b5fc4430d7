#include "tools/writers/rgba_image.h"

#include <stdexcept>

namespace tools {

RgbaImage ToRgbaImage(const Canvas& canvas, const CoverageMask& mask) {
    if (mask.Width != canvas.Width() || mask.Height != canvas.Height() ||
        mask.Opaque.size() != static_cast<std::size_t>(mask.Width) * mask.Height) {
        throw std::invalid_argument("The coverage mask does not match the canvas");
    }
    const RgbImage colours = canvas.ToImage();
    RgbaImage image{canvas.Width(), canvas.Height(), {}};
    image.Pixels.reserve(static_cast<std::size_t>(image.Width) * image.Height * 4);
    for (std::int32_t y = 0; y < image.Height; ++y) {
        for (std::int32_t x = 0; x < image.Width; ++x) {
            const std::uint8_t* rgb = colours.Pixel(x, y);
            image.Pixels.insert(image.Pixels.end(), rgb, rgb + 3);
            image.Pixels.push_back(mask.IsOpaque(x, y) ? 255 : 0);
        }
    }
    return image;
}

}  // namespace tools
