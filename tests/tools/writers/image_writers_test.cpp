#include "tools/writers/bmp_writer.h"
#include "tools/writers/jpeg_writer.h"
#include "tools/writers/key_colour.h"

#include "platform/bmp_decoder.h"
#include "platform/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tools {
namespace {

// A picture whose every pixel differs, so a row or channel mix-up shows.
RgbImage Gradient(std::int32_t width, std::int32_t height) {
    RgbImage image{width, height, {}};
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            image.Pixels.push_back(static_cast<std::uint8_t>(x * 40 + 3));
            image.Pixels.push_back(static_cast<std::uint8_t>(y * 50 + 7));
            image.Pixels.push_back(static_cast<std::uint8_t>(x * 11 + y * 13));
        }
    }
    return image;
}

void ExpectSamePixels(const RgbImage& expected, const platform::Image& decoded) {
    ASSERT_EQ(decoded.Width, expected.Width);
    ASSERT_EQ(decoded.Height, expected.Height);
    for (std::int32_t y = 0; y < expected.Height; ++y) {
        for (std::int32_t x = 0; x < expected.Width; ++x) {
            for (int c = 0; c < 3; ++c) {
                ASSERT_EQ(decoded.Row(y)[x * 4 + c], expected.Pixel(x, y)[c]) << x << "," << y << " channel " << c;
            }
            ASSERT_EQ(decoded.Row(y)[x * 4 + 3], 255);
        }
    }
}

TEST(BmpWriter, TwentyFourBitPicturesOfEveryRowPaddingReadBackExactly) {
    for (std::int32_t width : {1, 2, 3, 4, 5}) {
        SCOPED_TRACE(width);
        const RgbImage image = Gradient(width, 3);
        ExpectSamePixels(image, platform::DecodeBmp(EncodeBmp24(image)));
    }
}

TEST(BmpWriter, EightBitPicturesReadBackThroughTheirPalette) {
    IndexedImage image{3, 2, {{10, 20, 30}, {200, 100, 50}, {0, 255, 0}}, {0, 1, 2, 2, 1, 0}};
    const platform::Image decoded = platform::DecodeBmp(EncodeBmp8(image));
    ASSERT_EQ(decoded.Width, 3);
    ASSERT_EQ(decoded.Height, 2);
    for (std::int32_t y = 0; y < 2; ++y) {
        for (std::int32_t x = 0; x < 3; ++x) {
            const auto& colour = image.Palette[image.Indices[static_cast<std::size_t>(y * 3 + x)]];
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(decoded.Row(y)[x * 4 + c], colour[c]);
            }
        }
    }
}

TEST(BmpWriter, RefusesPicturesItCannotWrite) {
    EXPECT_THROW(EncodeBmp24({0, 0, {}}), std::invalid_argument);
    EXPECT_THROW(EncodeBmp24({2, 2, std::vector<std::uint8_t>(11)}), std::invalid_argument);
    EXPECT_THROW(EncodeBmp8({1, 1, {{1, 2, 3}}, {1}}), std::invalid_argument);
    EXPECT_THROW(EncodeBmp8({1, 1, {}, {0}}), std::invalid_argument);
}

TEST(BmpWriter, QuantisingPicksTheNearestAndOnTiesTheFirstEntry) {
    const RgbImage image{3, 1, {250, 0, 0, 10, 10, 10, 100, 100, 100}};
    const IndexedImage indexed = QuantiseToPalette(image, {{0, 0, 0}, {200, 200, 200}, {255, 0, 0}});
    // (100,100,100) lies exactly between black and light grey.
    EXPECT_EQ(indexed.Indices, (std::vector<std::uint8_t>{2, 0, 0}));
}

TEST(JpegWriter, ReadsBackAtItsSizeWithColoursCloseToTheOriginal) {
    // Odd widths make rows whose length is not a multiple of four.
    for (std::int32_t width : {7, 16, 33}) {
        SCOPED_TRACE(width);
        RgbImage image{width, 9, {}};
        for (std::int32_t i = 0; i < width * 9; ++i) {
            image.Pixels.insert(image.Pixels.end(), {200, 120, 40});
        }
        const platform::Image decoded = platform::DecodeJpeg(EncodeJpeg(image));
        ASSERT_EQ(decoded.Width, width);
        ASSERT_EQ(decoded.Height, 9);
        const std::uint8_t* centre = decoded.Row(4) + (width / 2) * 4;
        EXPECT_NEAR(centre[0], 200, 4);
        EXPECT_NEAR(centre[1], 120, 4);
        EXPECT_NEAR(centre[2], 40, 4);
    }
}

TEST(JpegWriter, TheSamePictureGivesTheSameBytes) {
    const RgbImage image = Gradient(5, 6);
    EXPECT_EQ(EncodeJpeg(image), EncodeJpeg(image));
    EXPECT_NE(EncodeJpeg(image, 50), EncodeJpeg(image, 95));
}

TEST(JpegWriter, RefusesBadQualityAndEmptyPictures) {
    EXPECT_THROW(EncodeJpeg(Gradient(2, 2), 0), std::invalid_argument);
    EXPECT_THROW(EncodeJpeg(Gradient(2, 2), 101), std::invalid_argument);
    EXPECT_THROW(EncodeJpeg({0, 3, {}}), std::invalid_argument);
}

TEST(KeyColour, UncoveredPixelsBecomeExactlyTheKeyAndCoveredOnesNever) {
    Canvas canvas(3, 1, Rgb(128, 128, 128));
    canvas.At(2, 0) = Rgb(10, 20, 30);
    const CoverageMask mask{3, 1, {0, 1, 1}};
    const RgbImage image = ToKeyedImage(canvas, mask);
    EXPECT_TRUE(IsKeyColour(image, 0, 0));
    // A covered pixel that came out as the key colour would vanish in the editor: it is nudged.
    EXPECT_FALSE(IsKeyColour(image, 1, 0));
    EXPECT_EQ(image.Pixel(1, 0)[0], 128);
    EXPECT_EQ(image.Pixel(1, 0)[2], 129);
    EXPECT_EQ(image.Pixel(2, 0)[0], 10);

    const platform::Image decoded = platform::DecodeBmp(EncodeBmp24(image));
    EXPECT_EQ(decoded.Row(0)[0], 128);
    EXPECT_EQ(decoded.Row(0)[6], 129);
}

TEST(KeyColour, RefusesAMaskOfAnotherSize) {
    EXPECT_THROW(ToKeyedImage(Canvas(2, 2), CoverageMask{2, 1, {1, 1}}), std::invalid_argument);
    EXPECT_THROW(ToKeyedImage(Canvas(2, 2), CoverageMask{2, 2, {1, 1}}), std::invalid_argument);
}

}  // namespace
}  // namespace tools
