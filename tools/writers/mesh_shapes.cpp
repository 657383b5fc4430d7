#include "tools/writers/mesh_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tools {
namespace {

float Angle(int step, int segments) {
    return 2.0f * std::numbers::pi_v<float> * static_cast<float>(step) / static_cast<float>(segments);
}

std::int32_t AddPosition(Mesh& mesh, Vec3 p) {
    mesh.Positions.push_back(p);
    return static_cast<std::int32_t>(mesh.Positions.size() - 1);
}

std::int32_t AddTexCoord(Mesh& mesh, Vec2 uv) {
    mesh.TexCoords.push_back(uv);
    return static_cast<std::int32_t>(mesh.TexCoords.size() - 1);
}

// Triangles whose position and texture corners share their indices.
void AddTriangle(Mesh& mesh, std::int32_t a, std::int32_t b, std::int32_t c) {
    mesh.Triangles.push_back({{a, b, c}, {a, b, c}});
}

// A disc cap at height z: the fan faces up or down.
void AddCap(Mesh& mesh, float radius, float z, int segments, UvRect skin, bool up) {
    const std::int32_t centre = AddPosition(mesh, {0, 0, z});
    AddTexCoord(mesh, skin.At(0.5f, 0.5f));
    for (int j = 0; j <= segments; ++j) {
        const float a = Angle(j, segments);
        AddPosition(mesh, {radius * std::cos(a), radius * std::sin(a), z});
        AddTexCoord(mesh, skin.At(0.5f + 0.5f * std::cos(a), 0.5f - 0.5f * std::sin(a)));
    }
    for (int j = 0; j < segments; ++j) {
        const std::int32_t p = centre + 1 + j;
        if (up) {
            AddTriangle(mesh, centre, p, p + 1);
        } else {
            AddTriangle(mesh, centre, p + 1, p);
        }
    }
}

// A grid of (columns + 1) x (rows + 1) points, row 0 on top, joined into counter-clockwise quads
// seen from the side the points' columns run to the right on. Rows whose points coincide (poles,
// a cone's tip) give no triangles.
void AddGridTriangles(Mesh& mesh, std::int32_t first, int columns, int rows, bool topCollapsed, bool bottomCollapsed) {
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            const std::int32_t a = first + i * (columns + 1) + j;  // top left
            const std::int32_t b = a + 1;                          // top right
            const std::int32_t c = a + columns + 1;                // bottom left
            const std::int32_t d = c + 1;                          // bottom right
            if (!(bottomCollapsed && i == rows - 1)) {
                AddTriangle(mesh, c, d, b);
            }
            if (!(topCollapsed && i == 0)) {
                AddTriangle(mesh, c, b, a);
            }
        }
    }
}

}  // namespace

Mesh MakeQuad(const std::array<Vec3, 4>& corners, UvRect skin) {
    Mesh mesh;
    const std::array<Vec2, 4> uv{skin.At(0, 1), skin.At(1, 1), skin.At(1, 0), skin.At(0, 0)};
    for (int k = 0; k < 4; ++k) {
        AddPosition(mesh, corners[k]);
        AddTexCoord(mesh, uv[k]);
    }
    AddTriangle(mesh, 0, 1, 2);
    AddTriangle(mesh, 0, 2, 3);
    return mesh;
}

namespace {

// The six faces of a box, each counter-clockwise from outside, sides with z up.
std::array<std::array<Vec3, 4>, 6> BoxFaces(Vec3 m, Vec3 M) {
    return {{
        {{{M.X, m.Y, m.Z}, {M.X, M.Y, m.Z}, {M.X, M.Y, M.Z}, {M.X, m.Y, M.Z}}},  // +x
        {{{m.X, M.Y, m.Z}, {m.X, m.Y, m.Z}, {m.X, m.Y, M.Z}, {m.X, M.Y, M.Z}}},  // -x
        {{{M.X, M.Y, m.Z}, {m.X, M.Y, m.Z}, {m.X, M.Y, M.Z}, {M.X, M.Y, M.Z}}},  // +y
        {{{m.X, m.Y, m.Z}, {M.X, m.Y, m.Z}, {M.X, m.Y, M.Z}, {m.X, m.Y, M.Z}}},  // -y
        {{{m.X, m.Y, M.Z}, {M.X, m.Y, M.Z}, {M.X, M.Y, M.Z}, {m.X, M.Y, M.Z}}},  // +z
        {{{m.X, M.Y, m.Z}, {M.X, M.Y, m.Z}, {M.X, m.Y, m.Z}, {m.X, m.Y, m.Z}}},  // -z
    }};
}

float Distance(Vec3 a, Vec3 b) { return std::sqrt((a.X - b.X) * (a.X - b.X) + (a.Y - b.Y) * (a.Y - b.Y) + (a.Z - b.Z) * (a.Z - b.Z)); }

}  // namespace

Mesh MakeBox(Vec3 min, Vec3 max, UvRect skin) {
    Mesh mesh;
    for (const auto& face : BoxFaces(min, max)) {
        mesh.Append(MakeQuad(face, skin));
    }
    return mesh;
}

Mesh MakeTiledBox(Vec3 min, Vec3 max, float repeatsPerUnit) {
    Mesh mesh;
    for (const auto& face : BoxFaces(min, max)) {
        const float width = Distance(face[0], face[1]) * repeatsPerUnit;
        const float height = Distance(face[0], face[3]) * repeatsPerUnit;
        mesh.Append(MakeQuad(face, {0, 0, width, height}));
    }
    return mesh;
}

