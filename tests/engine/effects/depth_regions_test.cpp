#include "engine/effects/particle_depth_regions.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace engine {
namespace {

// A camera at the origin looking down +Z with near distance 1 and a depth range of 126, so that
// region r holds the distances r + 2 up to r + 3, the particles at z = r + 1 up to r + 2.
class DepthRegions : public ::testing::Test {
protected:
    DepthRegions() {
        view.cameraDirection = TVec3{0, 0, 1};
        view.nearDistance = 1.0f;
        view.range = 126.0f;
    }

    TGLParticle* Add(float z) {
        auto p = std::make_unique<TGLParticle>();
        p->ID = list.ItemCount();
        p->Position = TVec3{0.5f, -3.0f, z};
        TGLParticle* raw = p.get();
        list.AddItem(std::move(p));
        return raw;
    }

    // IDs as the renderer draws them: from the last region down, each region from its end.
    std::vector<int> DrawOrder() const {
        std::vector<int> ids;
        for (int r = TParticleDepthRegions::RegionCount - 1; r >= 0; --r) {
            const auto& region = regions.Region(r);
            for (auto it = region.rbegin(); it != region.rend(); ++it) {
                ids.push_back(it->particle->ID);
            }
        }
        return ids;
    }

    TGLParticleList list;
    TParticleDepthView view;
    TParticleDepthRegions regions;
};

TEST_F(DepthRegions, DistancesFallIntoTheirRegions) {
    Add(1.0f);    // d = 2, the nearest accepted distance
    Add(10.0f);   // d = 11
    Add(127.0f);  // d = 128, the farthest
    Add(127.5f);  // beyond the range
    regions.Add(list, view);
    EXPECT_EQ(regions.Count(), 3);
    ASSERT_EQ(regions.Region(0).size(), 1u);
    EXPECT_FLOAT_EQ(regions.Region(0)[0].distance, 2.0f);
    EXPECT_EQ(regions.Region(9).size(), 1u);
    EXPECT_EQ(regions.Region(126).size(), 1u);
    EXPECT_TRUE(regions.Region(127).empty());
}

TEST_F(DepthRegions, ParticlesBehindTheNearPlaneAreCulledOrMovedToTheNearestRegion) {
    Add(0.5f);
    Add(-4.0f);
    regions.Add(list, view);
    EXPECT_EQ(regions.Count(), 0);
    view.cull = false;
    regions.Add(list, view);
    ASSERT_EQ(regions.Region(0).size(), 2u);
    EXPECT_FLOAT_EQ(regions.Region(0)[1].distance, 2.0f);
}

TEST_F(DepthRegions, SortedRegionsDrawFarthestFirstAndUnsortedOnesInListOrder) {
    // Three particles within region 10, listed nearest first.
    Add(11.2f);
    Add(11.5f);
    Add(11.8f);
    regions.Add(list, view);
    EXPECT_EQ(DrawOrder(), (std::vector<int>{2, 1, 0}));
    regions.Clear();

    list.Clear();
    Add(11.8f);
    Add(11.2f);
    Add(11.5f);
    regions.Add(list, view);
    EXPECT_EQ(DrawOrder(), (std::vector<int>{2, 1, 0})) << "unsorted: the region's entries backwards";
    regions.SortRegions(SortedRegionCount(saHigh));
    EXPECT_EQ(DrawOrder(), (std::vector<int>{0, 2, 1})) << "sorted: farthest first";
}

TEST_F(DepthRegions, SortAccuracyLimitsSortingToTheNearestRegions) {
    EXPECT_EQ(SortedRegionCount(saLow), 0);
    EXPECT_EQ(SortedRegionCount(saOneTenth), 12);
    EXPECT_EQ(SortedRegionCount(saOneThird), 42);
    EXPECT_EQ(SortedRegionCount(saOneHalf), 64);
    EXPECT_EQ(SortedRegionCount(saHigh), 128);
    Add(11.8f);  // region 10
    Add(11.2f);
    Add(51.8f);  // region 50
    Add(51.2f);
    regions.Add(list, view);
    regions.SortRegions(SortedRegionCount(saOneThird));
    EXPECT_EQ(DrawOrder(), (std::vector<int>{3, 2, 0, 1}));
}

TEST_F(DepthRegions, ClearingKeepsTheCapacityForTheNextFrame) {
    for (int i = 0; i < 300; ++i) {
        Add(20.0f);
    }
    regions.Add(list, view);
    EXPECT_EQ(regions.Region(19).size(), 300u);
    const auto capacity = regions.Region(19).capacity();
    regions.Clear();
    EXPECT_EQ(regions.Count(), 0);
    EXPECT_TRUE(regions.Region(19).empty());
    EXPECT_EQ(regions.Region(19).capacity(), capacity);
}

TEST_F(DepthRegions, AnEmptyDepthRangeHoldsNothing) {
    Add(5.0f);
    view.range = 0.0f;
    regions.Add(list, view);
    view.range = -3.0f;
    regions.Add(list, view);
    EXPECT_EQ(regions.Count(), 0);
}

}  // namespace
}  // namespace engine
