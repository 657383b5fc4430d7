#include "engine/assets/file_3ds.h"
#include "engine/assets/model_formats.h"
#include "engine/assets/stream_read_error.h"
#include "engine/material/material_errors.h"
#include "engine/material/material_library.h"
#include "engine/mesh/free_form.h"
#include "tests/engine/assets/model_builders.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using engine::E3DSError;
using engine::TGLFreeForm;
using engine::TVec3;
using engine::TVec4;
using tests::Chunk;

class Load3DS : public ::testing::Test {
public:
    Load3DS() { engine::RegisterModelFormats(); }

    void Load(const tests::Bytes& bytes, const std::string& name = "model.3ds") { mesh.LoadFromStream(name, bytes); }

    int VertexCount(int object = 0) const { return static_cast<int>(mesh.MeshObjects()[object].Vertices().size()); }

    TGLFreeForm mesh;
};

std::vector<std::array<float, 2>> CubeUVs() {
    std::vector<std::array<float, 2>> uvs;
    for (int i = 0; i < 8; ++i) {
        uvs.push_back({i * 0.125f, 1.0f - i * 0.125f});
    }
    return uvs;
}

// Another kind of file (a picture renamed .3ds, a material library) would load as an empty model
// and leave the scene without its object: it is refused by name.
TEST_F(Load3DS, FileOfAnotherKindIsRefusedByName) {
    Chunk other{0x1234, {}, {tests::NamedMesh("box", {tests::VertexList(tests::CubeVertices())})}};
    const tests::Bytes picture = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0};
    const tests::Bytes library = {0xAA, 0x3D, 6, 0, 0, 0};
    for (const tests::Bytes& bytes : {other.Write(), picture, library}) {
        try {
            Load(bytes, "models/terrain.3ds");
            ADD_FAILURE() << "loaded";
        } catch (const engine::E3DSError& error) {
            EXPECT_NE(std::string(error.what()).find("\"models/terrain.3ds\" is not a 3DS model"), std::string::npos)
                << error.what();
        }
        EXPECT_EQ(mesh.MeshObjects().Count(), 0);
    }
}

TEST_F(Load3DS, HiddenAndTooSmallObjectsAddNothing) {
    Load(tests::File3DS({
             tests::NamedMesh("hidden", {tests::VertexList(tests::CubeVertices()), tests::FaceList(tests::CubeFaces())},
                              true),
             tests::NamedMesh("two", {tests::VertexList({{0, 0, 0}, {1, 0, 0}})}),
             tests::NamedMesh("none", {}),
             tests::NamedMesh("kept",
                              {tests::VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}), tests::FaceList({{0, 1, 2}})}),
         }),
         "models\\firebase.3DS");
    ASSERT_EQ(mesh.MeshObjects().Count(), 1);
    EXPECT_EQ(mesh.MeshObjects()[0].Name(), "kept");
    EXPECT_EQ(mesh.MeshObjects()[0].Mode(), engine::momFaceGroups);
}

TEST_F(Load3DS, CubeWithoutSmoothingSplitsTo36VerticesWithFlatNormals) {
    for (bool smoothingChunk : {false, true}) {
        std::vector<Chunk> faceSubs;
        if (smoothingChunk) {
            faceSubs.push_back(tests::Smoothing(std::vector<std::uint32_t>(12, 0)));
        }
        Load(tests::File3DS({tests::NamedMesh(
            "cube", {tests::VertexList(tests::CubeVertices()), tests::FaceList(tests::CubeFaces(), faceSubs),
                     tests::TexVertList(CubeUVs())})}));
        ASSERT_EQ(mesh.MeshObjects().Count(), 1);
        const engine::TMeshObject& cube = mesh.MeshObjects()[0];
        ASSERT_EQ(cube.Vertices().size(), 36u);
        ASSERT_EQ(cube.Normals().size(), 36u);
        ASSERT_EQ(cube.TexCoords().size(), 36u);
        // Every corner has its own vertex, carrying its position and texture coordinate along, and
        // the normal of its face, pointing out of the cube.
        const auto& group = dynamic_cast<const engine::TFGVertexIndexList&>(cube.FaceGroups()[0]);
        ASSERT_EQ(group.VertexIndices().size(), 36u);
        const auto faces = tests::CubeFaces();
        const TVec3 center{0.5f, 0.5f, 0.5f};
        for (std::size_t k = 0; k < 36; ++k) {
            const std::size_t v = static_cast<std::size_t>(group.VertexIndices()[k]);
            const std::uint16_t original = faces[k / 3][k % 3];
            const tests::Vec p = tests::CubeVertices()[original];
            EXPECT_EQ(cube.Vertices()[v], (TVec3{p.x, p.y, p.z}));
            EXPECT_EQ(cube.TexCoords()[v], (TVec3{original * 0.125f, 1.0f - original * 0.125f, 0}));
            const TVec3& n = cube.Normals()[v];
            EXPECT_NEAR(engine::Length(n), 1.0f, 1e-6f);
            EXPECT_GT(engine::Dot(n, cube.Vertices()[v] - center), 0.0f);
        }
    }
}

