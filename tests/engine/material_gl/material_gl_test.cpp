#include "engine/render/gl_texture_name.h"
#include "engine/material/material_library.h"
#include "engine/material/material_passes.h"
#include "engine/material/multi_material_shader.h"
#include "engine/render/render_context_info.h"
#include "tests/support/gl_test_context.h"
#include "tests/support/rgb.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using engine::TBlendingMode;
using engine::TFaceCulling;
using engine::TGLLibMaterial;
using engine::TGLMaterial;
using engine::TGLMaterialLibrary;
using engine::TGLState;

constexpr int kSize = 64;

using tests::Rgb;

// A 64 x 64 window with identity matrices (the quad -1..1 fills it), a depth buffer, and the frame
// state the render buffer leaves between objects.
class MaterialGL : public ::testing::Test {
protected:
    MaterialGL() {
        rci.GLStates = &cache;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        cache.Enable(TGLState::stDepthTest);
        cache.SetDepthFunc(GL_LESS);
        cache.Disable(TGLState::stLighting);
        cache.Disable(TGLState::stCullFace);
        cache.Enable(TGLState::stAlphaTest);
        cache.SetAlphaFunc(GL_GREATER, 0.0f);
        Clear(0.2f, 0.4f, 0.6f);
    }

    void Clear(float r, float g, float b) {
        glClearColor(r, g, b, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // The object draw loop over a quad with texture coordinates 0..1; counterclockwise faces the
    // viewer.
    int DrawQuad(TGLMaterial& material, bool clockwise = false) {
        int draws = 0;
        engine::DrawPasses(material, rci, [&] {
            ++draws;
            glBegin(GL_QUADS);
            glNormal3f(0, 0, 1);
            const float x[4] = {-1, 1, 1, -1};
            const float y[4] = {-1, -1, 1, 1};
            for (int k = 0; k < 4; ++k) {
                const int i = clockwise ? 3 - k : k;
                glTexCoord2f((x[i] + 1) / 2, (y[i] + 1) / 2);
                glVertex3f(x[i], y[i], 0);
            }
            glEnd();
        });
        return draws;
    }

    Rgb Pixel(int x, int y) const { return tests::RgbAt(x, y); }

    static ::testing::AssertionResult Near(const Rgb& actual, const Rgb& expected) {
        return tests::Near(actual, expected, 3);
    }

    tests::GLTestContext context{kSize, kSize};
    engine::TGLStateCache cache;
    engine::TRenderContextInfo rci;
};

// Four square quadrants of side texels each: top row blue, white; bottom row red, green.
platform::Image Quadrants(int side = 1) {
    platform::Image image;
    image.Width = 2 * side;
    image.Height = 2 * side;
    image.Pixels.resize(static_cast<std::size_t>(image.Width) * image.Height * 4);
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            const bool top = y < side;
            const bool right = x >= side;
            std::uint8_t* p = image.Row(y) + x * 4;
            p[0] = (top && right) || (!top && !right) ? 255 : 0;
            p[1] = right ? 255 : 0;
            p[2] = top ? 255 : 0;
            p[3] = 255;
        }
    }
    return image;
}

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBackground{51, 102, 153};

void UseQuadrants(engine::TGLTexture& texture) {
    texture.SetImage(Quadrants());
    texture.SetMinFilter(engine::TGLMinFilter::miNearest);
    texture.SetMagFilter(engine::TGLMagFilter::maNearest);
    texture.SetTextureMode(engine::TGLTextureMode::tmReplace);
    texture.SetDisabled(false);
}

