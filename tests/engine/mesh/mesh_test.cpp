#include "engine/mesh/free_form.h"
#include "engine/mesh/mesh_errors.h"
#include "engine/mesh/vector_file.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace {

using engine::TAffineVectorList;
using engine::TGLBaseMesh;
using engine::TGLFreeForm;
using engine::TMeshObject;
using engine::TVec3;
using engine::TVec4;

// A reader that makes one mesh object named after the stream's first byte, or fails on an empty
// stream after having added an object already.
class FakeReader : public engine::TVectorFile {
public:
    using TVectorFile::TVectorFile;
    void LoadFromStream(std::span<const std::uint8_t> stream) override {
        TMeshObject& object = Owner().MeshObjects().Add();
        if (stream.empty()) {
            throw std::runtime_error("fake reader: empty");
        }
        object.SetName(std::string(1, static_cast<char>(stream[0])) + ":" + ResourceName());
        object.Vertices() = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
        seenInvert = NormalsOrientation() == engine::mnoInvert;
    }
    static inline bool seenInvert = false;
};

engine::TVectorFileClass FakeClass() {
    return [](TGLBaseMesh& owner) { return std::make_unique<FakeReader>(owner); };
}

class Named : public engine::TVectorFile {
public:
    Named(TGLBaseMesh& owner, std::string name) : TVectorFile(owner), m_name(std::move(name)) {}
    void LoadFromStream(std::span<const std::uint8_t>) override { Owner().MeshObjects().Add().SetName(m_name); }

private:
    std::string m_name;
};

TEST(MeshFormats, ExtensionsCompareInLowerCaseAndTheLastRegisteredWins) {
    engine::RegisterMeshFormat("FAKE", "fake files", FakeClass());
    engine::RegisterMeshFormat("twice", "first", [](TGLBaseMesh& o) { return std::make_unique<Named>(o, "first"); });
    engine::RegisterMeshFormat(".twice", "second", [](TGLBaseMesh& o) { return std::make_unique<Named>(o, "second"); });
    EXPECT_EQ(engine::RegisteredMeshFormats().back().Extension, "twice");

    TGLBaseMesh mesh;
    const std::uint8_t byte[1] = {'x'};
    mesh.LoadFromStream("models\\firebase.FaKe", byte);
    ASSERT_EQ(mesh.MeshObjects().Count(), 1);
    EXPECT_EQ(mesh.MeshObjects()[0].Name(), "x:models\\firebase.FaKe");
    mesh.LoadFromStream("a.TWICE", byte);
    EXPECT_EQ(mesh.MeshObjects()[0].Name(), "second");
}

TEST(MeshFormats, UnknownExtensionNamesTheMissingUnit) {
    try {
        engine::FormatForFile("dir.v2\\model.Qwz");
        FAIL() << "no error";
    } catch (const engine::EInvalidVectorFile& e) {
        EXPECT_STREQ(
            e.what(),
            "Unknown file extension (qwz), maybe you forgot to add the support unit to your uses? (GLFileQWZ?)");
    }
    // A dot in a folder name is no extension.
    EXPECT_THROW(engine::FormatForFile("dir.fake/model"), engine::EInvalidVectorFile);
}

TEST(MeshLoading, ReplacesTheMeshAndPassesTheOrientation) {
    engine::RegisterMeshFormat("fake", "fake files", FakeClass());
    TGLBaseMesh mesh;
    mesh.MeshObjects().Add().SetName("old");
    mesh.SetNormalsOrientation(engine::mnoInvert);
    const std::uint8_t byte[1] = {'n'};
    mesh.LoadFromStream("m.fake", byte);
    ASSERT_EQ(mesh.MeshObjects().Count(), 1);
    EXPECT_EQ(mesh.MeshObjects()[0].Name(), "n:m.fake");
    EXPECT_TRUE(FakeReader::seenInvert);
}

