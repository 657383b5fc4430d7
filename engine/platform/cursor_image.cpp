#include "engine/platform/cursor_image.h"

#include "platform/binary_reader.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace engine {
namespace {

using platform::BinaryReader;

constexpr std::uint16_t kTypeIcon = 1;
constexpr std::uint16_t kTypeCursor = 2;
constexpr std::uint32_t kMinInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::array<std::uint8_t, 4> kPngSignature = {0x89, 'P', 'N', 'G'};

struct DirectoryEntry {
    int width;
    int height;
    int hotspotX;
    int hotspotY;
    std::uint32_t size;
    std::uint32_t offset;
};

[[noreturn]] void Fail(const std::string& what) { throw ECursorError("Cursor image: " + what); }

std::uint32_t RowStride(std::uint32_t width, std::uint32_t bits) { return (width * bits + 31) / 32 * 4; }

bool Bit(std::span<const std::uint8_t> row, int x) { return (row[x / 8] >> (7 - x % 8)) & 1; }

// Palette index of pixel x in a row of 1, 4 or 8 bits per pixel.
std::uint32_t PaletteIndex(std::span<const std::uint8_t> row, int x, std::uint32_t bits) {
    switch (bits) {
        case 1: return Bit(row, x);
        case 4: return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0f;
        default: return row[x];
    }
}

CursorImage DecodeBitmap(BinaryReader reader, int hotspotX, int hotspotY) {
    if (reader.Size() >= kPngSignature.size() &&
        std::equal(kPngSignature.begin(), kPngSignature.end(), reader.SubReader(0, 4).Bytes(4).begin())) {
        Fail("PNG-compressed pictures are not supported");
    }
    const std::uint32_t headerSize = reader.U32();
    if (headerSize < kMinInfoHeaderSize) {
        Fail("bitmap header of " + std::to_string(headerSize) + " bytes is too small");
    }
    const std::int32_t width = reader.I32();
    const std::int32_t doubleHeight = reader.I32();
    reader.Skip(2);  // planes: always 1, and nothing depends on it
    const std::uint16_t bits = reader.U16();
    const std::uint32_t compression = reader.U32();
    reader.Skip(12);  // image size and resolution
    const std::uint32_t colorsUsed = reader.U32();
    if (width < 1 || width > kMaxCursorSize || doubleHeight < 2 || doubleHeight % 2 != 0 ||
        doubleHeight / 2 > kMaxCursorSize) {
        Fail("bitmap size " + std::to_string(width) + " x " + std::to_string(doubleHeight) + " is not a cursor's");
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        Fail(std::to_string(bits) + " bits per pixel are not supported");
    }
    if (compression != kBiRgb) {
        Fail("compressed bitmaps are not supported");
    }
    reader.Seek(headerSize);
    const int height = doubleHeight / 2;

    std::vector<std::array<std::uint8_t, 3>> palette;
    if (bits <= 8) {
        const std::uint32_t count = colorsUsed != 0 ? colorsUsed : 1u << bits;
        if (count > (1u << bits)) {
            Fail("palette of " + std::to_string(count) + " colours for " + std::to_string(bits) + " bits");
        }
        const auto bytes = reader.Bytes(count * 4);
        for (std::uint32_t i = 0; i < count; ++i) {
            palette.push_back({bytes[i * 4 + 2], bytes[i * 4 + 1], bytes[i * 4]});
        }
    }
    const std::uint32_t colorStride = RowStride(width, bits);
    const auto colorBits = reader.Bytes(colorStride * height);
    const std::uint32_t maskStride = RowStride(width, 1);
    // A 32-bit picture carries its transparency in its alpha channel, and some writers leave the mask out.
    std::span<const std::uint8_t> mask;
    if (reader.Remaining() >= maskStride * height) {
        mask = reader.Bytes(maskStride * height);
    } else if (bits != 32) {
        Fail("the transparency mask is missing");
    }

    bool hasAlpha = false;
    if (bits == 32) {
        for (std::size_t i = 3; i < colorBits.size(); i += 4) {
            hasAlpha = hasAlpha || colorBits[i] != 0;
        }
    }

    CursorImage image;
    image.width = width;
    image.height = height;
    image.hotspotX = std::min(hotspotX, width - 1);
    image.hotspotY = std::min(hotspotY, height - 1);
    image.rgba.resize(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        const int sourceRow = height - 1 - y;  // rows are stored bottom first
        const auto row = colorBits.subspan(static_cast<std::size_t>(sourceRow) * colorStride, colorStride);
        const auto maskRow =
            mask.empty() ? mask : mask.subspan(static_cast<std::size_t>(sourceRow) * maskStride, maskStride);
        for (int x = 0; x < width; ++x) {
            std::uint8_t* out = &image.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            std::uint8_t alpha = 255;
            if (bits <= 8) {
                const std::uint32_t index = PaletteIndex(row, x, bits);
                if (index >= palette.size()) {
                    Fail("colour index " + std::to_string(index) + " lies past the palette");
                }
                out[0] = palette[index][0];
                out[1] = palette[index][1];
                out[2] = palette[index][2];
            } else {
                const std::size_t step = bits / 8;
                out[0] = row[x * step + 2];
                out[1] = row[x * step + 1];
                out[2] = row[x * step];
                if (hasAlpha) {
                    alpha = row[x * step + 3];
                }
            }
            if (!hasAlpha && !maskRow.empty() && Bit(maskRow, x)) {
                // A set mask bit over black leaves the screen visible; over a colour it inverts the
                // screen, which a colour cursor cannot do, so it shows black as other systems do.
                const bool inverts = out[0] != 0 || out[1] != 0 || out[2] != 0;
                out[0] = out[1] = out[2] = 0;
                alpha = inverts ? 255 : 0;
            }
            out[3] = alpha;
        }
    }
    return image;
}

DirectoryEntry ChooseEntry(BinaryReader& reader, std::uint16_t type, std::uint16_t count) {
    DirectoryEntry best{};
    int bestDistance = -1;
    for (std::uint16_t i = 0; i < count; ++i) {
        DirectoryEntry entry{};
        const std::uint8_t width = reader.U8();
        const std::uint8_t height = reader.U8();
        entry.width = width == 0 ? 256 : width;
        entry.height = height == 0 ? 256 : height;
        reader.Skip(2);  // colour count, reserved
        const std::uint16_t planesOrHotspotX = reader.U16();
        const std::uint16_t bitsOrHotspotY = reader.U16();
        entry.size = reader.U32();
        entry.offset = reader.U32();
        // An icon used as a cursor points with its centre.
        entry.hotspotX = type == kTypeCursor ? planesOrHotspotX : entry.width / 2;
        entry.hotspotY = type == kTypeCursor ? bitsOrHotspotY : entry.height / 2;
        const int distance =
            std::abs(entry.width - kDefaultCursorSize) + std::abs(entry.height - kDefaultCursorSize);
        if (bestDistance < 0 || distance < bestDistance) {
            best = entry;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

CursorImage ReadIconFile(std::span<const std::uint8_t> data) {
    try {
        BinaryReader reader(data);
        const std::uint16_t reserved = reader.U16();
        const std::uint16_t type = reader.U16();
        if (reserved != 0 || (type != kTypeIcon && type != kTypeCursor)) {
            Fail("not an icon or cursor file");
        }
        const std::uint16_t count = reader.U16();
        if (count == 0) {
            Fail("the file holds no picture");
        }
        if (std::size_t{count} * 16 > reader.Remaining()) {
            Fail("the directory of " + std::to_string(count) + " pictures runs past the end of the file");
        }
        const DirectoryEntry entry = ChooseEntry(reader, type, count);
        if (!platform::RangeFits(entry.offset, entry.size, data.size())) {
            Fail("the picture data lies outside the file");
        }
        // The bitmap's own header decides the size; the directory's bytes are only a hint.
        return DecodeBitmap(reader.SubReader(entry.offset, entry.size), entry.hotspotX, entry.hotspotY);
    } catch (const platform::ReadError&) {
        Fail("the file is truncated");
    }
}

}  // namespace engine