// Two triangles sharing the edge 0-1, with the given smoothing masks.
int SharedEdgeVertices(Load3DS& test, std::uint32_t first, std::uint32_t second) {
    test.mesh.LoadFromStream(
        "m.3ds", tests::File3DS({tests::NamedMesh(
                     "pair", {tests::VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}),
                              tests::FaceList({{0, 1, 2}, {1, 0, 3}}, {tests::Smoothing({first, second})})})}));
    return static_cast<int>(test.mesh.MeshObjects()[0].Vertices().size());
}

TEST_F(Load3DS, OnlyTheLowestSmoothingBitJoinsFaces) {
    EXPECT_EQ(SharedEdgeVertices(*this, 0x1, 0x3), 4);
    // The shared corners carry the normalised sum of both faces' normals.
    const TVec3 n = mesh.MeshObjects()[0].Normals()[0];
    EXPECT_NEAR(n.X, 0.0f, 1e-6f);
    EXPECT_NEAR(n.Y, std::sqrt(0.5f), 1e-6f);
    EXPECT_NEAR(n.Z, std::sqrt(0.5f), 1e-6f);
    EXPECT_EQ(SharedEdgeVertices(*this, 0x2, 0x3), 6);
    EXPECT_EQ(SharedEdgeVertices(*this, 0x0, 0x0), 6);
    EXPECT_EQ(SharedEdgeVertices(*this, 0x4, 0xC), 4);
}

TEST_F(Load3DS, InvertedOrientationFlipsTheNormals) {
    mesh.SetNormalsOrientation(engine::mnoInvert);
    Load(tests::File3DS({tests::NamedMesh(
        "tri", {tests::VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}), tests::FaceList({{0, 1, 2}})})}));
    EXPECT_EQ(mesh.MeshObjects()[0].Normals()[0], (TVec3{0, 0, -1}));
    mesh.SetNormalsOrientation(engine::mnoDefault);
    Load(tests::File3DS({tests::NamedMesh(
        "tri", {tests::VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}), tests::FaceList({{0, 1, 2}})})}));
    EXPECT_EQ(mesh.MeshObjects()[0].Normals()[0], (TVec3{0, 0, 1}));
}

TEST_F(Load3DS, ZeroNormalsBecomeUp) {
    // A degenerate face, and a vertex no face uses.
    Load(tests::File3DS({tests::NamedMesh(
        "flat", {tests::VertexList({{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {5, 5, 5}}), tests::FaceList({{0, 1, 2}})})}));
    for (const TVec3& n : mesh.MeshObjects()[0].Normals()) {
        EXPECT_EQ(n, (TVec3{0, 0, 1}));
    }
}

TEST_F(Load3DS, FaceGroupsFollowTheMaterialGroups) {
    engine::TGLMaterialLibrary library;
    mesh.SetMaterialLibrary(&library);
    Load(tests::File3DS({tests::MaterialEntry(tests::Material("Red")), tests::MaterialEntry(tests::Material("Blue")),
                         tests::NamedMesh("quads", {tests::VertexList({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}),
                                                    tests::FaceList({{0, 1, 2}, {0, 2, 3}, {0, 1, 3}},
                                                                    {tests::MaterialGroup("blue", {2, 0}),
                                                                     tests::MaterialGroup("RED", {0})})})}));
    const engine::TMeshObject& object = mesh.MeshObjects()[0];
    ASSERT_EQ(object.FaceGroups().Count(), 2);
    // Names are looked up case-insensitively and take the file's spelling; face 1 is in no group.
    EXPECT_EQ(object.FaceGroups()[0].MaterialName(), "Blue");
    EXPECT_EQ(object.FaceGroups()[1].MaterialName(), "Red");
    EXPECT_EQ(object.FaceGroups()[0].TriangleCount(), 2);
    EXPECT_EQ(mesh.CollectTriangles().size(), 9u);  // face 0 twice, face 2 once, face 1 never
    EXPECT_EQ(library.Materials().Count(), 2);
}

TEST_F(Load3DS, WithoutALibraryGroupsHaveNoMaterialName) {
    Load(tests::File3DS({tests::MaterialEntry(tests::Material("Red")),
                         tests::NamedMesh("tri", {tests::VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}),
                                                  tests::FaceList({{0, 1, 2}}, {tests::MaterialGroup("Red", {0})})})}));
    EXPECT_EQ(mesh.MeshObjects()[0].FaceGroups()[0].MaterialName(), "");
}

