#include "fuzz/seeds/seed_folder.h"
#include "tests/platform/bmp_builder.h"
#include "tests/platform/jpeg_encoder.h"

#include <algorithm>

namespace fuzz {
namespace {

using test_images::Bytes;

// A w x h picture of 8-bit channels, a gradient so that every block differs.
Bytes Gradient(int width, int height, int components) {
    Bytes pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < components; ++c) {
                pixels.push_back(static_cast<std::uint8_t>(x * 37 + y * 11 + c * 90));
            }
        }
    }
    return pixels;
}

void WriteBmpSeeds(const SeedFolder& seeds) {
    using test_images::Desc;
    using test_images::MakeBmp;
    using test_images::Rows;
    seeds.Write("bmp", "rgb24.bmp", MakeBmp([] {
                    auto d = Desc(2, 2, 24, 0);
                    d.pixels = Rows({{0, 0, 255, 0, 255, 0}, {255, 0, 0, 255, 255, 255}});
                    return d;
                }()));
    seeds.Write("bmp", "palette8.bmp", MakeBmp([] {
                    auto d = Desc(3, 2, 8, 0);
                    d.palette = {test_images::kRed, test_images::kGreen, test_images::kBlue};
                    d.pixels = Rows({{0, 1, 2}, {2, 1, 0}});
                    return d;
                }()));
    seeds.Write("bmp", "palette1-topdown.bmp", MakeBmp([] {
                    auto d = Desc(9, -2, 1, 0);
                    d.palette = {test_images::kBlack, test_images::kWhite};
                    d.pixels = Rows({{0xA5, 0x80}, {0x5A, 0x00}});
                    return d;
                }()));
    seeds.Write("bmp", "rle8.bmp", MakeBmp([] {
                    auto d = Desc(4, 2, 8, 1);
                    d.palette = {test_images::kRed, test_images::kGreen};
                    d.pixels = {4, 1, 0, 0, 0, 3, 0, 1, 0, 0, 0, 0, 1};
                    return d;
                }()));
    seeds.Write("bmp", "rle4.bmp", MakeBmp([] {
                    auto d = Desc(4, 2, 4, 2);
                    d.palette = {test_images::kRed, test_images::kGreen, test_images::kBlue};
                    d.pixels = {4, 0x12, 0, 0, 0, 2, 1, 1, 0, 1};
                    return d;
                }()));
    seeds.Write("bmp", "bitfields16.bmp", MakeBmp([] {
                    auto d = Desc(2, 1, 16, 3);
                    d.masks = {0xF800, 0x07E0, 0x001F};
                    d.pixels = Rows({{0xFF, 0xFF, 0x1F, 0x00}});
                    return d;
                }()));
    seeds.Write("bmp", "alpha32-v4.bmp", MakeBmp([] {
                    auto d = Desc(1, 1, 32, 3);
                    d.headerSize = 108;
                    d.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
                    d.pixels = {1, 2, 3, 128};
                    return d;
                }()));
    seeds.Write("bmp", "core4.bmp", MakeBmp([] {
                    auto d = Desc(2, 2, 4, 0);
                    d.headerSize = 12;
                    d.palette = {test_images::kGrey, test_images::kBlue};
                    d.pixels = Rows({{0x01}, {0x10}});
                    return d;
                }()));
}

void WriteJpegSeeds(const SeedFolder& seeds) {
    seeds.Write("jpeg", "rgb.jpg", test_images::EncodeJpeg(16, 8, JCS_RGB, 3, Gradient(16, 8, 3)));
    seeds.Write("jpeg", "grey.jpg", test_images::EncodeJpeg(9, 9, JCS_GRAYSCALE, 1, Gradient(9, 9, 1)));
    seeds.Write("jpeg", "cmyk.jpg", test_images::EncodeJpeg(8, 8, JCS_CMYK, 4, Gradient(8, 8, 4)));
}

void PutU16(Bytes& out, std::uint32_t value) {
    test_images::PutU16(out, value);
}

