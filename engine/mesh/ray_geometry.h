#pragma once

#include "engine/core/vector_math.h"

namespace engine {

// A ray hit on a triangle: the point and the triangle's unnormalised normal e1 × e2.
struct TTriangleHit {
    TVec3 point;
    TVec3 normal;
};

// Ray start s, vector v against the triangle (p1, p2, p3), both faces. Only hits strictly in front
// of the start count (t > 0); a ray parallel to the plane or a degenerate triangle never hits.
bool RayCastTriangle(const TVec3& s, const TVec3& v, const TVec3& p1, const TVec3& p2, const TVec3& p3,
                     TTriangleHit* hit);

// The same test with the edges e1 = p2 - p1 and e2 = p3 - p1 computed beforehand.
bool RayCastTriangleEdges(const TVec3& s, const TVec3& v, const TVec3& p1, const TVec3& e1, const TVec3& e2,
                          TTriangleHit* hit);

// Whether the ray enters the box [min, max] (bounds inclusive); a start inside always does.
// entry, when given, receives the ray parameter of the entry point (0 for a start inside).
bool RayHitsBox(const TVec3& s, const TVec3& v, const TVec3& min, const TVec3& max, float* entry = nullptr);

// Whether the closed triangle and the closed box share a point: a separating-axis test over the
// box's axes, the triangle's normal and the nine edge cross products, in double precision so a
// triangle lying on a shared face of two boxes is in both.
bool TriangleOverlapsBox(const TVec3& p1, const TVec3& p2, const TVec3& p3, const TVec3& min, const TVec3& max);

}  // namespace engine
