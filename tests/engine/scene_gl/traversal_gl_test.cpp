#include "engine/material/material_library.h"
#include "engine/material/multi_material_shader.h"
#include "engine/scene/dummy_cube.h"
#include "engine/scene/proxy_object.h"
#include "scene_gl_fixture.h"

#include <string>
#include <vector>

namespace engine::test {
namespace {

// Two by two texels: bottom row red, green; top row blue, white.
platform::Image Quadrants() {
    platform::Image image;
    image.Width = 2;
    image.Height = 2;
    image.Pixels = {0, 0, 255, 255, 255, 255, 255, 255,   // top row (first): blue, white
                    255, 0, 0, 255, 0, 255, 0, 255};      // bottom row: red, green
    return image;
}

TEST_F(SceneGL, LibraryMaterialTexturesAQuadDrawnByTheTraversal) {
    TGLMaterialLibrary library;
    TGLLibMaterial& checker = library.Materials().Add("checker");
    TGLTexture& texture = checker.Material().Texture();
    texture.SetImage(Quadrants());
    texture.SetMinFilter(TGLMinFilter::miNearest);
    texture.SetMagFilter(TGLMagFilter::maNearest);
    texture.SetTextureMode(TGLTextureMode::tmReplace);
    texture.SetDisabled(false);
    TestQuad* quad = AddQuad(world.Objects(), NullPoint, TVec4{1, 1, 1, 1});
    quad->Material().SetMaterialLibrary(&library);
    quad->Material().SetLibMaterialName("checker");
    Frame();
    EXPECT_TRUE(Near(Pixel(20, 20), kRed));
    EXPECT_TRUE(Near(Pixel(44, 20), kGreen));
    EXPECT_TRUE(Near(Pixel(20, 44), kBlue));
    EXPECT_TRUE(Near(Pixel(44, 44), kWhite));
    EXPECT_TRUE(Near(Pixel(4, 4), kBlack));
    // The frame ends with texturing off, whatever the objects left.
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

// Half-transparent red nearest, green in the middle, and blue farthest, listed nearest first.
class SortingGL : public SceneGL {
protected:
    void AddLayers(TGLBaseSceneObject& parent, TBlendingMode farthest) {
        AddQuad(parent, TVec4{0, 0, 1, 1}, TVec4{1, 0, 0, 0.5f}, TBlendingMode::bmTransparency);
        AddQuad(parent, TVec4{0, 0, 0, 1}, TVec4{0, 1, 0, 0.5f}, TBlendingMode::bmTransparency);
        AddQuad(parent, TVec4{0, 0, -1, 1}, TVec4{0, 0, 1, 0.5f}, farthest);
    }
};

TEST_F(SortingGL, BlendedLastDrawsTheOpaqueQuadBehindFirstThenBlendedFarthestFirst) {
    AddLayers(world.Objects(), TBlendingMode::bmOpaque);
    Frame();
    // Blue, then half green over it, then half red over that.
    EXPECT_TRUE(Near(Center(), Rgb{128, 64, 64}));
}

TEST_F(SortingGL, FarthestFirstBlendsEveryLayerOverTheOneBehind) {
    auto* group = world.Objects().CreateChild<TGLDummyCube>();
    group->SetObjectsSorting(osRenderFarthestFirst);
    AddLayers(*group, TBlendingMode::bmTransparency);
    Frame();
    EXPECT_TRUE(Near(Center(), Rgb{128, 64, 32}));

    // In list order the nearest is drawn first and hides the others behind its depth.
    group->SetObjectsSorting(osNone);
    Frame();
    EXPECT_TRUE(Near(Center(), Rgb{128, 0, 0}));
}

TEST_F(SceneGL, MaterialCullsTheBackOfAQuadTurnedAway) {
    TestQuad* quad = AddQuad(world.Objects(), NullPoint, TVec4{1, 1, 0, 1});
    quad->TurnBy(180);
    quad->Material().SetFaceCulling(TFaceCulling::fcCull);
    Frame();
    EXPECT_TRUE(Near(Center(), kBlack));
    quad->Material().SetFaceCulling(TFaceCulling::fcNoCull);
    Frame();
    EXPECT_TRUE(Near(Center(), Rgb{255, 255, 0}));
    // The buffer's default decides for fcBufferDefault.
    quad->Material().SetFaceCulling(TFaceCulling::fcBufferDefault);
    faceCulling = true;
    Frame();
    EXPECT_TRUE(Near(Center(), kBlack));
}

TEST_F(SceneGL, ProxyDrawsItsInvisibleMasterUnderItsOwnTransform) {
    TestQuad* master = AddQuad(world.Objects(), TVec4{-1, 0, 0, 1}, TVec4{1, 0, 0, 1}, TBlendingMode::bmOpaque, 0.5f);
    master->SetScale(TVec4{0.5f, 0.5f, 0.5f, 0});
    master->SetVisible(false);
    auto* proxy = world.Objects().CreateChild<TGLProxyObject>();
    proxy->SetPosition(TVec4{1, 0, 0, 1});
    proxy->SetMasterObject(master);
    proxy->SetProxyOptions(TGLProxyObjectOptions{pooObjects});
    Frame();
    // At x = 1, the master's full size (half 0.5, 8 pixels): its own scale is ignored.
    EXPECT_TRUE(Near(Pixel(48, 32), kRed));
    EXPECT_TRUE(Near(Pixel(54, 32), kRed));
    EXPECT_TRUE(Near(Pixel(16, 32), kBlack));  // nothing where the master stands

    // With its transformation the master is placed and scaled under the proxy: at x = 0, half 0.25.
    proxy->SetProxyOptions(TGLProxyObjectOptions{pooObjects, pooTransformation});
    Frame();
    EXPECT_TRUE(Near(Pixel(32, 32), kRed));
    EXPECT_TRUE(Near(Pixel(48, 32), kBlack));
}

TEST_F(SceneGL, IgnoresDepthBufferDrawsOverNearerObjects) {
    auto* group = world.Objects().CreateChild<TGLDummyCube>();
    group->SetObjectsSorting(osNone);
    AddQuad(*group, TVec4{0, 0, 1, 1}, TVec4{1, 0, 0, 1});
    TestQuad* behind = AddQuad(*group, TVec4{0, 0, -1, 1}, TVec4{0, 1, 0, 1});
    Frame();
    EXPECT_TRUE(Near(Center(), kRed));
    behind->SetStyle(IgnoresDepthBuffer);
    behind->MarkStructureChanged();
    Frame();
    EXPECT_TRUE(Near(Center(), kGreen));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

// Logs its kind with the modelview's X translation at the time it is drawn.
class LoggingEffect : public TGLObjectEffect {
public:
    LoggingEffect(TGLBaseSceneObject* owner, TGLObjectEffectKind kind, std::vector<std::string>* log)
        : TGLObjectEffect(owner), m_kind(kind), m_log(log) {}
    TGLObjectEffectKind Kind() const override { return m_kind; }
    void Render(TRenderContextInfo&) override {
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        m_log->push_back(Name() + " at " + std::to_string(static_cast<int>(m[12])));
    }
    std::unique_ptr<TGLObjectEffect> Clone(TGLBaseSceneObject* newOwner) const override {
        return std::make_unique<LoggingEffect>(newOwner, m_kind, m_log);
    }

private:
    TGLObjectEffectKind m_kind;
    std::vector<std::string>* m_log;
};

class LoggingQuad : public TestQuad {
public:
    explicit LoggingQuad(std::vector<std::string>* log) : m_log(log) {}
    void EmitGeometry(TRenderContextInfo& rci) override {
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        m_log->push_back(Name() + " at " + std::to_string(static_cast<int>(m[12])));
        TestQuad::EmitGeometry(rci);
    }

private:
    std::vector<std::string>* m_log;
};

TEST_F(SceneGL, EffectsDrawAroundTheContentsAndAfterEffectsAfterTheTree) {
    std::vector<std::string> log;
    world.Objects().SetObjectsSorting(osNone);
    auto* object = world.Objects().CreateChild<LoggingQuad>(&log);
    object->SetName("contents");
    object->SetPosition(TVec4{2, 0, 0, 1});
    object->Effects().Add<LoggingEffect>(ekAfter, &log)->SetName("after");
    object->Effects().Add<LoggingEffect>(ekPost, &log)->SetName("post");
    object->Effects().Add<LoggingEffect>(ekPre, &log)->SetName("pre");
    auto* sibling = world.Objects().CreateChild<LoggingQuad>(&log);
    sibling->SetName("sibling");
    sibling->SetPosition(TVec4{-3, 0, 0, 1});
    Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"pre at 2", "contents at 2", "post at 2", "sibling at -3", "after at 0"}));
}

// Emits a quad in a colour read at emission time, so a replayed list shows the old one.
class ListedQuad : public TGLBaseSceneObject {
public:
    void EmitGeometry(TRenderContextInfo&) override {
        ++emitted;
        glColor4fv(&color.X);
        glBegin(GL_QUADS);
        glVertex3f(-1, -1, 0);
        glVertex3f(1, -1, 0);
        glVertex3f(1, 1, 0);
        glVertex3f(-1, 1, 0);
        glEnd();
    }
    TVec4 color{1, 0, 0, 1};
    int emitted = 0;
};

TEST_F(SceneGL, DisplayListIsReplayedUntilTheStructureChanges) {
    auto* quad = world.Objects().CreateChild<ListedQuad>();
    Frame();
    Frame();
    EXPECT_EQ(quad->emitted, 1);
    quad->color = TVec4{0, 1, 0, 1};
    Frame();
    EXPECT_TRUE(Near(Center(), kRed));
    quad->MarkStructureChanged();
    Frame();
    EXPECT_EQ(quad->emitted, 2);
    EXPECT_TRUE(Near(Center(), kGreen));

    // Moving to another scene drops the list: it is compiled afresh there.
    TGLWorld other;
    quad->Reparent(&other.Objects());
    quad->Reparent(&world.Objects());
    Frame();
    EXPECT_EQ(quad->emitted, 3);
    // Bypassing lists emits every frame.
    quad->color = TVec4{0, 0, 1, 1};
    setup.drawState = TDrawState::dsRendering;
    TRenderContextInfo rci = world.BuildRenderContext(setup, IdentityMatrix, IdentityMatrix);
    rci.bypassDisplayLists = true;
    quad->RenderNode(rci);
    EXPECT_EQ(quad->emitted, 4);
}

TEST_F(SceneGL, DummyCubeShowsItsWireCubeOnlyWhenVisibleAtRunTime) {
    auto* cube = world.Objects().CreateChild<TGLDummyCube>();
    cube->SetCubeSize(2);
    cube->SetEdgeColor(TVec4{0, 1, 0, 1});
    auto greenOnRightEdge = [this] {
        // The front right edge at X = 1, Z = 1 is 20 pixels right of the centre.
        for (int x = 50; x <= 54; ++x) {
            if (Near(Pixel(x, 32), kGreen)) {
                return true;
            }
        }
        return false;
    };
    Frame();
    EXPECT_FALSE(greenOnRightEdge());
    cube->SetVisibleAtRunTime(true);
    Frame();
    EXPECT_TRUE(greenOnRightEdge());
    EXPECT_TRUE(Near(Center(), kBlack));  // edges only
}

}  // namespace
}  // namespace engine::test

