#include "engine/assets/actor.h"
#include "engine/assets/file_md2.h"
#include "engine/assets/model_formats.h"
#include "engine/assets/morphable_mesh_object.h"
#include "engine/assets/stream_read_error.h"
#include "engine/mesh/mesh_errors.h"
#include "tests/engine/assets/model_builders.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using engine::EMD2Error;
using engine::TFileMD2;
using engine::TMorphableMeshObject;
using engine::TVec3;

std::vector<std::string> Names(const std::string& base, int first, int last, bool twoDigits) {
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i) {
        names.push_back(base + (twoDigits && i < 10 ? "0" : "") + std::to_string(i));
    }
    return names;
}

std::vector<std::string> Join(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TFileMD2 Read(const tests::Md2Desc& desc) {
    TFileMD2 file;
    file.LoadFromStream(tests::FileMD2(desc));
    return file;
}

void ExpectAnimations(const TFileMD2& file, const std::vector<std::pair<std::string, int>>& expected) {
    ASSERT_EQ(file.Animations().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(file.Animations()[i].Name, expected[i].first);
        EXPECT_EQ(file.Animations()[i].FirstFrame, expected[i].second);
    }
}

TEST(MD2Names, FrameNamesLoseTheirNumber) {
    EXPECT_EQ(engine::AnimationNameOfFrame("run01"), "run");
    EXPECT_EQ(engine::AnimationNameOfFrame("run12"), "run");
    EXPECT_EQ(engine::AnimationNameOfFrame("crdeath1"), "crdeath");
    EXPECT_EQ(engine::AnimationNameOfFrame("attack9"), "attack");
    EXPECT_EQ(engine::AnimationNameOfFrame("pain"), "pai");
    EXPECT_EQ(engine::AnimationNameOfFrame(" \tjump\x01 "), "jum");
    EXPECT_EQ(engine::AnimationNameOfFrame(std::string("wave03\0junk9", 12)), "wave");
}

TEST(MD2File, AnimationsStartWhereANewNameFirstAppears) {
    const TFileMD2 file = Read(
        tests::QuadModel(Join({Names("stand", 1, 10, true), Names("run", 1, 6, true), Names("attack", 1, 8, false)})));
    EXPECT_EQ(file.FrameCount(), 24);
    ExpectAnimations(file, {{"stand", 0}, {"run", 10}, {"attack", 16}});
    // A name coming back later joins the first block; "RUN" matches "run".
    ExpectAnimations(Read(tests::QuadModel({"run1", "run2", "jump1", "RUN3", "pain"})),
                     {{"run", 0}, {"jump", 2}, {"pai", 4}});
}

TEST(MD2File, CornersAreReversedAndScaledFramesDecoded) {
    tests::Md2Desc desc = tests::QuadModel({"a01"});
    desc.frames[0].scale = {0.5f, 2, 1};
    desc.frames[0].translate = {1, 0, -3};
    desc.frames[0].vertices[2] = {255, 10, 200};
    const TFileMD2 file = Read(desc);
    ASSERT_EQ(file.TriangleCount(), 2);
    const auto& t = file.Triangles()[0];  // stored as vertices 0, 1, 2 with texture 0, 1, 2
    EXPECT_EQ(t[0].VertexIndex, 2);
    EXPECT_EQ(t[2].VertexIndex, 0);
    EXPECT_FLOAT_EQ(t[0].S, 1.0f);  // (64, 32) in a 64 x 32 skin
    EXPECT_FLOAT_EQ(t[0].T, 1.0f);
    EXPECT_FLOAT_EQ(t[1].S, 1.0f);
    EXPECT_FLOAT_EQ(t[1].T, 0.0f);
    EXPECT_EQ(file.Frames()[0][2], (TVec3{128.5f, 20, 197}));
}

void ExpectRefused(const tests::Md2Desc& desc, const std::string& fragment) {
    try {
        Read(desc);
        FAIL() << "no error, expected " << fragment;
    } catch (const EMD2Error& e) {
        EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    }
}

TEST(MD2File, FilesBeyondTheLimitsAreRefused) {
    tests::Md2Desc skins = tests::QuadModel({"a1"});
    skins.skins = 33;
    ExpectRefused(skins, "skin count 33");
    tests::Md2Desc coords = tests::QuadModel({"a1"});
    coords.texCoords.resize(2049);
    ExpectRefused(coords, "texture coordinate count 2049");
    tests::Md2Desc vertices = tests::QuadModel({"a1"});
    vertices.frames[0].vertices.resize(2071);
    ExpectRefused(vertices, "vertex count 2071");
    tests::Md2Desc frameSize = tests::QuadModel({"a1"});
    frameSize.frameSizeOverride = 8324;
    ExpectRefused(frameSize, "frame size 8324");
    tests::Md2Desc tooSmall = tests::QuadModel({"a1"});
    tooSmall.frameSizeOverride = 40;
    ExpectRefused(tooSmall, "too small for 4 vertices");
    tests::Md2Desc noSkin = tests::QuadModel({"a1"});
    noSkin.skinWidth = 0;
    ExpectRefused(noSkin, "skin size 0 x 32");
    // 11000 frames of 40000 triangles, 1 MB in all, took seconds: every frame's normals go over every
    // triangle.
    tests::Md2Desc triangles = tests::QuadModel({"a1"});
    triangles.triangles.resize(4097, triangles.triangles[0]);
    ExpectRefused(triangles, "triangle count 4097");
    ExpectRefused(tests::QuadModel(std::vector<std::string>(513, "a1")), "frame count 513");
    tests::Md2Desc largest = tests::QuadModel(std::vector<std::string>(512, "a1"));
    largest.triangles.resize(4096, largest.triangles[0]);
    TFileMD2 file;
    file.LoadFromStream(tests::FileMD2(largest));
    EXPECT_EQ(file.FrameCount(), 512);
    EXPECT_EQ(file.TriangleCount(), 4096);
}

TEST(MD2File, IndicesOutsideTheirTablesAndNamelessFramesAreRefused) {
    tests::Md2Desc vertex = tests::QuadModel({"a1"});
    vertex.triangles[1][2] = 4;
    ExpectRefused(vertex, "triangle 1 uses vertex 4 of 4");
    tests::Md2Desc negative = tests::QuadModel({"a1"});
    negative.triangles[0][0] = -1;
    ExpectRefused(negative, "triangle 0 uses vertex -1");
    tests::Md2Desc texture = tests::QuadModel({"a1"});
    texture.triangles[0][5] = 4;
    ExpectRefused(texture, "texture coordinate 4 of 4");
    ExpectRefused(tests::QuadModel({"a1", " \t"}), "frame 1 has no name");
}

TEST(MD2File, TruncatedFilesFailWithTheReadErrorAndKeepTheOldContent) {
    const tests::Bytes bytes = tests::FileMD2(tests::QuadModel({"a1", "a2", "b1"}));
    TFileMD2 file;
    file.LoadFromStream(tests::FileMD2(tests::QuadModel({"old1"})));
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const std::span<const std::uint8_t> cut(bytes.data(), length);
        EXPECT_THROW(file.LoadFromStream(cut), engine::EReadError) << length;
    }
    EXPECT_EQ(file.FrameCount(), 1);
    EXPECT_EQ(file.Animations()[0].Name, "old");
    // A header claiming more frames than the file holds is refused before anything is allocated.
    tests::Bytes more = bytes;
    more[40] = 0x00;
    more[41] = 0x02;  // 512, the most a file may have
    EXPECT_THROW(file.LoadFromStream(more), engine::EReadError);
}

