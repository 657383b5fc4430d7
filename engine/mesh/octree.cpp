#include "engine/mesh/octree.h"

#include "engine/mesh/ray_geometry.h"

#include <algorithm>
#include <limits>

namespace engine {

namespace {

// Which half of each axis child i covers: x high for odd i, y high for i < 4, z high for i in
// {0, 1, 4, 5}.
bool HighX(int i) {
    return (i & 1) != 0;
}
bool HighY(int i) {
    return i < 4;
}
bool HighZ(int i) {
    return (i & 2) == 0;
}

template <class Enter>
void CollectLeaves(TOctreeNode& node, const Enter& enter, std::vector<TOctreeNode*>& leaves) {
    if (!enter(node)) {
        return;
    }
    if (node.IsLeaf()) {
        leaves.push_back(&node);
        return;
    }
    for (auto& child : node.ChildArray) {
        CollectLeaves(*child, enter, leaves);
    }
}

}  // namespace

void TOctree::InitializeTree(const TVec3& worldMin, const TVec3& worldMax, const TAffineVectorList& triangles,
                             int depth) {
    m_root.reset();
    m_resultArray.clear();
    m_worldMin = worldMin;
    m_worldMax = worldMax;
    m_triangles = triangles;
    m_maxLevel = depth;
    m_nodeCount = 0;
    m_root = std::make_unique<TOctreeNode>();
    m_root->MinExtent = worldMin;
    m_root->MaxExtent = worldMax;
    Subdivide(*m_root, 0);

    m_triCountMesh = static_cast<int>(m_triangles.size() / 3);
    m_prepared.clear();
    for (std::size_t i = 0; i + 2 < m_triangles.size(); i += 3) {
        m_prepared.push_back(
            {m_triangles[i], m_triangles[i + 1] - m_triangles[i], m_triangles[i + 2] - m_triangles[i]});
    }
    m_triCountOctree = 0;
    std::vector<TOctreeNode*> leaves;
    for (std::size_t i = 0; i + 2 < m_triangles.size(); i += 3) {
        leaves.clear();
        WalkTriToLeaf(m_triangles[i], m_triangles[i + 1], m_triangles[i + 2], leaves);
        for (TOctreeNode* leaf : leaves) {
            leaf->TriArray.push_back(static_cast<std::int32_t>(i));
        }
        if (!leaves.empty()) {
            ++m_triCountOctree;
        }
    }
}

void TOctree::Subdivide(TOctreeNode& node, int level) {
    if (level >= m_maxLevel) {
        return;
    }
    const TVec3& lo = node.MinExtent;
    const TVec3& hi = node.MaxExtent;
    const TVec3 mid{lo.X / 2 + hi.X / 2, lo.Y / 2 + hi.Y / 2, lo.Z / 2 + hi.Z / 2};
    for (int i = 0; i < 8; ++i) {
        auto child = std::make_unique<TOctreeNode>();
        child->MinExtent = TVec3{HighX(i) ? mid.X : lo.X, HighY(i) ? mid.Y : lo.Y, HighZ(i) ? mid.Z : lo.Z};
        child->MaxExtent = TVec3{HighX(i) ? hi.X : mid.X, HighY(i) ? hi.Y : mid.Y, HighZ(i) ? hi.Z : mid.Z};
        ++m_nodeCount;
        Subdivide(*child, level + 1);
        node.ChildArray[static_cast<std::size_t>(i)] = std::move(child);
    }
}

void TOctree::WalkTriToLeaf(const TVec3& p1, const TVec3& p2, const TVec3& p3, std::vector<TOctreeNode*>& leaves) {
    if (!m_root) {
        return;
    }
    CollectLeaves(
        *m_root,
        [&](const TOctreeNode& node) { return TriangleOverlapsBox(p1, p2, p3, node.MinExtent, node.MaxExtent); },
        leaves);
}

bool TOctree::RayCastIntersect(const TVec3& rayStart, const TVec3& rayVector, TOctreeHit* hit) {
    m_resultArray.clear();
    m_resultEntries.clear();
    if (m_root) {
        CollectLeaves(
            *m_root,
            [&](const TOctreeNode& node) {
                float entry = 0.0f;
                const bool entered = RayHitsBox(rayStart, rayVector, node.MinExtent, node.MaxExtent, &entry);
                if (entered && node.IsLeaf()) {
                    m_resultEntries.push_back(entry);
                }
                return entered;
            },
            m_resultArray);
    }
    const float vectorLength2 = Dot(rayVector, rayVector);
    float best = std::numeric_limits<float>::infinity();
    TOctreeHit kept;
    // The leaves in the order the ray enters them: the nearest hit is usually found in the first.
    m_leafOrder.resize(m_resultArray.size());
    for (std::size_t l = 0; l < m_leafOrder.size(); ++l) {
        m_leafOrder[l] = l;
    }
    std::stable_sort(m_leafOrder.begin(), m_leafOrder.end(),
                     [&](std::size_t a, std::size_t b) { return m_resultEntries[a] < m_resultEntries[b]; });
    for (const std::size_t l : m_leafOrder) {
        // A leaf the ray enters beyond the closest hit so far cannot hold a closer one, nor can any
        // leaf after it: every hit point lies in a leaf that stores its triangle, and that leaf is
        // entered before the point. The margin keeps rounding from skipping the leaf a hit lies on
        // the face of.
        const float entry = m_resultEntries[l];
        if (entry * entry * vectorLength2 > best * 1.0001f + 1e-12f) {
            break;
        }
        for (std::int32_t first : m_resultArray[l]->TriArray) {
            const TPreparedTriangle& t = m_prepared[static_cast<std::size_t>(first) / 3];
            TTriangleHit candidate;
            if (!RayCastTriangleEdges(rayStart, rayVector, t.p1, t.e1, t.e2, &candidate)) {
                continue;
            }
            const TVec3 d = candidate.point - rayStart;
            const float distance = Dot(d, d);
            // Of hits at the same distance, the triangle placed first wins, in whatever leaf.
            if (distance < best || (distance == best && first < kept.triangle)) {
                best = distance;
                kept = TOctreeHit{candidate.point, candidate.normal, first};
            }
        }
    }
    if (best == std::numeric_limits<float>::infinity()) {
        return false;
    }
    if (hit) {
        *hit = kept;
    }
    return true;
}

}  // namespace engine
