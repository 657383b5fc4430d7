#include "engine/assets/dds_image.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace engine {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Pixel = std::array<int, 4>;

void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void AppendU16(Bytes& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendU32(Bytes& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

constexpr std::uint32_t kAlphaFlag = 0x1;
constexpr std::uint32_t kFourCCFlag = 0x4;
constexpr std::uint32_t kRgbFlag = 0x40;

struct DdsFile {
    std::string magic = "DDS ";
    std::uint32_t width = 4;
    std::uint32_t height = 4;
    std::uint32_t linearSize = 0;
    std::uint32_t formatFlags = 0;
    std::string fourCC = "\0\0\0\0";
    std::uint32_t bitCount = 0;
    std::array<std::uint32_t, 4> masks{};
    std::uint32_t caps = 0x1000;
    Bytes data;

    Bytes Build() const {
        Bytes bytes(128, 0);
        std::copy(magic.begin(), magic.end(), bytes.begin());
        PutU32(bytes, 4, 124);
        PutU32(bytes, 12, height);
        PutU32(bytes, 16, width);
        PutU32(bytes, 20, linearSize);
        PutU32(bytes, 76, 32);
        PutU32(bytes, 80, formatFlags);
        std::copy(fourCC.begin(), fourCC.begin() + 4, bytes.begin() + 84);
        PutU32(bytes, 88, bitCount);
        for (int i = 0; i < 4; ++i) {
            PutU32(bytes, 92 + 4 * i, masks[i]);
        }
        PutU32(bytes, 108, caps);
        bytes.insert(bytes.end(), data.begin(), data.end());
        return bytes;
    }
};

DdsFile Compressed(const std::string& code, std::uint32_t width, std::uint32_t height, Bytes blocks) {
    DdsFile file;
    file.formatFlags = kFourCCFlag;
    file.fourCC = code;
    file.width = width;
    file.height = height;
    file.linearSize = static_cast<std::uint32_t>(blocks.size());
    file.data = std::move(blocks);
    return file;
}

DdsFile Uncompressed(std::uint32_t bitCount, std::array<std::uint32_t, 4> masks, bool alphaFlag,
                     std::uint32_t width, std::uint32_t height, Bytes data) {
    DdsFile file;
    file.formatFlags = kRgbFlag | (alphaFlag ? kAlphaFlag : 0);
    file.bitCount = bitCount;
    file.masks = masks;
    file.width = width;
    file.height = height;
    file.data = std::move(data);
    return file;
}

// A colour block whose 16 indices are given texel by texel, row by row.
Bytes ColourBlock(std::uint16_t c0, std::uint16_t c1, const std::array<int, 16>& indices) {
    Bytes bytes;
    AppendU16(bytes, c0);
    AppendU16(bytes, c1);
    std::uint32_t bits = 0;
    for (int t = 0; t < 16; ++t) {
        bits |= static_cast<std::uint32_t>(indices[t]) << (2 * t);
    }
    AppendU32(bytes, bits);
    return bytes;
}

Bytes SolidBlock(std::uint16_t colour) { return ColourBlock(colour, 0, {}); }

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TDDSImage Load(const DdsFile& file) {
    TDDSImage image;
    image.LoadFromData(file.Build());
    return image;
}

Pixel At(const platform::Image& image, int x, int y) {
    const std::uint8_t* p = image.Row(y) + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}

std::string FailureOf(const Bytes& bytes) {
    TDDSImage image;
    try {
        image.LoadFromData(bytes);
    } catch (const EDDSException& error) {
        return error.what();
    }
    return "(no error)";
}

constexpr std::uint16_t kRed = 0xF800;
constexpr std::uint16_t kGreen = 0x07E0;
constexpr std::uint16_t kBlue = 0x001F;
constexpr std::array<int, 16> kIndexRamp = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};

TEST(DDSImage, Dxt1FourColourPaletteIsOpaqueWhateverTheAlphaFlag) {
    DdsFile file = Compressed("DXT1", 4, 4, ColourBlock(kRed, kBlue, kIndexRamp));
    file.formatFlags |= kAlphaFlag;
    const TDDSImage image = Load(file);
    ASSERT_EQ(image.Width, 4);
    ASSERT_EQ(image.Height, 4);
    EXPECT_FALSE(image.HasAlpha);
    EXPECT_EQ(At(image, 0, 0), (Pixel{248, 0, 0, 255}));
    EXPECT_EQ(At(image, 1, 0), (Pixel{0, 0, 248, 255}));
    EXPECT_EQ(At(image, 2, 0), (Pixel{165, 0, 83, 255}));
    EXPECT_EQ(At(image, 3, 3), (Pixel{83, 0, 165, 255}));
}

TEST(DDSImage, Dxt1ThreeColourModeMakesIndexThreeTransparent) {
    const TDDSImage image = Load(Compressed("DXT1", 4, 4, ColourBlock(kBlue, kRed, kIndexRamp)));
    EXPECT_TRUE(image.HasAlpha);
    EXPECT_EQ(At(image, 0, 0), (Pixel{0, 0, 248, 255}));
    EXPECT_EQ(At(image, 1, 0), (Pixel{248, 0, 0, 255}));
    EXPECT_EQ(At(image, 2, 0), (Pixel{124, 0, 124, 255}));
    EXPECT_EQ(At(image, 3, 0), (Pixel{165, 0, 83, 0}));

    const TDDSImage equal = Load(Compressed("DXT1", 4, 4, ColourBlock(kGreen, kGreen, kIndexRamp)));
    EXPECT_TRUE(equal.HasAlpha) << "c0 == c1 is the three-colour mode";
    EXPECT_EQ(At(equal, 3, 1), (Pixel{0, 252, 0, 0}));
}

TEST(DDSImage, Dxt1TransparencyComesFromAnyBlockInThreeColourMode) {
    const Bytes blocks = Concat({ColourBlock(kRed, kBlue, {}), ColourBlock(kBlue, kRed, {})});
    EXPECT_TRUE(Load(Compressed("DXT1", 8, 4, blocks)).HasAlpha);
}

TEST(DDSImage, BlocksAreLaidOutRowByRowLeftToRight) {
    const Bytes blocks = Concat({SolidBlock(kRed), SolidBlock(kGreen), SolidBlock(kBlue), SolidBlock(0xFFFF)});
    const TDDSImage image = Load(Compressed("DXT1", 8, 8, blocks));
    EXPECT_EQ(At(image, 3, 3), (Pixel{248, 0, 0, 255}));
    EXPECT_EQ(At(image, 4, 0), (Pixel{0, 252, 0, 255}));
    EXPECT_EQ(At(image, 0, 7), (Pixel{0, 0, 248, 255}));
    EXPECT_EQ(At(image, 7, 4), (Pixel{248, 252, 248, 255}));
}

TEST(DDSImage, PartialEdgeBlocksAreDecoded) {
    const Bytes blocks = Concat({SolidBlock(kRed), SolidBlock(kGreen), SolidBlock(kBlue), SolidBlock(0xFFFF)});
    const TDDSImage image = Load(Compressed("DXT1", 6, 5, blocks));
    ASSERT_EQ(image.Pixels.size(), 6u * 5u * 4u);
    EXPECT_EQ(At(image, 5, 0), (Pixel{0, 252, 0, 255}));
    EXPECT_EQ(At(image, 0, 4), (Pixel{0, 0, 248, 255}));
    EXPECT_EQ(At(image, 5, 4), (Pixel{248, 252, 248, 255}));

    const TDDSImage tiny = Load(Compressed("DXT1", 2, 1, SolidBlock(kGreen)));
    EXPECT_EQ(At(tiny, 1, 0), (Pixel{0, 252, 0, 255}));
}

TEST(DDSImage, Dxt3TakesExplicitAlphaAndAlwaysFourColours) {
    Bytes alpha;
    AppendU16(alpha, 0x3210);
    AppendU16(alpha, 0x7654);
    AppendU16(alpha, 0xBA98);
    AppendU16(alpha, 0xFEDC);
    const TDDSImage image = Load(Compressed("DXT3", 4, 4, Concat({alpha, ColourBlock(kBlue, kRed, kIndexRamp)})));
    EXPECT_TRUE(image.HasAlpha);
    for (int texel = 0; texel < 16; ++texel) {
        EXPECT_EQ(At(image, texel % 4, texel / 4)[3], texel * 17) << "texel " << texel;
    }
    EXPECT_EQ(At(image, 2, 0), (Pixel{83, 0, 165, 34})) << "c0 <= c1 still interpolates in thirds";
}

// A DXT5 block whose texels use alpha indices 0..7 twice over, on an opaque colour block.
Bytes Dxt5Block(std::uint8_t a0, std::uint8_t a1) {
    Bytes bytes{a0, a1};
    std::uint64_t bits = 0;
    for (int t = 0; t < 16; ++t) {
        bits |= static_cast<std::uint64_t>(t % 8) << (3 * t);
    }
    for (int i = 0; i < 6; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    }
    return Concat({bytes, ColourBlock(kBlue, kRed, kIndexRamp)});
}

std::vector<int> AlphaRow(const platform::Image& image, int from) {
    std::vector<int> alphas;
    for (int t = from; t < from + 8; ++t) {
        alphas.push_back(At(image, t % 4, t / 4)[3]);
    }
    return alphas;
}

TEST(DDSImage, Dxt5InterpolatesEightAlphasWhenA0IsGreater) {
    const TDDSImage image = Load(Compressed("DXT5", 4, 4, Dxt5Block(255, 0)));
    EXPECT_TRUE(image.HasAlpha);
    const std::vector<int> expected{255, 0, 219, 182, 146, 109, 73, 36};
    EXPECT_EQ(AlphaRow(image, 0), expected);
    EXPECT_EQ(AlphaRow(image, 8), expected) << "indices of rows 2 and 3 come from the second 24 bits";
    EXPECT_EQ(At(image, 3, 0), (Pixel{165, 0, 83, 182})) << "colour stays in four-colour mode";
}

TEST(DDSImage, Dxt5InterpolatesSixAlphasPlusZeroAndFullOtherwise) {
    const TDDSImage image = Load(Compressed("DXT5", 4, 4, Dxt5Block(0, 255)));
    EXPECT_EQ(AlphaRow(image, 0), (std::vector<int>{0, 255, 51, 102, 153, 204, 0, 255}));
    EXPECT_EQ(AlphaRow(image, 8), (std::vector<int>{0, 255, 51, 102, 153, 204, 0, 255}));
    const TDDSImage equal = Load(Compressed("DXT5", 4, 4, Dxt5Block(100, 100)));
    EXPECT_EQ(AlphaRow(equal, 0), (std::vector<int>{100, 100, 100, 100, 100, 100, 0, 255}));
}

TEST(DDSImage, MipmapsAfterTheTopLevelAreIgnored) {
    DdsFile file = Compressed("DXT1", 4, 4, Concat({SolidBlock(kRed), SolidBlock(kBlue)}));
    const TDDSImage image = Load(file);
    EXPECT_EQ(At(image, 0, 0), (Pixel{248, 0, 0, 255}));
}

Bytes U16Pixels(std::initializer_list<std::uint16_t> values) {
    Bytes bytes;
    for (std::uint16_t value : values) {
        AppendU16(bytes, value);
    }
    return bytes;
}

Bytes U32Pixels(std::initializer_list<std::uint32_t> values) {
    Bytes bytes;
    for (std::uint32_t value : values) {
        AppendU32(bytes, value);
    }
    return bytes;
}

TEST(DDSImage, Uncompressed565ScalesByShiftingLeft) {
    const TDDSImage image =
        Load(Uncompressed(16, {0xF800, 0x07E0, 0x001F, 0}, false, 2, 1, U16Pixels({0xFFFF, 0x8410})));
    EXPECT_FALSE(image.HasAlpha);
    EXPECT_EQ(At(image, 0, 0), (Pixel{248, 252, 248, 255}));
    EXPECT_EQ(At(image, 1, 0), (Pixel{128, 128, 128, 255}));
}

TEST(DDSImage, Uncompressed4444UsesTheAlphaMaskWhenFlagged) {
    const TDDSImage image =
        Load(Uncompressed(16, {0x0F00, 0x00F0, 0x000F, 0xF000}, true, 2, 1, U16Pixels({0x8F3C, 0x0FFF})));
    EXPECT_TRUE(image.HasAlpha);
    EXPECT_EQ(At(image, 0, 0), (Pixel{255, 51, 204, 136}));
    EXPECT_EQ(At(image, 1, 0), (Pixel{255, 255, 255, 0}));
}

TEST(DDSImage, Uncompressed8888KeepsBytesAndRowsRunTopDown) {
    const TDDSImage image = Load(Uncompressed(32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, true, 1, 2,
                                              U32Pixels({0x80102030, 0x00405060})));
    EXPECT_TRUE(image.HasAlpha);
    EXPECT_EQ(At(image, 0, 0), (Pixel{0x10, 0x20, 0x30, 0x80}));
    EXPECT_EQ(At(image, 0, 1), (Pixel{0x40, 0x50, 0x60, 0x00}));
}

TEST(DDSImage, FormatsWithoutAlphaAreOpaqueWhateverTheUnusedBitsHold) {
    const TDDSImage x8r8g8b8 = Load(Uncompressed(32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0}, false, 1, 1,
                                                 U32Pixels({0x12345678})));
    EXPECT_FALSE(x8r8g8b8.HasAlpha);
    EXPECT_EQ(At(x8r8g8b8, 0, 0), (Pixel{0x34, 0x56, 0x78, 255}));

    const TDDSImage unflagged = Load(Uncompressed(32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, false, 1, 1,
                                                  U32Pixels({0x00345678})));
    EXPECT_FALSE(unflagged.HasAlpha);
    EXPECT_EQ(At(unflagged, 0, 0)[3], 255);

    const TDDSImage rgb24 = Load(Uncompressed(24, {0xFF0000, 0x00FF00, 0x0000FF, 0}, false, 1, 1, {0x03, 0x02, 0x01}));
    EXPECT_EQ(At(rgb24, 0, 0), (Pixel{1, 2, 3, 255}));
}

