#include "tools/writers/cursor_writer.h"

#include "tools/writers/byte_sink.h"

#include <stdexcept>

namespace tools {
namespace {

constexpr std::uint16_t kTypeCursor = 2;
constexpr std::uint32_t kDirectorySize = 6 + 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kAnimationHeaderSize = 36;
// "anih" flags: frames are cursor files; a sequence chunk is present.
constexpr std::uint32_t kFlagIcon = 0x1;
constexpr std::uint32_t kFlagSequence = 0x2;
constexpr std::uint8_t kOpaqueThreshold = 128;

std::uint32_t MaskStride(std::int32_t width) { return (static_cast<std::uint32_t>(width) + 31) / 32 * 4; }

void CheckPicture(const CursorPicture& cursor) {
    const RgbaImage& image = cursor.Picture;
    if (image.Width <= 0 || image.Height <= 0 || image.Width > 256 || image.Height > 256 ||
        image.Pixels.size() != static_cast<std::size_t>(image.Width) * image.Height * 4) {
        throw std::invalid_argument("A cursor picture needs 1..256 pixels a side and pixel data matching its size");
    }
    if (cursor.HotspotX < 0 || cursor.HotspotY < 0 || cursor.HotspotX >= image.Width ||
        cursor.HotspotY >= image.Height) {
        throw std::invalid_argument("A cursor's hotspot must lie inside its picture");
    }
}

// The picture as a bottom-up 32-bit bitmap of double height (colour, then mask).
void PutBitmap(std::vector<std::uint8_t>& out, const RgbaImage& image) {
    const std::uint32_t maskStride = MaskStride(image.Width);
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(image.Width));
    PutU32(out, static_cast<std::uint32_t>(image.Height) * 2);
    PutU16(out, 1);   // planes
    PutU16(out, 32);  // bits per pixel
    PutU32(out, 0);   // uncompressed
    PutU32(out, static_cast<std::uint32_t>(image.Width * image.Height * 4) + maskStride * image.Height);
    for (int i = 0; i < 4; ++i) {
        PutU32(out, 0);  // resolution and palette counts
    }
    for (std::int32_t y = image.Height - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < image.Width; ++x) {
            const std::uint8_t* p = image.Pixel(x, y);
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    for (std::int32_t y = image.Height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskStride, 0);
        for (std::int32_t x = 0; x < image.Width; ++x) {
            if (image.Pixel(x, y)[3] < kOpaqueThreshold) {
                row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

// A chunk: its tag, its size, its body, and a pad byte to keep the next chunk on an even offset.
void PutChunk(std::vector<std::uint8_t>& out, const char* tag, const std::vector<std::uint8_t>& body) {
    PutTag(out, tag);
    PutU32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) {
        out.push_back(0);
    }
}

std::vector<std::uint8_t> U32Table(const std::vector<std::uint32_t>& values) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t value : values) {
        PutU32(bytes, value);
    }
    return bytes;
}

// Whether the sequence is just every frame once, in order, so no "seq " chunk is needed.
bool RunsThroughFrames(const AnimatedCursor& cursor) {
    if (cursor.Sequence.empty()) {
        return true;
    }
    if (cursor.Sequence.size() != cursor.Frames.size()) {
        return false;
    }
    for (std::size_t i = 0; i < cursor.Sequence.size(); ++i) {
        if (cursor.Sequence[i] != i) {
            return false;
        }
    }
    return true;
}

void CheckAnimation(const AnimatedCursor& cursor, std::size_t steps) {
    if (cursor.Frames.empty()) {
        throw std::invalid_argument("An animated cursor needs at least one frame");
    }
    for (std::uint32_t frame : cursor.Sequence) {
        if (frame >= cursor.Frames.size()) {
            throw std::invalid_argument("An animated cursor's sequence names a frame it does not have");
        }
    }
    if (cursor.RatesJiffies.size() != steps) {
        throw std::invalid_argument("An animated cursor needs one rate for each step");
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeCur(const CursorPicture& cursor) {
    CheckPicture(cursor);
    const RgbaImage& image = cursor.Picture;
    std::vector<std::uint8_t> out;
    PutU16(out, 0);
    PutU16(out, kTypeCursor);
    PutU16(out, 1);
    // A side of 256 is written as 0 in the directory's bytes.
    out.push_back(static_cast<std::uint8_t>(image.Width % 256));
    out.push_back(static_cast<std::uint8_t>(image.Height % 256));
    PutU16(out, 0);  // colour count, reserved
    PutU16(out, static_cast<std::uint16_t>(cursor.HotspotX));
    PutU16(out, static_cast<std::uint16_t>(cursor.HotspotY));
    const std::size_t sizeOffset = out.size();
    PutU32(out, 0);
    PutU32(out, kDirectorySize);
    PutBitmap(out, image);
    PatchU32(out, sizeOffset, static_cast<std::uint32_t>(out.size() - kDirectorySize));
    return out;
}

std::vector<std::uint8_t> EncodeAni(const AnimatedCursor& cursor) {
    const std::size_t steps = cursor.Sequence.empty() ? cursor.Frames.size() : cursor.Sequence.size();
    CheckAnimation(cursor, steps);
    const bool withSequence = !RunsThroughFrames(cursor);

    std::vector<std::uint8_t> header;
    PutU32(header, kAnimationHeaderSize);
    PutU32(header, static_cast<std::uint32_t>(cursor.Frames.size()));
    PutU32(header, static_cast<std::uint32_t>(steps));
    for (int i = 0; i < 4; ++i) {
        PutU32(header, 0);  // width, height, bit count, planes: each frame's own header tells
    }
    PutU32(header, cursor.RatesJiffies.front());
    PutU32(header, kFlagIcon | (withSequence ? kFlagSequence : 0));

    std::vector<std::uint8_t> frames;
    PutTag(frames, "fram");
    for (const CursorPicture& frame : cursor.Frames) {
        PutChunk(frames, "icon", EncodeCur(frame));
    }

    std::vector<std::uint8_t> out;
    PutTag(out, "RIFF");
    PutU32(out, 0);
    PutTag(out, "ACON");
    PutChunk(out, "anih", header);
    PutChunk(out, "rate", U32Table(cursor.RatesJiffies));
    if (withSequence) {
        PutChunk(out, "seq ", U32Table(cursor.Sequence));
    }
    PutChunk(out, "LIST", frames);
    PatchU32(out, 4, static_cast<std::uint32_t>(out.size() - 8));
    return out;
}

}  // namespace tools
