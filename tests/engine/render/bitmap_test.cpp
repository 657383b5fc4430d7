#include "engine/render/bitmap32.h"
#include "engine/render/texture_format.h"

#include <GL/glext.h>
#include <gtest/gtest.h>

namespace {

using engine::TGLBitmap32;
using engine::TGLTextureImageAlpha;

platform::Image MakeImage(int width, int height, bool hasAlpha) {
    platform::Image image;
    image.Width = width;
    image.Height = height;
    image.HasAlpha = hasAlpha;
    image.Pixels.resize(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.Row(y) + x * 4;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = 7;
            p[3] = static_cast<std::uint8_t>(x + y);
        }
    }
    return image;
}

TGLBitmap32 OnePixel(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    return TGLBitmap32{1, 1, {r, g, b, a}};
}

TEST(Bitmap32, ConversionPutsTheBottomRowFirstAndKeepsAlpha) {
    const TGLBitmap32 bitmap = engine::ConvertToBitmap32(MakeImage(4, 3, true));
    ASSERT_EQ(bitmap.Width, 4);
    ASSERT_EQ(bitmap.Height, 3);
    // Memory row 0 is picture row 2.
    EXPECT_EQ(bitmap.Data[1], 2);
    EXPECT_EQ(bitmap.Data[4 * 4 * 2 + 1], 0);
    EXPECT_EQ(bitmap.Data[3 * 4 + 3], 3 + 2);
}

TEST(Bitmap32, PictureWithoutAlphaConvertsOpaque) {
    const TGLBitmap32 bitmap = engine::ConvertToBitmap32(MakeImage(4, 2, false));
    for (std::size_t i = 3; i < bitmap.Data.size(); i += 4) {
        ASSERT_EQ(bitmap.Data[i], 255);
    }
}

TEST(Bitmap32, WidthIsStretchedToAMultipleOfFour) {
    const TGLBitmap32 stretched = engine::ConvertToBitmap32(MakeImage(302, 200, false));
    EXPECT_EQ(stretched.Width, 304);
    EXPECT_EQ(stretched.Height, 200);
    // The stretch samples the nearest source column: the ends stay the ends.
    EXPECT_EQ(stretched.Data[0], 0);
    EXPECT_EQ(stretched.Data[303 * 4], 301 & 0xFF);
    const TGLBitmap32 square = engine::ConvertToBitmap32(MakeImage(256, 256, false));
    EXPECT_EQ(square.Width, 256);
    EXPECT_EQ(square.Data[255 * 4], 255);
}

// Stretching a picture whose width is not a multiple of 4 must not throw its alpha away.
TEST(Bitmap32, RegressionStretchedPictureKeepsItsAlpha) {
    const TGLBitmap32 bitmap = engine::ConvertToBitmap32(MakeImage(3, 1, true));
    ASSERT_EQ(bitmap.Width, 4);
    EXPECT_EQ(bitmap.Data[3], 0);
    EXPECT_EQ(bitmap.Data[3 * 4 + 3], 2);
}

TEST(Bitmap32, EmptyOrShortPicturesConvertEmpty) {
    EXPECT_TRUE(engine::ConvertToBitmap32(platform::Image{}).Empty());
    platform::Image lying = MakeImage(4, 4, false);
    lying.Height = 5;  // more rows than pixels
    EXPECT_TRUE(engine::ConvertToBitmap32(lying).Empty());
}

TEST(ImageAlpha, EachModeDerivesAlphaFromTheColour) {
    struct Case {
        TGLTextureImageAlpha mode;
        std::uint8_t r, g, b;
        std::uint8_t alpha;
    };
    const std::vector<Case> cases = {
        {TGLTextureImageAlpha::tiaDefault, 30, 60, 90, 17},
        {TGLTextureImageAlpha::tiaAlphaFromIntensity, 30, 60, 90, 60},
        {TGLTextureImageAlpha::tiaLuminance, 10, 10, 11, 10},  // integer division
        {TGLTextureImageAlpha::tiaSuperBlackTransparent, 0, 0, 0, 0},
        {TGLTextureImageAlpha::tiaSuperBlackTransparent, 0, 0, 1, 255},
        {TGLTextureImageAlpha::tiaLuminanceSqrt, 64, 64, 64, 128},  // sqrt(64/255)·255 = 127.75
        {TGLTextureImageAlpha::tiaOpaque, 1, 2, 3, 255},
        {TGLTextureImageAlpha::tiaInverseLuminance, 30, 60, 90, 195},
        {TGLTextureImageAlpha::tiaInverseLuminanceSqrt, 64, 64, 64, 127},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        TGLBitmap32 bitmap = OnePixel(c.r, c.g, c.b, 17);
        engine::ApplyImageAlpha(bitmap, c.mode);
        EXPECT_EQ(bitmap.Data[3], c.alpha);
        EXPECT_EQ(bitmap.Data[0], c.r);  // colour untouched
    }
}

TEST(ImageAlpha, TopLeftPointColourMeansTheFirstPixelInMemory) {
    TGLBitmap32 bitmap{2, 2, {5, 5, 5, 9, 6, 5, 5, 9, 5, 5, 5, 9, 0, 0, 0, 9}};
    engine::ApplyImageAlpha(bitmap, TGLTextureImageAlpha::tiaTopLeftPointColorTransparent);
    EXPECT_EQ(bitmap.Data[3], 0);
    EXPECT_EQ(bitmap.Data[7], 255);
    EXPECT_EQ(bitmap.Data[11], 0);
    EXPECT_EQ(bitmap.Data[15], 255);
}

