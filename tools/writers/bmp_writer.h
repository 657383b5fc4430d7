#pragma once

#include "tools/writers/rgb_image.h"

#include <array>
#include <cstdint>
#include <vector>

// Windows bitmap files as the editor's texture loader and the platform decoder read them.
namespace tools {

// A picture of palette indices, top row first.
struct IndexedImage {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::array<std::uint8_t, 3>> Palette;  // red, green, blue; at most 256 entries
    std::vector<std::uint8_t> Indices;
};

// A 24-bit uncompressed bitmap with an info header, rows stored bottom-up. Throws
// std::invalid_argument for an empty picture or one whose pixel count does not match its size.
std::vector<std::uint8_t> EncodeBmp24(const RgbImage& image);

// An 8-bit uncompressed bitmap with the image's palette. Throws std::invalid_argument for an empty
// picture, a palette of 0 or more than 256 entries, or an index outside the palette.
std::vector<std::uint8_t> EncodeBmp8(const IndexedImage& image);

// Each pixel replaced by the index of the nearest palette colour (the first of equally near ones).
IndexedImage QuantiseToPalette(const RgbImage& image, const std::vector<std::array<std::uint8_t, 3>>& palette);

}  // namespace tools