TEST_F(MaterialGL, TexturedQuadShowsThePictureTheRightWayUp) {
    TGLMaterial material;
    UseQuadrants(material.Texture());
    DrawQuad(material);
    EXPECT_TRUE(Near(Pixel(8, 8), kRed));
    EXPECT_TRUE(Near(Pixel(56, 8), kGreen));
    EXPECT_TRUE(Near(Pixel(8, 56), kBlue));
    EXPECT_TRUE(Near(Pixel(56, 56), kWhite));
    // Width 2 passes through the 4-aligned stretch first.
    EXPECT_EQ(material.Texture().TexWidth(), 4);
    EXPECT_EQ(material.Texture().TexHeight(), 2);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(MaterialGL, TextureIsRebuiltInANewContextGeneration) {
    TGLMaterial material;
    UseQuadrants(material.Texture());
    DrawQuad(material);
    ASSERT_TRUE(Near(Pixel(8, 8), kRed));

    // A second context, as the viewer makes when it takes the screen again: the old name means
    // nothing there, so the picture must be uploaded anew.
    tests::GLTestContext second{kSize, kSize};
    engine::BeginGLContextGeneration();
    engine::TGLStateCache secondCache;
    rci.GLStates = &secondCache;
    secondCache.Disable(TGLState::stLighting);
    secondCache.Disable(TGLState::stCullFace);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawQuad(material);
    EXPECT_TRUE(Near(Pixel(8, 8), kRed));
    EXPECT_TRUE(Near(Pixel(56, 56), kWhite));
    EXPECT_TRUE(Near(Pixel(56, 8), kGreen));
    rci.GLStates = &cache;
}

TEST_F(MaterialGL, LibraryMaterialScalesThenOffsetsTextureCoordinates) {
    TGLMaterialLibrary library;
    TGLLibMaterial& tiles = library.Materials().Add("tiles");
    UseQuadrants(tiles.Material().Texture());
    tiles.TextureScale().SetAll({2, 2, 1, 0});
    TGLMaterial material;
    material.SetMaterialLibrary(&library);
    material.SetLibMaterialName("tiles");

    DrawQuad(material);
    // s = 2·x: the picture repeats twice across the quad.
    EXPECT_TRUE(Near(Pixel(8, 8), kRed));
    EXPECT_TRUE(Near(Pixel(24, 8), kGreen));
    EXPECT_TRUE(Near(Pixel(40, 8), kRed));
    EXPECT_TRUE(Near(Pixel(8, 24), kBlue));

    tiles.TextureScale().SetAll({1, 1, 1, 0});
    tiles.TextureOffset().SetAll({0.5f, 0, 0, 0});
    Clear(0, 0, 0);
    DrawQuad(material);
    EXPECT_TRUE(Near(Pixel(8, 8), kGreen));
    EXPECT_TRUE(Near(Pixel(40, 8), kRed));

    // The texture matrix is back to the identity after the pass.
    GLfloat matrix[16];
    glGetFloatv(GL_TEXTURE_MATRIX, matrix);
    EXPECT_EQ(matrix[12], 0.0f);
    EXPECT_EQ(matrix[0], 1.0f);
}

TEST_F(MaterialGL, UnwrappedTextureShowsOnceWhereTheOffsetPutsIt) {
    TGLMaterialLibrary library;
    TGLLibMaterial& ring = library.Materials().Add("ring");
    // A 4 x 4 picture with a black border round a white 2 x 2 centre, like the target rings.
    platform::Image image;
    image.Width = 4;
    image.Height = 4;
    image.Pixels.assign(4 * 4 * 4, 0);
    for (int y = 1; y < 3; ++y) {
        for (int x = 1; x < 3; ++x) {
            std::fill_n(image.Row(y) + x * 4, 3, std::uint8_t{255});
        }
    }
    engine::TGLTexture& texture = ring.Material().Texture();
    texture.SetImage(image);
    texture.SetMinFilter(engine::TGLMinFilter::miNearest);
    texture.SetMagFilter(engine::TGLMagFilter::maNearest);
    texture.SetTextureMode(engine::TGLTextureMode::tmReplace);
    texture.SetTextureWrap(engine::TGLTextureWrap::twNone);
    texture.SetDisabled(false);
    // Scale 2 with offset -0.5 puts the picture over the middle half of the quad.
    ring.TextureScale().SetAll({2, 2, 1, 0});
    ring.TextureOffset().SetAll({-0.5f, -0.5f, 0, 0});
    TGLMaterial material;
    material.SetMaterialLibrary(&library);
    material.SetLibMaterialName("ring");
    DrawQuad(material);
    EXPECT_TRUE(Near(Pixel(32, 32), kWhite));
    EXPECT_TRUE(Near(Pixel(4, 4), {0, 0, 0}));
    EXPECT_TRUE(Near(Pixel(60, 32), {0, 0, 0}));  // clamped, not repeated
}

TEST_F(MaterialGL, PowerOfTwoUploadAndRebuildAfterAChange) {
    TGLMaterial material;
    engine::TGLTexture& texture = material.Texture();
    platform::Image image;
    image.Width = 3;
    image.Height = 5;
    image.Pixels.assign(3 * 5 * 4, 255);
    texture.SetImage(image);
    texture.SetTextureMode(engine::TGLTextureMode::tmReplace);
    texture.SetDisabled(false);
    DrawQuad(material);
    // Width 3 is first stretched to 4; height 5 rounds up to 8.
    EXPECT_EQ(texture.TexWidth(), 4);
    EXPECT_EQ(texture.TexHeight(), 8);
    EXPECT_FALSE(texture.IsChanged());
    EXPECT_TRUE(Near(Pixel(32, 32), kWhite));
    const GLuint name = texture.Handle();

    UseQuadrants(texture);
    EXPECT_TRUE(texture.IsChanged());
    Clear(0, 0, 0);
    DrawQuad(material);
    EXPECT_EQ(texture.Handle(), name);
    EXPECT_EQ(texture.TexHeight(), 2);
    EXPECT_TRUE(Near(Pixel(8, 8), kRed));
}

TEST_F(MaterialGL, TheGamesTemplateTextureSettingsStillDrawThePicture) {
    // 16-bit format, fast compression, anisotropic filtering, mipmaps: whatever the driver offers
    // of these, the picture arrives.
    TGLMaterial material;
    engine::TGLTexture& texture = material.Texture();
    UseQuadrants(texture);
    // Compressed blocks are 4 x 4 texels: one colour per block survives any compression.
    texture.SetImage(Quadrants(4));
    texture.SetMinFilter(engine::TGLMinFilter::miLinearMipmapLinear);
    texture.SetTextureFormat(engine::TGLTextureFormat::tfRGBA16);
    texture.SetCompression(engine::TGLTextureCompression::tcHighSpeed);
    texture.SetFilteringQuality(engine::TGLTextureFilteringQuality::tfAnisotropic);
    DrawQuad(material);
    EXPECT_TRUE(Near(Pixel(56, 8), kGreen));
    EXPECT_TRUE(Near(Pixel(8, 56), kBlue));
    EXPECT_TRUE(texture.RequiredMemorySize() == -1 || texture.RequiredMemorySize() > 0);
}

// A picture that became empty (a failed load) must not leave the old picture on screen.
TEST_F(MaterialGL, RegressionEmptiedPictureDrawsUntextured) {
    TGLMaterial material;
    material.FrontProperties().Diffuse().SetColor({0, 1, 0, 1});
    UseQuadrants(material.Texture());
    material.Texture().SetTextureMode(engine::TGLTextureMode::tmDecal);
    DrawQuad(material);
    EXPECT_TRUE(Near(Pixel(8, 56), kBlue));
    material.Texture().SetImage({});
    Clear(0, 0, 0);
    DrawQuad(material);
    EXPECT_TRUE(Near(Pixel(8, 56), kGreen));
}

TEST_F(MaterialGL, ImageAlphaAndAlphaTestCutOutTexels) {
    TGLMaterial material;
    UseQuadrants(material.Texture());
    material.Texture().SetImageAlpha(engine::TGLTextureImageAlpha::tiaTopLeftPointColorTransparent);
    material.SetBlendingMode(TBlendingMode::bmAlphaTest50);
    DrawQuad(material);
    // The bottom-left texel (red) is the key colour and is cut away.
    EXPECT_TRUE(Near(Pixel(8, 8), kBackground));
    EXPECT_TRUE(Near(Pixel(56, 8), kGreen));
}

struct BlendCase {
    TBlendingMode mode;
    float alpha;
    Rgb expected;
};

TEST_F(MaterialGL, EachBlendingModeCombinesWithTheBackground) {
    // Background (0.2, 0.4, 0.6); the quad is red with the given alpha.
    const std::vector<BlendCase> cases = {
        {TBlendingMode::bmOpaque, 0.5f, kRed},
        {TBlendingMode::bmTransparency, 0.5f, {153, 51, 77}},
        {TBlendingMode::bmTransparency, 0.0f, kBackground},  // the standing alpha test drops it
        {TBlendingMode::bmAdditive, 0.5f, {179, 102, 153}},
        {TBlendingMode::bmAlphaTest50, 0.5f, kRed},
        {TBlendingMode::bmAlphaTest50, 0.45f, kBackground},
        {TBlendingMode::bmAlphaTest100, 0.99f, kBackground},
        {TBlendingMode::bmAlphaTest100, 1.0f, kRed},
        {TBlendingMode::bmModulate, 0.5f, {51, 0, 0}},
    };
    for (const BlendCase& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.mode) << " alpha " << c.alpha);
        Clear(0.2f, 0.4f, 0.6f);
        TGLMaterial material;
        material.SetBlendingMode(c.mode);
        material.FrontProperties().Diffuse().SetColor({1, 0, 0, c.alpha});
        DrawQuad(material);
        EXPECT_TRUE(Near(Pixel(32, 32), c.expected));
        GLfloat reference = -1;
        glGetFloatv(GL_ALPHA_TEST_REF, &reference);
        GLint function = 0;
        glGetIntegerv(GL_ALPHA_TEST_FUNC, &function);
        EXPECT_EQ(function, GL_GREATER);
        EXPECT_EQ(reference, 0.0f);
    }
}

