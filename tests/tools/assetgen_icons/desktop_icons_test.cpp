#include "tools/assetgen/desktop_icons/desktop_icons.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

namespace tools::assetgen {
namespace {

struct NamedIcon {
    const char* name;
    std::function<platform::Image(std::int32_t)> paint;
};

const NamedIcon kIcons[] = {{"skirmish", SkirmishIcon}, {"atlas", AtlasIcon}};

std::uint8_t Channel(const platform::Image& image, std::int32_t x, std::int32_t y, int channel) {
    return image.Row(y)[x * 4 + channel];
}

// The icon at `size` shrunk to 16 x 16 by averaging blocks, its colours weighted by their alpha.
platform::Image ShrunkTo16(const platform::Image& image) {
    const std::int32_t block = image.Width / 16;
    platform::Image small{16, 16, true, std::vector<std::uint8_t>(16 * 16 * 4)};
    for (std::int32_t y = 0; y < 16; ++y) {
        for (std::int32_t x = 0; x < 16; ++x) {
            double sum[4] = {0, 0, 0, 0};
            for (std::int32_t by = 0; by < block; ++by) {
                for (std::int32_t bx = 0; bx < block; ++bx) {
                    const double alpha = Channel(image, x * block + bx, y * block + by, 3);
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += Channel(image, x * block + bx, y * block + by, c) * alpha;
                    }
                    sum[3] += alpha;
                }
            }
            for (int c = 0; c < 3; ++c) {
                small.Row(y)[x * 4 + c] = static_cast<std::uint8_t>(sum[3] > 0 ? sum[c] / sum[3] + 0.5 : 0);
            }
            small.Row(y)[x * 4 + 3] = static_cast<std::uint8_t>(sum[3] / (block * block) + 0.5);
        }
    }
    return small;
}

TEST(DesktopIcons, EveryIconIsTheSameSharpArtAtEverySize) {
    for (const NamedIcon& icon : kIcons) {
        const platform::Image reference = icon.paint(16);
        for (const std::int32_t size : desktop_icon_files::kSizes) {
            const std::string what = std::string(icon.name) + " at " + std::to_string(size);
            const platform::Image image = icon.paint(size);
            ASSERT_EQ(image.Width, size) << what;
            ASSERT_EQ(image.Height, size) << what;
            ASSERT_EQ(image.Pixels.size(), static_cast<std::size_t>(size) * size * 4) << what;
            // A badge on nothing: clear corners, an opaque middle.
            for (const auto& [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}}) {
                EXPECT_EQ(Channel(image, x, y, 3), 0) << what;
            }
            // Straight edges fall on pixel edges: across the middle row and column every pixel is
            // either clear or opaque.
            for (std::int32_t i = 0; i < size; ++i) {
                const std::uint8_t row = Channel(image, i, size / 2, 3);
                const std::uint8_t column = Channel(image, size / 2, i, 3);
                EXPECT_TRUE(row == 0 || row == 255) << what << ", x " << i;
                EXPECT_TRUE(column == 0 || column == 255) << what << ", y " << i;
            }
            if (size % 16 != 0) {
                continue;
            }
            // Shrunk to 16 pixels, a large icon is the small one.
            const platform::Image shrunk = ShrunkTo16(image);
            int difference = 0;
            for (std::size_t i = 0; i < shrunk.Pixels.size(); ++i) {
                difference += std::abs(shrunk.Pixels[i] - reference.Pixels[i]);
            }
            EXPECT_LT(difference / static_cast<double>(shrunk.Pixels.size()), 2.0) << what;
        }
    }
}

}  // namespace
}  // namespace tools::assetgen