TEST(DDSImage, AlphaFlagWithoutAlphaBitsLoadsOpaque) {
    const TDDSImage image = Load(Uncompressed(32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0}, true, 1, 1,
                                              U32Pixels({0x00FFFFFF})));
    EXPECT_FALSE(image.HasAlpha);
    EXPECT_EQ(At(image, 0, 0), (Pixel{255, 255, 255, 255}));
}

TEST(DDSImage, ChannelsWiderThanEightBitsAreScaledDown) {
    const std::array<std::uint32_t, 4> a2r10g10b10{0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000};
    const TDDSImage image = Load(Uncompressed(32, a2r10g10b10, true, 1, 1, U32Pixels({0xFFF80000})));
    EXPECT_EQ(At(image, 0, 0), (Pixel{255, 127, 0, 255}));
}

TEST(DDSImage, HeaderFailuresCarryTheirMessages) {
    DdsFile wrongMagic;
    wrongMagic.magic = "DDS_";
    EXPECT_EQ(FailureOf(wrongMagic.Build()), "Invalid DDS file");

    DdsFile noTextureCap = Compressed("DXT1", 4, 4, SolidBlock(kRed));
    noTextureCap.caps = 0x8;
    EXPECT_EQ(FailureOf(noTextureCap.Build()), "Unsupported DDSCAPS settings");

    EXPECT_EQ(FailureOf(Compressed("DXT2", 4, 4, Concat({SolidBlock(0), SolidBlock(0)})).Build()),
              "Unsupported compression type: DXT2");
    EXPECT_EQ(FailureOf(Compressed("ATI2", 4, 4, {}).Build()), "Unsupported compression type: ATI2");

    EXPECT_EQ(FailureOf(Uncompressed(12, {0xF00, 0xF0, 0xF, 0}, false, 1, 1, {0, 0}).Build()),
              "Unsupported DDS bit count: 12");
    EXPECT_EQ(FailureOf(Uncompressed(0, {}, false, 1, 1, {}).Build()), "Unsupported DDS bit count: 0");
}

