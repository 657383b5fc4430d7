#include "tools/writers/mesh_shapes.h"
#include "tools/writers/qzm_writer.h"

#include "editor/data/qzm_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace tools {
namespace {

Vec3 Sub(Vec3 a, Vec3 b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X}; }
float Dot(Vec3 a, Vec3 b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }

// Every triangle of a convex shape around `centre` must face away from it: the editor lights
// triangles by their winding, and an inward face shows black.
void ExpectFacesOutward(const Mesh& mesh, Vec3 centre) {
    ASSERT_FALSE(mesh.Triangles.empty());
    for (std::size_t i = 0; i < mesh.Triangles.size(); ++i) {
        const auto& corners = mesh.Triangles[i].Corners;
        const Vec3 a = mesh.Positions[corners[0]];
        const Vec3 b = mesh.Positions[corners[1]];
        const Vec3 c = mesh.Positions[corners[2]];
        const Vec3 normal = Cross(Sub(b, a), Sub(c, a));
        const Vec3 middle{(a.X + b.X + c.X) / 3 - centre.X, (a.Y + b.Y + c.Y) / 3 - centre.Y,
                          (a.Z + b.Z + c.Z) / 3 - centre.Z};
        ASSERT_GT(Dot(normal, middle), 0.0f) << "triangle " << i;
    }
}

void ExpectUvInside(const Mesh& mesh, UvRect rect) {
    for (const Vec2& uv : mesh.TexCoords) {
        EXPECT_GE(uv.U, rect.U0 - 1e-6f);
        EXPECT_LE(uv.U, rect.U1 + 1e-6f);
        EXPECT_GE(uv.V, rect.V0 - 1e-6f);
        EXPECT_LE(uv.V, rect.V1 + 1e-6f);
    }
}

constexpr UvRect kRegion{0.25f, 0.5f, 0.75f, 1.0f};

TEST(MeshShapes, EveryPrimitiveFacesOutwardAndStaysInItsSkinRegion) {
    const std::array<Vec2, 5> pentagon{{{1, 0}, {0.3f, 0.95f}, {-0.8f, 0.6f}, {-0.8f, -0.6f}, {0.3f, -0.95f}}};
    const std::vector<std::pair<const char*, Mesh>> shapes{
        {"box", MakeBox({-1, -2, -0.5f}, {1, 2, 0.5f}, kRegion)},
        {"cylinder", MakeCylinder(1.0f, 0.6f, -1, 1, 9, kRegion, kRegion)},
        {"cone", MakeCylinder(1.0f, 0, -1, 1, 7, kRegion, kRegion)},
        {"upturned cone", MakeCylinder(0, 1.0f, -1, 1, 7, kRegion, kRegion)},
        {"ellipsoid", MakeEllipsoid({1, 2, 0.5f}, 10, 6, kRegion)},
        {"extrusion", MakeExtrusion(pentagon, -0.5f, 0.5f, kRegion, kRegion)},
    };
    for (const auto& [name, mesh] : shapes) {
        SCOPED_TRACE(name);
        ExpectFacesOutward(mesh, {0, 0, 0});
        ExpectUvInside(mesh, kRegion);
    }
}

TEST(MeshShapes, AMirroringTransformKeepsFacesOutward) {
    Mesh box = MakeBox({0, 0, 0}, {1, 1, 1}, kRegion);
    box.Transform(Affine::Scaling({-1, 1, 1}));
    ExpectFacesOutward(box, {-0.5f, 0.5f, 0.5f});
    box.Transform(Affine::Translation({3, 0, 0}).After(Affine::RotationZ(90)));
    const Bounds bounds = box.ComputeBounds();
    EXPECT_NEAR(bounds.Min.X, 2, 1e-5f);
    EXPECT_NEAR(bounds.Min.Y, -1, 1e-5f);
    ExpectFacesOutward(box, {2.5f, -0.5f, 0.5f});
}

