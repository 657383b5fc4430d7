#include "engine/assets/dds_image.h"

#include "platform/binary_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <utility>

namespace engine {
namespace {

namespace dds {
constexpr std::size_t kHeaderSize = 128;
constexpr std::uint32_t kAlphaPixels = 0x1;
constexpr std::uint32_t kFourCC = 0x4;
constexpr std::uint32_t kCapsTexture = 0x1000;
constexpr int kBlockSide = 4;
constexpr const char* kStreamReadError = "Stream read error";
}  // namespace dds

struct Header {
    std::uint32_t height = 0;
    std::uint32_t width = 0;
    std::uint32_t linearSize = 0;
    std::uint32_t formatFlags = 0;
    std::string fourCC;
    std::uint32_t bitCount = 0;
    std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
    std::uint32_t caps = 0;
};

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

using Block = std::array<Rgba, 16>;

// Refuses sizes no decoder of ours allocates; an image without pixels is allowed.
void CheckSize(const Header& header) {
    if (header.width == 0 || header.height == 0) {
        return;
    }
    try {
        platform::CheckImageSize(header.width, header.height, "DDS");
    } catch (const platform::ImageError& error) {
        throw EDDSException(error.what());
    }
}

Header ReadHeader(platform::BinaryReader& reader) {
    platform::BinaryReader header = reader.Take(dds::kHeaderSize);
    if (header.FixedString(4) != "DDS ") {
        throw EDDSException("Invalid DDS file");
    }
    Header result;
    header.Seek(12);
    result.height = header.U32();
    result.width = header.U32();
    result.linearSize = header.U32();
    header.Seek(80);
    result.formatFlags = header.U32();
    const auto code = header.Bytes(4);
    result.fourCC.assign(code.begin(), code.end());
    result.bitCount = header.U32();
    for (auto& mask : result.masks) {
        mask = header.U32();
    }
    result.caps = header.U32();
    if ((result.caps & dds::kCapsTexture) == 0) {
        throw EDDSException("Unsupported DDSCAPS settings");
    }
    CheckSize(result);
    return result;
}

// The four characters of an unknown code as text a message can carry.
std::string PrintableCode(const std::string& code) {
    std::string text = code.substr(0, code.find('\0'));
    std::replace_if(text.begin(), text.end(), [](char c) { return c < 0x20 || c > 0x7e; }, '?');
    return text;
}

// Refuses before allocating when the file does not hold the data its header announces.
void RequireData(const platform::BinaryReader& reader, std::uint64_t units, std::uint64_t unitSize) {
    if (unitSize != 0 && units > reader.Remaining() / unitSize) {
        throw EDDSException(dds::kStreamReadError);
    }
}

// A header with a zero side gives an empty 0 x 0 bitmap.
platform::Image BlankImage(const Header& header) {
    platform::Image image;
    if (header.width == 0 || header.height == 0) {
        return image;
    }
    image.Width = static_cast<std::int32_t>(header.width);
    image.Height = static_cast<std::int32_t>(header.height);
    image.Pixels.assign(static_cast<std::size_t>(image.Width) * image.Height * 4, 255);
    return image;
}

Rgba Expand565(std::uint16_t colour) {
    // The low bits are left empty, so full intensity is 248 for red and blue and 252 for green.
    return {static_cast<std::uint8_t>((colour >> 11) << 3), static_cast<std::uint8_t>(((colour >> 5) & 63) << 2),
            static_cast<std::uint8_t>((colour & 31) << 3), 255};
}

template <class Mix>
Rgba MixColours(Rgba c0, Rgba c1, Mix mix) {
    return {static_cast<std::uint8_t>(mix(c0.r, c1.r)), static_cast<std::uint8_t>(mix(c0.g, c1.g)),
            static_cast<std::uint8_t>(mix(c0.b, c1.b)), 255};
}

// Decodes the 8-byte colour half of a block into the texels' colours; returns whether the block
// used the three-colour mode, which only DXT1 allows.
bool DecodeColourBlock(std::span<const std::uint8_t> bytes, bool allowThreeColour, Block& texels) {
    const auto c0 = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
    const auto c1 = static_cast<std::uint16_t>(bytes[2] | (bytes[3] << 8));
    const std::uint32_t indices = static_cast<std::uint32_t>(bytes[4]) | (static_cast<std::uint32_t>(bytes[5]) << 8) |
                                  (static_cast<std::uint32_t>(bytes[6]) << 16) |
                                  (static_cast<std::uint32_t>(bytes[7]) << 24);
    const Rgba p0 = Expand565(c0);
    const Rgba p1 = Expand565(c1);
    const bool threeColour = allowThreeColour && c0 <= c1;
    std::array<Rgba, 4> palette{p0, p1};
    if (threeColour) {
        palette[2] = MixColours(p0, p1, [](int a, int b) { return (a + b) / 2; });
        palette[3] = MixColours(p0, p1, [](int a, int b) { return (a + 2 * b + 1) / 3; });
        palette[3].a = 0;
    } else {
        palette[2] = MixColours(p0, p1, [](int a, int b) { return (2 * a + b + 1) / 3; });
        palette[3] = MixColours(p0, p1, [](int a, int b) { return (a + 2 * b + 1) / 3; });
    }
    for (int texel = 0; texel < 16; ++texel) {
        texels[texel] = palette[(indices >> (2 * texel)) & 3];
    }
    return threeColour;
}

void DecodeExplicitAlpha(std::span<const std::uint8_t> bytes, Block& texels) {
    for (int row = 0; row < 4; ++row) {
        const int bits = bytes[2 * row] | (bytes[2 * row + 1] << 8);
        for (int column = 0; column < 4; ++column) {
            texels[4 * row + column].a = static_cast<std::uint8_t>(((bits >> (4 * column)) & 15) * 17);
        }
    }
}

void DecodeInterpolatedAlpha(std::span<const std::uint8_t> bytes, Block& texels) {
    const int a0 = bytes[0];
    const int a1 = bytes[1];
    std::array<int, 8> palette{a0, a1};
    if (a0 > a1) {
        for (int i = 1; i <= 6; ++i) {
            palette[i + 1] = ((7 - i) * a0 + i * a1 + 3) / 7;
        }
    } else {
        for (int i = 1; i <= 4; ++i) {
            palette[i + 1] = ((5 - i) * a0 + i * a1 + 2) / 5;
        }
        palette[6] = 0;
        palette[7] = 255;
    }
    std::uint64_t indices = 0;
    for (int i = 0; i < 6; ++i) {
        indices |= static_cast<std::uint64_t>(bytes[2 + i]) << (8 * i);
    }
    for (int texel = 0; texel < 16; ++texel) {
        texels[texel].a = static_cast<std::uint8_t>(palette[(indices >> (3 * texel)) & 7]);
    }
}

enum class Compression { DXT1, DXT3, DXT5 };

Compression CompressionOf(const std::string& fourCC) {
    if (fourCC == "DXT1") {
        return Compression::DXT1;
    }
    if (fourCC == "DXT3") {
        return Compression::DXT3;
    }
    if (fourCC == "DXT5") {
        return Compression::DXT5;
    }
    throw EDDSException("Unsupported compression type: " + PrintableCode(fourCC));
}

// Every block is decoded, the partial ones at the right and bottom edges included, so an image
// whose sides are not multiples of 4 has no undecoded border; texels outside the image are dropped.
platform::Image DecodeCompressed(const Header& header, platform::BinaryReader& reader) {
    const Compression compression = CompressionOf(header.fourCC);
    const std::size_t blockBytes = compression == Compression::DXT1 ? 8 : 16;
    const std::uint64_t blocksX = (std::uint64_t{header.width} + 3) / 4;
    const std::uint64_t blocksY = (std::uint64_t{header.height} + 3) / 4;
    RequireData(reader, header.linearSize, 1);
    platform::Image image = BlankImage(header);
    if (image.Pixels.empty()) {
        return image;
    }
    RequireData(reader, blocksY, blocksX * blockBytes);
    bool anyThreeColour = false;
    Block texels;
    for (std::uint64_t by = 0; by < blocksY; ++by) {
        for (std::uint64_t bx = 0; bx < blocksX; ++bx) {
            const auto bytes = reader.Bytes(blockBytes);
            const auto colour = bytes.subspan(blockBytes - 8);
            anyThreeColour |= DecodeColourBlock(colour, compression == Compression::DXT1, texels);
            if (compression == Compression::DXT3) {
                DecodeExplicitAlpha(bytes, texels);
            } else if (compression == Compression::DXT5) {
                DecodeInterpolatedAlpha(bytes, texels);
            }
            const auto x0 = static_cast<std::int32_t>(bx * dds::kBlockSide);
            const auto y0 = static_cast<std::int32_t>(by * dds::kBlockSide);
            const int columns = std::min(dds::kBlockSide, image.Width - x0);
            const int rows = std::min(dds::kBlockSide, image.Height - y0);
            for (int row = 0; row < rows; ++row) {
                std::uint8_t* out = image.Row(y0 + row) + static_cast<std::size_t>(x0) * 4;
                for (int column = 0; column < columns; ++column, out += 4) {
                    const Rgba& texel = texels[4 * row + column];
                    out[0] = texel.r;
                    out[1] = texel.g;
                    out[2] = texel.b;
                    out[3] = texel.a;
                }
            }
        }
    }
    image.HasAlpha = compression == Compression::DXT1 ? anyThreeColour : true;
    return image;
}

// One channel of an uncompressed pixel: the masked bits scaled to 0..255.
class MaskChannel {
public:
    explicit MaskChannel(std::uint32_t mask)
        : m_mask(mask),
          m_shift(mask == 0 ? 0 : std::countr_zero(mask)),
          m_top(mask >> m_shift),
          m_factor(m_top != 0 && m_top <= 255 ? 255 / m_top : 1) {}

