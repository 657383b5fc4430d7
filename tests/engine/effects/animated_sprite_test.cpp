#include "engine/effects/animated_sprite.h"
#include "engine/scene/dummy_cube.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace engine {
namespace {

// An automatically cut animation over frames first..last.
TSpriteAnimation& AddRange(TGLAnimatedSprite& sprite, int first, int last) {
    TSpriteAnimation& animation = sprite.Animations().Add();
    animation.SetStartFrame(first);
    animation.SetEndFrame(last);
    animation.SetFrameWidth(128);
    animation.SetFrameHeight(128);
    return animation;
}

// Records the frames shown after each step and the events fired.
class Stepping : public ::testing::Test {
protected:
    Stepping() {
        sprite.OnFrameChanged = [this](TComponent* sender) {
            EXPECT_EQ(sender, &sprite);
            ++frameChanged;
        };
        sprite.OnEndFrameReached = [this](TComponent*) { ++endReached; };
        sprite.OnStartFrameReached = [this](TComponent*) { ++startReached; };
    }

    std::vector<int> Steps(int count) {
        std::vector<int> shown;
        for (int i = 0; i < count; ++i) {
            sprite.NextFrame();
            const TSpriteAnimation& animation = *sprite.CurrentAnimation();
            shown.push_back(animation.ShowsFrame() ? animation.CurrentFrame() : -1);
        }
        return shown;
    }

