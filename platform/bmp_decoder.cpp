#include "platform/bmp_decoder.h"

#include "platform/binary_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace platform {
namespace {

namespace bmp {
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV2HeaderSize = 52;
constexpr std::uint32_t kV3HeaderSize = 56;

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;
}  // namespace bmp

struct Header {
    std::uint32_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = bmp::kRgb;
    std::uint32_t sizeImage = 0;
    std::uint32_t colorsUsed = 0;
    // Red, green, blue and alpha masks, when the header or the bit fields after it give them.
    std::array<std::uint32_t, 4> masks{};
};

using Rgba = std::array<std::uint8_t, 4>;

Rgba PaletteColour(const std::vector<Rgba>& palette, std::size_t index) {
    // An index past a short palette shows black, as the platform's own bitmap code does.
    return index < palette.size() ? palette[index] : Rgba{0, 0, 0, 255};
}

// One bit-field channel: where it lies in the pixel value and how to widen it to 0..255.
class Channel {
public:
    explicit Channel(std::uint32_t mask)
        : m_mask(mask), m_shift(mask ? std::countr_zero(mask) : 0), m_max(mask >> m_shift) {}

    bool Present() const { return m_mask != 0; }
    std::uint8_t Extract(std::uint32_t value) const {
        if (m_max == 0) {
            return 0;
        }
        const std::uint64_t raw = (value & m_mask) >> m_shift;
        return static_cast<std::uint8_t>((raw * 255 + m_max / 2) / m_max);
    }

private:
    std::uint32_t m_mask;
    int m_shift;
    std::uint32_t m_max;
};

bool HasBitFields(const Header& header) {
    return header.compression == bmp::kBitFields || header.compression == bmp::kAlphaBitFields;
}

Header ReadHeader(BinaryReader& reader) {
    Header header;
    header.size = reader.U32();
    if (header.size == bmp::kCoreHeaderSize) {
        header.width = reader.U16();
        header.height = reader.U16();
        reader.Skip(2);
        header.bitCount = reader.U16();
        return header;
    }
    if (header.size < bmp::kInfoHeaderSize) {
        throw ImageError("unsupported BMP header size " + std::to_string(header.size));
    }
    header.width = reader.I32();
    header.height = reader.I32();
    reader.Skip(2);
    header.bitCount = reader.U16();
    header.compression = reader.U32();
    header.sizeImage = reader.U32();
    reader.Skip(8);
    header.colorsUsed = reader.U32();
    reader.Skip(4);
    if (header.size >= bmp::kV2HeaderSize) {
        for (int i = 0; i < 3; ++i) {
            header.masks[i] = reader.U32();
        }
    }
    if (header.size >= bmp::kV3HeaderSize) {
        header.masks[3] = reader.U32();
    }
    reader.Seek(bmp::kFileHeaderSize + header.size);
    // A plain info header keeps its masks right after it.
    if (header.size == bmp::kInfoHeaderSize && HasBitFields(header)) {
        const int count = header.compression == bmp::kAlphaBitFields ? 4 : 3;
        for (int i = 0; i < count; ++i) {
            header.masks[i] = reader.U32();
        }
    }
    if (header.height < 0) {
        header.topDown = true;
        header.height = -header.height;
    }
    return header;
}

void CheckVariant(const Header& header) {
    const auto bits = header.bitCount;
    const std::string variant =
        std::to_string(bits) + " bits per pixel with compression " + std::to_string(header.compression);
    bool supported = false;
    switch (header.compression) {
        case bmp::kRgb:
            supported = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
            break;
        case bmp::kRle8:
            supported = bits == 8;
            break;
        case bmp::kRle4:
            supported = bits == 4;
            break;
        case bmp::kBitFields:
        case bmp::kAlphaBitFields:
            supported = bits == 16 || bits == 32;
            break;
        default:
            break;
    }
    if (!supported) {
        throw ImageError("unsupported BMP variant: " + variant);
    }
    if (header.topDown && (header.compression == bmp::kRle8 || header.compression == bmp::kRle4)) {
        throw ImageError("BMP run-length data cannot be stored top-down");
    }
}

std::vector<Rgba> ReadPalette(BinaryReader& reader, const Header& header) {
    if (header.bitCount > 8) {
        return {};
    }
    const std::uint32_t full = 1u << header.bitCount;
    // Indices cannot reach entries past 2^bits, so more are never read.
    const std::uint32_t count = header.colorsUsed == 0 || header.colorsUsed > full ? full : header.colorsUsed;
    const std::size_t entrySize = header.size == bmp::kCoreHeaderSize ? 3 : 4;
    std::vector<Rgba> palette(count);
    for (auto& colour : palette) {
        const auto bytes = reader.Bytes(entrySize);
        colour = {bytes[2], bytes[1], bytes[0], 255};
    }
    return palette;
}

// Decodes uncompressed rows; the file's row k is the picture's row k (top-down) or height-1-k.
class RowDecoder {
public:
    RowDecoder(const Header& header, const std::vector<Rgba>& palette)
        : RowDecoder(header, palette, ChannelMasks(header)) {}

