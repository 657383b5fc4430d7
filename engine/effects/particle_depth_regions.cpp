#include "engine/effects/particle_depth_regions.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {
constexpr std::size_t kRegionGrowth = 128;
constexpr float kUsedRegions = 126.0f;
}  // namespace

int SortedRegionCount(TPFXSortAccuracy accuracy) {
    switch (accuracy) {
        case saLow:
            return 0;
        case saOneTenth:
            return 12;
        case saOneThird:
            return 42;
        case saOneHalf:
            return 64;
        case saHigh:
            break;
    }
    return TParticleDepthRegions::RegionCount;
}

void TParticleDepthRegions::Add(const TGLParticleList& particles, const TParticleDepthView& view) {
    if (!(view.range > 0.0f)) {
        return;  // an empty depth range holds nothing (and would divide by zero)
    }
    const float nearest = view.nearDistance + 1.0f;
    const float farthest = view.nearDistance + view.range + 1.0f;
    const float scale = kUsedRegions / view.range;
    const float offset = nearest + 0.49999f / scale;
    for (int i = 0; i < particles.ItemCount(); ++i) {
        TGLParticle* p = particles.Items(i);
        if (!p) {
            continue;
        }
        float d = Dot(p->Position - view.cameraPosition, view.cameraDirection) + 1.0f;
        if (!view.cull && d < nearest) {
            d = nearest;
        }
        if (!(d >= nearest && d <= farthest)) {
            continue;
        }
        const int r = std::clamp(static_cast<int>(std::lround((d - offset) * scale)), 0, RegionCount - 1);
        std::vector<TEntry>& region = m_regions[static_cast<std::size_t>(r)];
        if (region.size() == region.capacity()) {
            region.reserve(region.size() + kRegionGrowth);
        }
        region.push_back(TEntry{p, d});
        ++m_count;
    }
}

void TParticleDepthRegions::SortRegions(int sortedRegions) {
    const int last = std::min(sortedRegions, RegionCount);
    for (int r = 0; r < last; ++r) {
        std::vector<TEntry>& region = m_regions[static_cast<std::size_t>(r)];
        if (region.size() >= 2) {
            std::sort(region.begin(), region.end(),
                      [](const TEntry& a, const TEntry& b) { return a.distance < b.distance; });
        }
    }
}

void TParticleDepthRegions::Clear() {
    for (auto& region : m_regions) {
        region.clear();
    }
    m_count = 0;
}

}  // namespace engine
