#pragma once

#include "engine/mesh/mesh_object.h"

#include <memory>
#include <string>
#include <vector>

namespace engine {

// One key frame of a morphable mesh: a position and a normal per vertex of the mesh object.
struct TMeshMorphTarget {
    std::string Name;
    TAffineVectorList Vertices;
    TAffineVectorList Normals;
};

using TMeshMorphTargetList = std::vector<TMeshMorphTarget>;

// A mesh object whose own vertices and normals show one of its morph targets, or a blend of two.
class TMorphableMeshObject : public TMeshObject {
public:
    TMorphableMeshObject() = default;

    TMeshMorphTargetList& MorphTargets() { return m_morphTargets; }
    const TMeshMorphTargetList& MorphTargets() const { return m_morphTargets; }

    // Copies target i's vertices and normals (each only when the target has them). Index 0 without
    // targets does nothing; any other index beyond the list throws EMeshIndexError.
    void ApplyMorphTarget(int index);
    // t = 0 applies a, t = 1 applies b; otherwise the lists are interpolated and the normals
    // renormalised. An index beyond the list, or targets of different lengths, throw EMeshIndexError.
    void BlendMorphTargets(int a, int b, float t);

    std::unique_ptr<TMeshObject> Clone() const override;

private:
    TMorphableMeshObject(const TMorphableMeshObject&) = default;

    const TMeshMorphTarget& Target(int index) const;

    TMeshMorphTargetList m_morphTargets;
};

}  // namespace engine