TEST(MeshLoading, AFailedLoadLeavesThePreviousMesh) {
    engine::RegisterMeshFormat("fake", "fake files", FakeClass());
    TGLBaseMesh mesh;
    mesh.MeshObjects().Add().SetName("old");
    EXPECT_THROW(mesh.LoadFromStream("m.fake", {}), std::runtime_error);
    ASSERT_EQ(mesh.MeshObjects().Count(), 1);
    EXPECT_EQ(mesh.MeshObjects()[0].Name(), "old");
    EXPECT_THROW(mesh.LoadFromStream("m.unknownext", {}), engine::EInvalidVectorFile);
    EXPECT_EQ(mesh.MeshObjects().Count(), 1);
    EXPECT_THROW(mesh.LoadFromFile("no/such/file.fake"), platform::FileError);
    EXPECT_EQ(mesh.MeshObjects().Count(), 1);
    mesh.LoadFromFile("");
    EXPECT_EQ(mesh.MeshObjects().Count(), 1);
}

TEST(MeshLoading, AutoScalingAndCenteringApplyAfterTheReader) {
    engine::RegisterMeshFormat("fake", "fake files", FakeClass());
    TGLBaseMesh mesh;
    mesh.AutoScaling().SetAll(2, 4, 1);
    mesh.SetAutoCentering(engine::macCenterX);
    const std::uint8_t byte[1] = {'n'};
    mesh.LoadFromStream("m.fake", byte);
    // (0,0,0), (1,0,0), (0,1,0) scaled to x 0..2, y 0..4, then centred on x only.
    const TAffineVectorList& v = mesh.MeshObjects()[0].Vertices();
    EXPECT_EQ(v[0], (TVec3{-1, 0, 0}));
    EXPECT_EQ(v[1], (TVec3{1, 0, 0}));
    EXPECT_EQ(v[2], (TVec3{-1, 4, 0}));
}

TEST(MeshTriangles, EveryLayoutBecomesSeparateTrianglesInOrder) {
    TGLBaseMesh mesh;
    TMeshObject& plain = mesh.MeshObjects().Add();
    plain.Vertices() = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {9, 9, 9}};  // the fourth is no triangle
    TMeshObject& strip = mesh.MeshObjects().Add();
    strip.SetMode(engine::momTriangleStrip);
    strip.Vertices() = {{0, 1, 0}, {1, 1, 0}, {2, 1, 0}, {3, 1, 0}};
    TMeshObject& grouped = mesh.MeshObjects().Add();
    grouped.SetMode(engine::momFaceGroups);
    grouped.Vertices() = {{0, 2, 0}, {1, 2, 0}, {2, 2, 0}, {3, 2, 0}, {4, 2, 0}};
    auto& fan = grouped.FaceGroups().Add<engine::TFGVertexIndexList>();
    fan.SetMode(engine::fgmmTriangleFan);
    fan.VertexIndices() = {0, 1, 2, 3};
    auto& quads = grouped.FaceGroups().Add<engine::TFGVertexIndexList>();
    quads.SetMode(engine::fgmmQuads);
    quads.VertexIndices() = {1, 2, 3, 4};
    auto& broken = grouped.FaceGroups().Add<engine::TFGVertexIndexList>();
    broken.VertexIndices() = {0, 1, 7, 2, 3, 4};  // index 7 is outside: that triangle is left out
    auto& separate = grouped.FaceGroups().Add<engine::TFGIndexTexCoordList>();
    separate.Add(4, 0, 0);
    separate.Add(0, 0, 0);
    separate.Add(-1, 0, 0);

    const TAffineVectorList t = mesh.CollectTriangles();
    const TAffineVectorList expected{
        {0, 0, 0}, {1, 0, 0}, {2, 0, 0},                                   // triangles
        {0, 1, 0}, {1, 1, 0}, {2, 1, 0}, {2, 1, 0}, {1, 1, 0}, {3, 1, 0},  // strip, second one flipped
        {0, 2, 0}, {1, 2, 0}, {2, 2, 0}, {0, 2, 0}, {2, 2, 0}, {3, 2, 0},  // fan
        {1, 2, 0}, {2, 2, 0}, {3, 2, 0}, {1, 2, 0}, {3, 2, 0}, {4, 2, 0},  // quad
        {2, 2, 0}, {3, 2, 0}, {4, 2, 0}};                                  // the valid one of "broken"
    EXPECT_EQ(t, expected);
    EXPECT_EQ(grouped.TriangleCount(), 2 + 2 + 2 + 1);
}

