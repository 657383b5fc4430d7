#pragma once

#include "engine/core/vector_math.h"
#include "engine/effects/particle.h"

#include <array>
#include <vector>

namespace engine {

// How many of the nearest depth regions are sorted inside.
enum TPFXSortAccuracy { saLow, saOneTenth, saOneThird, saOneHalf, saHigh };

int SortedRegionCount(TPFXSortAccuracy accuracy);

// The camera as the depth sort sees it, for one frame.
struct TParticleDepthView {
    TVec3 cameraPosition;
    TVec3 cameraDirection;  // normalised
    float nearDistance = 0;
    float range = 0;   // depth of view, or the renderer's ZMaxDistance
    bool cull = true;  // drop particles nearer than the near plane instead of moving them there
};

// Bucket sort of particles by depth into 128 regions, region 0 the nearest. Region arrays keep their
// capacity from frame to frame, so a steady particle count allocates nothing.
class TParticleDepthRegions {
public:
    static constexpr int RegionCount = 128;

    struct TEntry {
        TGLParticle* particle;
        float distance;
    };

    // Sorts the particles of one manager into the regions; a particle out of range is left out.
    void Add(const TGLParticleList& particles, const TParticleDepthView& view);
    // Sorts the entries of the first sortedRegions regions by ascending distance.
    void SortRegions(int sortedRegions);
    // Entries of region r in their order.
    const std::vector<TEntry>& Region(int r) const { return m_regions[static_cast<std::size_t>(r)]; }
    int Count() const { return m_count; }
    // Empties every region, keeping its capacity.
    void Clear();

private:
    std::array<std::vector<TEntry>, RegionCount> m_regions;
    int m_count = 0;
};

}  // namespace engine