TEST_F(MaterialGL, BackFacesAreCulledByTheBufferDefaultAndDrawnWithNoCull) {
    rci.bufferFaceCull = true;
    TGLMaterial material;
    material.FrontProperties().Diffuse().SetColor({1, 0, 0, 1});
    DrawQuad(material, true);
    EXPECT_TRUE(Near(Pixel(32, 32), kBackground));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    Clear(0.2f, 0.4f, 0.6f);
    DrawQuad(material, false);
    EXPECT_TRUE(Near(Pixel(32, 32), kRed));

    Clear(0.2f, 0.4f, 0.6f);
    TGLMaterial twoSided;
    twoSided.SetFaceCulling(TFaceCulling::fcNoCull);
    twoSided.FrontProperties().Diffuse().SetColor({0, 1, 0, 1});
    DrawQuad(twoSided, true);
    EXPECT_TRUE(Near(Pixel(32, 32), kGreen));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));

    // A buffer that does not cull: fcCull still culls.
    Clear(0.2f, 0.4f, 0.6f);
    rci.bufferFaceCull = false;
    TGLMaterial culled;
    culled.SetFaceCulling(TFaceCulling::fcCull);
    DrawQuad(culled, true);
    EXPECT_TRUE(Near(Pixel(32, 32), kBackground));
}