Mesh MakeStrut(Vec3 a, Vec3 b, float radius, int segments, UvRect skin) {
    const float length = Distance(a, b);
    if (length <= 0) {
        throw std::invalid_argument("A strut needs two distinct ends");
    }
    Mesh mesh = MakeCylinder(radius, radius, 0, length, segments, skin);
    const float tilt = std::acos(std::clamp((b.Z - a.Z) / length, -1.0f, 1.0f)) * 180.0f / std::numbers::pi_v<float>;
    const float heading = std::atan2(b.Y - a.Y, b.X - a.X) * 180.0f / std::numbers::pi_v<float>;
    mesh.Transform(Affine::Translation(a).After(Affine::RotationZ(heading).After(Affine::RotationY(tilt))));
    return mesh;
}

Mesh MakeCylinder(float bottomRadius, float topRadius, float zBottom, float zTop, int segments, UvRect side,
                  std::optional<UvRect> caps) {
    if (segments < 3) {
        throw std::invalid_argument("A cylinder needs at least three segments");
    }
    Mesh mesh;
    for (int row = 0; row < 2; ++row) {
        const float radius = row == 0 ? topRadius : bottomRadius;
        const float z = row == 0 ? zTop : zBottom;
        for (int j = 0; j <= segments; ++j) {
            const float a = Angle(j, segments);
            AddPosition(mesh, {radius * std::cos(a), radius * std::sin(a), z});
            AddTexCoord(mesh, side.At(static_cast<float>(j) / static_cast<float>(segments), static_cast<float>(row)));
        }
    }
    AddGridTriangles(mesh, 0, segments, 1, topRadius == 0, bottomRadius == 0);
    if (caps) {
        if (topRadius > 0) {
            AddCap(mesh, topRadius, zTop, segments, *caps, true);
        }
        if (bottomRadius > 0) {
            AddCap(mesh, bottomRadius, zBottom, segments, *caps, false);
        }
    }
    return mesh;
}

Mesh MakeEllipsoid(Vec3 radii, int segments, int rings, UvRect skin) {
    if (segments < 3 || rings < 2) {
        throw std::invalid_argument("An ellipsoid needs at least three segments and two rings");
    }
    Mesh mesh;
    for (int i = 0; i <= rings; ++i) {
        const float latitude = std::numbers::pi_v<float> * (0.5f - static_cast<float>(i) / static_cast<float>(rings));
        for (int j = 0; j <= segments; ++j) {
            const float a = Angle(j, segments);
            AddPosition(mesh, {radii.X * std::cos(latitude) * std::cos(a), radii.Y * std::cos(latitude) * std::sin(a),
                               radii.Z * std::sin(latitude)});
            AddTexCoord(mesh, skin.At(static_cast<float>(j) / static_cast<float>(segments),
                                      static_cast<float>(i) / static_cast<float>(rings)));
        }
    }
    AddGridTriangles(mesh, 0, segments, rings, true, true);
    return mesh;
}

Mesh MakeExtrusion(std::span<const Vec2> outline, float zBottom, float zTop, UvRect side, UvRect cap) {
    if (outline.size() < 3) {
        throw std::invalid_argument("An extrusion needs an outline of at least three points");
    }
    const std::size_t n = outline.size();
    std::vector<float> along(n + 1, 0.0f);
    for (std::size_t i = 0; i < n; ++i) {
        const Vec2 a = outline[i];
        const Vec2 b = outline[(i + 1) % n];
        along[i + 1] = along[i] + std::hypot(b.U - a.U, b.V - a.V);
    }
    Mesh mesh;
    for (std::size_t i = 0; i < n; ++i) {
        const Vec2 a = outline[i];
        const Vec2 b = outline[(i + 1) % n];
        UvRect strip = side;
        strip.U0 = side.At(along[i] / along[n], 0).U;
        strip.U1 = side.At(along[i + 1] / along[n], 0).U;
        mesh.Append(MakeQuad({{{a.U, a.V, zBottom}, {b.U, b.V, zBottom}, {b.U, b.V, zTop}, {a.U, a.V, zTop}}}, strip));
    }
    float minX = outline[0].U, maxX = minX, minY = outline[0].V, maxY = minY;
    for (const Vec2& p : outline) {
        minX = std::min(minX, p.U);
        maxX = std::max(maxX, p.U);
        minY = std::min(minY, p.V);
        maxY = std::max(maxY, p.V);
    }
    for (const bool top : {true, false}) {
        const auto first = static_cast<std::int32_t>(mesh.Positions.size());
        for (const Vec2& p : outline) {
            AddPosition(mesh, {p.U, p.V, top ? zTop : zBottom});
            AddTexCoord(mesh, cap.At((p.U - minX) / (maxX - minX), (maxY - p.V) / (maxY - minY)));
        }
        for (std::size_t i = 1; i + 1 < n; ++i) {
            const auto b = first + static_cast<std::int32_t>(i);
            if (top) {
                AddTriangle(mesh, first, b, b + 1);
            } else {
                AddTriangle(mesh, first, b + 1, b);
            }
        }
    }
    return mesh;
}

void NormaliseToUnitBox(Mesh& mesh) {
    const Bounds bounds = mesh.ComputeBounds();
    const Vec3 size{bounds.Max.X - bounds.Min.X, bounds.Max.Y - bounds.Min.Y, bounds.Max.Z - bounds.Min.Z};
    if (!(size.X > 0 && size.Y > 0 && size.Z > 0)) {
        throw std::invalid_argument("A mesh flat on some axis cannot fill a box");
    }
    for (Vec3& p : mesh.Positions) {
        p = {(p.X - bounds.Min.X) / size.X * 2.0f - 1.0f, (p.Y - bounds.Min.Y) / size.Y * 2.0f - 1.0f,
             (p.Z - bounds.Min.Z) / size.Z * 2.0f - 1.0f};
    }
}

}  // namespace tools
