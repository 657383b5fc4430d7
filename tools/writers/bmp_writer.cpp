#include "tools/writers/bmp_writer.h"

#include <limits>
#include <stdexcept>

namespace tools {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
// 2835 pixels per metre is 72 dots per inch, what painting programs write.
constexpr std::int32_t kPixelsPerMetre = 2835;

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t RowStride(std::int32_t width, std::uint32_t bitsPerPixel) {
    return ((static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

void CheckSize(std::int32_t width, std::int32_t height, std::size_t count, std::size_t perPixel) {
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535) {
        throw std::invalid_argument("A bitmap needs a size of 1..65535 pixels a side");
    }
    if (count != static_cast<std::size_t>(width) * height * perPixel) {
        throw std::invalid_argument("Bitmap pixel data does not match its size");
    }
}

// The file and info headers of an uncompressed bottom-up bitmap.
std::vector<std::uint8_t> Headers(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
                                  std::uint32_t paletteEntries) {
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + paletteEntries * 4;
    const std::uint32_t imageSize = RowStride(width, bitsPerPixel) * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, offset + imageSize);
    PutU32(out, 0);
    PutU32(out, offset);
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(width));
    PutU32(out, static_cast<std::uint32_t>(height));
    PutU16(out, 1);
    PutU16(out, bitsPerPixel);
    PutU32(out, 0);  // no compression
    PutU32(out, imageSize);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, paletteEntries);
    PutU32(out, 0);
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const RgbImage& image) {
    CheckSize(image.Width, image.Height, image.Pixels.size(), 3);
    std::vector<std::uint8_t> out = Headers(image.Width, image.Height, 24, 0);
    const std::uint32_t padding = RowStride(image.Width, 24) - static_cast<std::uint32_t>(image.Width) * 3;
    for (std::int32_t y = image.Height - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < image.Width; ++x) {
            const std::uint8_t* pixel = image.Pixel(x, y);
            out.push_back(pixel[2]);
            out.push_back(pixel[1]);
            out.push_back(pixel[0]);
        }
        out.insert(out.end(), padding, 0);
    }
    return out;
}

std::vector<std::uint8_t> EncodeBmp8(const IndexedImage& image) {
    CheckSize(image.Width, image.Height, image.Indices.size(), 1);
    if (image.Palette.empty() || image.Palette.size() > 256) {
        throw std::invalid_argument("An 8-bit bitmap needs 1..256 palette entries");
    }
    for (std::uint8_t index : image.Indices) {
        if (index >= image.Palette.size()) {
            throw std::invalid_argument("Bitmap pixel index outside its palette");
        }
    }
    std::vector<std::uint8_t> out =
        Headers(image.Width, image.Height, 8, static_cast<std::uint32_t>(image.Palette.size()));
    for (const auto& [r, g, b] : image.Palette) {
        out.insert(out.end(), {b, g, r, 0});
    }
    const std::uint32_t padding = RowStride(image.Width, 8) - static_cast<std::uint32_t>(image.Width);
    for (std::int32_t y = image.Height - 1; y >= 0; --y) {
        const auto row = image.Indices.begin() + static_cast<std::ptrdiff_t>(y) * image.Width;
        out.insert(out.end(), row, row + image.Width);
        out.insert(out.end(), padding, 0);
    }
    return out;
}

IndexedImage QuantiseToPalette(const RgbImage& image, const std::vector<std::array<std::uint8_t, 3>>& palette) {
    if (palette.empty() || palette.size() > 256) {
        throw std::invalid_argument("A palette needs 1..256 entries");
    }
    IndexedImage result{image.Width, image.Height, palette, {}};
    result.Indices.reserve(static_cast<std::size_t>(image.Width) * image.Height);
    for (std::size_t i = 0; i + 2 < image.Pixels.size(); i += 3) {
        int best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (std::size_t p = 0; p < palette.size(); ++p) {
            int distance = 0;
            for (int c = 0; c < 3; ++c) {
                const int d = static_cast<int>(image.Pixels[i + c]) - palette[p][c];
                distance += d * d;
            }
            if (distance < bestDistance) {
                bestDistance = distance;
                best = static_cast<int>(p);
            }
        }
        result.Indices.push_back(static_cast<std::uint8_t>(best));
    }
    return result;
}

}  // namespace tools
