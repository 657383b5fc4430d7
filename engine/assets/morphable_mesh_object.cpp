#include "engine/assets/morphable_mesh_object.h"

#include "engine/mesh/mesh_errors.h"

namespace engine {

const TMeshMorphTarget& TMorphableMeshObject::Target(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_morphTargets.size()) {
        throw EMeshIndexError("Morph target " + std::to_string(index) + " of " + std::to_string(m_morphTargets.size()) +
                              ".");
    }
    return m_morphTargets[static_cast<std::size_t>(index)];
}

void TMorphableMeshObject::ApplyMorphTarget(int index) {
    if (index == 0 && m_morphTargets.empty()) {
        return;
    }
    const TMeshMorphTarget& target = Target(index);
    if (!target.Vertices.empty()) {
        Vertices() = target.Vertices;
    }
    if (!target.Normals.empty()) {
        Normals() = target.Normals;
    }
}

void TMorphableMeshObject::BlendMorphTargets(int a, int b, float t) {
    const TMeshMorphTarget& from = Target(a);
    const TMeshMorphTarget& to = Target(b);
    if (t == 0.0f) {
        ApplyMorphTarget(a);
        return;
    }
    if (t == 1.0f) {
        ApplyMorphTarget(b);
        return;
    }
    if (from.Vertices.size() != to.Vertices.size() || from.Normals.size() != to.Normals.size()) {
        throw EMeshIndexError("Morph targets " + std::to_string(a) + " and " + std::to_string(b) +
                              " differ in length.");
    }
    // As with a single target, an empty list leaves the mesh's own list alone.
    if (!from.Vertices.empty()) {
        TAffineVectorList& vertices = Vertices();
        vertices.resize(from.Vertices.size());
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            vertices[i] = from.Vertices[i] + (to.Vertices[i] - from.Vertices[i]) * t;
        }
    }
    if (!from.Normals.empty()) {
        TAffineVectorList& normals = Normals();
        normals.resize(from.Normals.size());
        for (std::size_t i = 0; i < normals.size(); ++i) {
            normals[i] = Normalize(from.Normals[i] + (to.Normals[i] - from.Normals[i]) * t);
        }
    }
}

std::unique_ptr<TMeshObject> TMorphableMeshObject::Clone() const {
    return std::unique_ptr<TMeshObject>(new TMorphableMeshObject(*this));
}

}  // namespace engine
