#pragma once

#include "engine/core/vector_math.h"

#include <array>

namespace engine {

// A plane (X, Y, Z, W) with a unit normal pointing into the view: a point p lies inside when
// X·p.x + Y·p.y + Z·p.z + W >= 0.
using TFrustumPlanes = std::array<TVec4, 6>;

// The six planes (left, top, right, bottom, near, far) of the view volume that clip space bounds,
// in the space the modelview matrix starts from (world space for the camera's view).
TFrustumPlanes ExtractFrustumPlanes(const TMat4& modelView, const TMat4& projection);

// True when the sphere lies wholly outside one of the planes.
bool SphereOutsideFrustum(const TFrustumPlanes& planes, const TVec4& center, float radius);

// An axis-aligned box; empty until a point is added.
struct TAxisBox {
    TVec4 min{};
    TVec4 max{};
    bool empty = true;

    void Add(const TVec4& p);
    void Add(const TAxisBox& box);
};

// True when the box lies wholly outside one of the planes.
bool BoxOutsideFrustum(const TFrustumPlanes& planes, const TAxisBox& box);

}  // namespace engine