TEST(MeshBounds, EmptyIsInvertedAndObjectsFoldIn) {
    TGLBaseMesh mesh;
    TVec3 min;
    TVec3 max;
    mesh.MeshBounds(min, max);
    EXPECT_EQ(min.X, std::numeric_limits<float>::max());
    EXPECT_EQ(max.X, -std::numeric_limits<float>::max());
    EXPECT_EQ(mesh.HalfExtents(), (TVec4{}));
    mesh.MeshObjects().Add().Vertices() = {{-1, 2, 3}};
    mesh.MeshObjects().Add().Vertices() = {{4, -5, 0}};
    mesh.MeshBounds(min, max);
    EXPECT_EQ(min, (TVec3{-1, -5, 0}));
    EXPECT_EQ(max, (TVec3{4, 2, 3}));
    EXPECT_EQ(mesh.HalfExtents(), (TVec4{4, 5, 3, 0}));
}

TEST(MeshCopy, IsDeepAndLeavesTheOctreeBehind) {
    TGLFreeForm source;
    TMeshObject& object = source.MeshObjects().Add();
    object.SetMode(engine::momFaceGroups);
    object.Vertices() = {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}};
    auto& group = object.FaceGroups().Add<engine::TFGVertexIndexList>();
    group.Add(0, 1, 2);
    group.SetMaterialName("stone");
    source.SetUseMeshMaterials(false);
    source.SetNormalsOrientation(engine::mnoInvert);
    source.PrepareOctree(1);

    TGLFreeForm copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.Octree(), nullptr);
    EXPECT_FALSE(copy.UseMeshMaterials());
    EXPECT_EQ(copy.NormalsOrientation(), engine::mnoInvert);
    ASSERT_EQ(copy.MeshObjects().Count(), 1);
    EXPECT_EQ(copy.MeshObjects()[0].FaceGroups()[0].MaterialName(), "stone");
    copy.MeshObjects()[0].Vertices()[1] = {5, 5, 5};
    copy.MeshObjects()[0].FaceGroups()[0].SetMaterialName("wood");
    EXPECT_EQ(object.Vertices()[1], (TVec3{1, 0, 0}));
    EXPECT_EQ(group.MaterialName(), "stone");
    EXPECT_NE(dynamic_cast<const engine::TFGVertexIndexList*>(&copy.MeshObjects()[0].FaceGroups()[0]), nullptr);
}

TEST(MeshRays, IntersectRayTakesTheClosestHit) {
    TGLBaseMesh mesh;
    mesh.MeshObjects().Add().Vertices() = {{-1, 0, -1}, {1, 0, -1}, {0, 0, 1}, {-1, 3, -1}, {1, 3, -1}, {0, 3, 1}};
    TVec4 point;
    ASSERT_TRUE(mesh.IntersectRay({0, 10, 0, 1}, {0, -1, 0, 0}, &point, nullptr));
    EXPECT_FLOAT_EQ(point.Y, 3.0f);
    ASSERT_TRUE(mesh.IntersectRay({0, -10, 0, 1}, {0, 1, 0, 0}, &point, nullptr));
    EXPECT_FLOAT_EQ(point.Y, 0.0f);
    EXPECT_FALSE(mesh.IntersectRay({5, 10, 0, 1}, {0, -1, 0, 0}, nullptr, nullptr));
    // Moved geometry is seen once StructureChanged says so.
    for (TVec3& v : mesh.MeshObjects()[0].Vertices()) {
        v.X += 10;
    }
    mesh.StructureChanged();
    EXPECT_TRUE(mesh.IntersectRay({10, 10, 0, 1}, {0, -1, 0, 0}, nullptr, nullptr));
    EXPECT_FALSE(mesh.IntersectRay({0, 10, 0, 1}, {0, -1, 0, 0}, nullptr, nullptr));
    // A ray that grazes the top of the box still finds the triangle lying there.
    ASSERT_TRUE(mesh.IntersectRay({5, 3.001f, 0, 1}, {1, -0.0002f, 0, 0}, &point, nullptr));
    EXPECT_NEAR(point.X, 10, 1e-2f);
}

}  // namespace