TEST(DDSImage, ShortOrLyingFilesFailWithoutReadingPastTheData) {
    Bytes header = Compressed("DXT1", 4, 4, SolidBlock(kRed)).Build();
    header.resize(100);
    EXPECT_EQ(FailureOf(header), "Stream read error");
    EXPECT_EQ(FailureOf({}), "Stream read error");

    Bytes shortBlocks = Compressed("DXT5", 8, 4, Dxt5Block(1, 2)).Build();
    EXPECT_EQ(FailureOf(shortBlocks), "Stream read error") << "two blocks announced, one present";

    DdsFile linearSizePastEnd = Compressed("DXT1", 4, 4, SolidBlock(kRed));
    linearSizePastEnd.linearSize = 64;
    EXPECT_EQ(FailureOf(linearSizePastEnd.Build()), "Stream read error");

    const auto large = Uncompressed(32, {0xFF0000, 0xFF00, 0xFF, 0}, false, 4096, 4096, U32Pixels({0}));
    EXPECT_EQ(FailureOf(large.Build()), "Stream read error") << "checked before allocating";
    EXPECT_EQ(FailureOf(Compressed("DXT1", 16384, 2048, SolidBlock(kRed)).Build()), "Stream read error");
    EXPECT_EQ(FailureOf(Uncompressed(16, {0xF800, 0x7E0, 0x1F, 0}, false, 2, 2, U16Pixels({1, 2, 3})).Build()),
              "Stream read error");
}

