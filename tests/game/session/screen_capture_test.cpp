#include "game/session/screen_capture.h"

#include <gtest/gtest.h>

namespace tests {
namespace {

platform::Image Picture(int width, int height, const std::vector<std::uint8_t>& greys) {
    platform::Image image;
    image.Width = width;
    image.Height = height;
    for (std::uint8_t g : greys) {
        image.Pixels.insert(image.Pixels.end(), {g, g, g, 255});
    }
    return image;
}

std::vector<int> Greys(const platform::Image& image) {
    std::vector<int> greys;
    for (std::size_t i = 0; i < image.Pixels.size(); i += 4) {
        greys.push_back(image.Pixels[i]);
    }
    return greys;
}

// A larger screen shrinks to the logical one by averaging, a smaller one grows by repeating.
TEST(ScreenCapture, ResizesByAveragingOrRepeating) {
    const platform::Image four = Picture(4, 2, {0, 100, 200, 255, 50, 50, 50, 51});
    EXPECT_EQ(Greys(game::ResizeToFit(four, 2, 1)), (std::vector<int>{50, 139}));
    EXPECT_EQ(Greys(game::ResizeToFit(four, 4, 2)), Greys(four));
    const platform::Image two = Picture(2, 1, {10, 240});
    EXPECT_EQ(Greys(game::ResizeToFit(two, 4, 2)), (std::vector<int>{10, 10, 240, 240, 10, 10, 240, 240}));
    // 3 into 2: each pixel takes what its share covers.
    EXPECT_EQ(Greys(game::ResizeToFit(Picture(3, 1, {0, 90, 180}), 2, 1)), (std::vector<int>{0, 135}));
}

}  // namespace
}  // namespace tests
