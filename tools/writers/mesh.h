#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Triangle meshes for the object models: positions with z up, texture coordinates in picture
// terms (u to the right, v down from the top row), each triangle counter-clockwise seen from
// outside so its normal points out.
namespace tools {

struct Vec3 {
    float X = 0;
    float Y = 0;
    float Z = 0;
};

struct Vec2 {
    float U = 0;
    float V = 0;
};

struct MeshTriangle {
    std::array<std::int32_t, 3> Corners{};     // into Positions
    std::array<std::int32_t, 3> TexCorners{};  // into TexCoords
};

struct Bounds {
    Vec3 Min;
    Vec3 Max;
};

// An affine map p' = Linear * p + Offset.
struct Affine {
    std::array<std::array<float, 3>, 3> Linear{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    Vec3 Offset;

    static Affine Translation(Vec3 offset);
    static Affine Scaling(Vec3 factors);
    // Right-handed rotations by degrees about the axes.
    static Affine RotationX(float degrees);
    static Affine RotationY(float degrees);
    static Affine RotationZ(float degrees);

    Vec3 Apply(Vec3 p) const;
    // The map that applies `first`, then this one.
    Affine After(const Affine& first) const;
};

struct Mesh {
    std::vector<Vec3> Positions;
    std::vector<Vec2> TexCoords;
    std::vector<MeshTriangle> Triangles;

    // Adds the other mesh's parts, renumbered.
    void Append(const Mesh& other);
    // Moves every position. A map that mirrors (negative determinant) also reverses each
    // triangle, so normals keep pointing out.
    void Transform(const Affine& map);
    // Throws std::logic_error for an empty mesh.
    Bounds ComputeBounds() const;
};

// A copy of the mesh moved by the map, for placing a shape built at the origin.
Mesh Transformed(Mesh mesh, const Affine& map);

// A region of the skin picture, in 0..1 picture units (v down from the top).
struct UvRect {
    float U0 = 0;
    float V0 = 0;
    float U1 = 1;
    float V1 = 1;

    Vec2 At(float s, float t) const { return {U0 + (U1 - U0) * s, V0 + (V1 - V0) * t}; }
};

}  // namespace tools
