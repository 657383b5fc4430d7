#include "engine/hud/hud_sprite.h"
#include "engine/scene/dummy_cube.h"
#include "tests/engine/hud_gl/hud_gl_fixture.h"

namespace engine::test {
namespace {

class HUDSpriteGL : public HudGL {
protected:
    TGLHUDSprite* AddSprite(TGLBaseSceneObject& parent, float x, float y, float size, const TVec4& rgba) {
        auto* sprite = parent.CreateChild<TGLHUDSprite>();
        sprite->SetPosition(TVec4{x, y, 0, 1});
        sprite->SetWidth(size);
        sprite->SetHeight(size);
        Colour(sprite->Material(), rgba);
        return sprite;
    }

    void ExpectCentredSquare() {
        const Coverage red = CoverageOf(kRed);
        EXPECT_EQ(red.left, 368);
        EXPECT_EQ(red.right, 431);
        EXPECT_EQ(red.top, 268);
        EXPECT_EQ(red.bottom, 331);
        EXPECT_EQ(red.count, 64 * 64);
    }
};

TEST_F(HUDSpriteGL, CoversItsPixelsAtTheRoot) {
    AddSprite(world.Objects(), 400, 300, 64, {1, 0, 0, 1});
    Frame();
    ExpectCentredSquare();
}

TEST_F(HUDSpriteGL, IgnoresItsParentsTransform) {
    auto* parent = world.Objects().CreateChild<TGLDummyCube>();
    parent->SetPosition(TVec4{3, -2, 1, 1});
    parent->SetScale(TVec4{2, 5, 1, 0});
    parent->TurnBy(30);
    AddSprite(*parent, 400, 300, 64, {1, 0, 0, 1});
    Frame();
    ExpectCentredSquare();
}

TEST_F(HUDSpriteGL, NestedUnderAnotherHUDSpriteTakesAbsolutePixels) {
    // A green bar drawn first; the red button on top of it, as the game's panel and buttons.
    TGLHUDSprite* bar = AddSprite(world.Objects(), 100, 100, 120, {0, 1, 0, 1});
    AddSprite(*bar, 400, 300, 64, {1, 0, 0, 1});
    Frame();
    ExpectCentredSquare();
    const Coverage green = CoverageOf(Rgb{0, 255, 0});
    EXPECT_EQ(green.left, 40);
    EXPECT_EQ(green.bottom, 159);
}

TEST_F(HUDSpriteGL, DrawsOverTheSceneWithoutTouchingDepth) {
    auto* near = AddSprite(world.Objects(), 400, 300, 64, {1, 0, 0, 1});
    near->SetPosition(TVec4{400, 300, 0.9f, 1});
    AddSprite(world.Objects(), 400, 300, 32, {0, 1, 0, 1})->SetPosition(TVec4{400, 300, -0.9f, 1});
    Frame();
    // Drawn in order with no depth test: the later, "nearer" green square lies on top.
    EXPECT_EQ(ScreenPixel(400, 300), (Rgb{0, 255, 0}));
    EXPECT_EQ(ScreenPixel(370, 270), kRed);
    GLfloat depth = 0;
    glReadPixels(400, 300, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
}

TEST_F(HUDSpriteGL, AlphaChannelBlendsTheMaterialsColour) {
    TGLHUDSprite* sprite = AddSprite(world.Objects(), 400, 300, 64, {1, 0, 0, 1});
    sprite->Material().SetBlendingMode(TBlendingMode::bmTransparency);
    sprite->SetAlphaChannel(0.5f);
    Frame();
    const Rgb mixed = ScreenPixel(400, 300);
    EXPECT_NEAR(mixed.r, 128, 2);
    EXPECT_EQ(mixed.g, 0);
    EXPECT_NEAR(mixed.b, 127, 2);
}

}  // namespace
}  // namespace engine::test
