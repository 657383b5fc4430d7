#pragma once

#include "engine/core/vector_math.h"
#include "engine/mesh/face_group.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace engine {

// A box of the octree; its children are all present or all absent.
struct TOctreeNode {
    TVec3 MinExtent;
    TVec3 MaxExtent;
    // Index of each triangle's first vertex in the octree's triangle list.
    TIntegerList TriArray;
    std::array<std::unique_ptr<TOctreeNode>, 8> ChildArray;

    bool IsLeaf() const { return !ChildArray[0]; }
};

// The closest hit of a ray cast, in the space of the triangles.
struct TOctreeHit {
    TVec3 point;
    TVec3 normal;  // the triangle's e1 × e2, not normalised
    int triangle = -1;
};

// A complete octree over a copy of a mesh's triangles, so a ray tests only the triangles of the
// leaves whose boxes it crosses.
class TOctree {
public:
    // Rebuilds the tree: complete to depth levels below the root, every triangle placed in every
    // leaf it touches. triangles holds three vertices per triangle.
    void InitializeTree(const TVec3& worldMin, const TVec3& worldMax, const TAffineVectorList& triangles, int depth);

    // The closest hit strictly in front of the start (ties: the first found), walking the leaves
    // in child order. Answers false when nothing is hit.
    bool RayCastIntersect(const TVec3& rayStart, const TVec3& rayVector, TOctreeHit* hit);

    // The leaves a triangle touches, in walk order.
    void WalkTriToLeaf(const TVec3& p1, const TVec3& p2, const TVec3& p3, std::vector<TOctreeNode*>& leaves);

    const TVec3& WorldMinExtent() const { return m_worldMin; }
    const TVec3& WorldMaxExtent() const { return m_worldMax; }
    const TAffineVectorList& TriangleFiler() const { return m_triangles; }
    const TOctreeNode* RootNode() const { return m_root.get(); }
    int MaxOlevel() const { return m_maxLevel; }
    int NodeCount() const { return m_nodeCount; }
    int TriCountMesh() const { return m_triCountMesh; }
    int TriCountOctree() const { return m_triCountOctree; }
    // The leaves collected by the last query.
    const std::vector<TOctreeNode*>& ResultArray() const { return m_resultArray; }

private:
    void Subdivide(TOctreeNode& node, int level);

    TVec3 m_worldMin;
    TVec3 m_worldMax;
    TAffineVectorList m_triangles;
    std::unique_ptr<TOctreeNode> m_root;
    int m_maxLevel = 0;
    int m_nodeCount = 0;
    int m_triCountMesh = 0;
    int m_triCountOctree = 0;
    std::vector<TOctreeNode*> m_resultArray;
    std::vector<float> m_resultEntries;  // where the last ray entered each collected leaf
    std::vector<std::size_t> m_leafOrder;
    // Per triangle its first vertex and two edges, so a ray test starts with the arithmetic.
    struct TPreparedTriangle {
        TVec3 p1, e1, e2;
    };
    std::vector<TPreparedTriangle> m_prepared;
};

}  // namespace engine
