#include "engine/hud/hud_sprite.h"
#include "engine/hud/plane.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

TEST(Sprite, ExtentsIgnoreTheSignOfItsSize) {
    TGLSprite sprite;
    sprite.SetWidth(-4);
    sprite.SetHeight(2);
    const TVec4 half = sprite.HalfExtents();
    EXPECT_EQ(half.X, 2.0f);
    EXPECT_EQ(half.Y, 1.0f);
    EXPECT_EQ(half.Z, 2.0f);
    EXPECT_TRUE(sprite.HasStyle(DrawDirect));
    EXPECT_TRUE(sprite.HasStyle(NeverCulled));
}

TEST(Sprite, AlphaIsClampedAndChangesRedraw) {
    TGLSprite sprite;
    sprite.ClearStructureChanged();
    sprite.SetAlphaChannel(1.5f);
    EXPECT_EQ(sprite.AlphaChannel(), 1.0f);
    EXPECT_FALSE(sprite.StructureChanged());
    sprite.SetAlphaChannel(-0.5f);
    EXPECT_EQ(sprite.AlphaChannel(), 0.0f);
    EXPECT_TRUE(sprite.StructureChanged());
}

TEST(Sprite, HUDSpritesCountInPixelsAndCopyTheirTiles) {
    TGLHUDSprite source;
    EXPECT_EQ(source.Width(), 16.0f);
    EXPECT_EQ(source.Height(), 16.0f);
    source.SetXTiles(3);
    source.SetWidth(64);
    source.SetMirrorU(true);
    TGLHUDSprite copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.XTiles(), 3);
    EXPECT_EQ(copy.Width(), 64.0f);
    EXPECT_TRUE(copy.MirrorU());
    EXPECT_NE(dynamic_cast<TGLHUDSprite*>(source.NewInstance().get()), nullptr);
}

TEST(Plane, DefaultsAndExtents) {
    TGLPlane plane;
    EXPECT_EQ(plane.Style(), psSingleQuad | psTileTexture);
    plane.SetWidth(3);
    plane.SetHeight(-2);
    EXPECT_EQ(plane.HalfExtents().X, 1.5f);
    EXPECT_EQ(plane.HalfExtents().Y, 1.0f);
}

}  // namespace
}  // namespace engine
