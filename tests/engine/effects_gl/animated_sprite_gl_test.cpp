#include "engine/effects/animated_sprite.h"
#include "engine/hud/plane.h"
#include "engine/material/material_library.h"
#include "engine/scene/dummy_cube.h"
#include "tests/engine/hud_gl/hud_gl_fixture.h"

#include <cmath>

namespace engine::test {
namespace {

constexpr Rgb kYellow{255, 255, 0};

// An 8 x 8 texture of four 4 x 4 frames: red, green on the top row, yellow, white below.
platform::Image FrameGrid() {
    platform::Image image;
    image.Width = 8;
    image.Height = 8;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const int frame = (y / 4) * 2 + x / 4;
            const std::uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {255, 255, 255}};
            image.Pixels.insert(image.Pixels.end(), {colours[frame][0], colours[frame][1], colours[frame][2], 255});
        }
    }
    return image;
}

class AnimatedSpriteGL : public HudGL {
protected:
    AnimatedSpriteGL() {
        TGLLibMaterial& boom = library.Materials().Add("boom");
        boom.Material().SetMaterialOptions({TMaterialOption::moNoLighting});
        TGLTexture& texture = boom.Material().Texture();
        texture.SetImage(FrameGrid());
        texture.SetMagFilter(TGLMagFilter::maNearest);
        texture.SetMinFilter(TGLMinFilter::miNearest);
        texture.SetTextureMode(TGLTextureMode::tmReplace);
        texture.SetDisabled(false);
    }

    // A sprite of the four frames whose frames are one unit across (3 pixels at 3 pixels a unit).
    TGLAnimatedSprite* AddSprite(TGLBaseSceneObject& parent) {
        auto* sprite = parent.CreateChild<TGLAnimatedSprite>();
        sprite->SetMaterialLibrary(&library);
        sprite->SetPixelRatio(3);
        TSpriteAnimation& animation = sprite->Animations().Add();
        animation.SetLibMaterialName("boom");
        animation.SetFrameWidth(4);
        animation.SetFrameHeight(4);
        animation.SetEndFrame(3);
        sprite->SetAnimationIndex(0);
        return sprite;
    }

    Coverage NotBackground() const {
        Coverage c;
        for (const Rgb& colour : {kRed, kGreen, kYellow, kWhite}) {
            const Coverage part = CoverageOf(colour);
            c.left = std::min(c.left, part.left);
            c.right = std::max(c.right, part.right);
            c.top = std::min(c.top, part.top);
            c.bottom = std::max(c.bottom, part.bottom);
            c.count += part.count;
        }
        return c;
    }

    TGLMaterialLibrary library;
};

TEST_F(AnimatedSpriteGL, EachFrameShowsItsCellOfTheTexture) {
    TGLAnimatedSprite* sprite = AddSprite(world.Objects());
    const Rgb expected[4] = {kRed, kGreen, kYellow, kWhite};
    for (int frame = 0; frame < 4; ++frame) {
        SCOPED_TRACE(frame);
        sprite->CurrentAnimation()->SetCurrentFrame(frame);
        Frame();
        EXPECT_EQ(ScreenPixel(kWidth / 2, kHeight / 2), expected[frame]);
        EXPECT_EQ(CoverageOf(expected[frame]).count, NotBackground().count);
    }
}

TEST_F(AnimatedSpriteGL, AFinishedPlayOnceDrawsNothing) {
    TGLAnimatedSprite* sprite = AddSprite(world.Objects());
    sprite->SetAnimationMode(samPlayOnce);
    sprite->SetInterval(10);
    world.AdvanceTime(0.035, 0.035);
    Frame();
    EXPECT_EQ(ScreenPixel(kWidth / 2, kHeight / 2), kWhite);
    world.AdvanceTime(0.01, 0.045);
    Frame();
    EXPECT_EQ(NotBackground().count, 0);
}

TEST_F(AnimatedSpriteGL, FacesTheCameraAndGrowsWithTheSquareOfItsScale) {
    TGLAnimatedSprite* plain = AddSprite(world.Objects());
    Frame();
    const Coverage unit = NotBackground();
    ASSERT_GT(unit.count, 100);
    plain->Free();
    auto* parent = world.Objects().CreateChild<TGLDummyCube>();
    parent->TurnBy(90);
    TGLAnimatedSprite* turned = AddSprite(*parent);
    Frame();
    const Coverage facing = NotBackground();
    EXPECT_NEAR(facing.count, unit.count, unit.count / 20);
    turned->SetScale(TVec4{2, 2, 2, 0});
    Frame();
    const Coverage doubled = NotBackground();
    EXPECT_NEAR(doubled.right - doubled.left + 1, 8 * (unit.right - unit.left + 1), 8);
}

TEST_F(AnimatedSpriteGL, RotationTurnsTheFrame) {
    TGLAnimatedSprite* sprite = AddSprite(world.Objects());
    // Frame 0 mirrored and turned a half turn shows its cell upside down: still all red.
    sprite->SetRotation(180);
    Frame();
    EXPECT_EQ(ScreenPixel(kWidth / 2, kHeight / 2), kRed);
    sprite->SetMirrorU(true);
    sprite->SetRotation(45);
    Frame();
    const Coverage diamond = NotBackground();
    EXPECT_GT(diamond.right - diamond.left, 1.3 * std::sqrt(static_cast<double>(diamond.count)));
}

TEST_F(AnimatedSpriteGL, MissingMaterialDrawsAnUntexturedUnitQuad) {
    TGLAnimatedSprite* sprite = AddSprite(world.Objects());
    Frame();
    const Coverage textured = NotBackground();
    sprite->CurrentAnimation()->SetLibMaterialName("nothing");
    Frame();
    int drawn = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            drawn += ScreenPixel(x, y) == kBackground ? 0 : 1;
        }
    }
    EXPECT_NEAR(drawn, textured.count, textured.count / 20);
    // One plain colour, whatever colour was current: no texture sampled.
    EXPECT_EQ(CoverageOf(ScreenPixel(kWidth / 2, kHeight / 2)).count, drawn);
}

// Pulled towards the eye by its radius, a sprite covers the same pixels; a wall slanting through it is
// no longer drawn over it, one standing in front of it by more than its radius still is.
TEST_F(AnimatedSpriteGL, APulledSpriteIsNotCutByAWallThroughIt) {
    auto* wall = world.Objects().CreateChild<TGLPlane>();
    wall->SetWidth(3);
    wall->SetHeight(3);
    Colour(wall->Material(), TVec4{0, 1, 0, 1});
    TGLAnimatedSprite* sprite = AddSprite(world.Objects());
    wall->SetVisible(false);
    Frame();
    const Coverage alone = CoverageOf(kRed);
    ASSERT_GT(alone.count, 100);
    sprite->SetPulledTowardsEye(true);
    Frame();
    const Coverage pulled = CoverageOf(kRed);
    EXPECT_EQ(pulled.count, alone.count);
    EXPECT_EQ(pulled.left, alone.left);
    EXPECT_EQ(pulled.top, alone.top);

    wall->SetVisible(true);
    wall->TurnBy(45);
    Frame();
    EXPECT_EQ(CoverageOf(kRed).count, alone.count);
    sprite->SetPulledTowardsEye(false);
    Frame();
    EXPECT_LT(CoverageOf(kRed).count, alone.count * 3 / 4);
    sprite->SetPulledTowardsEye(true);
    wall->TurnBy(-45);
    wall->SetPosition(TVec4{0, 0, 0.6f, 1});
    Frame();
    EXPECT_EQ(CoverageOf(kRed).count, 0);
}

}  // namespace
}  // namespace engine::test
