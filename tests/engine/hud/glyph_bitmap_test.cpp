#include "engine/hud/game_glyphs.h"
#include "engine/hud/glyph_bitmap.h"
#include "engine/hud/text_glyphs.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

namespace engine {
namespace {

// RGBA of the canvas pixel (x, y), y counted from the top.
std::array<int, 4> At(const TGLBitmap32& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.Data.data() + (static_cast<std::size_t>(bitmap.Height - 1 - y) * bitmap.Width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

platform::Image Picture(int width, int height, std::array<std::uint8_t, 4> fill) {
    platform::Image picture;
    picture.Width = width;
    picture.Height = height;
    for (int i = 0; i < width * height; ++i) {
        picture.Pixels.insert(picture.Pixels.end(), fill.begin(), fill.end());
    }
    return picture;
}

TEST(GlyphBitmap, GamePictureKeysOutItsBlackBackground) {
    const platform::Image picture = GameGlyphPicture();
    ASSERT_EQ(picture.Width, 128);
    ASSERT_EQ(picture.Height, 8);
    const TGLBitmap32 bitmap = BuildGlyphBitmap(picture, TGLTextureImageAlpha::tiaTopLeftPointColorTransparent);
    ASSERT_EQ(bitmap.Width, 128);
    ASSERT_EQ(bitmap.Height, 8);
    // Row 0 of the picture is "#........####...": black, then white strokes.
    EXPECT_EQ(At(bitmap, 0, 0), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(At(bitmap, 1, 0), (std::array<int, 4>{255, 255, 255, 255}));
    EXPECT_EQ(At(bitmap, 9, 0), (std::array<int, 4>{0, 0, 0, 0}));
    // Bottom row "#........######..": the 0's base from column 1 to 8.
    EXPECT_EQ(At(bitmap, 8, 7)[3], 255);
    EXPECT_EQ(At(bitmap, 9, 7)[3], 0);
}

// Every printable character has its own glyph, and every stroke is ringed by outline, never touching
// the transparent background, so a text reads on any ground; the font maps each code to its cell.
TEST(GlyphBitmap, TextFontGivesEveryPrintableCharacterAnOutlinedGlyphOfItsOwn) {
    using namespace text_glyphs;
    const platform::Image picture = TextGlyphPicture();
    const TGLBitmap32 bitmap = BuildGlyphBitmap(picture, TGLTextureImageAlpha::tiaTopLeftPointColorTransparent);
    ASSERT_EQ(bitmap.Width, 128);
    ASSERT_EQ(bitmap.Height, 128);
    std::set<std::vector<int>> cells;
    for (int code = First; code <= Last; ++code) {
        const int glyph = code - First;
        const int left = (glyph % CellsPerRow) * CellWidth;
        const int top = (glyph / CellsPerRow) * CellHeight;
        std::vector<int> cell;
        int strokes = 0;
        for (int y = top; y < top + CellHeight; ++y) {
            for (int x = left; x < left + CellWidth; ++x) {
                const std::array<int, 4> p = At(bitmap, x, y);
                cell.push_back(p[0] * 2 + (p[3] > 0 ? 1 : 0));
                if (p[0] != 255) {
                    continue;
                }
                ++strokes;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        EXPECT_EQ(At(bitmap, x + dx, y + dy)[3], 255) << "'" << char(code) << "' at " << x << ", " << y;
                    }
                }
            }
        }
        EXPECT_EQ(strokes > 0, code != ' ') << "'" << char(code) << "'";
        EXPECT_TRUE(cells.insert(cell).second) << "'" << char(code) << "' looks like another character";
    }
    TGLBitmapFont font;
    SetUpTextFont(font);
    const TCharRect& a = font.CharRect('A');
    const int glyph = 'A' - First;
    EXPECT_NEAR(a.left * 128, (glyph % CellsPerRow) * CellWidth + 0.05, 1e-3);
    EXPECT_NEAR(128 - a.top * 128, (glyph / CellsPerRow) * CellHeight + 0.05, 1e-3);
    EXPECT_GT(font.CharRect('~').right, 0);
    EXPECT_EQ(font.TextWidth("Wave 1"), 6 * CellWidth);
}

TEST(GlyphBitmap, CanvasGrowsToPowersOfTwoAndKeysOnItsTopLeftPixel) {
    platform::Image picture = Picture(5, 3, {200, 10, 10, 255});
    picture.Pixels[4 * 4 + 1] = 99;  // (4, 0) differs from the key
    const TGLBitmap32 bitmap = BuildGlyphBitmap(picture, TGLTextureImageAlpha::tiaDefault);
    ASSERT_EQ(bitmap.Width, 8);
    ASSERT_EQ(bitmap.Height, 4);
    EXPECT_EQ(At(bitmap, 0, 0), (std::array<int, 4>{200, 10, 10, 0}));
    EXPECT_EQ(At(bitmap, 4, 0), (std::array<int, 4>{200, 99, 10, 255}));
    // The margin the picture does not cover is black, which is not the key here.
    EXPECT_EQ(At(bitmap, 7, 3), (std::array<int, 4>{0, 0, 0, 255}));
}

TEST(GlyphBitmap, OtherModesDropThePicturesAlphaFirst) {
    const platform::Image picture = Picture(2, 2, {90, 90, 90, 17});
    EXPECT_EQ(At(BuildGlyphBitmap(picture, TGLTextureImageAlpha::tiaOpaque), 1, 1)[3], 255);
    EXPECT_EQ(At(BuildGlyphBitmap(picture, TGLTextureImageAlpha::tiaAlphaFromIntensity), 1, 1)[3], 90);
    EXPECT_EQ(At(BuildGlyphBitmap(picture, TGLTextureImageAlpha::tiaSuperBlackTransparent), 0, 0)[3], 255);
}

TEST(GlyphBitmap, RefusedModesAndBrokenPicturesGiveNothing) {
    EXPECT_TRUE(BuildGlyphBitmap(Picture(2, 2, {1, 2, 3, 4}), TGLTextureImageAlpha::tiaInverseLuminance).Empty());
    platform::Image truncated = Picture(4, 4, {1, 2, 3, 4});
    truncated.Pixels.resize(10);
    EXPECT_TRUE(BuildGlyphBitmap(truncated, TGLTextureImageAlpha::tiaOpaque).Empty());
    EXPECT_TRUE(BuildGlyphBitmap(platform::Image{}, TGLTextureImageAlpha::tiaOpaque).Empty());
}

TEST(GlyphBitmap, PowersOfTwo) {
    EXPECT_EQ(NextPowerOfTwo(0), 1);
    EXPECT_EQ(NextPowerOfTwo(1), 1);
    EXPECT_EQ(NextPowerOfTwo(128), 128);
    EXPECT_EQ(NextPowerOfTwo(129), 256);
}

}  // namespace
}  // namespace engine
