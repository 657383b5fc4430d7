#include "editor/data/texture_pixels.h"

#include "platform/image.h"
#include "tests/platform/bmp_builder.h"
#include "tests/platform/jpeg_encoder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace editor {
namespace {

using namespace test_images;

constexpr std::int32_t kMiddleGrey = 0x808080;

TEST(TextureScaling, QualityScalesWithHalvesRoundedToEven) {
    const std::vector<std::tuple<std::int32_t, std::uint8_t, std::int32_t>> cases = {
        {256, 2, 128}, {128, 2, 64}, {7, 0, 7},                          // halving; quality 0 keeps the size
        {6, 1, 4},     {10, 1, 8},   {2, 1, 2}, {14, 1, 10},             // 4.5, 7.5, 1.5, 10.5
        {4, 1, 3},     {5, 1, 4},    {7, 1, 5},                          // 3, 3.75, 5.25
        {6, 3, 2},     {10, 3, 2},   {4, 3, 1}, {5, 2, 2},   {7, 2, 4},  // 1.5, 2.5, 1, 2.5, 3.5
        {1, 3, 1},     {2, 3, 1},    {1, 1, 1},                          // never below one pixel
        {8, 9, 2},                                                       // above 3 scales as 3
    };
    for (const auto& [size, quality, expected] : cases) {
        EXPECT_EQ(ScaledSize(size, quality), expected) << size << " at quality " << int(quality);
    }
}

// A 4 x 2 bitmap, each pixel its own colour, stored bottom-up.
Bytes FourByTwo() {
    BmpDesc desc = Desc(4, 2, 24, 0);
    desc.pixels = Rows({{0, 0, 5, 0, 0, 6, 0, 0, 7, 0, 0, 8}, {0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0, 4}});
    return MakeBmp(desc);
}

std::vector<int> Reds(const TexturePixels& texture) {
    const std::size_t step = texture.Format == TextureFormat::RGBA ? 4 : 3;
    std::vector<int> reds;
    for (std::size_t i = 0; i < texture.Buffer.size(); i += step) {
        reds.push_back(texture.Buffer[i]);
    }
    return reds;
}

TEST(BmpTexture, TopRowFirstAndPointSampled) {
    const TexturePixels full = BmpTexturePixels(FourByTwo(), 0, kMiddleGrey);
    EXPECT_EQ(full.Format, TextureFormat::RGBA);
    EXPECT_EQ(full.Width, 4);
    EXPECT_EQ(full.Height, 2);
    EXPECT_EQ(Reds(full), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));

    // Half size keeps whole rows and columns; no colour is a mix of two.
    const TexturePixels half = BmpTexturePixels(FourByTwo(), 2, kMiddleGrey);
    EXPECT_EQ(half.Width, 2);
    EXPECT_EQ(half.Height, 1);
    EXPECT_EQ(Reds(half), (std::vector<int>{1, 3}));

    const TexturePixels threeQuarters = BmpTexturePixels(FourByTwo(), 1, kMiddleGrey);
    EXPECT_EQ(threeQuarters.Width, 3);
    EXPECT_EQ(threeQuarters.Height, 2);
    EXPECT_EQ(Reds(threeQuarters), (std::vector<int>{1, 2, 3, 5, 6, 7}));
}

TEST(BmpTexture, KeyColourAloneIsTransparent) {
    BmpDesc desc = Desc(4, 1, 24, 0);
    // Stored blue, green, red: grey, grey with blue 129, black, grey with red 129.
    desc.pixels = Rows({{128, 128, 128, 129, 128, 128, 0, 0, 0, 128, 128, 129}});
    const TexturePixels grey = BmpTexturePixels(MakeBmp(desc), 0, kMiddleGrey);
    ASSERT_EQ(grey.Buffer.size(), 16u);
    EXPECT_EQ(grey.Buffer[3], 0);
    EXPECT_EQ(grey.Buffer[7], 255);
    EXPECT_EQ(grey.Buffer[11], 255);
    EXPECT_EQ(grey.Buffer[15], 255);
    EXPECT_EQ((std::vector<int>{grey.Buffer[4], grey.Buffer[5], grey.Buffer[6]}), (std::vector<int>{128, 128, 129}));

    // The key is 0x00BBGGRR: red in the low byte.
    const TexturePixels redKey = BmpTexturePixels(MakeBmp(desc), 0, 0x808081);
    EXPECT_EQ(redKey.Buffer[15], 0);
    EXPECT_EQ(redKey.Buffer[7], 255);
    const TexturePixels blackKey = BmpTexturePixels(MakeBmp(desc), 0, 0);
    EXPECT_EQ(blackKey.Buffer[11], 0);
}

TEST(BmpTexture, FileAlphaIsDroppedForTheKey) {
    BmpDesc desc = Desc(2, 1, 32, 3);
    desc.headerSize = 124;
    desc.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    desc.pixels = {1, 2, 3, 0, 128, 128, 128, 255};
    const TexturePixels texture = BmpTexturePixels(MakeBmp(desc), 0, kMiddleGrey);
    EXPECT_EQ(texture.Buffer, (Bytes{3, 2, 1, 255, 128, 128, 128, 0}));
}

TEST(JpgTexture, RgbRowsTightlyPackedAndScaled) {
    Bytes rgb;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 5; ++x) {
            rgb.insert(rgb.end(), {200, 100, 50});
        }
    }
    const Bytes jpeg = EncodeJpeg(5, 6, JCS_RGB, 3, rgb);
    const TexturePixels full = JpgTexturePixels(jpeg, 0);
    EXPECT_EQ(full.Format, TextureFormat::RGB);
    EXPECT_EQ(full.Width, 5);
    EXPECT_EQ(full.Height, 6);
    ASSERT_EQ(full.Buffer.size(), 5u * 6 * 3) << "no padding after the 15-byte rows";
    EXPECT_NEAR(full.Buffer[3 * 29], 200, 4);
    EXPECT_NEAR(full.Buffer[3 * 29 + 2], 50, 4);

    const TexturePixels small = JpgTexturePixels(jpeg, 3);
    EXPECT_EQ(small.Width, 1);   // 1.25
    EXPECT_EQ(small.Height, 2);  // 1.5
    EXPECT_EQ(small.Buffer.size(), 6u);
}

TEST(TextureDecoding, RecordsOfTheWrongKindAreRefused) {
    const Bytes jpeg = EncodeJpeg(1, 1, JCS_RGB, 3, {1, 2, 3});
    EXPECT_THROW(BmpTexturePixels(jpeg, 0, 0), platform::ImageError);
    EXPECT_THROW(JpgTexturePixels(FourByTwo(), 0), platform::ImageError);
    EXPECT_THROW(JpgTexturePixels(Bytes{}, 0), platform::ImageError);
}

}  // namespace
}  // namespace editor
