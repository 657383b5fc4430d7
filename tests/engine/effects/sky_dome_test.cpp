#include "engine/effects/earth_sky_dome.h"
#include "engine/effects/sky_dome_geometry.h"
#include "platform/random.h"

#include <gtest/gtest.h>

#include <cmath>

namespace engine {
namespace {

constexpr float kPi = 3.14159265f;

void ExpectColor(const TVec4& actual, const TVec4& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.X, expected.X, tolerance);
    EXPECT_NEAR(actual.Y, expected.Y, tolerance);
    EXPECT_NEAR(actual.Z, expected.Z, tolerance);
    EXPECT_NEAR(actual.W, expected.W, tolerance);
}

TEST(EarthSkyColors, TheSunIsWhiteOverheadAndDawnColouredAtTheHorizon) {
    TGLEarthSkyDome dome;
    dome.SetSunElevation(90.0f);
    ExpectColor(dome.Colors().sun, dome.SunZenithColor(), 1e-3f);
    dome.SetSunElevation(0.0f);
    ExpectColor(dome.Colors().sun, dome.SunDawnColor());
    dome.SetSunElevation(-10.0f);
    EXPECT_LT(dome.Colors().sun.Y, 0.5f) << "below the horizon the dawn colour is overshot";
}

TEST(EarthSkyColors, AtSunsetTheNightFactorDarkensHorizonAndZenith) {
    TGLEarthSkyDome dome;
    dome.SetSunElevation(0.0f);
    EXPECT_NEAR(dome.Colors().nightFactor, 0.271f, 0.0005f);
    const float n = dome.Colors().nightFactor;
    ExpectColor(dome.Colors().horizon, dome.HazeColor() * (1.0f - n));
    ExpectColor(dome.Colors().zenith, dome.SkyColor() * (1.0f - n));
    dome.SetSunElevation(90.0f);
    EXPECT_NEAR(dome.Colors().nightFactor, std::pow(1.0 - std::cos(-0.5), 2.0), 1e-6);
}

TEST(EarthSkyColors, VertexColoursRunFromTheSunToTheSky) {
    TGLEarthSkyDome dome;
    dome.SetSunElevation(40.0f);
    const TEarthSkyColors& c = dome.Colors();
    // Next to the sun t2 = 1.1 clamps to 1.
    ExpectColor(dome.VertexColor(c.sunDirection), c.sun);
    // At the zenith t1 = exp(E1·π/2) is tiny and the glow around the sun is small.
    const TVec3 zenith{0, 0, 1};
    const float g = 1.0f - c.sunDirection.Z;
    const float t1 = std::exp(c.exponent1 * kPi / 2.0f);
    const float t2 = 1.1f * std::exp(c.exponent2 * g * (1.0f + kPi / 2.0f));
    const TVec4 sky = c.zenith + (c.horizon - c.zenith) * t1;
    ExpectColor(dome.VertexColor(zenith), sky + (c.sun - sky) * t2);
    // Opposite the sun on the horizon: the haze.
    ExpectColor(dome.VertexColor(TVec3{-1, 0, 0}), c.horizon, 1e-3f);
}

TEST(EarthSkyColors, TurbidityIsLimitedAndSetsTheExponents) {
    TGLEarthSkyDome dome;
    dome.SetTurbidity(150.0f);
    EXPECT_EQ(dome.Turbidity(), 120.0f);
    EXPECT_FLOAT_EQ(dome.Colors().exponent1, -2.0f);
    EXPECT_FLOAT_EQ(dome.Colors().exponent2, -1.0f);
    dome.SetTurbidity(-5.0f);
    EXPECT_EQ(dome.Turbidity(), 1.0f);
}

TEST(EarthSkyDome, StartsWithItsDefaultsAndNoBands) {
    TGLEarthSkyDome dome;
    EXPECT_EQ(dome.SunElevation(), 75.0f);
    EXPECT_EQ(dome.Turbidity(), 15.0f);
    EXPECT_EQ(dome.Slices(), 48);
    EXPECT_EQ(dome.Stacks(), 24);
    EXPECT_TRUE(dome.Bands().empty());
    EXPECT_EQ(TGLSkyDome().Bands().size(), 2u);
    EXPECT_TRUE(dome.HasStyle(NeverCulled));
    EXPECT_FALSE(dome.HasStyle(DrawDirect));
    dome.SetOptions(sdoTwinkle);
    EXPECT_TRUE(dome.HasStyle(DrawDirect)) << "twinkling stars are drawn afresh every frame";
}

TEST(EarthSkyDome, SunElevationIsClampedAndAnUnchangedValueChangesNothing) {
    TGLEarthSkyDome dome;
    dome.SetSunElevation(120.0f);
    EXPECT_EQ(dome.SunElevation(), 90.0f);
    dome.ClearStructureChanged();
    dome.SetSunElevation(95.0f);
    EXPECT_FALSE(dome.StructureChanged());
    dome.SetSunElevation(-100.0f);
    EXPECT_EQ(dome.SunElevation(), -90.0f);
    EXPECT_TRUE(dome.StructureChanged());
}

TEST(EarthSkyDome, FadingStarsTurnGreyWithTheSun) {
    EXPECT_EQ(StarFadeGrey(40.0f), 0);
    EXPECT_EQ(StarFadeGrey(0.0f), 255);
    EXPECT_EQ(StarFadeGrey(-45.0f), 255);
    EXPECT_EQ(StarFadeGrey(10.0f), static_cast<int>(std::lround(255.0 * std::pow(8.0 / 9.0, 11.0))));

    TGLEarthSkyDome dome;
    dome.SetSunElevation(40.0f);
    dome.AddRandomStarField(3, 0x00C8C8FF, true);
    dome.SetExtendedOptions(esoFadeStarsWithSun);
    EXPECT_EQ(dome.Stars()[0].Color, 0u);
    dome.AddRandomStarField(1, 0x00FFFFFF, true);
    EXPECT_EQ(dome.Stars()[3].Color, 0x00FFFFFFu) << "a new star keeps its colour until the next change";
    dome.SetSunElevation(-4.0f);
    for (const TSkyDomeStar& star : dome.Stars()) {
        EXPECT_EQ(star.Color, 0x00FFFFFFu);
    }
}

TEST(EarthSkyDome, TurningOnTwelveHoursHappensAtTheZenith) {
    TGLEarthSkyDome dome;
    dome.AddRandomStarField(1, 0xFFFFFF, false);
    const float ra = dome.Stars()[0].RA;
    dome.SetExtendedOptions(esoRotateOnTwelveHours);
    EXPECT_EQ(dome.Stars()[0].RA, ra);
    dome.SetSunElevation(90.0f);
    EXPECT_FLOAT_EQ(dome.Stars()[0].RA, ra + 180.0f);
    EXPECT_NEAR(dome.Up().Y(), -1.0f, 1e-5f) << "the dome turned half round its own axis";
}

TEST(StarField, StarsSpreadOverTheSkyFromTheSharedGenerator) {
    TGLSkyDome dome;
    platform::SetRandomSeed(42);
    dome.AddRandomStarField(400, 0x00C8C8FF, true);
    dome.AddRandomStarField(400, 0x00FFFFFF, false);
    ASSERT_EQ(dome.Stars().size(), 800u);
    int below = 0;
    for (std::size_t i = 0; i < dome.Stars().size(); ++i) {
        const TSkyDomeStar& star = dome.Stars()[i];
        EXPECT_EQ(star.Magnitude, 3.0f);
        ASSERT_GE(star.RA, -180.0f);
        ASSERT_LT(star.RA, 180.0f);
        if (i < 400) {
            ASSERT_GE(star.Dec, 0.0f);
            EXPECT_EQ(star.Color, 0x00C8C8FFu);
        } else if (star.Dec < 0.0f) {
            ++below;
        }
    }
    EXPECT_GT(below, 150);
    EXPECT_LT(below, 250);
    platform::SetRandomSeed(42);
    TGLSkyDome again;
    again.AddRandomStarField(1, 0, true);
    EXPECT_EQ(again.Stars()[0].Dec, dome.Stars()[0].Dec);
    EXPECT_EQ(dome.Stars()[0].DisplayName().substr(0, 4), "RA: ");
}

TEST(StarField, UnitVectorsPointWhereRightAscensionAndDeclinationSay) {
    TSkyDomeStar star;
    star.RA = 90.0f;
    star.Dec = 0.0f;
    const TVec3 east = star.UnitVector();
    EXPECT_NEAR(east.Y, 1.0f, 1e-6f);
    star.Dec = 90.0f;
    EXPECT_NEAR(star.UnitVector().Z, 1.0f, 1e-6f);
    star.RA = 12.5f;
    star.Dec = -47.0f;
    EXPECT_EQ(star.DisplayName(), "RA:  12.5 / Dec: -47.0");
}

TEST(SkyGeometry, AzimuthsCrowdAroundTheSunAndEndOppositeIt) {
    const std::vector<float> a = AzimuthSamples(48);
    ASSERT_EQ(a.size(), 49u);
    EXPECT_EQ(a[24], 0.0f);
    EXPECT_FLOAT_EQ(a[0], kPi);
    EXPECT_FLOAT_EQ(a[48], kPi);
    for (int k = 1; k < 24; ++k) {
        EXPECT_FLOAT_EQ(a[24 + k], -a[24 - k]);
        EXPECT_GT(a[24 + k], a[24 + k - 1]);
    }
    EXPECT_LT(a[25] - a[24], a[47] - a[46]) << "dense near the sun, sparse opposite";
    EXPECT_FLOAT_EQ(a[25], static_cast<float>((1.0 - std::sqrt(std::cos(kPi / 2.0 / 24.0))) * kPi));
    EXPECT_EQ(AzimuthSamples(7).size(), 7u);
}

TEST(SkyGeometry, SlicesAndStacksHaveFloors) {
    TGLEarthSkyDome dome;
    dome.SetSlices(7);
    EXPECT_EQ(dome.Slices(), 7);
    dome.SetSlices(3);
    EXPECT_EQ(dome.Slices(), 6);
    EXPECT_EQ(AzimuthSamples(dome.Slices()).size(), 7u);
    dome.SetStacks(1);
    EXPECT_EQ(dome.Stacks(), 1);
    dome.SetStacks(0);
    EXPECT_EQ(dome.Stacks(), 1);
}

TEST(SkyGeometry, RingsCrowdAroundTheSunsHeightAndAlwaysEndAtTheZenith) {
    const std::vector<float> up = RingFractions(45.0f, 24);
    ASSERT_EQ(up.size(), 24u);
    EXPECT_EQ(up[0], 0.0f);
    EXPECT_FLOAT_EQ(up[12], 0.5f);
    EXPECT_FLOAT_EQ(up[11], 0.5f - 0.5f / 144.0f);
    EXPECT_EQ(up[23], 1.0f);
    for (std::size_t i = 1; i < up.size(); ++i) {
        EXPECT_GE(up[i], up[i - 1]);
    }
    const std::vector<float> down = RingFractions(-20.0f, 4);
    EXPECT_EQ(down, (std::vector<float>{0.25f, 0.5f, 0.75f, 1.0f}));
    for (int stacks : {1, 2, 3, 5}) {
        const std::vector<float> few = RingFractions(30.0f, stacks);
        ASSERT_EQ(few.size(), static_cast<std::size_t>(stacks));
        EXPECT_EQ(few.back(), 1.0f);
        for (float e : few) {
            EXPECT_TRUE(e >= 0.0f && e <= 1.0f) << stacks << " stacks give " << e;
        }
    }
}

}  // namespace
}  // namespace engine
