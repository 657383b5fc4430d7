#include "tools/writers/mesh.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tools {
namespace {

Affine Rotation(float degrees, int a, int b) {
    const float radians = degrees * std::numbers::pi_v<float> / 180.0f;
    Affine map;
    map.Linear[a][a] = std::cos(radians);
    map.Linear[a][b] = -std::sin(radians);
    map.Linear[b][a] = std::sin(radians);
    map.Linear[b][b] = std::cos(radians);
    return map;
}

float Determinant(const std::array<std::array<float, 3>, 3>& m) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

}  // namespace

Affine Affine::Translation(Vec3 offset) {
    Affine map;
    map.Offset = offset;
    return map;
}

Affine Affine::Scaling(Vec3 factors) {
    Affine map;
    map.Linear = {{{factors.X, 0, 0}, {0, factors.Y, 0}, {0, 0, factors.Z}}};
    return map;
}

Affine Affine::RotationX(float degrees) { return Rotation(degrees, 1, 2); }
Affine Affine::RotationY(float degrees) { return Rotation(degrees, 2, 0); }
Affine Affine::RotationZ(float degrees) { return Rotation(degrees, 0, 1); }

Vec3 Affine::Apply(Vec3 p) const {
    const std::array<float, 3> in{p.X, p.Y, p.Z};
    std::array<float, 3> out{Offset.X, Offset.Y, Offset.Z};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            out[r] += Linear[r][c] * in[c];
        }
    }
    return {out[0], out[1], out[2]};
}

Affine Affine::After(const Affine& first) const {
    Affine map;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            map.Linear[r][c] = 0;
            for (int k = 0; k < 3; ++k) {
                map.Linear[r][c] += Linear[r][k] * first.Linear[k][c];
            }
        }
    }
    map.Offset = Apply(first.Offset);
    return map;
}

void Mesh::Append(const Mesh& other) {
    const auto positionBase = static_cast<std::int32_t>(Positions.size());
    const auto texBase = static_cast<std::int32_t>(TexCoords.size());
    Positions.insert(Positions.end(), other.Positions.begin(), other.Positions.end());
    TexCoords.insert(TexCoords.end(), other.TexCoords.begin(), other.TexCoords.end());
    for (MeshTriangle triangle : other.Triangles) {
        for (int k = 0; k < 3; ++k) {
            triangle.Corners[k] += positionBase;
            triangle.TexCorners[k] += texBase;
        }
        Triangles.push_back(triangle);
    }
}

void Mesh::Transform(const Affine& map) {
    for (Vec3& p : Positions) {
        p = map.Apply(p);
    }
    if (Determinant(map.Linear) < 0) {
        for (MeshTriangle& triangle : Triangles) {
            std::swap(triangle.Corners[1], triangle.Corners[2]);
            std::swap(triangle.TexCorners[1], triangle.TexCorners[2]);
        }
    }
}

Mesh Transformed(Mesh mesh, const Affine& map) {
    mesh.Transform(map);
    return mesh;
}

Bounds Mesh::ComputeBounds() const {
    if (Positions.empty()) {
        throw std::logic_error("An empty mesh has no bounds");
    }
    Bounds bounds{Positions.front(), Positions.front()};
    for (const Vec3& p : Positions) {
        bounds.Min = {std::min(bounds.Min.X, p.X), std::min(bounds.Min.Y, p.Y), std::min(bounds.Min.Z, p.Z)};
        bounds.Max = {std::max(bounds.Max.X, p.X), std::max(bounds.Max.Y, p.Y), std::max(bounds.Max.Z, p.Z)};
    }
    return bounds;
}

}  // namespace tools
