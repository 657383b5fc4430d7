#include "platform/bmp_decoder.h"

#include "tests/platform/bmp_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace platform {
namespace {

using test_images::BmpDesc;
using test_images::Bytes;
using test_images::MakeBmp;
using test_images::Rgba;
using test_images::Rows;
using test_images::Desc;
using namespace test_images::colours;

Rgba PixelAt(const Image& image, int x, int y) {
    const std::uint8_t* p = image.Row(y) + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}

void ExpectPixels(const Image& image, std::initializer_list<std::initializer_list<Rgba>> rows) {
    ASSERT_EQ(image.Height, static_cast<int>(rows.size()));
    int y = 0;
    for (const auto& row : rows) {
        ASSERT_EQ(image.Width, static_cast<int>(row.size()));
        int x = 0;
        for (const auto& expected : row) {
            EXPECT_EQ(PixelAt(image, x, y), expected) << "pixel " << x << ", " << y;
            ++x;
        }
        ++y;
    }
    EXPECT_EQ(image.Pixels.size(), static_cast<std::size_t>(image.Width) * image.Height * 4);
}

TEST(BmpDecoder, PalettedDepthsBottomUpAndTopDown) {
    BmpDesc oneBit = Desc(10, 2, 1, 0);
    oneBit.palette = {kBlack, kWhite};
    // Stored bottom row first; bits run from the most significant.
    oneBit.pixels = Rows({{0b10000000, 0b01000000}, {0b01000000, 0b00000000}});
    const Image a = DecodeBmp(MakeBmp(oneBit));
    EXPECT_FALSE(a.HasAlpha);
    ASSERT_EQ(a.Width, 10);
    EXPECT_EQ(PixelAt(a, 1, 0), kWhite);
    EXPECT_EQ(PixelAt(a, 0, 0), kBlack);
    EXPECT_EQ(PixelAt(a, 0, 1), kWhite);
    EXPECT_EQ(PixelAt(a, 9, 1), kWhite);
    EXPECT_EQ(PixelAt(a, 8, 1), kBlack);

    BmpDesc fourBit = Desc(3, 1, 4, 0);
    fourBit.palette = {kBlack, kRed, kGreen, kBlue};
    fourBit.pixels = Rows({{0x12, 0x30}});
    ExpectPixels(DecodeBmp(MakeBmp(fourBit)), {{kRed, kGreen, kBlue}});

    BmpDesc eightBit = Desc(2, -2, 8, 0);
    eightBit.palette = {kBlack, kRed, kGreen, kBlue, kGrey};
    eightBit.pixels = Rows({{1, 2}, {3, 4}});
    ExpectPixels(DecodeBmp(MakeBmp(eightBit)), {{kRed, kGreen}, {kBlue, kGrey}});
}

TEST(BmpDecoder, IndexPastAShortPaletteIsBlack) {
    BmpDesc desc = Desc(2, 1, 8, 0);
    desc.colorsUsed = 1;
    desc.palette = {kRed};
    desc.pixels = Rows({{0, 200}});
    ExpectPixels(DecodeBmp(MakeBmp(desc)), {{kRed, kBlack}});
}

TEST(BmpDecoder, CoreHeaderWithThreeBytePalette) {
    BmpDesc desc = Desc(2, 2, 8, 0);
    desc.headerSize = 12;
    desc.palette = {kBlack, kRed, kGreen, kBlue};
    desc.pixels = Rows({{1, 2}, {3, 0}});
    ExpectPixels(DecodeBmp(MakeBmp(desc)), {{kBlue, kBlack}, {kRed, kGreen}});

    BmpDesc rgb = Desc(1, 1, 24, 0);
    rgb.headerSize = 12;
    rgb.pixels = Rows({{10, 20, 30}});
    ExpectPixels(DecodeBmp(MakeBmp(rgb)), {{Rgba{30, 20, 10, 255}}});
}

TEST(BmpDecoder, TwentyFourBitRowsArePaddedAndBgr) {
    BmpDesc desc = Desc(3, 2, 24, 0);
    desc.pixels = Rows({{255, 0, 0, 0, 255, 0, 0, 0, 255}, {1, 2, 3, 4, 5, 6, 7, 8, 9}});
    ExpectPixels(DecodeBmp(MakeBmp(desc)),
                 {{Rgba{3, 2, 1, 255}, Rgba{6, 5, 4, 255}, Rgba{9, 8, 7, 255}}, {kBlue, kGreen, kRed}});
}

TEST(BmpDecoder, SixteenBitDefaultIsFiveFiveFiveAndIgnoresTheTopBit) {
    BmpDesc desc = Desc(4, 1, 16, 0);
    desc.pixels = Rows({{0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x00, 0x80}});
    const Image image = DecodeBmp(MakeBmp(desc));
    EXPECT_FALSE(image.HasAlpha);
    ExpectPixels(image, {{kRed, kGreen, kBlue, kBlack}});
}

TEST(BmpDecoder, SixteenBitFieldsWidenEachChannelToFullRange) {
    BmpDesc desc = Desc(3, 1, 16, 3);
    desc.masks = {0xF800, 0x07E0, 0x001F};
    // 565: red 16 of 31, green 32 of 63, blue 31.
    const std::uint16_t mixed = (16 << 11) | (32 << 5) | 31;
    desc.pixels =
        Rows({{0x00, 0xF8, 0xE0, 0x07, static_cast<std::uint8_t>(mixed), static_cast<std::uint8_t>(mixed >> 8)}});
    ExpectPixels(DecodeBmp(MakeBmp(desc)), {{kRed, kGreen, Rgba{132, 130, 255, 255}}});
}

TEST(BmpDecoder, ThirtyTwoBitWithoutAlphaMaskIsOpaqueWhateverTheFourthByte) {
    BmpDesc desc = Desc(2, 1, 32, 0);
    desc.pixels = Rows({{1, 2, 3, 0, 4, 5, 6, 77}});
    const Image image = DecodeBmp(MakeBmp(desc));
    EXPECT_FALSE(image.HasAlpha);
    ExpectPixels(image, {{Rgba{3, 2, 1, 255}, Rgba{6, 5, 4, 255}}});

    // A version 5 header whose masks carry alpha, but without bit-field compression, stays opaque.
    BmpDesc v5 = Desc(1, 1, 32, 0);
    v5.headerSize = 124;
    v5.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    v5.pixels = {1, 2, 3, 0};
    const Image opaque = DecodeBmp(MakeBmp(v5));
    EXPECT_FALSE(opaque.HasAlpha);
    EXPECT_EQ(PixelAt(opaque, 0, 0), (Rgba{3, 2, 1, 255}));
}

TEST(BmpDecoder, AlphaMaskGivesAlpha) {
    for (std::uint32_t headerSize : {56u, 108u, 124u}) {
        BmpDesc desc = Desc(2, 1, 32, 3);
        desc.headerSize = headerSize;
        desc.masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};
        desc.pixels = {0x80, 10, 20, 30, 0x00, 40, 50, 60};
        const Image image = DecodeBmp(MakeBmp(desc));
        EXPECT_TRUE(image.HasAlpha) << headerSize;
        ExpectPixels(image, {{Rgba{10, 20, 30, 0x80}, Rgba{40, 50, 60, 0}}});
    }
    BmpDesc alphaFields = Desc(1, 1, 32, 6);
    alphaFields.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    alphaFields.pixels = {1, 2, 3, 4};
    const Image image = DecodeBmp(MakeBmp(alphaFields));
    EXPECT_TRUE(image.HasAlpha);
    ExpectPixels(image, {{Rgba{3, 2, 1, 4}}});
}

