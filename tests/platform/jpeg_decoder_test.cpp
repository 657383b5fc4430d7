#include "platform/jpeg_decoder.h"

#include "tests/platform/jpeg_encoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <jpeglib.h>

namespace platform {
namespace {

using test_images::Bytes;
using test_images::EncodeJpeg;

// A 16 x 8 picture: the left half red, the right half blue; wide blocks keep JPEG's error small.
Bytes RedBlueRgb(int width = 16, int height = 8) {
    Bytes pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2;
            pixels.insert(pixels.end(), {std::uint8_t(left ? 255 : 0), 0, std::uint8_t(left ? 0 : 255)});
        }
    }
    return pixels;
}

void ExpectNear(const Image& image, int x, int y, int r, int g, int b) {
    const std::uint8_t* p = image.Row(y) + 4 * x;
    EXPECT_NEAR(p[0], r, 8) << "red at " << x << ", " << y;
    EXPECT_NEAR(p[1], g, 8) << "green at " << x << ", " << y;
    EXPECT_NEAR(p[2], b, 8) << "blue at " << x << ", " << y;
    EXPECT_EQ(p[3], 255);
}

TEST(JpegDecoder, DecodesColourAtFullSizeTopRowFirst) {
    const Image image = DecodeJpeg(EncodeJpeg(16, 8, JCS_RGB, 3, RedBlueRgb()));
    ASSERT_EQ(image.Width, 16);
    ASSERT_EQ(image.Height, 8);
    EXPECT_FALSE(image.HasAlpha);
    ASSERT_EQ(image.Pixels.size(), 16u * 8 * 4);
    ExpectNear(image, 2, 1, 255, 0, 0);
    ExpectNear(image, 13, 6, 0, 0, 255);

    // Vertical order: a top half white over a black bottom half.
    Bytes grey(8 * 16, 0);
    std::fill(grey.begin(), grey.begin() + 8 * 8, 255);
    const Image halves = DecodeJpeg(EncodeJpeg(8, 16, JCS_GRAYSCALE, 1, grey));
    ExpectNear(halves, 3, 2, 255, 255, 255);
    ExpectNear(halves, 3, 13, 0, 0, 0);
}

TEST(JpegDecoder, OddWidthsKeepRowsAligned) {
    // 5 x 3 bytes a row is not a multiple of four: a padded row layout would skew the picture.
    const Image image = DecodeJpeg(EncodeJpeg(5, 4, JCS_RGB, 3, RedBlueRgb(5, 4)));
    ASSERT_EQ(image.Width, 5);
    ASSERT_EQ(image.Pixels.size(), 5u * 4 * 4);
    for (int y = 0; y < 4; ++y) {
        EXPECT_GT(image.Row(y)[0], 200) << "row " << y << " starts red";
        EXPECT_GT(image.Row(y)[4 * 4 + 2], 200) << "row " << y << " ends blue";
    }
}

TEST(JpegDecoder, InvertedCmykBecomesRgb) {
    // Adobe stores 255 - ink: full cyan ink and no other is bytes (0, 255, 255, 255).
    Bytes cmyk;
    for (int i = 0; i < 64; ++i) {
        cmyk.insert(cmyk.end(), {0, 255, 255, 255});
    }
    const Image image = DecodeJpeg(EncodeJpeg(8, 8, JCS_CMYK, 4, cmyk));
    ExpectNear(image, 4, 4, 0, 255, 255);
}

TEST(JpegDecoder, RefusesDamagedFiles) {
    EXPECT_THROW(DecodeJpeg(Bytes{}), ImageError);
    EXPECT_THROW(DecodeJpeg(Bytes{'B', 'M', 0, 0, 0}), ImageError);
    const Bytes good = EncodeJpeg(16, 8, JCS_RGB, 3, RedBlueRgb());
    for (std::size_t size : {std::size_t{2}, std::size_t{20}, good.size() / 2, good.size() - 2}) {
        EXPECT_THROW(DecodeJpeg(std::span(good).first(size)), ImageError) << "cut at " << size;
    }
    // Coded data that stops at the end marker before the picture is complete: libjpeg would make
    // up the rest.
    std::size_t scan = 0;
    while (scan + 1 < good.size() && !(good[scan] == 0xFF && good[scan + 1] == 0xDA)) {
        ++scan;
    }
    Bytes early(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(scan + 16));
    early.insert(early.end(), {0xFF, 0xD9});
    EXPECT_THROW(DecodeJpeg(early), ImageError);
}

TEST(JpegDecoder, RefusesHugeSizesBeforeAllocating) {
    Bytes file = EncodeJpeg(16, 8, JCS_RGB, 3, RedBlueRgb());
    // Patch the frame header (FF C0, length, precision, height, width) to 60000 x 60000.
    for (std::size_t i = 0; i + 9 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] == 0xC0) {
            file[i + 5] = file[i + 7] = 60000 >> 8;
            file[i + 6] = file[i + 8] = 60000 & 0xFF;
            break;
        }
    }
    try {
        DecodeJpeg(file);
        FAIL() << "a 60000 x 60000 frame was accepted";
    } catch (const ImageError& error) {
        EXPECT_NE(std::string(error.what()).find("too large"), std::string::npos) << error.what();
    }
}

TEST(JpegDecoder, CorruptedBytesDecodeOrAreRefused) {
    const Bytes good = EncodeJpeg(16, 8, JCS_RGB, 3, RedBlueRgb());
    for (std::size_t at = 0; at < good.size(); at += 3) {
        Bytes bad = good;
        bad[at] ^= 0xA5;
        try {
            const Image image = DecodeJpeg(bad);
            EXPECT_EQ(image.Pixels.size(), static_cast<std::size_t>(image.Width) * image.Height * 4);
        } catch (const ImageError&) {
        }
    }
}

}  // namespace
}  // namespace platform
