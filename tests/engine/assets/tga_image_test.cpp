#include "engine/assets/tga_image.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace engine {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Pixel = std::array<int, 4>;

constexpr std::uint8_t kTopDown = 0x20;

Bytes Header(std::uint8_t type, std::uint16_t width, std::uint16_t height, std::uint8_t depth,
             std::uint8_t descriptor, std::uint8_t idLength = 0, std::uint8_t colourMapType = 0) {
    Bytes bytes(18, 0);
    bytes[0] = idLength;
    bytes[1] = colourMapType;
    bytes[2] = type;
    bytes[12] = static_cast<std::uint8_t>(width);
    bytes[13] = static_cast<std::uint8_t>(width >> 8);
    bytes[14] = static_cast<std::uint8_t>(height);
    bytes[15] = static_cast<std::uint8_t>(height >> 8);
    bytes[16] = depth;
    bytes[17] = descriptor;
    bytes.resize(18 + idLength, 'i');
    return bytes;
}

Bytes With(Bytes header, const Bytes& data) {
    header.insert(header.end(), data.begin(), data.end());
    return header;
}

Pixel At(const platform::Image& image, int x, int y) {
    const std::uint8_t* p = image.Row(y) + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}

TTGAImage Load(const Bytes& bytes) {
    TTGAImage image;
    image.LoadFromData(bytes);
    return image;
}

std::string FailureOf(const Bytes& bytes) {
    TTGAImage image;
    try {
        image.LoadFromData(bytes);
    } catch (const ETGAException& error) {
        return error.what();
    }
    return "(no error)";
}

// Three stored rows of two 24-bit pixels (blue, green, red), the first row stored first.
const Bytes kStoredRows24 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};

TEST(TGAImage, BottomUpAndTopDownFilesAreVerticalMirrors) {
    const TTGAImage bottomUp = Load(With(Header(2, 2, 3, 24, 0), kStoredRows24));
    const TTGAImage topDown = Load(With(Header(2, 2, 3, 24, kTopDown), kStoredRows24));
    ASSERT_EQ(bottomUp.Width, 2);
    ASSERT_EQ(bottomUp.Height, 3);
    EXPECT_FALSE(bottomUp.HasAlpha);
    EXPECT_EQ(At(topDown, 0, 0), (Pixel{3, 2, 1, 255}));
    EXPECT_EQ(At(topDown, 1, 2), (Pixel{18, 17, 16, 255}));
    EXPECT_EQ(At(bottomUp, 0, 2), (Pixel{3, 2, 1, 255}));
    EXPECT_EQ(At(bottomUp, 1, 0), (Pixel{18, 17, 16, 255}));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(At(bottomUp, x, y), At(topDown, x, 2 - y));
        }
    }
}

TEST(TGAImage, ThirtyTwoBitFilesKeepTheirAlpha) {
    const TTGAImage image = Load(With(Header(2, 2, 1, 32, kTopDown), {10, 20, 30, 0, 40, 50, 60, 128}));
    EXPECT_TRUE(image.HasAlpha);
    EXPECT_EQ(At(image, 0, 0), (Pixel{30, 20, 10, 0}));
    EXPECT_EQ(At(image, 1, 0), (Pixel{60, 50, 40, 128}));
}

TEST(TGAImage, IdentificationFieldIsSkipped) {
    const TTGAImage image = Load(With(Header(2, 1, 1, 24, 0, 5), {7, 8, 9}));
    EXPECT_EQ(At(image, 0, 0), (Pixel{9, 8, 7, 255}));
}

