#pragma once

#include <algorithm>
#include <cmath>

// Small geometry and easing helpers the painters share.
namespace tools::assetgen {

struct Point {
    float X = 0;
    float Y = 0;
};

// 0 below edge0, 1 beyond edge1, a smooth S between; edge0 may exceed edge1 for a falling edge.
inline float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// The distance from p to the segment from a to b.
inline float SegmentDistance(Point p, Point a, Point b) {
    const float dx = b.X - a.X;
    const float dy = b.Y - a.Y;
    const float length2 = dx * dx + dy * dy;
    const float t = length2 > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(p.X - a.X - dx * t, p.Y - a.Y - dy * t);
}

}  // namespace tools::assetgen
