#include "engine/mesh/free_form.h"

#include "engine/mesh/mesh_errors.h"

namespace engine {

void TGLFreeForm::PrepareOctree(int depth) {
    if (!m_octree) {
        m_octree = std::make_unique<TOctree>();
    }
    TVec3 min;
    TVec3 max;
    MeshBounds(min, max);
    m_octree->InitializeTree(min, max, CollectTriangles(), depth);
}

bool TGLFreeForm::OctreeRayCast(const TVec4& rayStart, const TVec4& rayVector, TVec4* intersectPoint,
                                TVec4* intersectNormal) {
    if (!m_octree) {
        throw EOctreeError(mesh_messages::kOctreeNotPrepared);
    }
    TOctreeHit hit;
    if (!m_octree->RayCastIntersect(Affine(WorldToLocal(rayStart)), Affine(WorldToLocal(rayVector)), &hit)) {
        return false;
    }
    HitToWorld(hit.point, hit.normal, intersectPoint, intersectNormal);
    return true;
}

std::unique_ptr<TGLBaseSceneObject> TGLFreeForm::NewInstance() const {
    return std::make_unique<TGLFreeForm>();
}

}  // namespace engine