    TGLAnimatedSprite sprite;
    int frameChanged = 0;
    int endReached = 0;
    int startReached = 0;
};

TEST_F(Stepping, PlayOnceShowsEachFrameThenNothing) {
    AddRange(sprite, 0, 2);
    sprite.SetAnimationMode(samPlayOnce);
    sprite.SetAnimationIndex(0);
    EXPECT_EQ(sprite.CurrentAnimation()->CurrentFrame(), 0);
    EXPECT_EQ(Steps(4), (std::vector<int>{1, 2, -1, -1}));
    EXPECT_EQ(sprite.CurrentAnimation()->CurrentFrame(), 3);
    EXPECT_EQ(sprite.AnimationMode(), samNone);
    EXPECT_EQ(frameChanged, 3);
    EXPECT_EQ(endReached, 1);
}

TEST_F(Stepping, LoopComesRoundAndReportsEveryPassOverTheEnd) {
    AddRange(sprite, 0, 2);
    sprite.SetAnimationMode(samLoop);
    sprite.SetAnimationIndex(0);
    EXPECT_EQ(Steps(7), (std::vector<int>{1, 2, 0, 1, 2, 0, 1}));
    EXPECT_EQ(endReached, 2);
    EXPECT_EQ(frameChanged, 7);
}

TEST_F(Stepping, BounceTurnsAtBothEnds) {
    AddRange(sprite, 1, 3);
    sprite.SetAnimationMode(samBounceForward);
    sprite.SetAnimationIndex(0);
    EXPECT_EQ(Steps(6), (std::vector<int>{2, 3, 2, 1, 2, 3}));
    EXPECT_EQ(sprite.AnimationMode(), samBounceBackward);
    // The direction turns on arriving at an end, so no step ever starts from one: no end events.
    EXPECT_EQ(endReached, 0);
    EXPECT_EQ(startReached, 0);
    EXPECT_EQ(frameChanged, 6);
}

TEST_F(Stepping, LoopBackwardStartsAtTheEnd) {
    AddRange(sprite, 0, 2);
    sprite.SetAnimationMode(samLoopBackward);
    sprite.SetAnimationIndex(0);
    EXPECT_EQ(sprite.CurrentAnimation()->CurrentFrame(), 2);
    EXPECT_EQ(Steps(4), (std::vector<int>{1, 0, 2, 1}));
    EXPECT_EQ(startReached, 1);
}

TEST_F(Stepping, ManualFramesRunOverTheFrameList) {
    TSpriteAnimation& animation = sprite.Animations().Add();
    animation.SetDimensions(sfdManual);
    animation.SetStartFrame(5);
    animation.SetEndFrame(9);
    animation.Frames().Add();
    animation.Frames().Add();
    sprite.SetAnimationMode(samLoop);
    sprite.SetAnimationIndex(0);
    // Choosing it still puts it on StartFrame, which is past the list: the first step wraps round.
    EXPECT_EQ(animation.CurrentFrame(), 5);
    EXPECT_FALSE(animation.ShowsFrame());
    EXPECT_EQ(Steps(4), (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(endReached, 1);
}

TEST_F(Stepping, AnEndHandlerThatStopsTheAnimationSuppressesTheFrameChange) {
    // The game's explosions: OnEndFrameReached sets samNone.
    AddRange(sprite, 0, 1);
    sprite.SetAnimationMode(samPlayOnce);
    sprite.SetAnimationIndex(0);
    sprite.OnEndFrameReached = [this](TComponent*) {
        ++endReached;
        sprite.SetAnimationMode(samNone);
    };
    Steps(2);
    EXPECT_EQ(frameChanged, 1);
    EXPECT_EQ(endReached, 1);
    EXPECT_EQ(sprite.CurrentAnimation()->CurrentFrame(), 2);
}

TEST(AnimatedSprite, ChoosingAnAnimation) {
    TGLAnimatedSprite sprite;
    EXPECT_EQ(sprite.AnimationIndex(), -1);
    TSpriteAnimation& animation = AddRange(sprite, 4, 8);
    animation.SetCurrentFrame(6);
    sprite.SetAnimationIndex(-7);
    EXPECT_EQ(sprite.AnimationIndex(), -1);
    EXPECT_EQ(animation.CurrentFrame(), 6);
    sprite.SetAnimationIndex(0);
    EXPECT_EQ(animation.CurrentFrame(), 4);
    // Changing the mode keeps the frame.
    sprite.SetAnimationMode(samBounceBackward);
    EXPECT_EQ(animation.CurrentFrame(), 4);
    sprite.SetAnimationIndex(3);
    EXPECT_EQ(sprite.CurrentAnimation(), nullptr);
    sprite.SetAnimationIndex(0);
    EXPECT_EQ(animation.CurrentFrame(), 8);
    animation.SetCurrentFrame(-5);
    EXPECT_EQ(animation.CurrentFrame(), -1);
}

TEST(AnimatedSprite, FrameRatesAndIntervals) {
    TGLAnimatedSprite sprite;
    EXPECT_EQ(sprite.Interval(), 100);
    EXPECT_FLOAT_EQ(sprite.FrameRate(), 10.0f);
    sprite.SetFrameRate(30);
    EXPECT_EQ(sprite.Interval(), 33);
    TSpriteAnimation& animation = sprite.Animations().Add();
    EXPECT_EQ(animation.FrameRate(), 0.0f);
    animation.SetFrameRate(400);  // 2.5 ms: halves go to the even neighbour
    EXPECT_EQ(animation.Interval(), 2);
    animation.SetFrameRate(0);
    EXPECT_EQ(animation.Interval(), 0);
    animation.SetFrameRate(1e-9f);
    EXPECT_EQ(animation.Interval(), std::numeric_limits<int>::max());
    sprite.SetPixelRatio(-3);
    sprite.SetPixelRatio(0);
    EXPECT_EQ(sprite.PixelRatio(), 100.0f);
}

TEST(AnimatedSprite, TickOfATenthAtThirtyThreeMillisecondsAdvancesThreeFrames) {
    TGLAnimatedSprite sprite;
    AddRange(sprite, 0, 64).SetInterval(33);
    sprite.SetAnimationMode(samPlayOnce);
    sprite.SetAnimationIndex(0);
    sprite.ProgressTree(TProgressTimes{0.1, 0.1});
    EXPECT_EQ(sprite.CurrentAnimation()->CurrentFrame(), 3);
    EXPECT_NEAR(sprite.FrameTimer(), 100.0 / 33.0 - 3.0, 1e-9);
}

TEST(AnimatedSprite, AnimationWithoutIntervalUsesTheSprites) {
    TGLAnimatedSprite sprite;
    TSpriteAnimation& animation = AddRange(sprite, 0, 64);
    animation.SetFrameRate(30);
    animation.SetFrameRate(0);
    sprite.SetAnimationMode(samLoop);
    sprite.SetAnimationIndex(0);
    sprite.ProgressTree(TProgressTimes{0.25, 0.25});
    EXPECT_EQ(animation.CurrentFrame(), 2);
    sprite.SetInterval(0);
    sprite.ProgressTree(TProgressTimes{1.0, 1.25});
    EXPECT_EQ(animation.CurrentFrame(), 2);
    sprite.SetInterval(50);
    sprite.SetAnimationMode(samNone);
    sprite.ProgressTree(TProgressTimes{1.0, 2.25});
    EXPECT_EQ(animation.CurrentFrame(), 2);
}

TEST(AnimatedSprite, StoppedAnimationsOweNoFramesAndEndlessTicksNone) {
    TGLAnimatedSprite sprite;
    TSpriteAnimation& animation = AddRange(sprite, 0, 1);
    sprite.SetAnimationMode(samPlayOnce);
    sprite.SetAnimationIndex(0);
    sprite.ProgressTree(TProgressTimes{1000.05, 1000.05});
    EXPECT_EQ(animation.CurrentFrame(), 2);
    EXPECT_NEAR(sprite.FrameTimer(), 0.5, 1e-6);
    sprite.SetAnimationMode(samLoop);
    sprite.ProgressTree(TProgressTimes{std::numeric_limits<double>::infinity(), 0});
    EXPECT_EQ(sprite.FrameTimer(), 0.0);
}

TEST(AnimatedSprite, AHandlerMayFreeTheSprite) {
    TGLDummyCube explosions;
    auto* sprite = explosions.CreateChild<TGLAnimatedSprite>();
    AddRange(*sprite, 0, 1);
    sprite->SetAnimationMode(samLoop);
    sprite->SetAnimationIndex(0);
    int changes = 0;
    sprite->OnFrameChanged = [&changes](TComponent*) { ++changes; };
    sprite->OnEndFrameReached = [sprite](TComponent*) { sprite->Free(); };
    explosions.ProgressTree(TProgressTimes{1.0, 1.0});
    EXPECT_EQ(explosions.ChildCount(), 0);
    EXPECT_EQ(changes, 1);
}

TEST(AnimatedSprite, OwnProgressHandlerMayFreeIt) {
    TGLDummyCube explosions;
    auto* sprite = explosions.CreateChild<TGLAnimatedSprite>();
    AddRange(*sprite, 0, 5);
    sprite->SetAnimationMode(samLoop);
    sprite->SetAnimationIndex(0);
    sprite->OnProgress = [sprite](TComponent*, double, double) { sprite->Free(); };
    explosions.ProgressTree(TProgressTimes{1.0, 1.0});
    EXPECT_EQ(explosions.ChildCount(), 0);
}

TEST(FrameRect, GridFramesNumberedRowByRowFromTheTopLeft) {
    TGLAnimatedSprite sprite;
    TSpriteAnimation& animation = AddRange(sprite, 0, 64);
    animation.SetCurrentFrame(9);
    EXPECT_EQ(animation.FrameRect(1024, 1024), (TSpriteFrameRect{128, 128, 255, 255}));
    const TSpriteFrameQuad quad = SpriteFrameQuad(animation, true, 1024, 1024, 100, false, false);
    EXPECT_FLOAT_EQ(quad.uL, 128.0f / 1024);
    EXPECT_FLOAT_EQ(quad.uR, 255.0f / 1024);
    EXPECT_FLOAT_EQ(quad.vB, 1 - 255.0f / 1024);
    EXPECT_FLOAT_EQ(quad.vT, 1 - 128.0f / 1024);
    EXPECT_FLOAT_EQ(quad.halfWidth, 0.635f);
    EXPECT_FLOAT_EQ(quad.halfHeight, 0.635f);
    const TSpriteFrameQuad mirrored = SpriteFrameQuad(animation, true, 1024, 1024, 100, true, true);
    EXPECT_EQ(mirrored.uL, quad.uR);
    EXPECT_EQ(mirrored.vB, quad.vT);
}

TEST(FrameRect, MarginsTrimAutomaticFrames) {
    TGLAnimatedSprite sprite;
    TSpriteAnimation& animation = AddRange(sprite, 0, 64);
    animation.SetMargins(TSpriteAnimMargins{1, 2, 3, 4});
    animation.SetCurrentFrame(1);
    EXPECT_EQ(animation.FrameRect(256, 256), (TSpriteFrameRect{129, 2, 252, 123}));
    // A frame wider than the texture: one frame a row instead of a division by zero.
    animation.SetFrameWidth(512);
    EXPECT_EQ(animation.FrameRect(256, 256).top, 128 + 2);
    // No usable texture size: every frame at the origin.
    EXPECT_EQ(animation.FrameRect(0, 256).left, 1);
}

TEST(FrameRect, ManualFramesAreTheirRectangles) {
    TGLAnimatedSprite sprite;
    TSpriteAnimation& animation = sprite.Animations().Add();
    animation.SetDimensions(sfdManual);
    animation.Frames().Add();
    TSpriteAnimFrame& second = animation.Frames().Add();
    second.SetOffsetX(10);
    second.SetOffsetY(20);
    second.SetWidth(30);
    second.SetHeight(40);
    animation.SetCurrentFrame(1);
    EXPECT_TRUE(animation.ShowsFrame());
    EXPECT_EQ(animation.FrameRect(64, 64), (TSpriteFrameRect{10, 20, 39, 59}));
    animation.SetCurrentFrame(2);
    EXPECT_FALSE(animation.ShowsFrame());
}

TEST(FrameRect, WithoutMaterialOrWithAnEmptyFrameTheDefaultsStay) {
    TGLAnimatedSprite sprite;
    TSpriteAnimation& animation = AddRange(sprite, 0, 3);
    const TSpriteFrameQuad none = SpriteFrameQuad(animation, false, 1024, 1024, 100, true, false);
    EXPECT_EQ(none.uL, 0.0f);
    EXPECT_EQ(none.vT, 0.0f);
    EXPECT_EQ(none.halfWidth, 0.5f);
    EXPECT_EQ(none.halfHeight, 0.5f);
    animation.SetFrameWidth(1);
    EXPECT_EQ(SpriteFrameQuad(animation, true, 1024, 1024, 100, false, false).halfWidth, 0.5f);
}

TEST(AnimatedSprite, CopiesCarryTheAnimations) {
    TGLAnimatedSprite source;
    TSpriteAnimation& animation = AddRange(source, 2, 5);
    animation.SetLibMaterialName("boom");
    animation.Frames().Add().SetWidth(7);
    source.SetAnimationIndex(0);
    source.SetRotation(-90);
    source.SetPulledTowardsEye(true);
    TGLAnimatedSprite copy;
    copy.CopyFrom(source);
    ASSERT_EQ(copy.Animations().Count(), 1);
    EXPECT_EQ(copy.Animations().Items(0).LibMaterialName(), "boom");
    EXPECT_EQ(copy.Animations().Items(0).Frames().Items(0).Width(), 7);
    EXPECT_EQ(copy.AnimationIndex(), 0);
    EXPECT_EQ(copy.Rotation(), -90);
    EXPECT_TRUE(copy.PulledTowardsEye());
    animation.SetStartFrame(3);
    EXPECT_EQ(copy.Animations().Items(0).StartFrame(), 2);
}

// Eye space is scaled about the eye so that the centre comes one radius nearer along its line of
// sight, but never to the near plane, and never further away.
TEST(DepthPullFactor, BringsTheSpriteOneRadiusNearer) {
    const struct {
        TVec3 centre;
        float radius;
        float expected;
    } cases[] = {
        {{0, 0, -10}, 2, 0.8f},
        {{3, 4, -12}, 2.6f, 0.8f},           // 13 away along a slanted line of sight
        {{0, 0, -10}, 0, 1},
        {{0, 0, -10}, -1, 1},
        {{0, 0, -3}, 5, 1.01f / 3},          // the eye inside the sprite: just beyond the near plane
        {{0, 0, -0.5f}, 0.2f, 1},            // already before the near plane: left alone
        {{0, 0, 5}, 2, 1},                   // behind the eye
    };
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(DepthPullFactor(c.centre, c.radius, 1), c.expected)
            << c.centre.X << "," << c.centre.Y << "," << c.centre.Z << " r " << c.radius;
    }
}

}  // namespace
}  // namespace engine
