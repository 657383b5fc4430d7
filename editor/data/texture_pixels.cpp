#include "editor/data/texture_pixels.h"

#include "platform/bmp_decoder.h"
#include "platform/jpeg_decoder.h"

#include <algorithm>

namespace editor {
namespace {

// Scale factors as quarters: quality 1 keeps 3/4, 2 keeps 2/4, 3 keeps 1/4.
int QuartersKept(std::uint8_t quality) {
    return quality == 0 ? 4 : 4 - std::min<int>(quality, 3);
}

// A 24-bit picture, three bytes a pixel, top row first.
struct RgbImage {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint8_t> Pixels;
};

// Drops alpha: the editor turns every picture into 24-bit colour before anything else.
RgbImage ToRgb(const platform::Image& image) {
    RgbImage rgb{image.Width, image.Height, {}};
    const std::size_t count = static_cast<std::size_t>(image.Width) * image.Height;
    rgb.Pixels.resize(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        std::copy_n(image.Pixels.data() + 4 * i, 3, rgb.Pixels.data() + 3 * i);
    }
    return rgb;
}

// Point sampling: each target pixel takes the source pixel its left or top edge falls on, so
// rows and columns are dropped or repeated and colours are never mixed.
RgbImage Scale(RgbImage image, std::uint8_t quality) {
    if (quality == 0) {
        return image;
    }
    RgbImage scaled{ScaledSize(image.Width, quality), ScaledSize(image.Height, quality), {}};
    scaled.Pixels.resize(static_cast<std::size_t>(scaled.Width) * scaled.Height * 3);
    std::uint8_t* target = scaled.Pixels.data();
    for (std::int64_t y = 0; y < scaled.Height; ++y) {
        const std::int64_t sourceY = y * image.Height / scaled.Height;
        for (std::int64_t x = 0; x < scaled.Width; ++x, target += 3) {
            const std::int64_t sourceX = x * image.Width / scaled.Width;
            std::copy_n(image.Pixels.data() + (sourceY * image.Width + sourceX) * 3, 3, target);
        }
    }
    return scaled;
}

}  // namespace

std::int32_t ScaledSize(std::int32_t size, std::uint8_t quality) {
    const std::int64_t quarters = static_cast<std::int64_t>(size) * QuartersKept(quality);
    std::int64_t whole = quarters / 4;
    const std::int64_t rest = quarters % 4;
    if (rest > 2 || (rest == 2 && whole % 2 == 1)) {
        ++whole;
    }
    return static_cast<std::int32_t>(std::max<std::int64_t>(whole, 1));
}

TexturePixels BmpTexturePixels(std::span<const std::uint8_t> record, std::uint8_t quality, std::int32_t keyColour) {
    const RgbImage image = Scale(ToRgb(platform::DecodeBmp(record)), quality);
    TexturePixels texture{image.Width, image.Height, TextureFormat::RGBA, {}};
    const std::size_t count = static_cast<std::size_t>(image.Width) * image.Height;
    texture.Buffer.resize(count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = image.Pixels.data() + 3 * i;
        std::uint8_t* target = texture.Buffer.data() + 4 * i;
        std::copy_n(p, 3, target);
        const std::int32_t colour = p[0] + 256 * p[1] + 65536 * p[2];
        target[3] = colour == keyColour ? 0 : 255;
    }
    return texture;
}

TexturePixels JpgTexturePixels(std::span<const std::uint8_t> record, std::uint8_t quality) {
    RgbImage image = Scale(ToRgb(platform::DecodeJpeg(record)), quality);
    return {image.Width, image.Height, TextureFormat::RGB, std::move(image.Pixels)};
}

}  // namespace editor
