#include "tools/assetgen/game_images/game_images.h"
#include "tools/assetgen/game_images/game_layout.h"

#include "engine/assets/image_formats.h"
#include "engine/render/image_registry.h"
#include "engine/platform/cursor_file.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

namespace tools::assetgen {
namespace {

namespace fs = std::filesystem;
using namespace game_image_files;

// Generates the pictures once into a temporary folder and reads them back through the game's readers.
class GameImages : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        engine::RegisterImageFormats();
        s_folder = Generate("a");
    }
    static void TearDownTestSuite() { fs::remove_all(s_folder.parent_path()); }

    static fs::path Generate(const std::string& name) {
        const fs::path folder = fs::temp_directory_path() / ("assetgen_game_" + std::to_string(::getpid())) / name;
        fs::remove_all(folder);
        OutputFolder output(folder);
        GenerateGameImages(output);
        return folder;
    }

    static platform::Image Texture(const std::string& name) {
        return engine::LoadImageFile((s_folder / kTextureFolder / name).string());
    }
    static engine::CursorFile Cursor(const std::string& name) {
        return engine::LoadCursorFile((s_folder / kCursorFolder / name).string());
    }

    static fs::path s_folder;
};

fs::path GameImages::s_folder;

const std::uint8_t* At(const platform::Image& image, std::int32_t x, std::int32_t y) { return image.Row(y) + x * 4; }
int Brightness(const std::uint8_t* p) { return std::max({p[0], p[1], p[2]}); }

// The distance from the picture's centre of a line crossed along a row or column going outwards:
// the middle of the pixels between two distances that are at least half as bright as the brightest.
float LineRadius(const platform::Image& image, int dirX, int dirY, int from, int to) {
    const int centre = image.Width / 2;
    const auto value = [&](int step) {
        // Pixel centres sit half a pixel out from the picture's centre line.
        const int along = dirX + dirY > 0 ? centre + step : centre - 1 - step;
        return Brightness(dirX != 0 ? At(image, along, centre) : At(image, centre, along));
    };
    int brightest = 0;
    for (int step = from; step <= to; ++step) {
        brightest = std::max(brightest, value(step));
    }
    float weighted = 0;
    float total = 0;
    for (int step = from; step <= to; ++step) {
        if (value(step) * 2 >= brightest) {
            weighted += static_cast<float>(value(step)) * (static_cast<float>(step) + 0.5f);
            total += static_cast<float>(value(step));
        }
    }
    return weighted / total;
}

TEST_F(GameImages, EveryTextureLoadsThroughTheGamesReadersAtItsSize) {
    const std::map<std::string, std::pair<int, int>> sizes = {
        {"terrain.jpg", {1024, 1024}},     {"detail.jpg", {256, 256}},          {"ring.jpg", {1024, 1024}},
        {"1ring.jpg", {1024, 1024}},       {"bug.jpg", {256, 256}},             {"boom.jpg", {1024, 1152}},
        {"gui_bar.dds", {1024, 256}},      {"gui_rocket_sm.dds", {64, 64}},     {"gui_laser_sm.dds", {64, 64}},
        {"gui_gatling_sm.dds", {64, 64}}, {"gui_repair_sm.dds", {64, 64}},  {"2ring.jpg", {1024, 1024}},
        {kBeam, {256, 64}}};
    for (const auto& [name, size] : sizes) {
        SCOPED_TRACE(name);
        const platform::Image image = Texture(name);
        EXPECT_EQ(image.Width, size.first);
        EXPECT_EQ(image.Height, size.second);
        EXPECT_EQ(image.HasAlpha, name.ends_with(".dds"));
    }
}

