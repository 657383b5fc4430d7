#include "editor/view/frustum.h"

#include <cmath>

namespace editor {
namespace {

// In map units: a box this close to a plane may hold a vertex the clipper looks at.
constexpr double kInsideMargin = 1e-3;

}  // namespace

TFrustum::TFrustum(const std::array<double, 16>& modelview, const std::array<double, 16>& projection) {
    // Clip = projection * modelview; with column-major storage element (row r, column c) is at c * 4 + r.
    std::array<double, 16> clip{};
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += projection[k * 4 + r] * modelview[c * 4 + k];
            }
            clip[c * 4 + r] = sum;
        }
    }
    const auto row = [&](int r, int c) { return clip[c * 4 + r]; };
    // Each plane is row 3 plus or minus row 0, 1 or 2 of the clip matrix.
    for (int axis = 0; axis < 3; ++axis) {
        for (int side = 0; side < 2; ++side) {
            const double sign = side == 0 ? 1 : -1;
            auto& plane = m_planes[axis * 2 + side];
            for (int c = 0; c < 4; ++c) {
                plane[c] = row(3, c) + sign * row(axis, c);
            }
            const double length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
            if (length > 0) {
                for (double& value : plane) {
                    value /= length;
                }
            }
        }
    }
}

TFrustumSide TFrustum::Classify(const TBox& box) const {
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(box.Min[i]) || !std::isfinite(box.Max[i])) {
            return TFrustumSide::Crossing;
        }
    }
    TFrustumSide side = TFrustumSide::Inside;
    for (const auto& plane : m_planes) {
        // The box corners farthest along the plane's normal and against it.
        double farthest = plane[3];
        double nearest = plane[3];
        for (int i = 0; i < 3; ++i) {
            farthest += plane[i] * (plane[i] >= 0 ? box.Max[i] : box.Min[i]);
            nearest += plane[i] * (plane[i] >= 0 ? box.Min[i] : box.Max[i]);
        }
        if (farthest < 0) {
            return TFrustumSide::Outside;
        }
        if (nearest < kInsideMargin) {
            side = TFrustumSide::Crossing;
        }
    }
    return side;
}

}  // namespace editor
