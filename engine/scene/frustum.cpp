#include "engine/scene/frustum.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

float Distance(const TVec4& plane, const TVec4& p) {
    return plane.X * p.X + plane.Y * p.Y + plane.Z * p.Z + plane.W;
}

TVec4 NormalizedPlane(const TVec4& plane) {
    const float length = Length(plane);
    if (length == 0.0f) {
        return plane;
    }
    return TVec4{plane.X / length, plane.Y / length, plane.Z / length, plane.W / length};
}

}  // namespace

TFrustumPlanes ExtractFrustumPlanes(const TMat4& modelView, const TMat4& projection) {
    // With row vectors clip = p · (MV · P), so clip coordinate k is column k of the product.
    const TMat4 clip = modelView * projection;
    auto column = [&clip](int k) {
        return TVec4{clip[0][k], clip[1][k], clip[2][k], clip[3][k]};
    };
    const TVec4 x = column(0);
    const TVec4 y = column(1);
    const TVec4 z = column(2);
    const TVec4 w = column(3);
    return TFrustumPlanes{NormalizedPlane(w + x), NormalizedPlane(w - y), NormalizedPlane(w - x),
                          NormalizedPlane(w + y), NormalizedPlane(w + z), NormalizedPlane(w - z)};
}

bool SphereOutsideFrustum(const TFrustumPlanes& planes, const TVec4& center, float radius) {
    return std::any_of(planes.begin(), planes.end(),
                       [&](const TVec4& plane) { return Distance(plane, center) < -radius; });
}

void TAxisBox::Add(const TVec4& p) {
    if (empty) {
        min = max = TVec4{p.X, p.Y, p.Z, 1.0f};
        empty = false;
        return;
    }
    min = TVec4{std::min(min.X, p.X), std::min(min.Y, p.Y), std::min(min.Z, p.Z), 1.0f};
    max = TVec4{std::max(max.X, p.X), std::max(max.Y, p.Y), std::max(max.Z, p.Z), 1.0f};
}

void TAxisBox::Add(const TAxisBox& box) {
    if (!box.empty) {
        Add(box.min);
        Add(box.max);
    }
}

bool BoxOutsideFrustum(const TFrustumPlanes& planes, const TAxisBox& box) {
    if (box.empty) {
        return true;
    }
    // Outside a plane when even the corner furthest along its normal is behind it.
    return std::any_of(planes.begin(), planes.end(), [&](const TVec4& plane) {
        const TVec4 corner{plane.X >= 0 ? box.max.X : box.min.X, plane.Y >= 0 ? box.max.Y : box.min.Y,
                           plane.Z >= 0 ? box.max.Z : box.min.Z, 1.0f};
        return Distance(plane, corner) < 0.0f;
    });
}

}  // namespace engine