TEST(BmpDecoder, RunLengthEightWithRunsAbsoluteDeltaAndEndOfLine) {
    BmpDesc desc = Desc(4, 3, 8, 1);
    // Index 0 is green, so the pixels the data passes over show that they take index 0.
    desc.palette = {kGreen, kRed, kBlack, kBlue};
    desc.pixels = {
        2, 1, 0, 3, 2, 3, 1, 0,  // bottom line: run of two red, absolute black blue red (padded)
        0, 0,                    // end of line
        0, 2, 1, 1,              // delta: right one, up one: skips the middle line
        6, 3,                    // a run of six blue clipped at the right edge
        0, 1,                    // end of bitmap
    };
    ExpectPixels(DecodeBmp(MakeBmp(desc)),
                 {{kGreen, kBlue, kBlue, kBlue}, {kGreen, kGreen, kGreen, kGreen}, {kRed, kRed, kBlack, kBlue}});
}

TEST(BmpDecoder, RunLengthFour) {
    BmpDesc desc = Desc(5, 2, 4, 2);
    desc.palette = {kBlack, kRed, kGreen, kBlue};
    desc.pixels = {
        2, 0x12,              // red green
        0, 3,    0x31, 0x20,  // absolute: blue red green
        0, 0,                 // end of line
        0, 3,    0x23, 0x10,  // absolute: green blue red
        0, 1,
    };
    ExpectPixels(DecodeBmp(MakeBmp(desc)),
                 {{kGreen, kBlue, kRed, kBlack, kBlack}, {kRed, kGreen, kBlue, kRed, kGreen}});
}

