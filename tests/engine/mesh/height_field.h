#pragma once

// A rolling height field as a mesh object of one indexed face group: cells x cells squares of unit
// size from the origin along X and Z, two triangles each.

#include "engine/mesh/base_mesh.h"

#include <cmath>

namespace tests {

inline float FieldHeight(float x, float z) {
    return 2.0f * std::sin(x * 0.2f) * std::cos(z * 0.15f) + 0.05f * x;
}

inline void AddHeightField(engine::TGLBaseMesh& mesh, int cells) {
    engine::TMeshObject& object = mesh.MeshObjects().Add();
    object.SetMode(engine::momFaceGroups);
    const int side = cells + 1;
    for (int z = 0; z < side; ++z) {
        for (int x = 0; x < side; ++x) {
            const float fx = static_cast<float>(x);
            const float fz = static_cast<float>(z);
            object.Vertices().push_back(engine::TVec3{fx, FieldHeight(fx, fz), fz});
        }
    }
    auto& group = object.FaceGroups().Add<engine::TFGVertexIndexList>();
    for (int z = 0; z < cells; ++z) {
        for (int x = 0; x < cells; ++x) {
            const int a = z * side + x;
            group.Add(a, a + side, a + 1);
            group.Add(a + 1, a + side, a + side + 1);
        }
    }
}

}  // namespace tests
