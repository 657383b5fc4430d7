#include "engine/effects/perlin_noise.h"
#include "engine/effects/perlin_pfx_manager.h"
#include "platform/random.h"

#include <gtest/gtest.h>

#include <cmath>

namespace engine {
namespace {

void ExpectColor(const TVec4& actual, const TVec4& expected) {
    EXPECT_NEAR(actual.X, expected.X, 1e-5f);
    EXPECT_NEAR(actual.Y, expected.Y, 1e-5f);
    EXPECT_NEAR(actual.Z, expected.Z, 1e-5f);
    EXPECT_NEAR(actual.W, expected.W, 1e-5f);
}

// The game's missile trail.
void MakeFlame(TGLPerlinPFXManager& m) {
    m.SetColorInner(TVec4{0.949f, 0.475f, 0, 1});
    m.SetColorOuter(TVec4{1, 1, 0.7019608f, 1});
    m.SetParticleSize(0.7f);
    m.SetColorMode(scmFade);
    m.LifeColors().Items(0).SetLifeTime(0.3f);
}

TEST(LifeColors, AFlameParticleHalfwayThroughItsLifeIsHalfFaded) {
    TGLPerlinPFXManager flame;
    MakeFlame(flame);
    const TPFXLifeState state = flame.LifeStateAt(0.15);
    ExpectColor(state.inner, TVec4{0.4745f, 0.2375f, 0, 0.5f});
    ExpectColor(state.outer, TVec4{0.5f, 0.5f, 0.35098f, 0.5f});
    EXPECT_FALSE(state.scales);
    EXPECT_FALSE(state.rotates);
    EXPECT_FLOAT_EQ(static_cast<float>(flame.MaxParticleAge()), 0.3f);
}

TEST(LifeColors, WithoutStagesTheManagersColoursHoldAndParticlesNeverAge) {
    TGLPerlinPFXManager m;
    EXPECT_EQ(m.LifeColors().Count(), 1);
    EXPECT_EQ(m.LifeColors().Items(0).LifeTime(), 3.0f);
    m.LifeColors().Clear();
    EXPECT_EQ(m.MaxParticleAge(), 1e30);
    const TPFXLifeState state = m.LifeStateAt(1000.0);
    ExpectColor(state.inner, TVec4{1, 1, 0, 1});
    ExpectColor(state.outer, TVec4{0, 0, 0, 0});
    EXPECT_EQ(state.sizeScale, 1.0f);
}

TEST(LifeColors, SizeBlendsBetweenTheStagesAroundTheAge) {
    TGLPerlinPFXManager m;
    m.LifeColors().Items(0).SetLifeTime(1.0f);
    TPFXLifeColor& later = m.LifeColors().Add();
    later.SetLifeTime(2.0f);
    later.SetSizeScale(3.0f);
    later.SetColorInner(TVec4{0, 0, 1, 1});
    TPFXLifeState state = m.LifeStateAt(1.5);
    EXPECT_TRUE(state.scales);
    EXPECT_FLOAT_EQ(state.sizeScale, 2.0f);
    ExpectColor(state.inner, TVec4{0, 0, 0.5f, 0.5f});
    state = m.LifeStateAt(0.5);
    EXPECT_FALSE(state.scales) << "the first stage keeps size 1";
    EXPECT_EQ(state.sizeScale, 1.0f);
    // Past the last stage the last two extrapolate: f = 2 at 3 s.
    EXPECT_FLOAT_EQ(m.LifeStateAt(3.0).sizeScale, 5.0f);
}

TEST(LifeColors, FirstStageRotationAndScaleGrowFromNothing) {
    TGLPerlinPFXManager m;
    TPFXLifeColor& only = m.LifeColors().Items(0);
    only.SetLifeTime(2.0f);
    only.SetRotateAngle(90.0f);
    only.SetSizeScale(2.0f);
    const TPFXLifeState state = m.LifeStateAt(0.5);
    EXPECT_TRUE(state.rotates);
    EXPECT_FLOAT_EQ(state.rotateAngle, 22.5f);
    EXPECT_FLOAT_EQ(state.sizeScale, 1.25f);
    EXPECT_TRUE(m.AnyLifeRotation());
}

TEST(LifeColors, StagesAtTheSameTimeGiveTheLaterStageInsteadOfNaN) {
    TGLPerlinPFXManager m;
    m.LifeColors().Items(0).SetLifeTime(1.0f);
    TPFXLifeColor& twin = m.LifeColors().Add();
    twin.SetLifeTime(1.0f);
    twin.SetColorOuter(TVec4{1, 0, 0, 1});
    ExpectColor(m.LifeStateAt(2.0).outer, TVec4{1, 0, 0, 1});
}

TEST(LifeColors, LifeTimesAreKeptPositiveAndNamedForDisplay) {
    TPFXLifeColor c;
    c.SetLifeTime(0.0f);
    EXPECT_EQ(c.LifeTime(), 0.000001f);
    c.SetLifeTime(-2.0f);
    EXPECT_EQ(c.LifeTime(), 0.000001f);
    c.SetLifeTime(0.3f);
    c.SetColorInner(TVec4{1, 0.5f, 0, 1});
    EXPECT_EQ(c.DisplayName(), "LifeTime 0.300000 - Inner [1.00, 0.50, 0.00, 1.00] - Outer [0.00, 0.00, 0.00, 0.00]");
}

TEST(SpriteTexture, QuadrantsFollowTheParticleID) {
    EXPECT_EQ(SpriteTexCorners(sptOne, 7), (TSpriteTexCorners{{{1, 1}, {0, 1}, {0, 0}, {1, 0}}}));
    EXPECT_EQ(SpriteTexCorners(sptFour, 0), (TSpriteTexCorners{{{1, 1}, {0.5f, 1}, {0.5f, 0.5f}, {1, 0.5f}}}));
    EXPECT_EQ(SpriteTexCorners(sptFour, 5), (TSpriteTexCorners{{{0.5f, 1}, {0, 1}, {0, 0.5f}, {0.5f, 0.5f}}}));
    EXPECT_EQ(SpriteTexCorners(sptFour, 6), (TSpriteTexCorners{{{1, 0.5f}, {0.5f, 0.5f}, {0.5f, 0}, {1, 0}}}));
    EXPECT_EQ(SpriteTexCorners(sptFour, 11), (TSpriteTexCorners{{{0.5f, 0.5f}, {0, 0.5f}, {0, 0}, {0.5f, 0}}}));
}

TEST(PerlinNoise, IsReproducibleAndLeavesTheSharedGeneratorAsItWas) {
    platform::SetRandomSeed(777);
    const double before = platform::RandomFloat();
    platform::SetRandomSeed(777);
    const TPerlin3DNoise a(5);
    EXPECT_EQ(platform::RandomFloat(), before);
    const TPerlin3DNoise b(5);
    const TPerlin3DNoise c(6);
    bool differs = false;
    for (int i = 0; i < 50; ++i) {
        const double x = 0.37 * i;
        const double y = 0.21 * i + 0.5;
        EXPECT_EQ(a.Noise(x, y), b.Noise(x, y));
        EXPECT_LE(std::fabs(a.Noise(x, y)), 1.5);
        differs = differs || a.Noise(x, y) != c.Noise(x, y);
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(a.Noise(3.0, 4.0), 0.0) << "zero on the lattice points";
    EXPECT_EQ(a.Noise(1e300, 1e300), a.Noise(1e300, 1e300)) << "huge coordinates stay defined";
}

class PerlinImage : public ::testing::Test {
protected:
    std::uint8_t At(const TGLBitmap32& b, int x, int yFromTop, int channel) const {
        const int row = b.Height - 1 - yFromTop;
        return b.Data[static_cast<std::size_t>((row * b.Width + x) * 4 + channel)];
    }

    TGLPerlinPFXManager m;
};

TEST_F(PerlinImage, EachSpriteIsADiscWhoseRimIsClearAndWhoseCentreIsOpaque) {
    m.SetTexMapSize(6);
    m.SetSpritesPerTexture(sptFour);
    const TGLBitmap32 image = m.PrepareImage();
    ASSERT_EQ(image.Width, 64);
    ASSERT_EQ(image.Data.size(), 64u * 64u * 4u);
    const int s = 32;
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        const int dx = (quadrant % 2) * s;
        const int dy = (quadrant / 2) * s;
        for (int y = 0; y < s; ++y) {
            for (int x = 0; x < s; ++x) {
                const double r = std::hypot(x + 0.5 - s / 2, y + 0.5 - s / 2);
                if (r >= s / 2) {
                    for (int channel = 0; channel < 4; ++channel) {
                        ASSERT_EQ(At(image, dx + x, dy + y, channel), 0) << x << ", " << y;
                    }
                }
            }
        }
        // The pixels nearest the centre lie half a pixel off it on both axes.
        const double nearest = std::sqrt(2.0) * 0.5 / (s / 2);
        EXPECT_EQ(At(image, dx + s / 2, dy + s / 2, 3), static_cast<int>((1.0 - nearest) * 255.0));
        EXPECT_GT(At(image, dx + s / 2, dy + s / 2, 0), 0);
    }
}

TEST_F(PerlinImage, NoAmplitudeMeansFullLuminanceInsideTheDisc) {
    m.SetNoiseAmplitude(0);
    m.SetSpritesPerTexture(sptOne);
    m.SetTexMapSize(5);
    const TGLBitmap32 image = m.PrepareImage();
    int inside = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (At(image, x, y, 3) > 0) {
                ++inside;
                ASSERT_EQ(At(image, x, y, 0), 255);
                ASSERT_EQ(At(image, x, y, 2), 255);
            }
        }
    }
    EXPECT_GT(inside, 700);  // most of the π·16² ≈ 804 pixels of the disc
}

