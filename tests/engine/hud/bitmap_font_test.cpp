#include "engine/hud/bitmap_font.h"
#include "engine/hud/game_glyphs.h"
#include "engine/hud/hud_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace engine {
namespace {

class GameFont : public ::testing::Test {
protected:
    GameFont() { SetUpGameFont(font); }
    TGLBitmapFont font;
};

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(-23.5), -24.0);
    EXPECT_EQ(RoundHalfEven(8.5), 8.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(1.49), 1.0);
    EXPECT_EQ(RoundHalfEven(-1.51), -2.0);
}

TEST_F(GameFont, PriceTextWidthAndCentredStart) {
    EXPECT_EQ(font.TextWidth(":100"), 47);
    const auto quads = font.LayoutString(":100", taCenter, tlCenter);
    ASSERT_EQ(quads.size(), 4u);
    EXPECT_EQ(quads[0].x0, -24.0f);
    EXPECT_EQ(quads[0].x1, -13.0f);
    EXPECT_EQ(quads[1].x0, -12.0f);
    EXPECT_EQ(quads[3].x1, 23.0f);
    // One line of 8 pixels, centred: from 4 above the position to 4 below.
    EXPECT_EQ(quads[0].y0, 4.0f);
    EXPECT_EQ(quads[0].y1, -4.0f);
}

TEST_F(GameFont, AlignmentsAndLayoutsOfOneLine) {
    EXPECT_EQ(font.LayoutString(":0", taLeftJustify, tlTop)[0].x0, 0.0f);
    EXPECT_EQ(font.LayoutString(":0", taRightJustify, tlTop)[0].x0, -23.0f);
    EXPECT_EQ(font.LayoutString(":0", taLeftJustify, tlTop)[0].y0, 0.0f);
    EXPECT_EQ(font.LayoutString(":0", taLeftJustify, tlBottom)[0].y0, 8.0f);
}

TEST_F(GameFont, TwoLinesCentredEachLineOnItsOwnWidth) {
    const auto quads = font.LayoutString("12\r3", taCenter, tlCenter);
    ASSERT_EQ(quads.size(), 3u);
    // Block 2·(8 + 1) − 1 = 17; half of it rounds to 8.
    EXPECT_EQ(quads[0].y0, 8.0f);
    EXPECT_EQ(quads[2].y0, -1.0f);
    EXPECT_EQ(quads[2].y1, -9.0f);
    // "12" is 23 wide (−11.5 gives −12), "3" is 11 wide (−5.5 gives −6).
    EXPECT_EQ(quads[0].x0, -12.0f);
    EXPECT_EQ(quads[2].x0, -6.0f);
    EXPECT_EQ(font.LayoutString("12\r3", taLeftJustify, tlBottom)[0].y0, 17.0f);
}

TEST_F(GameFont, SpacesAdvanceControlCodesDoNot) {
    const auto spaced = font.LayoutString("1 1", taLeftJustify, tlTop);
    ASSERT_EQ(spaced.size(), 2u);
    EXPECT_EQ(spaced[1].x0, 24.0f);
    const auto tabbed = font.LayoutString("1\t1", taLeftJustify, tlTop);
    ASSERT_EQ(tabbed.size(), 2u);
    EXPECT_EQ(tabbed[1].x0, 12.0f);
}

TEST_F(GameFont, ColonIsCellTenAndDigitsTheirOwnCells) {
    const TCharRect& colon = font.CharRect(':');
    EXPECT_FLOAT_EQ(colon.left, 110.05f / 128.0f);
    EXPECT_FLOAT_EQ(colon.right, 120.95f / 128.0f);
    EXPECT_FLOAT_EQ(colon.top, 7.95f / 8.0f);
    EXPECT_NEAR(colon.bottom, 0.05f / 8.0f, 1e-6f);
    EXPECT_FLOAT_EQ(font.CharRect('0').left, 0.05f / 128.0f);
    EXPECT_FLOAT_EQ(font.CharRect('7').left, 77.05f / 128.0f);
}

TEST_F(GameFont, CharactersOutsideEveryRangeLeaveGapsOfTheirWidth) {
    EXPECT_EQ(font.CharRect('A').left, 0.0f);
    EXPECT_EQ(font.CharRect('A').top, 0.0f);
    const auto quads = font.LayoutString("1A1", taLeftJustify, tlTop);
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_EQ(quads[1].rect.right, 0.0f);
    EXPECT_EQ(quads[2].x0, 24.0f);
}

TEST(BitmapFont, GlyphsWrapIntoRowsWithIntervals) {
    TGLBitmapFont font;
    platform::Image picture;
    picture.Width = 70;  // (70 + 2) / (16 + 2) = 4 cells a row
    picture.Height = 40;
    picture.Pixels.assign(static_cast<std::size_t>(70 * 40 * 4), 255);
    font.SetGlyphs(picture);
    font.SetGlyphsIntervalX(2);
    font.SetGlyphsIntervalY(3);
    TBitmapFontRange& range = font.Ranges().Add();
    range.SetStopASCII('F');
    range.SetStartASCII('A');
    range.SetStartGlyphIdx(1);
    // 'F' is glyph 6: second row, third cell. The texture is 128 x 64.
    const TCharRect& f = font.CharRect('F');
    EXPECT_FLOAT_EQ(f.left, (2 * 18 + 0.05f) / 128.0f);
    EXPECT_FLOAT_EQ(f.right, (2 * 18 + 16 - 0.05f) / 128.0f);
    EXPECT_FLOAT_EQ(f.top, (64 - (19 + 0.05f)) / 64.0f);
    EXPECT_FLOAT_EQ(f.bottom, (64 - (19 + 16 - 0.05f)) / 64.0f);
    EXPECT_EQ(font.TextureWidth(), 128);
    EXPECT_EQ(font.TextureHeight(), 64);
}

