#include "tools/writers/qzm_writer.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace tools {
namespace {

constexpr const char* kLineEnd = "\r\n";

Vec3 Subtract(Vec3 a, Vec3 b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }

Vec3 Cross(Vec3 a, Vec3 b) { return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X}; }

// A degenerate direction becomes straight up rather than a division by zero.
Vec3 Normalised(Vec3 v) {
    const float length = std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z);
    return length > 0 ? Vec3{v.X / length, v.Y / length, v.Z / length} : Vec3{0, 0, 1};
}

// Six decimals, with a negative zero written as zero so identical meshes give identical text.
std::string Number(float value) {
    char text[48];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value));
    std::string result(text);
    if (result == "-0.000000") {
        result.erase(0, 1);
    }
    return result;
}

void Line(std::string& out, const std::string& text) {
    out += text;
    out += kLineEnd;
}

void Triple(std::string& out, Vec3 v) { Line(out, Number(v.X) + " " + Number(v.Y) + " " + Number(v.Z)); }

void Indices(std::string& out, const std::array<std::int32_t, 3>& corners) {
    Line(out, std::to_string(corners[0] + 1) + " " + std::to_string(corners[1] + 1) + " " +
                  std::to_string(corners[2] + 1));
}

void CheckIndices(const Mesh& mesh) {
    if (mesh.Triangles.empty()) {
        throw std::invalid_argument("A QZM mesh needs at least one triangle");
    }
    for (const MeshTriangle& triangle : mesh.Triangles) {
        for (int k = 0; k < 3; ++k) {
            if (triangle.Corners[k] < 0 || static_cast<std::size_t>(triangle.Corners[k]) >= mesh.Positions.size() ||
                triangle.TexCorners[k] < 0 ||
                static_cast<std::size_t>(triangle.TexCorners[k]) >= mesh.TexCoords.size()) {
                throw std::invalid_argument("Mesh triangle refers past its vertex lists");
            }
        }
    }
}

}  // namespace

std::string WriteQzm(const Mesh& mesh) {
    CheckIndices(mesh);
    std::vector<Vec3> faceNormals;
    std::vector<Vec3> vertexSums(mesh.Positions.size());
    for (const MeshTriangle& triangle : mesh.Triangles) {
        const Vec3 a = mesh.Positions[triangle.Corners[0]];
        // Unnormalised, so larger faces weigh more in the vertex normals.
        const Vec3 cross =
            Cross(Subtract(mesh.Positions[triangle.Corners[1]], a), Subtract(mesh.Positions[triangle.Corners[2]], a));
        faceNormals.push_back(Normalised(cross));
        for (std::int32_t corner : triangle.Corners) {
            Vec3& sum = vertexSums[corner];
            sum = {sum.X + cross.X, sum.Y + cross.Y, sum.Z + cross.Z};
        }
    }

    const std::string vertexCount = std::to_string(mesh.Positions.size());
    const std::string faceCount = std::to_string(mesh.Triangles.size());
    std::string out;
    Line(out, "New object");
    Line(out, "Tri-mesh, Vertices: " + vertexCount + " Faces: " + faceCount);
    Line(out, "numverts numfaces");
    Line(out, vertexCount + " " + faceCount);
    Line(out, "Vertex list:");
    for (const Vec3& p : mesh.Positions) {
        Triple(out, p);
    }
    Line(out, "Face list:");
    Line(out, "");
    for (const MeshTriangle& triangle : mesh.Triangles) {
        Indices(out, triangle.Corners);
    }
    Line(out, "Face normals:");
    Line(out, "");
    for (const Vec3& normal : faceNormals) {
        Triple(out, normal);
    }
    Line(out, "Vertex normals:");
    Line(out, "");
    for (const Vec3& sum : vertexSums) {
        Triple(out, Normalised(sum));
    }

    Line(out, "New Texture:");
    Line(out, "Texture mapping");
    Line(out, std::to_string(mesh.TexCoords.size()) + " " + faceCount);
    Line(out, "Texture vertices:");
    for (const Vec2& uv : mesh.TexCoords) {
        Triple(out, {uv.U, 1.0f - uv.V, 0.0f});
    }
    Line(out, "Texture faces:");
    Line(out, "");
    for (const MeshTriangle& triangle : mesh.Triangles) {
        Indices(out, triangle.TexCorners);
    }
    return out;
}

}  // namespace tools
