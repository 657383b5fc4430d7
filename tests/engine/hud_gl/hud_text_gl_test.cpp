#include "engine/hud/bitmap_font.h"
#include "engine/hud/game_glyphs.h"
#include "engine/hud/hud_sprite.h"
#include "engine/hud/hud_text.h"
#include "tests/engine/hud_gl/hud_gl_fixture.h"

#include <string>

namespace engine::test {
namespace {

class HUDTextGL : public HudGL {
protected:
    HUDTextGL() { SetUpGameFont(font); }

    TGLHUDText* AddText(TGLBaseSceneObject& parent, float x, float y, const std::string& text) {
        auto* hudText = parent.CreateChild<TGLHUDText>();
        hudText->SetBitmapFont(&font);
        hudText->SetPosition(TVec4{x, y, 0, 1});
        hudText->SetText(text);
        hudText->ModulateColor().SetColor(TVec4{1, 0, 0, 1});
        return hudText;
    }

    // Every pixel of glyph cell `cell` drawn with its top-left corner at screen pixel (left, top):
    // the white strokes of the game's picture in red, its black background let through.
    void ExpectGlyph(int cell, int left, int top) {
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 11; ++column) {
                const std::uint8_t* source = picture.Row(row) + (cell * 11 + column) * 4;
                const Rgb expected = source[0] == 255 ? kRed : kBackground;
                ASSERT_EQ(ScreenPixel(left + column, top + row), expected)
                    << "cell " << cell << ", column " << column << ", row " << row;
            }
        }
    }

    TGLBitmapFont font;
    const platform::Image picture = GameGlyphPicture();
};

TEST_F(HUDTextGL, DrawsTheDigitsOfTheBuiltInFontWhereTheyBelong) {
    AddText(world.Objects(), 100, 200, "0123456789:");
    Frame();
    // Left-justified, top layout: cells side by side one pixel apart, from (100, 200) downwards.
    for (int cell = 0; cell <= 10; ++cell) {
        ExpectGlyph(cell, 100 + cell * 12, 200);
    }
    const Coverage red = CoverageOf(kRed);
    EXPECT_GE(red.left, 100);
    EXPECT_LE(red.right, 100 + 11 * 12 - 2);
    EXPECT_GE(red.top, 200);
    EXPECT_LE(red.bottom, 207);
}

TEST_F(HUDTextGL, GamePriceIsCentredOnItsPositionUnderItsButton) {
    auto* button = world.Objects().CreateChild<TGLHUDSprite>();
    button->SetPosition(TVec4{280, 550, 0, 1});
    button->SetVisible(true);
    Colour(button->Material(), TVec4{0, 0, 1, 1});
    TGLHUDText* price = AddText(*button, 280, 580, ":100");
    price->SetAlignment(taCenter);
    price->SetLayout(tlCenter);
    Frame();
    // 47 pixels wide from x = 280 − 24, 8 high from y = 580 − 4.
    ExpectGlyph(10, 256, 576);
    ExpectGlyph(1, 268, 576);
    ExpectGlyph(0, 280, 576);
    ExpectGlyph(0, 292, 576);
}

TEST_F(HUDTextGL, SecondLineAndRightAlignment) {
    TGLHUDText* text = AddText(world.Objects(), 450, 447, "12\r3");
    text->SetAlignment(taRightJustify);
    Frame();
    ExpectGlyph(1, 450 - 23, 447);
    ExpectGlyph(2, 450 - 11, 447);
    ExpectGlyph(3, 450 - 11, 447 + 9);
}

TEST_F(HUDTextGL, EmptyTextDrawsOnlyItsChildren) {
    TGLHUDText* empty = AddText(world.Objects(), 100, 100, "");
    AddText(*empty, 300, 300, "5");
    Frame();
    ExpectGlyph(5, 300, 300);
    const Coverage red = CoverageOf(kRed);
    EXPECT_GE(red.left, 300);
}

TEST_F(HUDTextGL, ScaledTextAndAFontThatChanges) {
    TGLHUDText* text = AddText(world.Objects(), 100, 100, "8");
    text->SetScale(TVec4{2, 2, 1, 0});
    Frame();
    Coverage red = CoverageOf(kRed);
    EXPECT_GE(red.left, 100);
    EXPECT_LE(red.right, 121);
    EXPECT_LE(red.bottom, 115);
    EXPECT_GT(red.bottom, 107);
    // Another picture after the first draw: the texture is built again.
    platform::Image white = GameGlyphPicture();
    for (std::size_t i = 0; i < white.Pixels.size(); i += 4) {
        white.Pixels[i] = white.Pixels[i + 1] = white.Pixels[i + 2] = i == 0 ? 0 : 255;
    }
    font.SetGlyphs(white);
    EXPECT_TRUE(font.TextureDirty());
    Frame();
    red = CoverageOf(kRed);
    EXPECT_EQ(red.count, 22 * 16);
}

TEST_F(HUDTextGL, TextWithoutAFontDrawsNothing) {
    TGLHUDText* text = AddText(world.Objects(), 100, 100, "1");
    text->SetBitmapFont(nullptr);
    Frame();
    EXPECT_EQ(CoverageOf(kRed).count, 0);
}

}  // namespace
}  // namespace engine::test