TEST(BitmapFont, LaterRangesWinAndEditsInvalidateRectangles) {
    TGLBitmapFont font;
    SetUpGameFont(font);
    TBitmapFontRange& second = font.Ranges().Add();
    second.SetStopASCII('1');
    second.SetStartASCII('0');
    second.SetStartGlyphIdx(5);
    EXPECT_FLOAT_EQ(font.CharRect('0').left, 55.05f / 128.0f);
    EXPECT_FLOAT_EQ(font.CharRect('2').left, 22.05f / 128.0f);
    font.Ranges().Delete(1);
    EXPECT_FLOAT_EQ(font.CharRect('0').left, 0.05f / 128.0f);
    font.SetCharWidth(10);
    EXPECT_FLOAT_EQ(font.CharRect('1').left, 10.05f / 128.0f);
}

TEST(BitmapFont, PictureNarrowerThanOneCellStillMapsItsFirstCell) {
    TGLBitmapFont font;
    platform::Image picture;
    picture.Width = 4;
    picture.Height = 4;
    picture.Pixels.assign(64, 255);
    font.SetGlyphs(picture);
    TBitmapFontRange& range = font.Ranges().Add();
    range.SetStopASCII('b');
    range.SetStartASCII('a');
    EXPECT_FLOAT_EQ(font.CharRect('a').left, 0.05f / 4.0f);
    EXPECT_FLOAT_EQ(font.CharRect('b').top, (4.0f - 16.05f) / 4.0f);
}

TEST(BitmapFont, EmptyPictureHasNoTextureAndNoRectangles) {
    TGLBitmapFont font;
    TBitmapFontRange& range = font.Ranges().Add();
    range.SetStopASCII('z');
    EXPECT_EQ(font.TextureWidth(), 0);
    EXPECT_EQ(font.CharRect('a').right, 0.0f);
}

TEST(BitmapFontRange, StartAndStopPushEachOther) {
    TGLBitmapFont font;
    TBitmapFontRange& range = font.Ranges().Add();
    range.SetStopASCII('5');
    range.SetStartASCII('9');
    EXPECT_EQ(range.StopASCII(), '9');
    range.SetStopASCII('2');
    EXPECT_EQ(range.StartASCII(), '2');
    range.SetStartGlyphIdx(-4);
    EXPECT_EQ(range.StartGlyphIdx(), 0);
    range.SetStopASCII(':');
    range.SetStartASCII('0');
    range.SetStartGlyphIdx(3);
    EXPECT_EQ(range.DisplayName(), "ASCII [#48, #58] -> Glyphs [3, 13]");
}

TEST(BitmapFont, SettingsKeepTheirRanges) {
    TGLBitmapFont font;
    font.SetCharWidth(0);
    font.SetCharHeight(-7);
    font.SetHSpace(-1);
    font.SetGlyphsIntervalY(-2);
    EXPECT_EQ(font.CharWidth(), 1);
    EXPECT_EQ(font.CharHeight(), 1);
    EXPECT_EQ(font.HSpace(), 0);
    EXPECT_EQ(font.GlyphsIntervalY(), 0);
    EXPECT_THROW(font.SetGlyphsAlpha(TGLTextureImageAlpha::tiaInverseLuminance), std::invalid_argument);
    EXPECT_EQ(font.GlyphsAlpha(), TGLTextureImageAlpha::tiaDefault);
}

TEST(BitmapFont, UsersRedrawOnChangesAndLoseAFontThatGoes) {
    TGLHUDText text;
    {
        TGLBitmapFont font;
        text.SetBitmapFont(&font);
        text.SetBitmapFont(&font);
        ASSERT_EQ(font.Users().size(), 1u);
        text.ClearStructureChanged();
        font.SetVSpace(3);
        EXPECT_TRUE(text.StructureChanged());
        text.ClearStructureChanged();
        font.Ranges().Add().SetStopASCII('x');
        EXPECT_TRUE(text.StructureChanged());
        text.ClearStructureChanged();
    }
    EXPECT_EQ(text.BitmapFont(), nullptr);
    EXPECT_TRUE(text.StructureChanged());
}

TEST(BitmapFont, TextsLeaveTheFontWhenTheyGoOrSwitch) {
    TGLBitmapFont first;
    TGLBitmapFont second;
    {
        TGLHUDText text;
        text.SetBitmapFont(&first);
        text.SetBitmapFont(&second);
        EXPECT_TRUE(first.Users().empty());
        EXPECT_EQ(second.Users().size(), 1u);
    }
    EXPECT_TRUE(second.Users().empty());
}

}  // namespace
}  // namespace engine
