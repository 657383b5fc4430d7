#include "tools/writers/jpeg_writer.h"

#include "platform/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tools {
namespace {

// A saturated orange block on black whose 8 x 8 neighbours hold nothing: at full colour
// resolution the black blocks decode exactly black, which a clamped texture's border relies on.
TEST(JpegChroma, FullColourKeepsBlackBlocksBesideColouredOnesBlack) {
    RgbImage image{32, 32, std::vector<std::uint8_t>(32 * 32 * 3, 0)};
    for (int y = 8; y < 16; ++y) {
        for (int x = 8; x < 16; ++x) {
            std::uint8_t* p = &image.Pixels[(static_cast<std::size_t>(y) * 32 + x) * 3];
            p[0] = 255;
            p[1] = 150;
            p[2] = 20;
        }
    }
    const auto brightestOutside = [](const platform::Image& decoded) {
        int brightest = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (x < 8 || x >= 16 || y < 8 || y >= 16) {
                    const std::uint8_t* p = decoded.Row(y) + x * 4;
                    brightest = std::max({brightest, int{p[0]}, int{p[1]}, int{p[2]}});
                }
            }
        }
        return brightest;
    };
    const platform::Image full = platform::DecodeJpeg(EncodeJpeg(image, 90, JpegChroma::Full));
    EXPECT_EQ(brightestOutside(full), 0);
    EXPECT_GT(full.Row(12)[12 * 4], 240);
    // Halved colour resolution spreads the orange into the neighbouring blocks.
    const platform::Image halved = platform::DecodeJpeg(EncodeJpeg(image, 90, JpegChroma::Subsampled));
    EXPECT_GT(brightestOutside(halved), 0);
}

}  // namespace
}  // namespace tools