    std::uint8_t operator()(std::uint32_t pixel) const {
        if (m_top > 255) {
            // Channels wider than 8 bits are scaled down; a plain factor of 255 / top would be 0.
            return static_cast<std::uint8_t>(std::uint64_t{(pixel & m_mask) >> m_shift} * 255 / m_top);
        }
        return static_cast<std::uint8_t>((std::uint64_t{m_factor} * (pixel & m_mask)) >> m_shift);
    }

private:
    std::uint32_t m_mask;
    int m_shift;
    std::uint32_t m_top;
    std::uint32_t m_factor;
};

platform::Image DecodeUncompressed(const Header& header, platform::BinaryReader& reader) {
    if (header.bitCount == 0 || header.bitCount > 32 || header.bitCount % 8 != 0) {
        throw EDDSException("Unsupported DDS bit count: " + std::to_string(header.bitCount));
    }
    const std::size_t bytesPerPixel = header.bitCount / 8;
    RequireData(reader, std::uint64_t{header.width} * header.height, bytesPerPixel);

    platform::Image image = BlankImage(header);
    // An alpha flag without alpha bits would make every pixel invisible: such a file is opaque.
    image.HasAlpha = (header.formatFlags & dds::kAlphaPixels) != 0 && header.masks[3] != 0;
    const MaskChannel red(header.masks[0]);
    const MaskChannel green(header.masks[1]);
    const MaskChannel blue(header.masks[2]);
    const MaskChannel alpha(header.masks[3]);
    const std::size_t pixelCount = image.Pixels.size() / 4;
    const auto bytes = reader.Bytes(pixelCount * bytesPerPixel);
    for (std::size_t i = 0; i < pixelCount; ++i) {
        std::uint32_t value = 0;
        for (std::size_t b = 0; b < bytesPerPixel; ++b) {
            value |= static_cast<std::uint32_t>(bytes[i * bytesPerPixel + b]) << (8 * b);
        }
        std::uint8_t* out = image.Pixels.data() + i * 4;
        out[0] = red(value);
        out[1] = green(value);
        out[2] = blue(value);
        if (image.HasAlpha) {
            out[3] = alpha(value);
        }
    }
    return image;
}

}  // namespace

void TDDSImage::LoadFromData(std::span<const std::uint8_t> data) {
    platform::BinaryReader reader(data);
    platform::Image decoded;
    try {
        const Header header = ReadHeader(reader);
        decoded = (header.formatFlags & dds::kFourCC) != 0 ? DecodeCompressed(header, reader)
                                                            : DecodeUncompressed(header, reader);
    } catch (const platform::ReadError&) {
        throw EDDSException(dds::kStreamReadError);
    }
    static_cast<platform::Image&>(*this) = std::move(decoded);
}

}  // namespace engine