TEST_F(Load3DS, LibraryMaterialsTakeTheFilesColoursAndAreShared) {
    engine::TGLMaterialLibrary library;
    auto file = [](std::uint8_t red, std::int16_t shininess, std::int16_t strength) {
        tests::MaterialDesc desc{"Metal", {red, 0, 0}, {0, 255, 0}, {0, 0, 255}, shininess, strength, ""};
        return tests::File3DS(
            {tests::MaterialEntry(desc),
             tests::NamedMesh("tri", {tests::VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}),
                                      tests::FaceList({{0, 1, 2}}, {tests::MaterialGroup("Metal", {0})})})});
    };
    mesh.SetMaterialLibrary(&library);
    Load(file(255, 25, 40));
    TGLFreeForm second;
    second.SetMaterialLibrary(&library);
    second.LoadFromStream("second.3ds", file(51, 90, 90));
    ASSERT_EQ(library.Materials().Count(), 1);
    const engine::TGLFaceProperties& front = library.Materials()[0].Material().FrontProperties();
    EXPECT_EQ(front.Ambient().Color(), (TVec4{1, 0, 0, 1}));
    EXPECT_EQ(front.Diffuse().Color(), (TVec4{0, 1, 0, 1}));
    EXPECT_EQ(front.Specular().Color(), (TVec4{0, 0, 0.75f, 0.75f}));  // times (1 - shininess), alpha too
    EXPECT_EQ(front.Shininess(), 77);                                  // round((1 - 0.4) * 128)
    EXPECT_FALSE(library.Materials()[0].Material().HasTexture());
}

TEST_F(Load3DS, TheLinearColourWinsOverTheOthers) {
    engine::TGLMaterialLibrary library;
    mesh.SetMaterialLibrary(&library);
    Chunk floats{0x0010, {}, {}};
    for (float v : {0.5f, 0.5f, 0.5f}) {
        tests::PutF32(floats.data, v);
    }
    Chunk entry = tests::MaterialEntry(tests::Material("Mixed"));
    entry.children[2] =
        tests::ColorChunk(0xA020, {tests::Color24(0x0012, 0, 51, 255), floats, tests::Color24(0x0011, 255, 255, 255)});
    entry.children[1] = tests::ColorChunk(0xA010, {tests::Color24(0x0011, 255, 0, 0), floats});
    Load(tests::File3DS(
        {entry, tests::NamedMesh("tri", {tests::VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}),
                                         tests::FaceList({{0, 1, 2}}, {tests::MaterialGroup("Mixed", {0})})})}));
    const engine::TGLFaceProperties& front = library.Materials()[0].Material().FrontProperties();
    EXPECT_EQ(front.Diffuse().Color(), (TVec4{0, 0.2f, 1, 1}));
    EXPECT_EQ(front.Ambient().Color(), (TVec4{0.5f, 0.5f, 0.5f, 1}));
}

TEST_F(Load3DS, AMissingTextureFailsUnlessIgnored) {
    engine::TGLMaterialLibrary library;
    mesh.SetMaterialLibrary(&library);
    tests::MaterialDesc desc = tests::Material("Skin");
    desc.texture = "  no_such_texture.bmp ";
    const tests::Bytes bytes =
        tests::File3DS({tests::MaterialEntry(desc),
                        tests::NamedMesh("tri", {tests::VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}),
                                                 tests::FaceList({{0, 1, 2}}, {tests::MaterialGroup("Skin", {0})})})});
    EXPECT_THROW(Load(bytes), engine::EGLTextureException);
    EXPECT_EQ(library.Materials().Count(), 0);  // the failed material is not left behind
    EXPECT_EQ(mesh.MeshObjects().Count(), 0);
    mesh.SetIgnoreMissingTextures(true);
    Load(bytes);
    ASSERT_EQ(library.Materials().Count(), 1);
    engine::TGLMaterial& material = library.Materials()[0].Material();
    EXPECT_TRUE(!material.HasTexture() || material.Texture().Disabled());
    EXPECT_EQ(mesh.MeshObjects().Count(), 1);
}