TEST(TGAImage, RunLengthPacketsCrossRowEnds) {
    // 3 x 2 picture, stored top-down: a run of four crosses the end of row 0, then two literals.
    const Bytes packets = {0x83, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9};
    const TTGAImage image = Load(With(Header(10, 3, 2, 24, kTopDown), packets));
    const Bytes raw = {1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const TTGAImage expected = Load(With(Header(2, 3, 2, 24, kTopDown), raw));
    EXPECT_EQ(image.Pixels, expected.Pixels);
    EXPECT_EQ(At(image, 0, 1), (Pixel{3, 2, 1, 255}));
    EXPECT_EQ(At(image, 2, 1), (Pixel{9, 8, 7, 255}));
}

TEST(TGAImage, RunLengthFollowsOrientationAndDepth) {
    const Bytes packets = {0x81, 1, 2, 3, 4, 0x00, 5, 6, 7, 8};
    const TTGAImage image = Load(With(Header(10, 1, 3, 32, 0), packets));
    EXPECT_TRUE(image.HasAlpha);
    EXPECT_EQ(At(image, 0, 2), (Pixel{3, 2, 1, 4}));
    EXPECT_EQ(At(image, 0, 1), (Pixel{3, 2, 1, 4}));
    EXPECT_EQ(At(image, 0, 0), (Pixel{7, 6, 5, 8}));
}

TEST(TGAImage, RunLengthPacketsPastTheLastPixelAreCut) {
    const TTGAImage run = Load(With(Header(10, 2, 1, 24, 0), {0xFF, 1, 2, 3}));
    EXPECT_EQ(run.Pixels, (Bytes{3, 2, 1, 255, 3, 2, 1, 255}));
    const TTGAImage literal = Load(With(Header(10, 1, 1, 24, 0), {0x7F, 1, 2, 3}));
    EXPECT_EQ(literal.Pixels, (Bytes{3, 2, 1, 255}));
}

TEST(TGAImage, TypeZeroGivesAnEmptyBitmap) {
    const TTGAImage image = Load(Header(0, 64, 64, 24, 0));
    EXPECT_EQ(image.Width, 0);
    EXPECT_EQ(image.Height, 0);
    EXPECT_TRUE(image.Pixels.empty());
}

TEST(TGAImage, UnsupportedVariantsCarryTheirMessages) {
    EXPECT_EQ(FailureOf(Header(1, 2, 2, 24, 0, 0, 1)), "ColorMapped TGA unsupported");
    EXPECT_EQ(FailureOf(Header(3, 2, 2, 8, 0)), "Unsupported TGA ImageType");
    EXPECT_EQ(FailureOf(Header(11, 2, 2, 16, 0)), "Unsupported TGA ImageType") << "depth is checked before type";
    EXPECT_EQ(FailureOf(Header(11, 2, 2, 32, 0)), "Unsupported TGA ImageType 11");
    EXPECT_EQ(FailureOf(Header(1, 2, 2, 24, 0)), "Unsupported TGA ImageType 1");
}

TEST(TGAImage, ShortOrLyingFilesFailWithoutReadingPastTheData) {
    EXPECT_EQ(FailureOf(Bytes(17, 0)), "Stream read error");
    Bytes idPastEnd = Header(2, 1, 1, 24, 0);
    idPastEnd[0] = 200;
    EXPECT_EQ(FailureOf(idPastEnd), "Stream read error");
    EXPECT_EQ(FailureOf(With(Header(2, 2, 2, 24, 0), {1, 2, 3, 4, 5, 6, 7, 8, 9})), "Stream read error");
    EXPECT_EQ(FailureOf(With(Header(10, 4, 1, 24, 0), {0x81, 1, 2, 3, 0x01, 4, 5})), "Stream read error");
    EXPECT_EQ(FailureOf(With(Header(10, 4096, 4096, 32, 0), {0xFF, 1, 2, 3, 4})), "Stream read error");
    EXPECT_EQ(FailureOf(With(Header(2, 4096, 4096, 32, 0), {1, 2, 3, 4})), "Stream read error");
}

TEST(TGAImage, AbsurdSizesAreRefusedBeforeAnyAllocation) {
    EXPECT_EQ(FailureOf(With(Header(10, 65535, 65535, 32, 0), Bytes(200000, 0xFF))),
              "TGA image is too large (65535 x 65535)");
}

TEST(TGAImage, AZeroSideGivesAnEmptyBitmap) {
    const TTGAImage image = Load(Header(2, 0, 500, 24, 0));
    EXPECT_EQ(image.Height, 0);
    EXPECT_TRUE(image.Pixels.empty());
    EXPECT_EQ(FailureOf(Header(11, 0, 0, 32, 0)), "Unsupported TGA ImageType 11");
}

TEST(TGAImage, AFailedLoadKeepsThePreviousBitmap) {
    TTGAImage image;
    image.LoadFromData(With(Header(2, 1, 1, 24, 0), {7, 8, 9}));
    EXPECT_THROW(image.LoadFromData(Header(2, 1, 1, 24, 0)), ETGAException);
    EXPECT_THROW(image.LoadFromData(Header(9, 1, 1, 24, 0)), ETGAException);
    ASSERT_EQ(image.Width, 1);
    EXPECT_EQ(At(image, 0, 0), (Pixel{9, 8, 7, 255}));
}

}  // namespace
}  // namespace engine
