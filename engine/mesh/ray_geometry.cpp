#include "engine/mesh/ray_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace engine {

namespace {

struct TDVec {
    double X, Y, Z;
    double operator[](int i) const { return i == 0 ? X : i == 1 ? Y : Z; }
};

TDVec operator-(const TDVec& a, const TDVec& b) {
    return TDVec{a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}

TDVec CrossD(const TDVec& a, const TDVec& b) {
    return TDVec{a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

double DotD(const TDVec& a, const TDVec& b) {
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

float Component(const TVec3& v, int axis) {
    return axis == 0 ? v.X : axis == 1 ? v.Y : v.Z;
}

// Whether the triangle (relative to the box centre) and the box of half sizes h project to
// disjoint intervals on the axis.
bool Separated(const TDVec& axis, const std::array<TDVec, 3>& tri, const TDVec& h) {
    const double p0 = DotD(axis, tri[0]);
    const double p1 = DotD(axis, tri[1]);
    const double p2 = DotD(axis, tri[2]);
    const double radius = h.X * std::fabs(axis.X) + h.Y * std::fabs(axis.Y) + h.Z * std::fabs(axis.Z);
    return std::min({p0, p1, p2}) > radius || std::max({p0, p1, p2}) < -radius;
}

}  // namespace

bool RayCastTriangle(const TVec3& s, const TVec3& v, const TVec3& p1, const TVec3& p2, const TVec3& p3,
                     TTriangleHit* hit) {
    return RayCastTriangleEdges(s, v, p1, p2 - p1, p3 - p1, hit);
}

bool RayCastTriangleEdges(const TVec3& s, const TVec3& v, const TVec3& p1, const TVec3& e1, const TVec3& e2,
                          TTriangleHit* hit) {
    const TVec3 q = Cross(v, e2);
    const float det = Dot(e1, q);
    if (std::fabs(det) < 1e-30f) {
        return false;
    }
    const float f = 1.0f / det;
    const TVec3 toStart = s - p1;
    const float u = f * Dot(toStart, q);
    if (u < 0.0f || u > 1.0f) {
        return false;
    }
    const TVec3 r = Cross(toStart, e1);
    const float w = f * Dot(v, r);
    if (w < 0.0f || u + w > 1.0f) {
        return false;
    }
    const float t = f * Dot(e2, r);
    if (!(t > 0.0f)) {
        return false;
    }
    if (hit) {
        hit->point = s + v * t;
        hit->normal = Cross(e1, e2);
    }
    return true;
}

bool RayHitsBox(const TVec3& s, const TVec3& v, const TVec3& min, const TVec3& max, float* entry) {
    float plane[3] = {0, 0, 0};
    bool candidate[3] = {false, false, false};
    bool inside = true;
    for (int axis = 0; axis < 3; ++axis) {
        const float start = Component(s, axis);
        if (start < Component(min, axis)) {
            plane[axis] = Component(min, axis);
            candidate[axis] = true;
            inside = false;
        } else if (start > Component(max, axis)) {
            plane[axis] = Component(max, axis);
            candidate[axis] = true;
            inside = false;
        }
    }
    if (inside) {
        if (entry) {
            *entry = 0.0f;
        }
        return true;
    }
    int which = 0;
    float best = -1.0f;
    for (int axis = 0; axis < 3; ++axis) {
        float t = -1.0f;
        const float direction = Component(v, axis);
        if (candidate[axis] && direction != 0.0f) {
            t = (plane[axis] - Component(s, axis)) / direction;
        }
        if (axis == 0 || t > best) {
            best = t;
            which = axis;
        }
    }
    if (best < 0.0f) {
        return false;
    }
    for (int axis = 0; axis < 3; ++axis) {
        if (axis == which) {
            continue;
        }
        const float coordinate = Component(s, axis) + best * Component(v, axis);
        if (coordinate < Component(min, axis) || coordinate > Component(max, axis)) {
            return false;
        }
    }
    if (entry) {
        *entry = best;
    }
    return true;
}

bool TriangleOverlapsBox(const TVec3& p1, const TVec3& p2, const TVec3& p3, const TVec3& min, const TVec3& max) {
    // The box axes first: the cheap rejection that settles most cases.
    for (int axis = 0; axis < 3; ++axis) {
        const float lo = std::min({Component(p1, axis), Component(p2, axis), Component(p3, axis)});
        const float hi = std::max({Component(p1, axis), Component(p2, axis), Component(p3, axis)});
        if (lo > Component(max, axis) || hi < Component(min, axis)) {
            return false;
        }
    }
    const TDVec center{(double(min.X) + max.X) / 2, (double(min.Y) + max.Y) / 2, (double(min.Z) + max.Z) / 2};
    const TDVec half{(double(max.X) - min.X) / 2, (double(max.Y) - min.Y) / 2, (double(max.Z) - min.Z) / 2};
    const std::array<TDVec, 3> tri{TDVec{p1.X, p1.Y, p1.Z} - center, TDVec{p2.X, p2.Y, p2.Z} - center,
                                   TDVec{p3.X, p3.Y, p3.Z} - center};
    const std::array<TDVec, 3> edges{tri[1] - tri[0], tri[2] - tri[1], tri[0] - tri[2]};
    if (Separated(CrossD(edges[0], edges[1]), tri, half)) {
        return false;
    }
    constexpr std::array<TDVec, 3> boxAxes{TDVec{1, 0, 0}, TDVec{0, 1, 0}, TDVec{0, 0, 1}};
    for (const TDVec& edge : edges) {
        for (const TDVec& boxAxis : boxAxes) {
            if (Separated(CrossD(edge, boxAxis), tri, half)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace engine