TEST(MeshShapes, RotationsTurnTheRightWay) {
    const Vec3 x{1, 0, 0};
    const Vec3 y = Affine::RotationZ(90).Apply(x);
    EXPECT_NEAR(y.Y, 1, 1e-6f);
    const Vec3 z = Affine::RotationX(90).Apply({0, 1, 0});
    EXPECT_NEAR(z.Z, 1, 1e-6f);
    const Vec3 back = Affine::RotationY(90).Apply({0, 0, 1});
    EXPECT_NEAR(back.X, 1, 1e-6f);
}

TEST(MeshShapes, AStrutRunsBetweenItsEnds) {
    const Vec3 a{1, 2, 3};
    const Vec3 b{-1, 0.5f, 4};
    const Mesh strut = MakeStrut(a, b, 0.1f, 6, kRegion);
    const Vec3 axis = Sub(b, a);
    const float length = std::sqrt(Dot(axis, axis));
    for (const Vec3& p : strut.Positions) {
        const float along = Dot(Sub(p, a), axis) / length;
        EXPECT_TRUE(std::abs(along) < 1e-4f || std::abs(along - length) < 1e-4f) << along;
    }
    EXPECT_THROW(MakeStrut(a, a, 0.1f, 6, kRegion), std::invalid_argument);
}

TEST(MeshShapes, ATiledBoxRepeatsItsSkinInProportionToEachFace) {
    const Mesh box = MakeTiledBox({0, 0, 0}, {4, 1, 2}, 0.5f);
    float largestU = 0;
    float largestV = 0;
    for (const Vec2& uv : box.TexCoords) {
        largestU = std::max(largestU, uv.U);
        largestV = std::max(largestV, uv.V);
    }
    EXPECT_FLOAT_EQ(largestU, 2.0f);  // the 4-long sides
    EXPECT_FLOAT_EQ(largestV, 1.0f);  // the 2-high sides
    ExpectFacesOutward(box, {2, 0.5f, 1});
}

TEST(MeshShapes, NormalisingFillsTheUnitBoxExactly) {
    Mesh mesh = MakeBox({2, -7, 0}, {5, -6, 0.25f}, kRegion);
    mesh.Append(MakeEllipsoid({0.5f, 0.5f, 0.5f}, 6, 4, kRegion));
    NormaliseToUnitBox(mesh);
    const Bounds bounds = mesh.ComputeBounds();
    EXPECT_EQ(bounds.Min.X, -1.0f);
    EXPECT_EQ(bounds.Min.Y, -1.0f);
    EXPECT_EQ(bounds.Min.Z, -1.0f);
    EXPECT_EQ(bounds.Max.X, 1.0f);
    EXPECT_EQ(bounds.Max.Y, 1.0f);
    EXPECT_EQ(bounds.Max.Z, 1.0f);

    Mesh flat = MakeQuad({{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}}, kRegion);
    EXPECT_THROW(NormaliseToUnitBox(flat), std::invalid_argument);
    Mesh empty;
    EXPECT_THROW(NormaliseToUnitBox(empty), std::logic_error);
}

TEST(MeshShapes, ShapesRefuseTooFewSegments) {
    EXPECT_THROW(MakeCylinder(1, 1, 0, 1, 2, kRegion), std::invalid_argument);
    EXPECT_THROW(MakeEllipsoid({1, 1, 1}, 3, 1, kRegion), std::invalid_argument);
    const std::array<Vec2, 2> line{{{0, 0}, {1, 0}}};
    EXPECT_THROW(MakeExtrusion(line, 0, 1, kRegion, kRegion), std::invalid_argument);
}