TEST(BrightnessAndGamma, ScaleClampAndLeaveAlpha) {
    TGLBitmap32 bright = OnePixel(100, 200, 3, 50);
    engine::ApplyBrightnessAndGamma(bright, 1.5f, 1.0f);
    EXPECT_EQ(bright.Data, (std::vector<std::uint8_t>{150, 255, 5, 50}));  // 4.5 rounds up

    TGLBitmap32 gamma = OnePixel(64, 255, 0, 50);
    engine::ApplyBrightnessAndGamma(gamma, 1.0f, 2.0f);
    EXPECT_EQ(gamma.Data, (std::vector<std::uint8_t>{128, 255, 0, 50}));

    // Below 0.1 the exponent is 10: (128/255)^10·255 = 0.26.
    TGLBitmap32 dark = OnePixel(128, 250, 255, 50);
    engine::ApplyBrightnessAndGamma(dark, 1.0f, 0.05f);
    EXPECT_EQ(dark.Data, (std::vector<std::uint8_t>{0, 209, 255, 50}));

    TGLBitmap32 negative = OnePixel(100, 100, 100);
    engine::ApplyBrightnessAndGamma(negative, -2.0f, 1.0f);
    EXPECT_EQ(negative.Data[0], 0);
}

TEST(UploadSize, RoundsUpToAPowerOfTwoWithinTheLimit) {
    EXPECT_EQ(engine::UploadDimension(304, 2048), 512);
    EXPECT_EQ(engine::UploadDimension(200, 2048), 256);
    EXPECT_EQ(engine::UploadDimension(256, 2048), 256);
    EXPECT_EQ(engine::UploadDimension(1, 2048), 1);
    EXPECT_EQ(engine::UploadDimension(3000, 2048), 2048);
    EXPECT_EQ(engine::UploadDimension(300, 100), 64);  // an odd limit is never exceeded
}

TEST(InternalFormat, DefaultsAndUncompressedFormats) {
    using engine::TGLTextureCompression;
    using engine::TGLTextureFormat;
    const auto format = [](TGLTextureFormat f, TGLTextureCompression c = TGLTextureCompression::tcDefault) {
        return engine::ChooseInternalFormat(f, c, true);
    };
    EXPECT_EQ(format(TGLTextureFormat::tfDefault).internalFormat, static_cast<GLenum>(GL_RGBA8));
    EXPECT_EQ(format(TGLTextureFormat::tfDefault).compressionHint, 0u);
    EXPECT_EQ(format(TGLTextureFormat::tfRGB16, TGLTextureCompression::tcNone).internalFormat,
              static_cast<GLenum>(GL_RGB5));
    EXPECT_EQ(format(TGLTextureFormat::tfRGBA16).internalFormat, static_cast<GLenum>(GL_RGBA4));
    EXPECT_EQ(format(TGLTextureFormat::tfLuminanceAlpha).internalFormat,
              static_cast<GLenum>(GL_LUMINANCE8_ALPHA8));
    EXPECT_EQ(format(TGLTextureFormat::tfNormalMap).internalFormat, static_cast<GLenum>(GL_RGB8));
}

TEST(InternalFormat, CompressionNeedsSupportAndSkipsFloatFormats) {
    using engine::TGLTextureCompression;
    using engine::TGLTextureFormat;
    const auto speed = engine::ChooseInternalFormat(TGLTextureFormat::tfRGBA16, TGLTextureCompression::tcHighSpeed, true);
    EXPECT_EQ(speed.internalFormat, static_cast<GLenum>(GL_COMPRESSED_RGBA));
    EXPECT_EQ(speed.compressionHint, static_cast<GLenum>(GL_FASTEST));
    const auto quality = engine::ChooseInternalFormat(TGLTextureFormat::tfRGB16, TGLTextureCompression::tcHighQuality, true);
    EXPECT_EQ(quality.internalFormat, static_cast<GLenum>(GL_COMPRESSED_RGB));
    EXPECT_EQ(quality.compressionHint, static_cast<GLenum>(GL_NICEST));
    EXPECT_EQ(engine::ChooseInternalFormat(TGLTextureFormat::tfIntensity, TGLTextureCompression::tcStandard, true)
                  .internalFormat,
              static_cast<GLenum>(GL_COMPRESSED_INTENSITY));

    const auto unsupported = engine::ChooseInternalFormat(TGLTextureFormat::tfRGBA16, TGLTextureCompression::tcHighSpeed, false);
    EXPECT_EQ(unsupported.internalFormat, static_cast<GLenum>(GL_RGBA4));
    EXPECT_EQ(unsupported.compressionHint, 0u);
    const auto floats = engine::ChooseInternalFormat(TGLTextureFormat::tfRGBAFloat16, TGLTextureCompression::tcStandard, true);
    EXPECT_EQ(floats.internalFormat, static_cast<GLenum>(GL_RGBA16F));
    EXPECT_EQ(floats.compressionHint, 0u);
}

}  // namespace