TEST_F(PerlinImage, FourSpritesUseFourSuccessiveSeeds) {
    m.SetNoiseSeed(10);
    m.SetTexMapSize(7);
    const TGLBitmap32 four = m.PrepareImage();
    TGLPerlinPFXManager single;
    single.SetSpritesPerTexture(sptOne);
    single.SetTexMapSize(6);
    single.SetNoiseScale(m.NoiseScale());
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        single.SetNoiseSeed(10 + quadrant);
        const TGLBitmap32 one = single.PrepareImage();
        const int dx = (quadrant % 2) * 64;
        const int dy = (quadrant / 2) * 64;
        for (int y = 0; y < 64; y += 3) {
            for (int x = 0; x < 64; x += 3) {
                ASSERT_EQ(At(four, dx + x, dy + y, 0), At(one, x, y, 0)) << "quadrant " << quadrant;
            }
        }
    }
}

TEST_F(PerlinImage, SmoothnessShapesTheFallOffAndBrightnessClamps) {
    m.SetSpritesPerTexture(sptOne);
    m.SetTexMapSize(4);
    m.SetNoiseAmplitude(0);
    m.SetSmoothness(2.0f);
    m.SetBrightness(3.0f);
    const TGLBitmap32 image = m.PrepareImage();
    // Pixel (12, 8): centre 4 right of the middle of 16 → r = 4.5 / 8.
    const double falloff = std::pow(1.0 - 4.5 / 8.0, 2.0);
    EXPECT_EQ(At(image, 12, 8, 3), static_cast<int>(falloff * 255.0));
    EXPECT_EQ(At(image, 12, 8, 0), 255);
}

TEST_F(PerlinImage, SettingsAreKeptWithinTheirLimits) {
    m.SetTexMapSize(2);
    EXPECT_EQ(m.TexMapSize(), 3);
    m.SetTexMapSize(12);
    EXPECT_EQ(m.TexMapSize(), 9);
    m.SetGamma(0.0f);
    EXPECT_EQ(m.Gamma(), 0.1f);
    m.SetSmoothness(5000.0f);
    EXPECT_EQ(m.Smoothness(), 1000.0f);
    m.SetNoiseAmplitude(150);
    EXPECT_EQ(m.NoiseAmplitude(), 100);
    m.SetAspectRatio(0.0f);
    EXPECT_EQ(m.AspectRatio(), 0.001f);
    EXPECT_EQ(m.ColorMode(), scmInner);
    EXPECT_EQ(m.SpritesPerTexture(), sptFour);
}

}  // namespace
}  // namespace engine