TEST(QzmWriter, TheEditorsReaderGetsBackTheMesh) {
    Mesh mesh = MakeBox({-1, -1, -1}, {1, 1, 1}, kRegion);
    mesh.Append(MakeCylinder(0.5f, 0, 1, 2, 5, kRegion));
    NormaliseToUnitBox(mesh);
    const editor::QzmContent content = editor::ParseQzm(WriteQzm(mesh));

    ASSERT_EQ(content.Objects.size(), 1u);
    const editor::TGLMesh& object = *content.Objects[0];
    ASSERT_EQ(object.VertexCount, static_cast<std::int32_t>(mesh.Positions.size()));
    ASSERT_EQ(object.FaceCount, static_cast<std::int32_t>(mesh.Triangles.size()));
    // Normalised: the reader's scale is exactly one, so the editor draws it at -1..1.
    EXPECT_EQ(object.Scale, (editor::QzmVector{1, 1, 1}));
    for (std::size_t i = 0; i < mesh.Positions.size(); ++i) {
        EXPECT_NEAR(object.Vertices[i].X, mesh.Positions[i].X, 1e-6f);
        EXPECT_NEAR(object.Vertices[i].Z, mesh.Positions[i].Z, 1e-6f);
    }
    ASSERT_TRUE(content.Texture.Textured);
    ASSERT_EQ(content.Texture.TexFaceCount, object.FaceCount);
    for (std::size_t i = 0; i < mesh.Triangles.size(); ++i) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(object.Faces[i][k], mesh.Triangles[i].Corners[k]);
            const auto uv = content.Texture.TexVertices[content.Texture.TexFaces[i][k]];
            const Vec2 expected = mesh.TexCoords[mesh.Triangles[i].TexCorners[k]];
            // The editor draws (u, 1 - v), which must land on the picture row the mesh meant.
            EXPECT_NEAR(uv.X, expected.U, 1e-6f);
            EXPECT_NEAR(1.0f - uv.Y, expected.V, 1e-6f);
        }
    }
}

TEST(QzmWriter, NormalsFollowTheWindingAndAreUnitLength) {
    const Mesh box = MakeBox({-1, -1, -1}, {1, 1, 1}, kRegion);
    const editor::QzmContent content = editor::ParseQzm(WriteQzm(box));
    const editor::TGLMesh& object = *content.Objects[0];
    for (std::size_t i = 0; i < object.FaceNormals.size(); ++i) {
        const auto n = object.FaceNormals[i];
        EXPECT_NEAR(n.X * n.X + n.Y * n.Y + n.Z * n.Z, 1.0f, 1e-5f);
        const auto corner = object.Vertices[object.Faces[i][0]];
        EXPECT_GT(n.X * corner.X + n.Y * corner.Y + n.Z * corner.Z, 0.0f) << "face " << i;
    }
    for (std::size_t i = 0; i < object.VertexNormals.size(); ++i) {
        const auto n = object.VertexNormals[i];
        const auto p = object.Vertices[i];
        EXPECT_GT(n.X * p.X + n.Y * p.Y + n.Z * p.Z, 0.0f) << "vertex " << i;
    }
}

TEST(QzmWriter, ADegenerateTriangleGetsAnUpwardNormalNotNaN) {
    Mesh mesh;
    mesh.Positions = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}};
    mesh.TexCoords = {{0, 0}};
    mesh.Triangles = {{{0, 1, 2}, {0, 0, 0}}};
    const editor::QzmContent content = editor::ParseQzm(WriteQzm(mesh));
    EXPECT_EQ(content.Objects[0]->FaceNormals[0], (editor::QzmVector{0, 0, 1}));
}

TEST(QzmWriter, LinesEndInCarriageReturnLineFeedAndNoNegativeZero) {
    Mesh mesh = MakeBox({-1, -1, -1}, {1, 1, 1}, kRegion);
    mesh.Transform(Affine::Scaling({-1, 1, 1}));
    const std::string text = WriteQzm(mesh);
    EXPECT_EQ(text.rfind("New object\r\n", 0), 0u);
    EXPECT_EQ(text.find("-0.000000"), std::string::npos);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
}

TEST(QzmWriter, RefusesMeshesThatCannotBeWritten) {
    EXPECT_THROW(WriteQzm(Mesh{}), std::invalid_argument);
    Mesh bad;
    bad.Positions = {{0, 0, 0}};
    bad.TexCoords = {{0, 0}};
    bad.Triangles = {{{0, 0, 1}, {0, 0, 0}}};
    EXPECT_THROW(WriteQzm(bad), std::invalid_argument);
    bad.Triangles = {{{0, 0, 0}, {0, -1, 0}}};
    EXPECT_THROW(WriteQzm(bad), std::invalid_argument);
}

}  // namespace
}  // namespace tools