TEST_F(MaterialGL, LightingOnAndOffThroughTheMaterial) {
    // No lights: a lit face shows emission + ambient × the scene ambient (white here).
    const GLfloat white[] = {1, 1, 1, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, white);
    cache.Enable(TGLState::stLighting);
    TGLMaterial material;
    material.FrontProperties().Ambient().SetColor({0.5f, 0, 0, 1});
    material.FrontProperties().Diffuse().SetColor({0, 1, 0, 1});
    DrawQuad(material);
    EXPECT_TRUE(Near(Pixel(32, 32), {128, 0, 0}));

    material.SetMaterialOptions({engine::TMaterialOption::moNoLighting});
    Clear(0, 0, 0);
    DrawQuad(material);
    EXPECT_TRUE(Near(Pixel(32, 32), kGreen));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(rci.lightingDisabledCounter, 0);
}

TEST_F(MaterialGL, MultiMaterialPassesLandOnOneAnother) {
    TGLMaterialLibrary passes;
    TGLLibMaterial& base = passes.Materials().Add("base");
    base.Material().FrontProperties().Diffuse().SetColor({0.5f, 0.5f, 0.5f, 1});
    TGLLibMaterial& glow = passes.Materials().Add("glow");
    glow.Material().SetBlendingMode(TBlendingMode::bmAdditive);
    glow.Material().FrontProperties().Diffuse().SetColor({0.25f, 0, 0, 1});
    TGLLibMaterial& tint = passes.Materials().Add("tint");
    tint.Material().SetBlendingMode(TBlendingMode::bmModulate);
    tint.Material().FrontProperties().Diffuse().SetColor({1, 0.5f, 1, 1});

    TGLMaterialLibrary library;
    engine::TGLMultiMaterialShader shader;
    shader.SetMaterialLibrary(&passes);
    TGLLibMaterial& terrain = library.Materials().Add("terrain");
    terrain.SetShader(&shader);
    terrain.Material().FrontProperties().Diffuse().SetColor({0, 0, 1, 1});  // never used
    TGLMaterial material;
    material.SetMaterialLibrary(&library);
    material.SetLibMaterialName("terrain");

    EXPECT_EQ(DrawQuad(material), 3);
    // (0.5 + 0.25, 0.5, 0.5) × (1, 0.5, 1)
    EXPECT_TRUE(Near(Pixel(32, 32), {191, 64, 128}));
    GLint depthFunction = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunction);
    EXPECT_EQ(depthFunction, GL_LESS);
    GLint attributeDepth = -1;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attributeDepth);
    EXPECT_EQ(attributeDepth, 0);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));  // the pop restored the state before the passes
}