// Targa: 18-byte header, the identification field, then the pixels.
Bytes Targa(std::uint8_t type, int width, int height, int depth, std::uint8_t descriptor, const Bytes& data) {
    Bytes out = {3, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    PutU16(out, static_cast<std::uint32_t>(width));
    PutU16(out, static_cast<std::uint32_t>(height));
    out.push_back(static_cast<std::uint8_t>(depth));
    out.push_back(descriptor);
    out.insert(out.end(), {'i', 'd', '!'});
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

void WriteTgaSeeds(const SeedFolder& seeds) {
    seeds.Write("tga", "true24.tga", Targa(2, 3, 2, 24, 0, Gradient(3, 2, 3)));
    seeds.Write("tga", "true32-topdown.tga", Targa(2, 2, 2, 32, 0x20, Gradient(2, 2, 4)));
    // A run of three, then two literal pixels, crossing the row end.
    seeds.Write("tga", "runlength24.tga", Targa(10, 5, 1, 24, 0, {0x82, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9}));
    seeds.Write("tga", "runlength32.tga", Targa(10, 2, 2, 32, 0x20, {0x83, 9, 8, 7, 255}));
    seeds.Write("tga", "empty.tga", Targa(0, 0, 0, 24, 0, {}));
}

// DirectDraw Surface: the 128-byte header with the fields the reader takes, then the top level.
Bytes Dds(std::uint32_t width, std::uint32_t height, std::uint32_t flags, const char* code, std::uint32_t bits,
          std::array<std::uint32_t, 4> masks, const Bytes& data) {
    Bytes out(128, 0);
    const auto put = [&](std::size_t offset, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    std::copy_n("DDS ", 4, out.begin());
    put(4, 124);
    put(12, height);
    put(16, width);
    put(20, static_cast<std::uint32_t>(data.size()));
    put(76, 32);
    put(80, flags);
    std::copy_n(code, 4, out.begin() + 84);
    put(88, bits);
    for (int i = 0; i < 4; ++i) {
        put(92 + 4 * i, masks[i]);
    }
    put(108, 0x1000);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

void WriteDdsSeeds(const SeedFolder& seeds) {
    const Bytes colourBlock = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0xE4, 0x1B, 0x1B};
    const Bytes threeColourBlock = {0x1F, 0x00, 0x00, 0xF8, 0xFF, 0x00, 0xFF, 0x00};
    Bytes dxt1 = colourBlock;
    dxt1.insert(dxt1.end(), threeColourBlock.begin(), threeColourBlock.end());
    seeds.Write("dds", "dxt1.dds", Dds(8, 4, 0x4, "DXT1", 0, {}, dxt1));
    Bytes dxt3 = {0xFF, 0x0F, 0xF0, 0x00, 0x12, 0x34, 0x56, 0x78};
    dxt3.insert(dxt3.end(), colourBlock.begin(), colourBlock.end());
    seeds.Write("dds", "dxt3.dds", Dds(4, 4, 0x5, "DXT3", 0, {}, dxt3));
    Bytes dxt5 = {255, 0, 0x88, 0xC6, 0xFA, 0x05, 0x39, 0x7F};
    dxt5.insert(dxt5.end(), colourBlock.begin(), colourBlock.end());
    seeds.Write("dds", "dxt5-partial.dds", Dds(3, 5, 0x5, "DXT5", 0, {}, [&] {
                    Bytes two = dxt5;
                    two.insert(two.end(), dxt5.begin(), dxt5.end());
                    return two;
                }()));
    seeds.Write("dds", "rgb565.dds", Dds(2, 1, 0x40, "\0\0\0\0", 16, {0xF800, 0x07E0, 0x001F, 0}, {0xFF, 0xFF, 0x00, 0xF8}));
    seeds.Write("dds", "argb32.dds",
                Dds(1, 2, 0x41, "\0\0\0\0", 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {1, 2, 3, 4, 5, 6, 7, 8}));
}

}  // namespace

void WriteImageSeeds(const SeedFolder& seeds) {
    WriteBmpSeeds(seeds);
    WriteJpegSeeds(seeds);
    WriteTgaSeeds(seeds);
    WriteDdsSeeds(seeds);
}

}  // namespace fuzz