TEST_F(GameImages, RangeRingsSitAtTheTowersRangesOnABlackBorder) {
    // The terrain is 102.4 world units across. The rocket ring repeats 4 times across it, so one
    // picture spans 25.6 units, 40 pixels a unit: its ranges of sqrt(150) and sqrt(15) units lie
    // 489.9 and 154.9 pixels out. The gatling and laser rings repeat 5 times, 50 pixels a unit: the
    // gatling's ranges 10 and sqrt(5) units lie 500 and 111.8 pixels out, the laser's sqrt(80)
    // 447.2 pixels; the laser reaches down to its own foot, so it has no inner ring (0).
    struct Ring {
        const char* File;
        float Outer;
        float Inner;
    };
    for (const Ring& ring : {Ring{"ring.jpg", 489.9f, 154.9f}, Ring{"1ring.jpg", 500.0f, 111.8f},
                             Ring{"2ring.jpg", 447.2f, 0.0f}}) {
        SCOPED_TRACE(ring.File);
        const platform::Image image = Texture(ring.File);
        const auto middle = static_cast<int>((ring.Outer + ring.Inner) / 2);
        for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
            EXPECT_NEAR(LineRadius(image, dx, dy, middle, image.Width / 2 - 1), ring.Outer, 0.75f);
            if (ring.Inner > 0) {
                EXPECT_NEAR(LineRadius(image, dx, dy, 0, middle), ring.Inner, 0.75f);
            }
        }
        // Inside the minimum range nothing is added; a tower without one shows only the faint zone
        // up to its ring.
        const int inside = Brightness(At(image, image.Width / 2, image.Height / 2));
        if (ring.Inner > 0) {
            EXPECT_LT(inside, 4);
        } else {
            for (int x = image.Width / 2; x < image.Width / 2 + middle; ++x) {
                ASSERT_LT(Brightness(At(image, x, image.Height / 2)), 24) << x;
            }
        }
        // Everywhere on the clamped border nothing is added.
        for (int i = 0; i < image.Width; ++i) {
            for (const auto& [x, y] : {std::pair{i, 0}, std::pair{i, image.Height - 1}, std::pair{0, i},
                                       std::pair{image.Width - 1, i}}) {
                ASSERT_EQ(Brightness(At(image, x, y)), 0) << x << "," << y;
            }
        }
    }
}

// The game draws the beam additively on a ribbon, u along the beam (repeated) and v across it.
TEST_F(GameImages, BeamIsAWhiteCoreInACyanGlowFallingOffAlikeToBlackEdgesAndTiling) {
    const platform::Image beam = Texture(kBeam);
    const int middle = beam.Height / 2;
    for (int x = 0; x < beam.Width; ++x) {
        SCOPED_TRACE(x);
        const std::uint8_t* core = At(beam, x, middle);
        ASSERT_GT(std::min({core[0], core[1], core[2]}), 230);
        ASSERT_EQ(Brightness(At(beam, x, 0)), 0);
        ASSERT_EQ(Brightness(At(beam, x, beam.Height - 1)), 0);
        for (int y = 0; y < middle; ++y) {
            for (int c = 0; c < 3; ++c) {
                ASSERT_NEAR(At(beam, x, y)[c], At(beam, x, beam.Height - 1 - y)[c], 6) << y;
            }
            // Darker outwards, allowing for the JPEG's ripple.
            ASSERT_LE(Brightness(At(beam, x, y)), Brightness(At(beam, x, y + 1)) + 8) << y;
        }
    }
    // A quarter of the way out the glow is cyan, nothing like the rocket flame's orange.
    const std::uint8_t* glow = At(beam, beam.Width / 2, middle - beam.Height / 8);
    EXPECT_GT(glow[2], 120);
    EXPECT_GT(glow[2], glow[0] + 100);
    EXPECT_GT(glow[1], glow[0] + 50);
    // Across the wrap-around the beam changes no more than between neighbouring columns inside.
    int seam = 0;
    int inside = 0;
    for (int y = 0; y < beam.Height; ++y) {
        seam += std::abs(Brightness(At(beam, beam.Width - 1, y)) - Brightness(At(beam, 0, y)));
        inside += std::abs(Brightness(At(beam, 100, y)) - Brightness(At(beam, 101, y)));
    }
    EXPECT_LE(seam, inside * 2 + beam.Height);
}

