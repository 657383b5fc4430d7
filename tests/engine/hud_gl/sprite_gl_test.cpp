#include "engine/hud/plane.h"
#include "engine/hud/sprite.h"
#include "engine/scene/dummy_cube.h"
#include "tests/engine/hud_gl/hud_gl_fixture.h"

namespace engine::test {
namespace {

class SpriteGL : public HudGL {
protected:
    template <class T>
    T* AddRed(TGLBaseSceneObject& parent) {
        auto* object = parent.CreateChild<T>();
        Colour(object->Material(), TVec4{1, 0, 0, 1});
        return object;
    }

    // Where an unturned 1 x 1 plane at the origin shows: the square a facing sprite must cover.
    Coverage ReferenceSquare() {
        TGLPlane* plane = AddRed<TGLPlane>(world.Objects());
        Frame();
        plane->Free();
        return CoverageOf(kRed);
    }

    static void ExpectSameSquare(const Coverage& actual, const Coverage& expected) {
        EXPECT_NEAR(actual.left, expected.left, 1);
        EXPECT_NEAR(actual.right, expected.right, 1);
        EXPECT_NEAR(actual.top, expected.top, 1);
        EXPECT_NEAR(actual.bottom, expected.bottom, 1);
    }
};

TEST_F(SpriteGL, FacesTheCameraAndKeepsItsSizeUnderATurnedScaledParent) {
    const Coverage reference = ReferenceSquare();
    ASSERT_GT(reference.count, 100);
    auto* parent = world.Objects().CreateChild<TGLDummyCube>();
    parent->SetScale(TVec4{3, 3, 3, 0});
    parent->TurnBy(90);
    AddRed<TGLSprite>(*parent);
    Frame();
    ExpectSameSquare(CoverageOf(kRed), reference);
    // A plane turned with it is seen edge-on: at most a line.
    parent->Free();
    parent = world.Objects().CreateChild<TGLDummyCube>();
    parent->TurnBy(90);
    AddRed<TGLPlane>(*parent);
    Frame();
    EXPECT_LT(CoverageOf(kRed).count, reference.count / 10);

}

TEST_F(SpriteGL, OwnScaleDoesNotResizeIt) {
    const Coverage reference = ReferenceSquare();
    AddRed<TGLSprite>(world.Objects())->SetScale(TVec4{2, 2, 2, 0});
    Frame();
    ExpectSameSquare(CoverageOf(kRed), reference);
}

TEST_F(SpriteGL, FollowsTheCameraRoundItsPosition) {
    const Coverage reference = ReferenceSquare();
    AddRed<TGLSprite>(world.Objects());
    camera->SetPosition(TVec4{5, 0, 0, 1});
    camera->SetDirection(TVec4{-1, 0, 0, 0});
    Frame();
    ExpectSameSquare(CoverageOf(kRed), reference);
}

TEST_F(SpriteGL, NegativeWidthMirrorsItAwayUnderFaceCulling) {
    TGLSprite* sprite = AddRed<TGLSprite>(world.Objects());
    sprite->SetWidth(-1);
    Frame();
    EXPECT_EQ(CoverageOf(kRed).count, 0);
    faceCulling = false;
    Frame();
    EXPECT_GT(CoverageOf(kRed).count, 100);
}

TEST_F(SpriteGL, RotationTurnsItAboutTheViewAxis) {
    TGLSprite* sprite = AddRed<TGLSprite>(world.Objects());
    sprite->SetWidth(2);
    sprite->SetHeight(0.5f);
    Frame();
    const Coverage wide = CoverageOf(kRed);
    sprite->SetRotation(90);
    Frame();
    const Coverage tall = CoverageOf(kRed);
    EXPECT_GT(wide.right - wide.left, 3 * (wide.bottom - wide.top));
    EXPECT_GT(tall.bottom - tall.top, 3 * (tall.right - tall.left));
    EXPECT_NEAR(tall.count, wide.count, wide.count / 20);
}

TEST_F(SpriteGL, MirroredTextureCoordinates) {
    // A 2 x 1 texture, red on the left and green on the right.
    TGLSprite* sprite = AddRed<TGLSprite>(world.Objects());
    sprite->SetWidth(2);
    TGLTexture& texture = sprite->Material().Texture();
    platform::Image image;
    image.Width = 2;
    image.Height = 1;
    image.Pixels = {255, 0, 0, 255, 0, 255, 0, 255};
    texture.SetImage(image);
    texture.SetMagFilter(TGLMagFilter::maNearest);
    texture.SetMinFilter(TGLMinFilter::miNearest);
    texture.SetTextureMode(TGLTextureMode::tmReplace);
    texture.SetDisabled(false);
    Frame();
    const Coverage red = CoverageOf(kRed);
    const Coverage green = CoverageOf(Rgb{0, 255, 0});
    ASSERT_GT(red.count, 0);
    ASSERT_GT(green.count, 0);
    EXPECT_LT(red.right, green.left);
    sprite->SetMirrorU(true);
    Frame();
    EXPECT_GT(CoverageOf(kRed).left, CoverageOf(Rgb{0, 255, 0}).right);
}

}  // namespace
}  // namespace engine::test