    bool HasAlpha() const { return m_alpha.Present(); }

    void DecodeRow(std::span<const std::uint8_t> source, std::uint8_t* target) const {
        for (std::int64_t x = 0; x < m_header.width; ++x, target += 4) {
            const Rgba colour = Pixel(source, static_cast<std::size_t>(x));
            std::copy(colour.begin(), colour.end(), target);
        }
    }

private:
    RowDecoder(const Header& header, const std::vector<Rgba>& palette, const std::array<std::uint32_t, 4>& masks)
        : m_header(header),
          m_palette(palette),
          m_red(masks[0]),
          m_green(masks[1]),
          m_blue(masks[2]),
          m_alpha(masks[3]) {}

    // Without bit-field compression the masks are the defaults, whatever a newer header holds.
    static std::array<std::uint32_t, 4> ChannelMasks(const Header& header) {
        if (HasBitFields(header)) {
            return header.masks;
        }
        if (header.bitCount == 16) {
            return {0x7C00, 0x03E0, 0x001F, 0};
        }
        return {0xFF0000, 0xFF00, 0xFF, 0};
    }

    Rgba Pixel(std::span<const std::uint8_t> row, std::size_t x) const {
        switch (m_header.bitCount) {
            case 1:
                return Indexed((row[x / 8] >> (7 - x % 8)) & 1);
            case 4:
                return Indexed(x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F);
            case 8:
                return Indexed(row[x]);
            case 16:
                return Fields(row[2 * x] | (row[2 * x + 1] << 8));
            case 24:
                return {row[3 * x + 2], row[3 * x + 1], row[3 * x], 255};
            default: {
                const auto* p = row.data() + 4 * x;
                return Fields(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                              (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
            }
        }
    }

    Rgba Indexed(std::size_t index) const { return PaletteColour(m_palette, index); }

    Rgba Fields(std::uint32_t value) const {
        return {m_red.Extract(value), m_green.Extract(value), m_blue.Extract(value),
                m_alpha.Present() ? m_alpha.Extract(value) : std::uint8_t{255}};
    }

    const Header& m_header;
    const std::vector<Rgba>& m_palette;
    Channel m_red;
    Channel m_green;
    Channel m_blue;
    Channel m_alpha;
};

void DecodeUncompressed(const BinaryReader& file, std::uint32_t offset, const Header& header,
                        const std::vector<Rgba>& palette, Image& image) {
    const std::uint64_t stride = (static_cast<std::uint64_t>(header.bitCount) * header.width + 31) / 32 * 4;
    const std::uint64_t needed = stride * static_cast<std::uint64_t>(header.height);
    if (!RangeFits(offset, needed, file.Size())) {
        throw ImageError("BMP pixel data is truncated: " + std::to_string(needed) + " bytes needed at offset " +
                         std::to_string(offset) + ", the file has " + std::to_string(file.Size()));
    }
    const RowDecoder decoder(header, palette);
    image.HasAlpha = decoder.HasAlpha();
    BinaryReader rows = file.SubReader(offset, needed);
    for (std::int32_t k = 0; k < image.Height; ++k) {
        const std::int32_t y = header.topDown ? k : image.Height - 1 - k;
        decoder.DecodeRow(rows.Bytes(stride), image.Row(y));
    }
}

// The whole picture in one colour: one row pixel by pixel, the others copied from it, so that a
// large picture announced by a few bytes of run-length data costs no more than its memory.
void Fill(Image& image, const Rgba& colour) {
    std::uint8_t* first = image.Row(0);
    for (std::int32_t x = 0; x < image.Width; ++x) {
        std::copy(colour.begin(), colour.end(), first + 4 * x);
    }
    const std::size_t rowBytes = static_cast<std::size_t>(image.Width) * 4;
    for (std::int32_t y = 1; y < image.Height; ++y) {
        std::memcpy(image.Row(y), first, rowBytes);
    }
}

// Run-length data draws palette colours into the bottom-up picture; pixels it never reaches (passed
// over by a delta, or after an early end) keep index 0. Runs past the right edge are clipped, lines
// past the top end the picture.
void DecodeRunLength(BinaryReader data, const Header& header, const std::vector<Rgba>& palette, Image& image) {
    const bool nibbles = header.compression == bmp::kRle4;
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    Fill(image, PaletteColour(palette, 0));
    std::int64_t x = 0;
    std::int64_t y = 0;
    const auto put = [&](std::uint8_t index) {
        if (x < width && y < height) {
            const Rgba colour = PaletteColour(palette, index);
            // Rows are stored bottom first.
            std::copy(colour.begin(), colour.end(), image.Row(static_cast<std::int32_t>(height - 1 - y)) + 4 * x);
        }
        ++x;
    };
    while (y < height) {
        const std::uint8_t count = data.U8();
        const std::uint8_t value = data.U8();
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                put(nibbles ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
            }
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            x += data.U8();
            y += data.U8();
        } else {
            const std::size_t bytes = nibbles ? (value + 1u) / 2 : value;
            const auto run = data.Bytes(bytes);
            for (int i = 0; i < value; ++i) {
                put(nibbles ? (i % 2 == 0 ? run[i / 2] >> 4 : run[i / 2] & 0x0F) : run[i]);
            }
            // Absolute runs are padded to a 16-bit boundary.
            if (bytes % 2 == 1 && !data.AtEnd()) {
                data.Skip(1);
            }
        }
    }
}

void DecodeCompressed(const BinaryReader& file, std::uint32_t offset, const Header& header,
                      const std::vector<Rgba>& palette, Image& image) {
    std::uint64_t length = file.Size() - offset;
    if (header.sizeImage != 0) {
        if (!RangeFits(offset, header.sizeImage, file.Size())) {
            throw ImageError("BMP run-length data is truncated: " + std::to_string(header.sizeImage) +
                             " bytes announced at offset " + std::to_string(offset) + ", the file has " +
                             std::to_string(file.Size()));
        }
        length = header.sizeImage;
    }
    DecodeRunLength(file.SubReader(offset, length), header, palette, image);
}

Image Decode(std::span<const std::uint8_t> data) {
    if (data.size() < 2 || data[0] != 'B' || data[1] != 'M') {
        throw ImageError("not a BMP file: the signature \"BM\" is missing");
    }
    BinaryReader reader(data);
    reader.Skip(10);
    const std::uint32_t offset = reader.U32();
    const Header header = ReadHeader(reader);
    CheckImageSize(header.width, header.height, "BMP");
    CheckVariant(header);
    const auto palette = ReadPalette(reader, header);
    if (offset < bmp::kFileHeaderSize + header.size || offset > data.size()) {
        throw ImageError("BMP pixel data offset " + std::to_string(offset) + " lies outside the pixel data area");
    }

    Image image;
    image.Width = static_cast<std::int32_t>(header.width);
    image.Height = static_cast<std::int32_t>(header.height);
    image.Pixels.resize(static_cast<std::size_t>(image.Width) * image.Height * 4);
    if (header.compression == bmp::kRle8 || header.compression == bmp::kRle4) {
        DecodeCompressed(reader, offset, header, palette, image);
    } else {
        DecodeUncompressed(reader, offset, header, palette, image);
    }
    return image;
}

}  // namespace

Image DecodeBmp(std::span<const std::uint8_t> data) {
    try {
        return Decode(data);
    } catch (const ReadError& error) {
        throw ImageError(std::string("BMP file is truncated: ") + error.what());
    }
}

}  // namespace platform