TEST(MD2Mesh, OneMorphableObjectWithATargetPerFrame) {
    engine::RegisterModelFormats();
    engine::TGLBaseMesh mesh;
    mesh.LoadFromStream("models\\bug.MD2", tests::FileMD2(tests::QuadModel({"idle1", "idle2", "walk1"})));
    ASSERT_EQ(mesh.MeshObjects().Count(), 1);
    auto& object = dynamic_cast<TMorphableMeshObject&>(mesh.MeshObjects()[0]);
    ASSERT_EQ(object.MorphTargets().size(), 3u);
    EXPECT_EQ(object.MorphTargets()[2].Name, "Frame2");
    EXPECT_EQ(object.MorphTargets()[2].Vertices[1], (TVec3{10, 0, 2}));
    // Target 0 is shown; the quad's corners reversed face -Z, and every normal is the face's.
    EXPECT_EQ(object.Vertices(), object.MorphTargets()[0].Vertices);
    for (const TVec3& n : object.Normals()) {
        EXPECT_EQ(n, (TVec3{0, 0, -1}));
    }
    const auto& group = dynamic_cast<const engine::TFGIndexTexCoordList&>(object.FaceGroups()[0]);
    EXPECT_EQ(group.VertexIndices(), (engine::TIntegerList{2, 1, 0, 3, 2, 0}));
    EXPECT_FLOAT_EQ(group.TexCoords()[0].S, 1.0f);
    EXPECT_FLOAT_EQ(group.TexCoords()[0].T, -1.0f);  // t negated
    EXPECT_EQ(group.MaterialName(), "");
}

TEST(MorphTargets, ApplyAndBlend) {
    TMorphableMeshObject object;
    object.ApplyMorphTarget(0);  // no targets: nothing
    EXPECT_THROW(object.ApplyMorphTarget(1), engine::EMeshIndexError);
    object.MorphTargets().push_back({"a", {{0, 0, 0}, {2, 2, 2}}, {{1, 0, 0}, {0, 1, 0}}});
    object.MorphTargets().push_back({"b", {{4, 0, 0}, {2, 2, 6}}, {{0, 1, 0}, {0, 1, 0}}});
    object.BlendMorphTargets(0, 1, 0.25f);
    EXPECT_EQ(object.Vertices()[0], (TVec3{1, 0, 0}));
    EXPECT_EQ(object.Vertices()[1], (TVec3{2, 2, 3}));
    EXPECT_NEAR(engine::Length(object.Normals()[0]), 1.0f, 1e-6f);
    EXPECT_NEAR(object.Normals()[0].X, 0.75f / std::sqrt(0.75f * 0.75f + 0.25f * 0.25f), 1e-6f);
    object.BlendMorphTargets(0, 1, 1.0f);
    EXPECT_EQ(object.Vertices(), object.MorphTargets()[1].Vertices);
    object.BlendMorphTargets(0, 1, 0.0f);
    EXPECT_EQ(object.Normals(), object.MorphTargets()[0].Normals);
    EXPECT_THROW(object.BlendMorphTargets(0, 2, 0.5f), engine::EMeshIndexError);
    object.MorphTargets()[1].Vertices.pop_back();
    EXPECT_THROW(object.BlendMorphTargets(0, 1, 0.5f), engine::EMeshIndexError);
    // A target without normals leaves the mesh's own.
    object.MorphTargets().push_back({"c", {{9, 9, 9}, {9, 9, 9}}, {}});
    object.ApplyMorphTarget(2);
    EXPECT_EQ(object.Vertices()[0], (TVec3{9, 9, 9}));
    EXPECT_EQ(object.Normals(), object.MorphTargets()[0].Normals);
}

}  // namespace