TEST(BmpDecoder, RefusesWhatIsNotABitmapItCanRead) {
    EXPECT_THROW(DecodeBmp(Bytes{}), ImageError);
    EXPECT_THROW(DecodeBmp(Bytes{'B', 'X', 0, 0}), ImageError);

    BmpDesc twoBit = Desc(1, 1, 2, 0);
    twoBit.pixels = {0, 0, 0, 0};
    EXPECT_THROW(DecodeBmp(MakeBmp(twoBit)), ImageError);

    BmpDesc jpegInside = Desc(1, 1, 24, 4);
    jpegInside.pixels = {0, 0, 0, 0};
    EXPECT_THROW(DecodeBmp(MakeBmp(jpegInside)), ImageError);

    BmpDesc topDownRle = Desc(1, -1, 8, 1);
    topDownRle.palette = {kRed};
    topDownRle.pixels = {1, 0, 0, 1};
    EXPECT_THROW(DecodeBmp(MakeBmp(topDownRle)), ImageError);

    BmpDesc smallHeader = Desc(1, 1, 24, 0);
    smallHeader.headerSize = 20;
    EXPECT_THROW(DecodeBmp(MakeBmp(smallHeader)), ImageError);
}

TEST(BmpDecoder, RefusesTruncatedAndLyingFiles) {
    BmpDesc desc = Desc(3, 2, 24, 0);
    desc.pixels = Rows({{1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 2, 3, 4, 5, 6, 7, 8, 9}});
    const Bytes good = MakeBmp(desc);
    ASSERT_NO_THROW(DecodeBmp(good));
    for (std::size_t size = 0; size < good.size(); ++size) {
        EXPECT_THROW(DecodeBmp(std::span(good).first(size)), ImageError) << "cut at " << size;
    }

    Bytes lyingOffset = good;
    lyingOffset[10] = 0xF0;
    EXPECT_THROW(DecodeBmp(lyingOffset), ImageError);
    lyingOffset[10] = 4;
    EXPECT_THROW(DecodeBmp(lyingOffset), ImageError) << "offset inside the header";

    BmpDesc tall = desc;
    tall.height = 3;
    EXPECT_THROW(DecodeBmp(MakeBmp(tall)), ImageError);

    BmpDesc rle = Desc(2, 2, 8, 1);
    rle.sizeImage = 1000;
    rle.palette = {kRed};
    rle.pixels = {2, 0, 0, 0, 2, 0, 0, 1};
    EXPECT_THROW(DecodeBmp(MakeBmp(rle)), ImageError) << "announced run-length size past the file";
    rle.sizeImage = 0;
    ASSERT_NO_THROW(DecodeBmp(MakeBmp(rle)));
    rle.pixels = {2, 0, 0, 0, 2};
    EXPECT_THROW(DecodeBmp(MakeBmp(rle)), ImageError) << "run-length data ends inside a pair";
}

TEST(BmpDecoder, RefusesEmptyAndHugeSizesBeforeAllocating) {
    for (auto [width, height] : std::initializer_list<std::pair<std::int32_t, std::int32_t>>{
             {0, 1}, {1, 0}, {-1, 1}, {16385, 1}, {1, INT32_MIN}, {10000, 10000}}) {
        // Run-length data needs no bytes per pixel, so only the size cap stops the allocation.
        BmpDesc desc = Desc(width, height, 8, 1);
        desc.palette = {kRed};
        desc.pixels = {0, 1};
        EXPECT_THROW(DecodeBmp(MakeBmp(desc)), ImageError) << width << " x " << height;
    }
}

// Every header byte and the first bytes of the data set to extreme values: each file decodes or
// is refused with ImageError, never read past (the sanitizer build watches the reads).
TEST(BmpDecoder, CorruptedFieldsDecodeOrAreRefused) {
    BmpDesc rle8 = Desc(4, 3, 8, 1);
    rle8.palette = {kBlack, kRed};
    rle8.pixels = {2, 1, 0, 3, 1, 0, 1, 0, 0, 0, 0, 2, 1, 1, 6, 1, 0, 1};
    BmpDesc rle4 = Desc(5, 2, 4, 2);
    rle4.palette = {kBlack, kRed};
    rle4.pixels = {2, 0x10, 0, 3, 0x10, 0x10, 0, 0, 0, 1};
    BmpDesc fields = Desc(3, 2, 16, 3);
    fields.masks = {0xF800, 0x07E0, 0x001F};
    fields.pixels = Rows({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
    BmpDesc core = Desc(3, 2, 4, 0);
    core.headerSize = 12;
    core.palette = {kRed, kGreen};
    core.pixels = Rows({{0x01, 0x10}, {0x11, 0x00}});
    for (const BmpDesc& desc : {rle8, rle4, fields, core}) {
        const Bytes good = MakeBmp(desc);
        ASSERT_NO_THROW(DecodeBmp(good));
        for (std::size_t at = 0; at < good.size(); ++at) {
            for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
                Bytes bad = good;
                bad[at] = value;
                try {
                    const Image image = DecodeBmp(bad);
                    EXPECT_EQ(image.Pixels.size(), static_cast<std::size_t>(image.Width) * image.Height * 4);
                } catch (const ImageError&) {
                }
            }
        }
    }
}

}  // namespace
}  // namespace platform