TEST_F(GameImages, ExplosionFramesAreAllDrawnAndStayInsideTheirCells) {
    using namespace boom_layout;
    const platform::Image image = Texture("boom.jpg");
    ASSERT_EQ(image.Width / kFrameSide, kFramesPerRow);
    for (int frame = 0; frame < kFramesPerRow * kRows; ++frame) {
        SCOPED_TRACE(frame);
        const int left = frame % kFramesPerRow * kFrameSide;
        const int top = frame / kFramesPerRow * kFrameSide;
        int brightest = 0;
        int edge = 0;
        for (int y = 0; y < kFrameSide; ++y) {
            for (int x = 0; x < kFrameSide; ++x) {
                const int value = Brightness(At(image, left + x, top + y));
                brightest = std::max(brightest, value);
                if (x < 2 || y < 2 || x >= kFrameSide - 2 || y >= kFrameSide - 2) {
                    edge = std::max(edge, value);
                }
            }
        }
        if (frame <= kLastFrame) {
            EXPECT_GT(brightest, 60);
        } else {
            EXPECT_LT(brightest, 4);
        }
        EXPECT_LT(edge, 4);
    }
}

TEST_F(GameImages, DetailTextureIsBrightWithDarkerGrainAndTiles) {
    const platform::Image image = Texture("detail.jpg");
    double sum = 0;
    int darkest = 255;
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            sum += At(image, x, y)[1];
            darkest = std::min<int>(darkest, At(image, x, y)[1]);
        }
    }
    const double mean = sum / (image.Width * image.Height);
    EXPECT_GT(mean, 215);
    EXPECT_LT(darkest, mean - 30);
    // Across the wrap-around the picture changes no more than between neighbouring columns inside.
    double seam = 0;
    double inside = 0;
    for (int y = 0; y < image.Height; ++y) {
        seam += std::abs(At(image, image.Width - 1, y)[1] - At(image, 0, y)[1]);
        inside += std::abs(At(image, 100, y)[1] - At(image, 101, y)[1]);
    }
    EXPECT_LT(seam, inside * 2 + image.Height * 2);
}

TEST_F(GameImages, PanelIsTransparentOffScreenAndAboveAndOpaqueBehindItsButtonsAndMoney) {
    using namespace hud_layout;
    const platform::Image panel = Texture("gui_bar.dds");
    int topmost = kPanelHeight;
    for (int y = 0; y < panel.Height; ++y) {
        for (int x = 0; x < panel.Width; ++x) {
            const std::uint8_t alpha = At(panel, x, y)[3];
            ASSERT_TRUE(alpha == 0 || alpha == 255) << x << "," << y;
            if (alpha != 0) {
                ASSERT_LT(x, kScreenWidth) << y;
                topmost = std::min(topmost, y);
            }
        }
    }
    // The panel starts above the money display and leaves most of the screen's bottom strip to the game.
    EXPECT_LT(topmost + kPanelTop, kMoneyY - kGlyphHeight);
    EXPECT_GT(topmost + kPanelTop, kScreenHeight / 2 + 80);
    EXPECT_EQ(At(panel, 10, kPanelHeight - 1)[3], 0);
    for (const int x : kButtonX) {
        EXPECT_EQ(At(panel, x, kButtonY - kPanelTop)[3], 255) << x;
        EXPECT_EQ(At(panel, x, kPriceY - kPanelTop)[3], 255) << x;
    }
    // The money digits are drawn over a dark window, right-aligned at x 450.
    for (int x = kMoneyRight - kMoneyGlyphs * kGlyphWidth; x < kMoneyRight; ++x) {
        for (int y = kMoneyY - kGlyphHeight / 2; y < kMoneyY + kGlyphHeight / 2; ++y) {
            const std::uint8_t* p = At(panel, x, y - kPanelTop);
            ASSERT_EQ(p[3], 255) << x << "," << y;
            ASSERT_LT(Brightness(p), 70) << x << "," << y;
        }
    }
}

