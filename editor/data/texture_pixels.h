#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The decoding half of texture loading: a package record becomes the pixel buffer that is
// uploaded, without any OpenGL, so it can be checked on its own.
namespace editor {

enum class TextureFormat { RGBA, RGB };

// Pixels as OpenGL receives them: top row first, left to right, tightly packed rows.
struct TexturePixels {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    TextureFormat Format = TextureFormat::RGB;
    std::vector<std::uint8_t> Buffer;
};

// A side after down-scaling: quality 1, 2, 3 scale by 0.75, 0.5, 0.25 (higher values as 3), the
// result rounded to the nearest integer with halves to even; never below 1, so a texture always
// keeps a pixel. Quality 0 keeps the size.
std::int32_t ScaledSize(std::int32_t size, std::uint8_t quality);

// A BMP record as an RGBA texture: any alpha of the file is dropped, the picture is scaled by
// quality (point sampling), and pixels of the key colour (0x00BBGGRR) get alpha 0, all others 255.
// Throws platform::ImageError when the record is no BMP it can decode.
TexturePixels BmpTexturePixels(std::span<const std::uint8_t> record, std::uint8_t quality, std::int32_t keyColour);

// A JPEG record as an RGB texture, scaled by quality. Throws platform::ImageError.
TexturePixels JpgTexturePixels(std::span<const std::uint8_t> record, std::uint8_t quality);

}  // namespace editor