// A pass adding a clamped picture with a black border, taken wholly beyond its edges, changes no pixel
// and is left out; any other pass is drawn.
TEST_F(MaterialGL, MultiMaterialLeavesOutPassesThatAddOnlyBlack) {
    TGLMaterialLibrary passes;
    passes.Materials().Add("base").Material().FrontProperties().Diffuse().SetColor({0.5f, 0.5f, 0.5f, 1});
    TGLLibMaterial& ring = passes.Materials().Add("ring");
    TGLMaterial& look = ring.Material();
    look.SetBlendingMode(TBlendingMode::bmAdditive);
    look.Texture().SetDisabled(false);
    look.Texture().SetTextureMode(engine::TGLTextureMode::tmModulate);
    look.Texture().SetTextureWrap(engine::TGLTextureWrap::twNone);
    look.Texture().SetMinFilter(engine::TGLMinFilter::miLinear);
    platform::Image picture = Quadrants(2);  // 4 x 4: a white inside in a black border
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool inside = x > 0 && x < 3 && y > 0 && y < 3;
            std::fill_n(picture.Row(y) + x * 4, 3, inside ? 255 : 0);
        }
    }
    look.Texture().SetImage(picture);
    TGLMaterialLibrary library;
    engine::TGLMultiMaterialShader shader;
    shader.SetMaterialLibrary(&passes);
    TGLLibMaterial& terrain = library.Materials().Add("terrain");
    terrain.SetShader(&shader);
    TGLMaterial material;
    material.SetMaterialLibrary(&library);
    material.SetLibMaterialName("terrain");
    const engine::TTexCoordRange quad{0, 0, 1, 1};
    rci.drawnTexCoords = &quad;

    EXPECT_EQ(DrawQuad(material), 2);  // shown: the picture is built as it is drawn
    EXPECT_TRUE(Near(Pixel(32, 32), {255, 255, 255}));
    ring.TextureOffset().SetAll(512, 512, 1);
    Clear(0, 0, 0);
    EXPECT_EQ(DrawQuad(material), 1);
    EXPECT_TRUE(Near(Pixel(32, 32), {128, 128, 128}));
    const struct {
        const char* change;
        std::function<void()> make;
    } kept[] = {
        {"repeated", [&] { look.Texture().SetTextureWrap(engine::TGLTextureWrap::twBoth); }},
        {"mipmapped", [&] { look.Texture().SetMinFilter(engine::TGLMinFilter::miLinearMipmapLinear); }},
        {"blended", [&] { look.SetBlendingMode(TBlendingMode::bmTransparency); }},
        {"decal", [&] { look.Texture().SetTextureMode(engine::TGLTextureMode::tmDecal); }},
        {"partly inside", [&] { ring.TextureOffset().SetAll(-0.5f, 0, 1); }},
        {"coordinates unknown", [&] { rci.drawnTexCoords = nullptr; }},
        {"alpha only", [&] { look.Texture().SetTextureFormat(engine::TGLTextureFormat::tfAlpha); }},
        {"a grey border", [&] {
             std::fill_n(picture.Row(0), 3, 1);
             look.Texture().SetImage(picture);
         }},
    };
    for (const auto& k : kept) {
        k.make();
        DrawQuad(material);  // builds a changed picture
        EXPECT_EQ(DrawQuad(material), 2) << k.change;
        look.SetBlendingMode(TBlendingMode::bmAdditive);
        look.Texture().SetTextureWrap(engine::TGLTextureWrap::twNone);
        look.Texture().SetMinFilter(engine::TGLMinFilter::miLinear);
        look.Texture().SetTextureMode(engine::TGLTextureMode::tmModulate);
        look.Texture().SetTextureFormat(engine::TGLTextureFormat::tfDefault);
        ring.TextureOffset().SetAll(512, 512, 1);
        rci.drawnTexCoords = &quad;
    }
}

TEST_F(MaterialGL, TextureCapabilitiesOfThisContext) {
    const engine::TGLTextureCapabilities caps = engine::QueryTextureCapabilities();
    EXPECT_TRUE(caps.edgeClamp);
    EXPECT_GE(caps.maxTextureSize, 64);
}

}  // namespace
