#include "tools/writers/dds_writer.h"

#include "tools/writers/byte_sink.h"

#include "platform/image.h"

#include <squish.h>

#include <stdexcept>

namespace tools {
namespace {

constexpr std::uint32_t kHeaderSize = 124;
constexpr std::uint32_t kPixelFormatSize = 32;

namespace header_flags {
constexpr std::uint32_t kCaps = 0x1;
constexpr std::uint32_t kHeight = 0x2;
constexpr std::uint32_t kWidth = 0x4;
constexpr std::uint32_t kPitch = 0x8;
constexpr std::uint32_t kPixelFormat = 0x1000;
constexpr std::uint32_t kLinearSize = 0x80000;
}  // namespace header_flags

namespace pixel_flags {
constexpr std::uint32_t kAlphaPixels = 0x1;
constexpr std::uint32_t kFourCC = 0x4;
constexpr std::uint32_t kRgb = 0x40;
}  // namespace pixel_flags

constexpr std::uint32_t kCapsTexture = 0x1000;

int SquishFlags(DdsFormat format) {
    const int quality = squish::kColourIterativeClusterFit | squish::kWeightColourByAlpha;
    switch (format) {
        case DdsFormat::Dxt1: return squish::kDxt1 | quality;
        case DdsFormat::Dxt3: return squish::kDxt3 | quality;
        default: return squish::kDxt5 | quality;
    }
}

const char* FourCC(DdsFormat format) {
    switch (format) {
        case DdsFormat::Dxt1: return "DXT1";
        case DdsFormat::Dxt3: return "DXT3";
        default: return "DXT5";
    }
}

void CheckPicture(const RgbaImage& image, DdsFormat format) {
    if (image.Width <= 0 || image.Height <= 0 || image.Width > platform::image_limits::kMaxSide ||
        image.Height > platform::image_limits::kMaxSide ||
        image.Pixels.size() != static_cast<std::size_t>(image.Width) * image.Height * 4) {
        throw std::invalid_argument("A DDS picture needs 1..16384 pixels a side and pixel data matching its size");
    }
    if (format != DdsFormat::Bgra32 && (image.Width % 4 != 0 || image.Height % 4 != 0)) {
        throw std::invalid_argument("A DXT-compressed DDS picture needs sides that are multiples of 4");
    }
}

void PutHeader(std::vector<std::uint8_t>& out, const RgbaImage& image, DdsFormat format, std::uint32_t pitchOrSize) {
    const bool compressed = format != DdsFormat::Bgra32;
    PutTag(out, "DDS ");
    PutU32(out, kHeaderSize);
    PutU32(out, header_flags::kCaps | header_flags::kHeight | header_flags::kWidth | header_flags::kPixelFormat |
                    (compressed ? header_flags::kLinearSize : header_flags::kPitch));
    PutU32(out, static_cast<std::uint32_t>(image.Height));
    PutU32(out, static_cast<std::uint32_t>(image.Width));
    PutU32(out, pitchOrSize);
    PutU32(out, 0);  // depth
    PutU32(out, 0);  // mipmap count
    for (int i = 0; i < 11; ++i) {
        PutU32(out, 0);
    }
    PutU32(out, kPixelFormatSize);
    if (compressed) {
        // DXT1 announces alpha too: its transparent texels are what the game's alpha test needs.
        PutU32(out, pixel_flags::kFourCC | pixel_flags::kAlphaPixels);
        PutTag(out, FourCC(format));
        for (int i = 0; i < 5; ++i) {
            PutU32(out, 0);  // bit count and masks
        }
    } else {
        PutU32(out, pixel_flags::kRgb | pixel_flags::kAlphaPixels);
        PutU32(out, 0);
        PutU32(out, 32);
        PutU32(out, 0x00ff0000);
        PutU32(out, 0x0000ff00);
        PutU32(out, 0x000000ff);
        PutU32(out, 0xff000000);
    }
    PutU32(out, kCapsTexture);
    for (int i = 0; i < 4; ++i) {
        PutU32(out, 0);  // caps 2 to 4, reserved
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeDds(const RgbaImage& image, DdsFormat format) {
    CheckPicture(image, format);
    std::vector<std::uint8_t> out;
    if (format == DdsFormat::Bgra32) {
        PutHeader(out, image, format, static_cast<std::uint32_t>(image.Width) * 4);
        for (std::size_t i = 0; i < image.Pixels.size(); i += 4) {
            out.push_back(image.Pixels[i + 2]);
            out.push_back(image.Pixels[i + 1]);
            out.push_back(image.Pixels[i]);
            out.push_back(image.Pixels[i + 3]);
        }
        return out;
    }
    const int flags = SquishFlags(format);
    const auto size = static_cast<std::uint32_t>(squish::GetStorageRequirements(image.Width, image.Height, flags));
    PutHeader(out, image, format, size);
    const std::size_t start = out.size();
    out.resize(start + size);
    squish::CompressImage(image.Pixels.data(), image.Width, image.Height, out.data() + start, flags);
    return out;
}

}  // namespace tools
