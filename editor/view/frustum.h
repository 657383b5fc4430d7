#pragma once

#include <array>

namespace editor {

// An axis-aligned box in map coordinates.
struct TBox {
    std::array<double, 3> Min{};
    std::array<double, 3> Max{};
};

enum class TFrustumSide { Outside, Crossing, Inside };

// The view frustum in map coordinates, from the modelview and projection matrices (OpenGL's
// column-major order) that a frame draws the map with.
class TFrustum {
public:
    TFrustum(const std::array<double, 16>& modelview, const std::array<double, 16>& projection);

    // False only when the box lies wholly outside one of the six planes. A box that is not finite
    // (an object whose mesh has no positive coordinate on an axis) counts as visible.
    bool MayShow(const TBox& box) const { return Classify(box) != TFrustumSide::Outside; }
    // Inside means clear of every plane by a margin, so that no vertex in the box is clipped.
    TFrustumSide Classify(const TBox& box) const;

private:
    // a x + b y + c z + d >= 0 inside, with (a, b, c) of unit length.
    std::array<std::array<double, 4>, 6> m_planes{};
};

}  // namespace editor
