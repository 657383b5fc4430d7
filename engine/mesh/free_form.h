#pragma once

#include "engine/mesh/base_mesh.h"
#include "engine/mesh/octree.h"

#include <memory>

namespace engine {

// A mesh with an octree over its triangles for fast ray casts (the terrain, the base models).
class TGLFreeForm : public TGLBaseMesh {
public:
    // (Re)builds the octree, complete to depth levels, over the mesh as it is now; later changes to
    // the mesh are not seen until the next call.
    void PrepareOctree(int depth);
    // The octree, or none before PrepareOctree.
    const TOctree* Octree() const { return m_octree.get(); }

    // A world-space ray test through the octree: the closest hit strictly in front of the start.
    // Without an octree: EOctreeError "Octree must have been prepared and setup before use.".
    bool OctreeRayCast(const TVec4& rayStart, const TVec4& rayVector, TVec4* intersectPoint = nullptr,
                       TVec4* intersectNormal = nullptr);

    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

private:
    std::unique_ptr<TOctree> m_octree;
};

}  // namespace engine
