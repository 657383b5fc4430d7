#include "engine/assets/actor.h"
#include "engine/assets/model_formats.h"
#include "engine/material/material_library.h"
#include "engine/render/render_context_info.h"
#include "engine/material/shader.h"
#include "engine/mesh/free_form.h"
#include "tests/engine/assets/model_builders.h"
#include "tests/support/gl_test_context.h"
#include "tests/support/rgb.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

using engine::TGLFreeForm;
using engine::TGLMaterialLibrary;
using engine::TGLState;
using engine::TVec4;

constexpr int kSize = 64;

using tests::Rgb;

// Counts how often the library material it sits on is applied.
class CountingShader : public engine::TGLShader {
public:
    int applications = 0;

protected:
    void DoApply(engine::TRenderContextInfo&, engine::TGLLibMaterial&) override { ++applications; }
    bool DoUnApply(engine::TRenderContextInfo&) override { return false; }
};

// Three quads side by side across a 64 x 64 window with identity matrices, lighting off, so each
// shows the diffuse colour it is drawn with.
class MeshDrawGL : public ::testing::Test {
protected:
    MeshDrawGL() {
        rci.GLStates = &cache;
        rci.bufferFaceCull = false;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        cache.Disable(TGLState::stLighting);
        cache.Disable(TGLState::stCullFace);
        cache.Disable(TGLState::stDepthTest);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    // One face group per material name, group i covering the i-th third of the window.
    void AddQuads(const std::vector<std::string>& materials) {
        engine::TMeshObject& object = mesh.MeshObjects().Add();
        object.SetMode(engine::momFaceGroups);
        const float width = 2.0f / static_cast<float>(materials.size());
        for (std::size_t i = 0; i < materials.size(); ++i) {
            const float x0 = -1.0f + width * static_cast<float>(i);
            const float x1 = x0 + width;
            const auto base = static_cast<std::int32_t>(object.Vertices().size());
            object.Vertices().insert(object.Vertices().end(), {{x0, -1, 0}, {x1, -1, 0}, {x1, 1, 0}, {x0, 1, 0}});
            auto& group = object.FaceGroups().Add<engine::TFGVertexIndexList>();
            group.SetMaterialName(materials[i]);
            group.Add(base, base + 1, base + 2);
            group.Add(base, base + 2, base + 3);
        }
    }

    engine::TGLLibMaterial& AddMaterial(const std::string& name, const TVec4& diffuse) {
        engine::TGLLibMaterial& material = library.Materials().Add(name);
        material.Material().FrontProperties().Diffuse().SetColor(diffuse);
        return material;
    }

    void Draw() { mesh.DrawContents(rci, true, false); }

    static Rgb Pixel(int x, int y) { return tests::RgbAt(x, y); }
    static ::testing::AssertionResult Near(const Rgb& actual, const Rgb& expected) {
        return tests::Near(actual, expected, 3);
    }

    tests::GLTestContext context{kSize, kSize};
    engine::TGLStateCache cache;
    engine::TRenderContextInfo rci;
    TGLMaterialLibrary library;
    TGLFreeForm mesh;
};

TEST_F(MeshDrawGL, FaceGroupsDrawWithTheirLibraryMaterials) {
    AddMaterial("Red", {1, 0, 0, 1});
    AddMaterial("Green", {0, 1, 0, 1});
    AddQuads({"Missing", "Red", "Green"});
    mesh.Material().FrontProperties().Diffuse().SetColor({0, 0, 1, 1});
    mesh.SetMaterialLibrary(&library);
    Draw();
    EXPECT_TRUE(Near(Pixel(10, 32), {0, 0, 255}));  // unresolved: drawn plainly, under the mesh's own material
    EXPECT_TRUE(Near(Pixel(32, 32), {255, 0, 0}));
    EXPECT_TRUE(Near(Pixel(54, 32), {0, 255, 0}));
    EXPECT_TRUE(mesh.MaterialCachesPrepared());
}

TEST_F(MeshDrawGL, WithoutMeshMaterialsEverythingTakesTheOwnMaterial) {
    AddMaterial("Red", {1, 0, 0, 1});
    AddQuads({"Red", "Red", "Red"});
    mesh.Material().FrontProperties().Diffuse().SetColor({0, 0, 1, 1});
    mesh.SetMaterialLibrary(&library);
    mesh.SetUseMeshMaterials(false);
    Draw();
    EXPECT_TRUE(Near(Pixel(10, 32), {0, 0, 255}));
    EXPECT_TRUE(Near(Pixel(54, 32), {0, 0, 255}));
    EXPECT_FALSE(mesh.MaterialCachesPrepared());
}

TEST_F(MeshDrawGL, ADeletedLibraryMaterialIsResolvedAgain) {
    AddMaterial("Red", {1, 0, 0, 1});
    AddQuads({"Red"});
    mesh.SetMaterialLibrary(&library);
    Draw();
    library.Materials().Delete(0);
    AddMaterial("Red", {0, 1, 0, 1});
    Draw();
    EXPECT_TRUE(Near(Pixel(32, 32), {0, 255, 0}));
}

TEST_F(MeshDrawGL, ConsecutiveGroupsShareOneApplicationUnlessGroupedByMaterial) {
    CountingShader shader;
    AddMaterial("A", {1, 0, 0, 1}).SetShader(&shader);
    AddMaterial("B", {0, 1, 0, 1});
    AddQuads({"A", "A", "B", "A"});
    mesh.SetMaterialLibrary(&library);
    Draw();
    EXPECT_EQ(shader.applications, 2);
    shader.applications = 0;
    mesh.MeshObjects()[0].SetGroupByMaterial(true);
    mesh.StructureChanged();
    Draw();
    EXPECT_EQ(shader.applications, 1);
    EXPECT_TRUE(Near(Pixel(56, 32), {255, 0, 0}));
}

TEST_F(MeshDrawGL, ModelsShareSameNamedMaterialsAndUngroupedFacesStayUndrawn) {
    engine::RegisterModelFormats();
    tests::MaterialDesc paint{"Paint", {0, 0, 0}, {255, 0, 0}, {0, 0, 0}, 0, 0, ""};
    // Left half grouped, right half in no group.
    const tests::Bytes file = tests::File3DS(
        {tests::MaterialEntry(paint),
         tests::NamedMesh("halves",
                          {tests::VertexList({{-1, -1, 0}, {0, -1, 0}, {0, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {1, 1, 0}}),
                           tests::FaceList({{0, 1, 2}, {0, 2, 3}, {1, 4, 5}, {1, 5, 2}},
                                           {tests::MaterialGroup("Paint", {0, 1})})})});
    mesh.SetMaterialLibrary(&library);
    mesh.LoadFromStream("a.3ds", file);
    TGLFreeForm other;
    other.SetMaterialLibrary(&library);
    other.LoadFromStream("b.3ds", file);
    ASSERT_EQ(library.Materials().Count(), 1);
    library.Materials()[0].Material().FrontProperties().Diffuse().SetColor({1, 1, 0, 1});
    other.DrawContents(rci, true, false);
    EXPECT_TRUE(Near(Pixel(16, 32), {255, 255, 0}));
    EXPECT_TRUE(Near(Pixel(48, 32), {0, 0, 0}));
}

TEST_F(MeshDrawGL, InvertedNormalsSwapTheWindingWhileDrawing) {
    AddQuads({""});
    mesh.Material().SetFaceCulling(engine::TFaceCulling::fcCull);
    Draw();
    EXPECT_TRUE(Near(Pixel(32, 32), {204, 204, 204}));  // counterclockwise faces the viewer
    glClear(GL_COLOR_BUFFER_BIT);
    mesh.SetNormalsOrientation(engine::mnoInvert);
    Draw();
    EXPECT_TRUE(Near(Pixel(32, 32), {0, 0, 0}));
    GLint frontFace = 0;
    glGetIntegerv(GL_FRONT_FACE, &frontFace);
    EXPECT_EQ(frontFace, GL_CCW);
    EXPECT_FALSE(cache.IsEnabled(TGLState::stCullFace));  // the buffer's setting again
}

TEST_F(MeshDrawGL, ActorsDrawTheBlendOfTheirFrames) {
    engine::RegisterModelFormats();
    // Frame 0 covers the left half of the window, frame 1 the right half.
    tests::Md2Desc desc = tests::QuadModel({"slide1", "slide2"});
    desc.frames[0].scale = {0.1f, 0.1f, 0};
    desc.frames[0].translate = {-1, -0.5f, 0};
    desc.frames[1].scale = {0.1f, 0.1f, 0};
    desc.frames[1].translate = {0, -0.5f, 0};
    engine::TGLActor actor;
    actor.LoadFromStream("slide.md2", tests::FileMD2(desc));
    actor.SetAnimationMode(engine::aamLoop);
    actor.SetCurrentFrameDelta(0.5f);
    actor.DrawContents(rci, true, false);
    EXPECT_TRUE(Near(Pixel(32, 32), {204, 204, 204}));
    EXPECT_TRUE(Near(Pixel(8, 32), {0, 0, 0}));
    EXPECT_TRUE(Near(Pixel(56, 32), {0, 0, 0}));
    glClear(GL_COLOR_BUFFER_BIT);
    actor.SetFrameInterpolation(engine::afpNone);
    actor.DrawContents(rci, true, false);
    EXPECT_TRUE(Near(Pixel(8, 32), {204, 204, 204}));
    EXPECT_TRUE(Near(Pixel(56, 32), {0, 0, 0}));
}

}  // namespace
