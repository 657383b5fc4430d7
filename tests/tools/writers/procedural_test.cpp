#include "tools/writers/canvas.h"
#include "tools/writers/colour.h"
#include "tools/writers/noise.h"
#include "tools/writers/seeded_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tools {
namespace {

TEST(SeededRandom, SameSeedSameSequenceAndValuesStayInRange) {
    SeededRandom a(42);
    SeededRandom b(42);
    SeededRandom c(43);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const float value = a.NextFloat();
        EXPECT_EQ(value, b.NextFloat());
        differs = differs || value != c.NextFloat();
        EXPECT_GE(value, 0.0f);
        EXPECT_LT(value, 1.0f);
        const std::int32_t below = a.Below(7);
        b.Below(7);
        EXPECT_GE(below, 0);
        EXPECT_LT(below, 7);
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(a.Below(0), 0);
}

TEST(SeededRandom, CellHashesAreFixedSpreadAndInRange) {
    float low = 1;
    float high = 0;
    for (std::int32_t cell = 0; cell < 200; ++cell) {
        const float value = HashToUnit(cell, 3, 17);
        EXPECT_EQ(value, HashToUnit(cell, 3, 17));
        low = std::min(low, value);
        high = std::max(high, value);
    }
    EXPECT_GE(low, 0.0f);
    EXPECT_LE(high, 1.0f);
    EXPECT_LT(low, 0.1f);
    EXPECT_GT(high, 0.9f);
    EXPECT_NE(HashToUnit(5, 3, 17), HashToUnit(5, 3, 18));
    EXPECT_NE(HashToUnit(5, 3, 17), HashToUnit(3, 5, 17));
}

TEST(TileableNoise, JoinsAcrossTheTileEdges) {
    const TileableNoise noise(7);
    for (float t : {0.1f, 0.37f, 0.8f}) {
        // The same point seen from either side of the seam.
        EXPECT_NEAR(noise.At(0.0f, t, 8), noise.At(1.0f, t, 8), 1e-5f);
        EXPECT_NEAR(noise.At(t, 0.0f, 8), noise.At(t, 1.0f, 8), 1e-5f);
        EXPECT_NEAR(noise.Fbm(0.999f, t, 3, 5), noise.Fbm(-0.001f, t, 3, 5), 1e-5f);
        // Continuous across the seam: a step of 1/256 changes it only a little.
        EXPECT_NEAR(noise.Fbm(255.5f / 256, t, 4, 4), noise.Fbm(0.5f / 256, t, 4, 4), 0.1f);
    }
}

TEST(TileableNoise, StaysNearMinusOneToOneAndVaries) {
    const TileableNoise noise(9);
    float low = 0;
    float high = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const float value = noise.Fbm(x / 64.0f, y / 64.0f, 4, 5);
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    EXPECT_GE(low, -1.2f);
    EXPECT_LE(high, 1.2f);
    EXPECT_GT(high - low, 0.5f);
    EXPECT_THROW(noise.At(0.5f, 0.5f, 0), std::invalid_argument);
    EXPECT_THROW(noise.At(0.5f, 0.5f, 257), std::invalid_argument);
}

TEST(TileableCells, NearestIsNearerThanSecondAndWrapsAround) {
    const TileableCells cells(11, 5, 0.9f);
    for (int i = 0; i < 50; ++i) {
        const float u = static_cast<float>(i) / 50.0f;
        const auto sample = cells.At(u, 0.3f);
        EXPECT_LE(sample.F1, sample.F2);
        EXPECT_GE(sample.Cell, 0);
        EXPECT_LT(sample.Cell, 25);
        EXPECT_NEAR(std::hypot(sample.OffsetX, sample.OffsetY), sample.F1, 1e-5f);
    }
    const auto left = cells.At(0.0f, 0.5f);
    const auto right = cells.At(1.0f, 0.5f);
    EXPECT_EQ(left.Cell, right.Cell);
    EXPECT_NEAR(left.F1, right.F1, 1e-5f);
    EXPECT_THROW(TileableCells(1, 0, 0.5f), std::invalid_argument);
}

TEST(ColourRamp, InterpolatesBetweenStopsAndHoldsTheEnds) {
    const ColourRamp ramp{{0.5f, Rgb(0, 0, 255)}, {0.0f, Rgb(0, 0, 0)}, {1.0f, Rgb(255, 255, 255)}};
    EXPECT_FLOAT_EQ(ramp.At(0.25f).B, 0.5f);
    EXPECT_FLOAT_EQ(ramp.At(0.75f).R, 0.5f);
    EXPECT_FLOAT_EQ(ramp.At(-3.0f).B, 0.0f);
    EXPECT_FLOAT_EQ(ramp.At(7.0f).G, 1.0f);
    EXPECT_THROW(ColourRamp({}), std::invalid_argument);
}

TEST(Canvas, ShapesCrossingAnEdgeComeBackOnTheOtherSide) {
    Canvas canvas(16, 16);
    canvas.FillDisc(0.0f, 0.0f, 3.0f, Rgb(255, 0, 0));
    EXPECT_GT(canvas.At(15, 15).R, 0.9f);
    EXPECT_GT(canvas.At(0, 0).R, 0.9f);
    EXPECT_EQ(canvas.At(8, 8).R, 0.0f);
    canvas.DrawLine(14.0f, 8.5f, 18.0f, 8.5f, 1.0f, Rgb(0, 255, 0));
    EXPECT_GT(canvas.At(1, 8).G, 0.9f);
    EXPECT_GT(canvas.At(15, 8).G, 0.9f);
    EXPECT_EQ(canvas.At(7, 8).G, 0.0f);
}

TEST(Canvas, BytesAreClampedAndRounded) {
    Canvas canvas(2, 1);
    canvas.At(0, 0) = {1.5f, -0.2f, 0.5f};
    canvas.At(1, 0) = Rgb(12, 34, 56);
    const RgbImage image = canvas.ToImage();
    EXPECT_EQ(image.Pixels, (std::vector<std::uint8_t>{255, 0, 128, 12, 34, 56}));
}

TEST(Canvas, PaintingARegionPassesPixelCentres) {
    Canvas canvas(4, 4);
    canvas.PaintRegion(2, 0, 4, 2, [](float s, float t) { return Colour{s, t, 1}; });
    EXPECT_FLOAT_EQ(canvas.At(2, 0).R, 0.25f);
    EXPECT_FLOAT_EQ(canvas.At(3, 1).G, 0.75f);
    EXPECT_EQ(canvas.At(1, 1).B, 0.0f);
}

}  // namespace
}  // namespace tools
