#include "engine/assets/tga_image.h"

#include "platform/binary_reader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace engine {
namespace {

namespace tga {
constexpr std::size_t kHeaderSize = 18;
constexpr std::uint8_t kTypeNoImage = 0;
constexpr std::uint8_t kTypeTrueColour = 2;
constexpr std::uint8_t kTypeRunLength = 10;
constexpr std::uint8_t kTopDown = 0x20;
constexpr std::uint8_t kRunPacket = 0x80;
constexpr std::uint64_t kMaxPacketPixels = 128;
constexpr const char* kStreamReadError = "Stream read error";
}  // namespace tga

struct Header {
    std::uint8_t idLength = 0;
    std::uint8_t colourMapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t depth = 0;
    std::uint8_t descriptor = 0;
};

Header ReadHeader(platform::BinaryReader& reader) {
    platform::BinaryReader fields = reader.Take(tga::kHeaderSize);
    Header header;
    header.idLength = fields.U8();
    header.colourMapType = fields.U8();
    header.imageType = fields.U8();
    fields.Skip(5 + 4);  // colour map description, x and y origin
    header.width = fields.U16();
    header.height = fields.U16();
    header.depth = fields.U8();
    header.descriptor = fields.U8();
    return header;
}

// Run-length data in stored order, one stored pixel after another. Packets may cross row ends;
// a packet that runs past the last pixel is cut there.
std::vector<std::uint8_t> DecodeRunLength(platform::BinaryReader& reader, std::size_t pixelCount,
                                          std::size_t pixelBytes) {
    // Even all-run packets need 1 + pixelBytes bytes per 128 pixels: refuse a header whose size
    // the data cannot fill before allocating for it.
    const std::uint64_t minimumPackets = (pixelCount + tga::kMaxPacketPixels - 1) / tga::kMaxPacketPixels;
    if (minimumPackets > reader.Remaining() / (1 + pixelBytes)) {
        throw ETGAException(tga::kStreamReadError);
    }
    std::vector<std::uint8_t> pixels(pixelCount * pixelBytes);
    std::size_t done = 0;
    while (done < pixelCount) {
        const std::uint8_t packet = reader.U8();
        const std::size_t count = std::min<std::size_t>((packet & 0x7F) + 1, pixelCount - done);
        std::uint8_t* out = pixels.data() + done * pixelBytes;
        if (packet & tga::kRunPacket) {
            const auto pixel = reader.Bytes(pixelBytes);
            for (std::size_t i = 0; i < count; ++i) {
                std::memcpy(out + i * pixelBytes, pixel.data(), pixelBytes);
            }
        } else {
            reader.Read(out, count * pixelBytes);
        }
        done += count;
    }
    return pixels;
}

// Copies stored rows into the image, bottom-up unless the descriptor says top-down, turning
// blue-green-red(-alpha) into RGBA.
void CopyRows(std::span<const std::uint8_t> stored, const Header& header, platform::Image& image) {
    const std::size_t pixelBytes = header.depth / 8;
    const std::size_t rowBytes = pixelBytes * header.width;
    const bool topDown = (header.descriptor & tga::kTopDown) != 0;
    for (std::int32_t k = 0; k < image.Height; ++k) {
        const std::uint8_t* in = stored.data() + static_cast<std::size_t>(k) * rowBytes;
        std::uint8_t* out = image.Row(topDown ? k : image.Height - 1 - k);
        for (std::int32_t x = 0; x < image.Width; ++x, in += pixelBytes, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = pixelBytes == 4 ? in[3] : 255;
        }
    }
}

platform::Image Decode(platform::BinaryReader& reader) {
    const Header header = ReadHeader(reader);
    if (header.colourMapType != 0) {
        throw ETGAException("ColorMapped TGA unsupported");
    }
    if (header.depth != 24 && header.depth != 32) {
        throw ETGAException("Unsupported TGA ImageType");
    }
    reader.Skip(header.idLength);

    platform::Image image;
    if (header.imageType == tga::kTypeNoImage) {
        return image;
    }
    if (header.imageType != tga::kTypeTrueColour && header.imageType != tga::kTypeRunLength) {
        throw ETGAException("Unsupported TGA ImageType " + std::to_string(header.imageType));
    }
    if (header.width == 0 || header.height == 0) {
        return image;  // a zero side gives an empty 0 x 0 bitmap
    }
    try {
        platform::CheckImageSize(header.width, header.height, "TGA");
    } catch (const platform::ImageError& error) {
        throw ETGAException(error.what());
    }
    const std::size_t pixelBytes = header.depth / 8;
    const std::size_t pixelCount = std::size_t{header.width} * header.height;
    std::vector<std::uint8_t> runLengthPixels;
    std::span<const std::uint8_t> stored;
    if (header.imageType == tga::kTypeTrueColour) {
        if (pixelCount * pixelBytes > reader.Remaining()) {
            throw ETGAException(tga::kStreamReadError);
        }
        stored = reader.Bytes(pixelCount * pixelBytes);
    } else {
        runLengthPixels = DecodeRunLength(reader, pixelCount, pixelBytes);
        stored = runLengthPixels;
    }
    image.Width = header.width;
    image.Height = header.height;
    image.HasAlpha = header.depth == 32;
    image.Pixels.resize(pixelCount * 4);
    CopyRows(stored, header, image);
    return image;
}

}  // namespace

void TTGAImage::LoadFromData(std::span<const std::uint8_t> data) {
    platform::BinaryReader reader(data);
    platform::Image decoded;
    try {
        decoded = Decode(reader);
    } catch (const platform::ReadError&) {
        throw ETGAException(tga::kStreamReadError);
    }
    static_cast<platform::Image&>(*this) = std::move(decoded);
}

}  // namespace engine