TEST_F(GameImages, ButtonIconsAreRoundedWithADarkPricePlate) {
    for (const char* name : {"gui_rocket_sm.dds", "gui_laser_sm.dds", "gui_gatling_sm.dds", "gui_repair_sm.dds"}) {
        SCOPED_TRACE(name);
        const platform::Image icon = Texture(name);
        EXPECT_EQ(At(icon, 0, 0)[3], 0);
        EXPECT_EQ(At(icon, 63, 63)[3], 0);
        EXPECT_EQ(At(icon, 32, 32)[3], 255);
        for (int x = 12; x < 52; ++x) {
            ASSERT_LT(Brightness(At(icon, x, 59)), 40) << x;
        }
        for (std::size_t i = 3; i < icon.Pixels.size(); i += 4) {
            ASSERT_TRUE(icon.Pixels[i] == 0 || icon.Pixels[i] == 255);
        }
    }
}

struct CursorExpectation {
    const char* Name;
    int HotspotX;  // -1: the hotspot's column is not checked, as for an up or down arrow
    int HotspotY;
};

TEST_F(GameImages, CursorsAreCrisp32PixelPicturesPointingWhereTheirHotspotIs) {
    // Arrows point with their tips, the scroll arrows at the screen edge they scroll towards; the
    // signs and the target mark the spot under their middle.
    const CursorExpectation expectations[] = {
        {"default.ani", 1, 1},     {"denny.ani", 15, 15},     {"choose.ani", 1, 1},      {"left.ani", 2, -1},
        {"right.ani", 29, -1},     {"up.ani", -1, 2},         {"down.ani", -1, 29},      {"leftup.ani", 3, 3},
        {"leftdown.ani", 3, 28},   {"rightup.ani", 28, 3},    {"rightdown.ani", 28, 28}, {"place.ani", 15, 15},
        {"repair.ani", 3, 3}};
    ASSERT_EQ(std::size(expectations), kCursors.size());
    for (std::size_t slot = 0; slot < kCursors.size(); ++slot) {
        const CursorExpectation& expected = expectations[slot];
        SCOPED_TRACE(expected.Name);
        ASSERT_STREQ(kCursors[slot], expected.Name);
        const engine::CursorFile cursor = Cursor(expected.Name);
        ASSERT_FALSE(cursor.frames.empty());
        EXPECT_TRUE(cursor.Animated());
        for (const std::uint32_t rate : cursor.ratesJiffies) {
            EXPECT_GT(rate, 0u);
        }
        for (const engine::CursorImage& frame : cursor.frames) {
            ASSERT_EQ(frame.width, 32);
            ASSERT_EQ(frame.height, 32);
            if (expected.HotspotX >= 0) {
                EXPECT_NEAR(frame.hotspotX, expected.HotspotX, 1);
            }
            if (expected.HotspotY >= 0) {
                EXPECT_NEAR(frame.hotspotY, expected.HotspotY, 1);
            }
            EXPECT_EQ(frame.hotspotX, cursor.frames.front().hotspotX);
            EXPECT_EQ(frame.hotspotY, cursor.frames.front().hotspotY);
            int opaque = 0;
            int dark = 0;
            for (std::size_t i = 0; i < frame.rgba.size(); i += 4) {
                ASSERT_TRUE(frame.rgba[i + 3] == 0 || frame.rgba[i + 3] == 255);
                opaque += frame.rgba[i + 3] != 0;
                dark += frame.rgba[i + 3] != 0 && std::max({frame.rgba[i], frame.rgba[i + 1], frame.rgba[i + 2]}) < 20;
            }
            // Enough to see, with a dark outline that keeps it visible on bright ground.
            EXPECT_GT(opaque, 60);
            EXPECT_GT(dark, 30);
        }
    }
}

TEST_F(GameImages, GeneratingAgainGivesTheSameBytes) {
    const fs::path again = Generate("b");
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(s_folder)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const fs::path twin = again / fs::relative(entry.path(), s_folder);
        ASSERT_TRUE(fs::exists(twin)) << twin;
        EXPECT_EQ(platform::ReadWholeFile(entry.path().string()), platform::ReadWholeFile(twin.string()))
            << entry.path();
        ++compared;
    }
    EXPECT_EQ(compared, 13 + static_cast<int>(kCursors.size()));  // the thirteen textures and every cursor
}

}  // namespace
}  // namespace tools::assetgen
