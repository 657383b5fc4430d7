#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

// Builds small Windows bitmaps in memory, for the decoder's tests and the texture loader's.
namespace test_images {

using Bytes = std::vector<std::uint8_t>;
using Rgba = std::array<std::uint8_t, 4>;

namespace colours {
inline constexpr Rgba kBlack{0, 0, 0, 255};
inline constexpr Rgba kWhite{255, 255, 255, 255};
inline constexpr Rgba kRed{255, 0, 0, 255};
inline constexpr Rgba kGreen{0, 255, 0, 255};
inline constexpr Rgba kBlue{0, 0, 255, 255};
inline constexpr Rgba kGrey{128, 128, 128, 255};
}  // namespace colours
using namespace colours;

inline void PutU16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutU32(Bytes& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// What goes into a test bitmap; the builder writes headers, masks and palette in file order.
struct BmpDesc {
    std::uint32_t headerSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks;
    std::vector<Rgba> palette;
    Bytes pixels;
};

inline Bytes MakeBmp(const BmpDesc& desc) {
    Bytes header;
    PutU32(header, desc.headerSize);
    if (desc.headerSize == 12) {
        PutU16(header, static_cast<std::uint32_t>(desc.width));
        PutU16(header, static_cast<std::uint32_t>(desc.height));
        PutU16(header, 1);
        PutU16(header, desc.bits);
    } else {
        PutU32(header, static_cast<std::uint32_t>(desc.width));
        PutU32(header, static_cast<std::uint32_t>(desc.height));
        PutU16(header, 1);
        PutU16(header, desc.bits);
        PutU32(header, desc.compression);
        PutU32(header, desc.sizeImage);
        PutU32(header, 2835);
        PutU32(header, 2835);
        // A palette shorter than the bit depth allows is announced, as writers do.
        const bool shortPalette = !desc.palette.empty() && desc.palette.size() < (1u << desc.bits);
        PutU32(header, desc.colorsUsed != 0 || !shortPalette ? desc.colorsUsed
                                                             : static_cast<std::uint32_t>(desc.palette.size()));
        PutU32(header, 0);
        if (desc.headerSize > 40) {
            for (std::size_t i = 0; i < 4 && header.size() + 4 <= desc.headerSize; ++i) {
                PutU32(header, i < desc.masks.size() ? desc.masks[i] : 0);
            }
        }
        header.resize(desc.headerSize, 0);
        if (desc.headerSize == 40) {
            for (auto mask : desc.masks) {
                PutU32(header, mask);
            }
        }
    }
    auto palette = desc.palette;
    if (desc.headerSize == 12 && !palette.empty()) {
        palette.resize(1u << desc.bits, kBlack);  // a core header always has the full palette
    }
    for (const auto& colour : palette) {
        header.insert(header.end(), {colour[2], colour[1], colour[0]});
        if (desc.headerSize != 12) {
            header.push_back(0);
        }
    }
    Bytes file = {'B', 'M'};
    PutU32(file, static_cast<std::uint32_t>(14 + header.size() + desc.pixels.size()));
    PutU32(file, 0);
    PutU32(file, static_cast<std::uint32_t>(14 + header.size()));
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), desc.pixels.begin(), desc.pixels.end());
    return file;
}

inline BmpDesc Desc(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression) {
    BmpDesc desc;
    desc.width = width;
    desc.height = height;
    desc.bits = bits;
    desc.compression = compression;
    return desc;
}

// Rows as stored, each padded to a multiple of four bytes.
inline Bytes Rows(std::initializer_list<Bytes> rows) {
    Bytes out;
    for (const auto& row : rows) {
        out.insert(out.end(), row.begin(), row.end());
        out.resize((out.size() + 3) / 4 * 4, 0);
    }
    return out;
}

}  // namespace test_images