TEST_F(Load3DS, AGroupNamingAMaterialTheFileLacksStopsTheLoad) {
    mesh.MeshObjects().Add().SetName("before");
    try {
        Load(tests::File3DS(
            {tests::NamedMesh("tri", {tests::VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}),
                                      tests::FaceList({{0, 1, 2}}, {tests::MaterialGroup("Ghost", {0})})})}));
        FAIL() << "no error";
    } catch (const E3DSError& e) {
        EXPECT_STREQ(e.what(), "Material \"Ghost\" of mesh \"tri\" is not in the file.");
    }
    ASSERT_EQ(mesh.MeshObjects().Count(), 1);
    EXPECT_EQ(mesh.MeshObjects()[0].Name(), "before");
}

void ExpectRefused(Load3DS& test, const tests::Bytes& bytes, const std::string& message) {
    try {
        test.mesh.LoadFromStream("bad.3ds", bytes);
        FAIL() << "no error, expected: " << message;
    } catch (const E3DSError& e) {
        EXPECT_EQ(std::string(e.what()), message);
    }
}

TEST_F(Load3DS, IndicesOutsideTheirListsAreRefused) {
    const auto vertices = tests::VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    ExpectRefused(*this, tests::File3DS({tests::NamedMesh("m", {vertices, tests::FaceList({{0, 1, 3}})})}),
                  "Mesh \"m\": face 0 uses vertex 3 of 3.");
    ExpectRefused(
        *this,
        tests::File3DS(
            {tests::MaterialEntry(tests::Material("A")),
             tests::NamedMesh("m", {vertices, tests::FaceList({{0, 1, 2}}, {tests::MaterialGroup("A", {1})})})}),
        "Mesh \"m\": material group \"A\" lists face 1 of 1.");
    ExpectRefused(
        *this,
        tests::File3DS({tests::NamedMesh("m", {vertices, tests::FaceList({{0, 1, 2}}), tests::TexVertList({{0, 0}})})}),
        "Mesh \"m\": 1 texture vertices for 3 vertices.");
    ExpectRefused(*this,
                  tests::File3DS({tests::NamedMesh(
                      "m", {vertices, tests::FaceList({{0, 1, 2}, {0, 2, 1}}, {tests::Smoothing({1})})})}),
                  "Mesh \"m\": 1 smoothing groups for 2 faces.");
}

TEST_F(Load3DS, BrokenChunkStructuresAreRefused) {
    const std::string invalid =
        "An invalid Chunk structure was encountered while reading\rthe database. Usually caused by a corrupt "
        "database or file.";
    // A sub-chunk longer than its parent.
    tests::Bytes bytes =
        tests::File3DS({tests::NamedMesh("m", {tests::VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})})});
    bytes[6 + 10 + 2] += 1;  // the editor chunk's length (after the root header and the version chunk)
    ExpectRefused(*this, bytes, invalid);
    // A chunk shorter than its own header.
    Chunk tiny{0x4D4D, {}, {}};
    tests::Bytes shortChunk = Chunk{0x4D4D, {}, {Chunk{0x3D3D, {}, {}}}}.Write();
    shortChunk[8] = 3;
    ExpectRefused(*this, shortChunk, invalid);
    // A tag no material entry may hold.
    Chunk entry = tests::MaterialEntry(tests::Material("Odd"));
    entry.children.push_back(Chunk{0x4000, {}, {}});
    ExpectRefused(*this,
                  tests::File3DS({entry, tests::NamedMesh(
                                             "m", {tests::VertexList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}),
                                                   tests::FaceList({{0, 1, 2}}, {tests::MaterialGroup("Odd", {0})})})}),
                  invalid);
    // Containers nested deeper than any real file.
    Chunk deep{0xB000, {}, {}};
    for (int i = 0; i < 200; ++i) {
        deep = Chunk{0xB000, {}, {deep}};
    }
    ExpectRefused(*this, Chunk{0x4D4D, {}, {deep}}.Write(), invalid);
}