namespace engine::test {
namespace {

// Counts its emissions; the compiled list is replayed for every pass.
class CountingQuad : public TestQuad {
public:
    void EmitGeometry(TRenderContextInfo& rci) override {
        ++emitted;
        TestQuad::EmitGeometry(rci);
    }
    int emitted = 0;
};

TEST_F(SceneGL, MultiPassMaterialDrawsTheObjectOncePerPass) {
    TGLMaterialLibrary passes;
    passes.Materials().Add("base").Material().FrontProperties().Diffuse().SetColor(TVec4{0.5f, 0, 0, 1});
    TGLLibMaterial& glow = passes.Materials().Add("glow");
    glow.Material().SetBlendingMode(TBlendingMode::bmAdditive);
    glow.Material().FrontProperties().Diffuse().SetColor(TVec4{0, 0.5f, 0, 1});
    TGLMultiMaterialShader shader;
    shader.SetMaterialLibrary(&passes);
    TGLMaterialLibrary library;
    library.Materials().Add("terrain").SetShader(&shader);
    auto* quad = world.Objects().CreateChild<CountingQuad>();
    quad->Material().SetMaterialLibrary(&library);
    quad->Material().SetLibMaterialName("terrain");
    Frame();
    EXPECT_TRUE(Near(Center(), Rgb{128, 128, 0}));
    EXPECT_EQ(quad->emitted, 1);  // compiled once, replayed for the second pass
    EXPECT_EQ(world.CurrentRenderingObject(), nullptr);  // only while drawing

    // Without a colour buffer materials are ignored and nothing reaches the colour.
    setup.noColorBuffer = true;
    Frame();
    EXPECT_TRUE(Near(Center(), kBlack));
    GLboolean mask[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_TRUE(mask[0]);  // written again after the frame
}

TEST_F(SceneGL, AmalgamatedDummyCubeCompilesItsSubtreeOnce) {
    auto* cube = world.Objects().CreateChild<TGLDummyCube>();
    cube->SetAmalgamate(true);
    auto* quad = cube->CreateChild<ListedQuad>();
    Frame();
    Frame();
    EXPECT_EQ(quad->emitted, 1);
    EXPECT_TRUE(Near(Center(), kRed));
    // The child's own change is not seen through the cube's list...
    quad->color = TVec4{0, 1, 0, 1};
    quad->MarkStructureChanged();
    Frame();
    EXPECT_TRUE(Near(Center(), kRed));
    // ...until the cube's structure changes.
    cube->MarkStructureChanged();
    Frame();
    EXPECT_EQ(quad->emitted, 2);
    EXPECT_TRUE(Near(Center(), kGreen));
}

}  // namespace
}  // namespace engine::test
