#include "tools/writers/model_3ds_writer.h"
#include "tools/writers/model_md2_writer.h"

#include "engine/assets/actor.h"
#include "engine/assets/file_3ds.h"
#include "engine/assets/file_md2.h"
#include "engine/assets/model_formats.h"
#include "engine/material/material_library.h"
#include "engine/mesh/free_form.h"
#include "tools/writers/mesh_shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>

namespace tools {
namespace {

// Two triangles over the unit square in z = 0, counter-clockwise seen from +z; the texture
// corners split along the diagonal when `splitUv`.
Mesh Square(bool splitUv = false) {
    Mesh mesh;
    mesh.Positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    mesh.TexCoords = {{0, 1}, {1, 1}, {1, 0}, {0, 0}, {0.5f, 0.5f}};
    mesh.Triangles.push_back({{0, 1, 2}, {0, 1, 2}});
    mesh.Triangles.push_back({{0, 2, 3}, {0, splitUv ? 4 : 2, 3}});
    return mesh;
}

Material3ds Plain(const std::string& name, const std::string& texture = "") {
    return {name, Rgb(51, 102, 153), Rgb(255, 128, 0), Rgb(10, 20, 30), 0.25f, 0.5f, texture};
}

std::unique_ptr<engine::TGLFreeForm> Load3ds(const std::vector<std::uint8_t>& bytes,
                                             engine::TGLMaterialLibrary* library = nullptr) {
    engine::RegisterModelFormats();
    auto mesh = std::make_unique<engine::TGLFreeForm>();
    mesh->SetMaterialLibrary(library);
    mesh->SetIgnoreMissingTextures(true);
    mesh->LoadFromStream("model.3ds", bytes);
    return mesh;
}

TEST(Model3dsWriter, MaterialsReadBackWithColoursShininessAndTexture) {
    engine::TFile3DS file;
    file.LoadFromStream(Write3ds({Plain("plain"), Plain("skinned", "skin.jpg")}, {{"square", {{"plain", Square(), 1}}}}));
    ASSERT_EQ(file.Materials().Count(), 2);
    const engine::TMaterial3DS& skinned = file.Materials().Material(1);
    EXPECT_EQ(skinned.NameStr, "skinned");
    EXPECT_NEAR(skinned.Ambient.X, 0.2f, 1e-6f);
    EXPECT_NEAR(skinned.Ambient.Z, 0.6f, 1e-6f);
    EXPECT_NEAR(skinned.Diffuse.Y, 128.0f / 255.0f, 1e-6f);
    EXPECT_NEAR(skinned.Specular.Z, 30.0f / 255.0f, 1e-6f);
    EXPECT_FLOAT_EQ(skinned.Shininess, 0.25f);
    EXPECT_FLOAT_EQ(skinned.ShinStrength, 0.5f);
    EXPECT_EQ(skinned.TextureMapName, "skin.jpg");
    EXPECT_EQ(file.Materials().Material(0).TextureMapName, "");
}

TEST(Model3dsWriter, ObjectsKeepPositionsFlipTextureRowsAndGroupFacesByPart) {
    Mesh second = Transformed(Square(), Affine::Translation({0, 0, 5}));
    engine::TFile3DS file;
    file.LoadFromStream(Write3ds({Plain("a"), Plain("b")},
                                 {{"first", {{"a", Square(), 1}, {"b", std::move(second), 0}}}, {"other", {{"b", Square(), 1}}}}));
    ASSERT_EQ(file.Objects().MeshCount(), 2);
    const engine::TMesh3DS& first = file.Objects().Mesh(0);
    EXPECT_EQ(first.NameStr, "first");
    ASSERT_EQ(first.VertexArray.size(), 8u);
    EXPECT_FLOAT_EQ(first.VertexArray[6].Z, 5.0f);
    // Picture v counts down from the top; 3DS counts up from the bottom.
    EXPECT_FLOAT_EQ(first.TextArray[0].V, 0.0f);
    EXPECT_FLOAT_EQ(first.TextArray[2].V, 1.0f);
    ASSERT_EQ(first.MatArray.size(), 2u);
    EXPECT_EQ(first.MatArray[1].NameStr, "b");
    EXPECT_EQ(first.MatArray[1].FaceIndices, (std::vector<std::uint16_t>{2, 3}));
    ASSERT_TRUE(first.SmoothArray.has_value());
    EXPECT_EQ(*first.SmoothArray, (std::vector<std::uint32_t>{1, 1, 0, 0}));
    EXPECT_EQ(file.Objects().Mesh(1).NameStr, "other");
}

TEST(Model3dsWriter, CornersSharingAPositionButNotATextureCoordinateBecomeTwoVertices) {
    engine::TFile3DS file;
    file.LoadFromStream(Write3ds({Plain("a")}, {{"square", {{"a", Square(true), 1}}}}));
    EXPECT_EQ(file.Objects().Mesh(0).VertexArray.size(), 5u);
}

TEST(Model3dsWriter, SmoothingDecidesWhetherTheReaderSharesCorners) {
    const auto loadedVertices = [](std::uint32_t smoothing) {
        const auto mesh = Load3ds(Write3ds({Plain("a")}, {{"square", {{"a", Square(), smoothing}}}}));
        return mesh->MeshObjects()[0].Vertices().size();
    };
    EXPECT_EQ(loadedVertices(1), 4u);
    EXPECT_EQ(loadedVertices(0), 6u);
}

TEST(Model3dsWriter, CounterClockwiseTrianglesLoadFacingOut) {
    engine::TGLMaterialLibrary library;
    const auto mesh =
        Load3ds(Write3ds({Plain("a")}, {{"box", {{"a", MakeBox({0, 0, 0}, {1, 2, 3}, {}), 0}}}}), &library);
    const engine::TMeshObject& object = mesh->MeshObjects()[0];
    ASSERT_EQ(object.TriangleCount(), 12);
    for (std::size_t i = 0; i < object.Vertices().size(); ++i) {
        const engine::TVec3& p = object.Vertices()[i];
        const engine::TVec3& n = object.Normals()[i];
        // Every flat face's normal points away from the box's centre.
        EXPECT_GT((p.X - 0.5f) * n.X + (p.Y - 1.0f) * n.Y + (p.Z - 1.5f) * n.Z, 0.0f) << "vertex " << i;
    }
    ASSERT_NE(library.FindMaterial("a"), nullptr);
}

TEST(Model3dsWriter, RefusesWhatTheFormatCannotHold) {
    EXPECT_THROW(Write3ds({Plain("a")}, {{"square", {{"missing", Square(), 1}}}}), std::invalid_argument);
    EXPECT_THROW(Write3ds({Plain("a")}, {{"empty", {}}}), std::invalid_argument);
    Mesh broken = Square();
    broken.Triangles[1].Corners[2] = 4;
    EXPECT_THROW(Write3ds({Plain("a")}, {{"broken", {{"a", broken, 1}}}}), std::invalid_argument);
    EXPECT_THROW(Write3ds({Plain(std::string("a\0b", 3))}, {}), std::invalid_argument);
    Mesh large;
    for (int i = 0; i < 22000; ++i) {
        const auto first = static_cast<std::int32_t>(large.Positions.size());
        large.Positions.insert(large.Positions.end(), {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
        large.TexCoords.insert(large.TexCoords.end(), {{0, 0}, {1, 0}, {0, 1}});
        large.Triangles.push_back({{first, first + 1, first + 2}, {first, first + 1, first + 2}});
    }
    EXPECT_THROW(Write3ds({Plain("a")}, {{"large", {{"a", large, 1}}}}), std::invalid_argument);
}

// A tetrahedron-like tent: two frames of four vertices, two outward faces.
Md2Model Tent() {
    Md2Model model;
    model.SkinName = "tent.jpg";
    model.SkinWidth = 64;
    model.SkinHeight = 32;
    model.TexCoords = {{0, 0}, {1, 0}, {0.5f, 1}, {0.25f, 0.5f}};
    model.Triangles.push_back({{0, 1, 2}, {0, 1, 2}});
    model.Triangles.push_back({{0, 2, 3}, {0, 2, 3}});
    const std::vector<Vec3> rest{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    model.Frames.push_back({"walk01", rest});
    model.Frames.push_back({"walk02", {{0, 0, 0}, {10, 0, 0}, {10, 10, 5}, {0, 10, -3}}});
    model.Frames.push_back({"fall1", {{0, 0, 0}, {20, 0, 0}, {20, 20, 0}, {0, 20, 0}}});
    return model;
}

TEST(Md2Writer, FramesReadBackWithinTheirPackingStep) {
    engine::TFileMD2 file;
    file.LoadFromStream(WriteMd2(Tent()));
    ASSERT_EQ(file.FrameCount(), 3);
    EXPECT_EQ(file.VertexCount(), 4);
    const Md2Model model = Tent();
    for (int f = 0; f < 3; ++f) {
        const auto& expected = model.Frames[static_cast<std::size_t>(f)].Positions;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const engine::TVec3& p = file.Frames()[static_cast<std::size_t>(f)][i];
            EXPECT_NEAR(p.X, expected[i].X, 0.05f);
            EXPECT_NEAR(p.Y, expected[i].Y, 0.05f);
            EXPECT_NEAR(p.Z, expected[i].Z, 0.05f);
        }
    }
}

TEST(Md2Writer, FrameNamesMakeTheAnimations) {
    engine::RegisterModelFormats();
    engine::TGLActor actor;
    actor.LoadFromStream("tent.md2", WriteMd2(Tent()));
    ASSERT_EQ(actor.Animations().Count(), 2);
    EXPECT_EQ(actor.Animations()[0].Name(), "walk");
    EXPECT_EQ(actor.Animations()[0].EndFrame(), 1);
    EXPECT_EQ(actor.Animations()[1].Name(), "fall");
    EXPECT_EQ(actor.Animations()[1].StartFrame(), 2);
}

TEST(Md2Writer, TrianglesLoadCounterClockwiseWithTheirSkinCoordinates) {
    engine::TFileMD2 file;
    file.LoadFromStream(WriteMd2(Tent()));
    ASSERT_EQ(file.TriangleCount(), 2);
    const auto& corners = file.Triangles()[0];
    const auto& frame = file.Frames()[0];
    const engine::TVec3 a = frame[static_cast<std::size_t>(corners[0].VertexIndex)];
    const engine::TVec3 b = frame[static_cast<std::size_t>(corners[1].VertexIndex)];
    const engine::TVec3 c = frame[static_cast<std::size_t>(corners[2].VertexIndex)];
    // The engine's normal (b - a) x (c - a) points up for a face wound counter-clockwise from above.
    EXPECT_GT((b.X - a.X) * (c.Y - a.Y) - (b.Y - a.Y) * (c.X - a.X), 0.0f);
    for (const engine::TMD2Corner& corner : corners) {
        const Vec2 uv = Tent().TexCoords[static_cast<std::size_t>(corner.VertexIndex)];
        EXPECT_FLOAT_EQ(corner.S, uv.U);
        EXPECT_FLOAT_EQ(corner.T, uv.V);
    }
}

TEST(Md2Writer, RefusesWhatTheFormatCannotHold) {
    Md2Model uneven = Tent();
    uneven.Frames[1].Positions.pop_back();
    EXPECT_THROW(WriteMd2(uneven), std::invalid_argument);
    Md2Model longName = Tent();
    longName.Frames[0].Name = "a_name_of_sixteen";
    EXPECT_THROW(WriteMd2(longName), std::invalid_argument);
    Md2Model crowded = Tent();
    for (Md2Frame& frame : crowded.Frames) {
        frame.Positions.resize(2071);
    }
    EXPECT_THROW(WriteMd2(crowded), std::invalid_argument);
    Md2Model broken = Tent();
    broken.Triangles[0].TexCorners[1] = 9;
    EXPECT_THROW(WriteMd2(broken), std::invalid_argument);
    EXPECT_THROW(WriteMd2(Md2Model{}), std::invalid_argument);
}

}  // namespace
}  // namespace tools