TEST_F(Load3DS, EveryTruncationFailsCleanly) {
    engine::TGLMaterialLibrary library;
    mesh.SetMaterialLibrary(&library);
    tests::MaterialDesc desc{"Paint", {10, 20, 30}, {40, 50, 60}, {70, 80, 90}, 10, 20, ""};
    const tests::Bytes bytes = tests::File3DS(
        {tests::MaterialEntry(desc),
         tests::NamedMesh("cube",
                          {tests::VertexList(tests::CubeVertices()),
                           tests::FaceList(tests::CubeFaces(), {tests::MaterialGroup("Paint", {0, 1, 2}),
                                                                tests::Smoothing(std::vector<std::uint32_t>(12, 1))}),
                           tests::TexVertList(CubeUVs())})});
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const tests::Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        try {
            mesh.LoadFromStream("cut.3ds", cut);
            ADD_FAILURE() << "a file cut to " << length << " bytes loaded";
        } catch (const engine::EReadError& e) {
            EXPECT_STREQ(e.what(), "Stream read error");
        } catch (const E3DSError&) {
        }
    }
    mesh.LoadFromStream("whole.3ds", bytes);
    EXPECT_EQ(mesh.MeshObjects().Count(), 1);
}

TEST(File3DS, ListsAndTheirErrors) {
    engine::TFile3DS file;
    EXPECT_THROW(
        {
            try {
                file.Objects().MeshCount();
            } catch (const E3DSError& e) {
                EXPECT_STREQ(e.what(), "The database passed as an argument has not be created yet.");
                throw;
            }
        },
        E3DSError);
    file.LoadFromStream(
        tests::File3DS({tests::MaterialEntry(tests::Material("a")), tests::MaterialEntry(tests::Material("B")),
                        tests::NamedMesh("first", {tests::VertexList({{1, 2, 3}})}),
                        Chunk{0x4000, {'l', 'i', 't', 0}, {}}, tests::NamedMesh("second", {})}));
    EXPECT_EQ(file.Objects().MeshCount(), 2);
    EXPECT_EQ(file.Objects().Mesh(1).NameStr, "second");
    EXPECT_EQ(file.Objects().Mesh(0).VertexArray[0], (TVec3{1, 2, 3}));
    EXPECT_EQ(file.Materials().Count(), 2);
    EXPECT_EQ(file.Materials().MaterialByName("b"), &file.Materials().Material(1));
    EXPECT_EQ(file.Materials().MaterialByName("c"), nullptr);
    try {
        file.Objects().Mesh(2);
        FAIL() << "no error";
    } catch (const E3DSError& e) {
        EXPECT_STREQ(e.what(), "Invalid index 2.");
    }
    EXPECT_THROW(file.Materials().Material(-1), E3DSError);

    engine::TFile3DS library;
    library.LoadFromStream(Chunk{0x3DAA, {}, {tests::MaterialEntry(tests::Material("only"))}}.Write());
    EXPECT_EQ(library.Materials().Count(), 1);
    EXPECT_EQ(library.Objects().MeshCount(), 0);
    EXPECT_THROW(library.Objects().Mesh(0), E3DSError);  // a material library holds no meshes
}

// Names are indexed as the materials are decoded in file order: the first of equal names wins in
// any order of lookups, and an entry after the match stays undecoded until a lookup goes past it.
TEST(File3DS, MaterialsByNameAreFoundAsAWalkFromTheStartWould) {
    Chunk broken = tests::MaterialEntry(tests::Material("broken"));
    broken.children.push_back(Chunk{0x1234, {}, {}});
    engine::TFile3DS file;
    file.LoadFromStream(tests::File3DS({tests::MaterialEntry(tests::Material("Rock")),
                                        tests::MaterialEntry(tests::Material("grass")),
                                        tests::MaterialEntry(tests::Material("ROCK")), broken}));
    EXPECT_EQ(file.Materials().MaterialByName("GRASS"), &file.Materials().Material(1));
    EXPECT_EQ(file.Materials().MaterialByName("rock"), &file.Materials().Material(0));
    EXPECT_EQ(file.Materials().MaterialByName("grass"), &file.Materials().Material(1));
    EXPECT_THROW(file.Materials().MaterialByName("missing"), E3DSError);
}

}  // namespace
