#include "tools/writers/dds_writer.h"

#include "engine/assets/dds_image.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tools {
namespace {

// Every pixel differs, so a row, column or channel mix-up shows; alpha is binary, as in the game.
RgbaImage Pattern(std::int32_t width, std::int32_t height) {
    RgbaImage image{width, height, {}};
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            image.Pixels.push_back(static_cast<std::uint8_t>(x * 37 + 5));
            image.Pixels.push_back(static_cast<std::uint8_t>(y * 29 + 11));
            image.Pixels.push_back(static_cast<std::uint8_t>(x * 13 + y * 7));
            image.Pixels.push_back((x + y) % 3 == 0 ? 0 : 255);
        }
    }
    return image;
}

// 4 x 4 blocks of one colour each, alpha per block, the colours far apart so a mix-up shows.
RgbaImage Blocks(std::uint8_t alpha) {
    const std::uint8_t colours[4][3] = {{128, 0, 0}, {0, 128, 0}, {0, 0, 128}, {120, 64, 96}};
    RgbaImage image{8, 8, {}};
    for (std::int32_t y = 0; y < 8; ++y) {
        for (std::int32_t x = 0; x < 8; ++x) {
            const auto& c = colours[(y / 4) * 2 + x / 4];
            const bool opaque = x / 4 == 0;  // left blocks opaque, right blocks take the given alpha
            image.Pixels.insert(image.Pixels.end(), {c[0], c[1], c[2], opaque ? std::uint8_t{255} : alpha});
        }
    }
    return image;
}

engine::TDDSImage Decode(const std::vector<std::uint8_t>& bytes) {
    engine::TDDSImage image;
    image.LoadFromData(bytes);
    return image;
}

TEST(DdsWriter, UncompressedPicturesOfAnySizeReadBackExactly) {
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{5, 3}, std::pair{16, 9}}) {
        SCOPED_TRACE(::testing::Message() << width << " x " << height);
        const RgbaImage image = Pattern(width, height);
        const engine::TDDSImage decoded = Decode(EncodeDds(image, DdsFormat::Bgra32));
        ASSERT_EQ(decoded.Width, width);
        ASSERT_EQ(decoded.Height, height);
        EXPECT_TRUE(decoded.HasAlpha);
        EXPECT_EQ(decoded.Pixels, image.Pixels);
    }
}

TEST(DdsWriter, CompressedFormatsKeepColoursAndTheirKindOfAlpha) {
    struct Case {
        DdsFormat Format;
        std::uint8_t AlphaIn;
        std::uint8_t AlphaOut;
    };
    // DXT1 makes alpha binary, DXT3 keeps 4 bits (0x80 becomes 8 x 17), DXT5 keeps this value exactly.
    for (const Case& c : {Case{DdsFormat::Dxt1, 0, 0}, Case{DdsFormat::Dxt1, 100, 0}, Case{DdsFormat::Dxt1, 200, 255},
                          Case{DdsFormat::Dxt3, 0x80, 136}, Case{DdsFormat::Dxt5, 0, 0},
                          Case{DdsFormat::Dxt5, 77, 77}}) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.Format) << " alpha " << int{c.AlphaIn});
        const RgbaImage image = Blocks(c.AlphaIn);
        const engine::TDDSImage decoded = Decode(EncodeDds(image, c.Format));
        ASSERT_EQ(decoded.Width, 8);
        ASSERT_EQ(decoded.Height, 8);
        for (std::int32_t y = 0; y < 8; ++y) {
            for (std::int32_t x = 0; x < 8; ++x) {
                const std::uint8_t* in = image.Pixel(x, y);
                const std::uint8_t* out = decoded.Row(y) + x * 4;
                const std::uint8_t alpha = x < 4 ? 255 : c.AlphaOut;
                ASSERT_EQ(out[3], alpha) << x << "," << y;
                if (alpha != 0) {
                    for (int channel = 0; channel < 3; ++channel) {
                        // 5:6:5 endpoints and the reader's unfilled low bits cost up to one step.
                        ASSERT_NEAR(out[channel], in[channel], 8) << x << "," << y << " channel " << channel;
                    }
                }
            }
        }
    }
}

TEST(DdsWriter, RefusesPicturesItCannotStore) {
    EXPECT_THROW(EncodeDds(RgbaImage{}, DdsFormat::Bgra32), std::invalid_argument);
    EXPECT_THROW(EncodeDds(Pattern(6, 8), DdsFormat::Dxt5), std::invalid_argument);
    RgbaImage short_ = Pattern(4, 4);
    short_.Pixels.pop_back();
    EXPECT_THROW(EncodeDds(short_, DdsFormat::Bgra32), std::invalid_argument);
}

}  // namespace
}  // namespace tools
