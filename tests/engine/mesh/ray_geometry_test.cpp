#include "engine/mesh/ray_geometry.h"

#include <gtest/gtest.h>

namespace {

using engine::RayCastTriangle;
using engine::RayHitsBox;
using engine::TriangleOverlapsBox;
using engine::TTriangleHit;
using engine::TVec3;

const TVec3 kP1{0, 0, 0};
const TVec3 kP2{2, 0, 0};
const TVec3 kP3{0, 0, 2};

TEST(RayTriangle, HitsBothFacesStrictlyInFront) {
    TTriangleHit hit;
    ASSERT_TRUE(RayCastTriangle({0.5f, 3, 0.5f}, {0, -1, 0}, kP1, kP2, kP3, &hit));
    EXPECT_FLOAT_EQ(hit.point.Y, 0.0f);
    EXPECT_FLOAT_EQ(hit.normal.Y, -4.0f);  // e1 x e2, unnormalised
    EXPECT_TRUE(RayCastTriangle({0.5f, -3, 0.5f}, {0, 1, 0}, kP1, kP2, kP3, nullptr));
    EXPECT_FALSE(RayCastTriangle({0.5f, -3, 0.5f}, {0, -1, 0}, kP1, kP2, kP3, nullptr));
    EXPECT_FALSE(RayCastTriangle({0.5f, 0, 0.5f}, {0, -1, 0}, kP1, kP2, kP3, nullptr));
}

TEST(RayTriangle, EdgesCountAndOutsideMisses) {
    EXPECT_TRUE(RayCastTriangle({1, 1, 1}, {0, -1, 0}, kP1, kP2, kP3, nullptr));  // on the hypotenuse
    EXPECT_TRUE(RayCastTriangle({0, 1, 0}, {0, -1, 0}, kP1, kP2, kP3, nullptr));  // on a corner
    EXPECT_FALSE(RayCastTriangle({1.1f, 1, 1.1f}, {0, -1, 0}, kP1, kP2, kP3, nullptr));
    EXPECT_FALSE(RayCastTriangle({-0.1f, 1, 0.5f}, {0, -1, 0}, kP1, kP2, kP3, nullptr));
}

TEST(RayTriangle, DegenerateInputNeverHits) {
    EXPECT_FALSE(RayCastTriangle({0.5f, 1, 0.5f}, {0, 0, 0}, kP1, kP2, kP3, nullptr));
    EXPECT_FALSE(RayCastTriangle({0.5f, 1, 0}, {0, -1, 0}, kP1, kP2, {4, 0, 0}, nullptr));
}

TEST(RayBox, StartInsideAlwaysEnters) {
    EXPECT_TRUE(RayHitsBox({0.5f, 0.5f, 0.5f}, {0, 1, 0}, {0, 0, 0}, {1, 1, 1}));
    EXPECT_TRUE(RayHitsBox({1, 1, 1}, {5, 5, 5}, {0, 0, 0}, {1, 1, 1}));  // on the corner, bounds inclusive
    EXPECT_TRUE(RayHitsBox({0.5f, 0.5f, 0.5f}, {0, 0, 0}, {0, 0, 0}, {1, 1, 1}));
}

TEST(RayBox, OutsideHitsOnlyWhenTheEntryPointIsOnTheFace) {
    EXPECT_TRUE(RayHitsBox({0.5f, 5, 0.5f}, {0, -1, 0}, {0, 0, 0}, {1, 1, 1}));
    EXPECT_FALSE(RayHitsBox({0.5f, 5, 0.5f}, {0, 1, 0}, {0, 0, 0}, {1, 1, 1}));
    EXPECT_FALSE(RayHitsBox({1.5f, 5, 0.5f}, {0, -1, 0}, {0, 0, 0}, {1, 1, 1}));
    EXPECT_TRUE(RayHitsBox({1, 5, 0.5f}, {0, -1, 0}, {0, 0, 0}, {1, 1, 1}));  // grazing the edge
    // Outside on two axes: the farther plane decides, and the point there must be on the face.
    EXPECT_TRUE(RayHitsBox({-1, 3, 0.5f}, {1, -2, 0}, {0, 0, 0}, {1, 1, 1}));
    EXPECT_FALSE(RayHitsBox({-1, 3, 0.5f}, {3, -2, 0}, {0, 0, 0}, {1, 1, 1}));
    // Parallel to the only axis it is outside on.
    EXPECT_FALSE(RayHitsBox({0.5f, 5, 0.5f}, {1, 0, 0}, {0, 0, 0}, {1, 1, 1}));
}

TEST(TriangleBox, ClosedOverlap) {
    const TVec3 lo{0, 0, 0};
    const TVec3 hi{1, 1, 1};
    EXPECT_TRUE(TriangleOverlapsBox({0.2f, 0.2f, 0.2f}, {0.3f, 0.2f, 0.2f}, {0.2f, 0.3f, 0.2f}, lo, hi));  // inside
    EXPECT_TRUE(TriangleOverlapsBox({1, 0, 0}, {2, 0, 0}, {1, 1, 0}, lo, hi));              // touches a face
    EXPECT_TRUE(TriangleOverlapsBox({-5, 0.5f, -5}, {5, 0.5f, -5}, {0, 0.5f, 5}, lo, hi));  // cuts through
    EXPECT_FALSE(TriangleOverlapsBox({-5, 1.5f, -5}, {5, 1.5f, -5}, {0, 1.5f, 5}, lo, hi));
    // Its bounding box overlaps, the triangle passes by the corner: only the edge axes tell.
    EXPECT_FALSE(TriangleOverlapsBox({2.4f, 0.5f, -0.2f}, {-0.2f, 0.5f, 2.4f}, {3, 0.5f, 3}, lo, hi));
    EXPECT_FALSE(TriangleOverlapsBox({3, -0.5f, 0.5f}, {3, 3, 0.5f}, {-0.5f, 3, 0.5f}, lo, hi));
    // A degenerate triangle (a segment) through the box.
    EXPECT_TRUE(TriangleOverlapsBox({-1, -1, -1}, {2, 2, 2}, {2, 2, 2}, lo, hi));
}

}  // namespace