TEST(DDSImage, AbsurdSizesAreRefusedBeforeAnyAllocation) {
    EXPECT_EQ(FailureOf(Compressed("DXT1", 0xFFFFFFFF, 0xFFFFFFFF, SolidBlock(kRed)).Build()),
              "DDS image is too large (4294967295 x 4294967295)");
    EXPECT_EQ(FailureOf(Uncompressed(8, {0xFF, 0xFF, 0xFF, 0}, false, 16385, 1, Bytes(16385)).Build()),
              "DDS image is too large (16385 x 1)");
}

TEST(DDSImage, AFailedLoadKeepsThePreviousBitmap) {
    TDDSImage image;
    image.LoadFromData(Compressed("DXT1", 4, 4, SolidBlock(kGreen)).Build());
    Bytes broken = Compressed("DXT1", 8, 8, SolidBlock(kRed)).Build();
    EXPECT_THROW(image.LoadFromData(broken), EDDSException);
    EXPECT_EQ(image.Width, 4);
    EXPECT_EQ(At(image, 3, 3), (Pixel{0, 252, 0, 255}));
}

TEST(DDSImage, EmptyImageHasNoPixels) {
    const TDDSImage image = Load(Compressed("DXT1", 0, 4, {}));
    EXPECT_EQ(image.Width, 0);
    EXPECT_EQ(image.Height, 0);
    EXPECT_TRUE(image.Pixels.empty());
    EXPECT_TRUE(Load(Compressed("DXT1", 0, 0xFFFFFFFF, {})).Pixels.empty());
    const TDDSImage wide = Load(Uncompressed(32, {0xFF0000, 0xFF00, 0xFF, 0}, false, 0xFFFFFFFF, 0, {}));
    EXPECT_EQ(wide.Height, 0);
    EXPECT_TRUE(wide.Pixels.empty());
}

}  // namespace
}  // namespace engine
