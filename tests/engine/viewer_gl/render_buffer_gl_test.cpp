#include "tests/engine/viewer_gl/viewer_gl_fixture.h"

#include <SDL.h>
#include <GL/glu.h>

#include <cmath>

namespace engine::test {
namespace {

constexpr int kCentreX = 400;
constexpr int kCentreY = 300;

TEST_F(ViewerGL, TheBackgroundFillsWhatTheSceneLeavesUnlessColourClearingIsOff) {
    Render();
    EXPECT_EQ(RgbAt(5, 5), (Rgb{0, 0, 255})) << "the background colour";
    EXPECT_GT(RgbAt(kCentreX, kCentreY).r, 200) << "the lit white quad";

    ScreenWindow* before = viewer.Window();
    viewer.Buffer().SetContextOptions(roDoubleBuffer | roNoSwapBuffers | roNoColorBufferClear);
    ASSERT_TRUE(viewer.ScreenActive()) << "the screen is taken again with the new pixel format";
    EXPECT_NE(viewer.Window(), before);
    viewer.Window()->BeginLogicalFrame();
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    Render();
    EXPECT_EQ(RgbAt(5, 5), (Rgb{0, 255, 0})) << "the colour buffer is kept, as the game's sky covers it";
    EXPECT_GT(RgbAt(kCentreX, kCentreY).r, 200) << "the quad's geometry is rebuilt in the new context";
}

TEST_F(ViewerGL, ALitObjectFollowsItsLight) {
    light->Diffuse().SetColor(TVec4{1, 0, 0, 1});
    Render();
    const Rgb red = RgbAt(kCentreX, kCentreY);
    EXPECT_GT(red.r, 240);
    EXPECT_LT(red.g, 10);
    light->Diffuse().SetColor(TVec4{0, 1, 0, 1});
    Render();
    const Rgb green = RgbAt(kCentreX, kCentreY);
    EXPECT_LT(green.r, 10);
    EXPECT_GT(green.g, 240);
    light->SetShining(false);
    Render();
    EXPECT_EQ(RgbAt(kCentreX, kCentreY), (Rgb{0, 0, 0})) << "no light and a black ambient";
}

TEST_F(ViewerGL, TheFrameUsesTheGameLensProjection) {
    GLfloat inFrame[16] = {};
    viewer.Buffer().BeforeRender = [&inFrame](TGLRenderBuffer*) { glGetFloatv(GL_PROJECTION_MATRIX, inFrame); };
    Render();
    const float n = 140.0f * 96.0f / (800.0f * 25.4f);
    const float f = n + 100.0f;
    EXPECT_NEAR(camera->NearDistance(), n, 1e-5f);
    EXPECT_NEAR(n, 0.661f, 1e-3f);
    const TMat4& p = viewer.Buffer().ProjectionMatrix();
    EXPECT_NEAR(p[0][0], 2 * n / 1.0f, 1e-4f) << "left/right -0.5/0.5";
    EXPECT_NEAR(p[1][1], 2 * n / 0.75f, 1e-4f) << "bottom/top -0.375/0.375";
    EXPECT_NEAR(p[2][2], -(f + n) / (f - n), 1e-4f);
    EXPECT_NEAR(p[3][2], -2 * f * n / (f - n), 1e-4f);
    EXPECT_NEAR(inFrame[0], p[0][0], 1e-6f) << "loaded in OpenGL while the frame is drawn";
    EXPECT_EQ(viewer.Buffer().BaseProjectionMatrix(), IdentityMatrix);
    // The horizontal half-angle of the lens, whatever the display's pixel density.
    EXPECT_NEAR(RadToDeg(std::atan(0.5f / n)), 37.1f, 0.1f);
}

TEST_F(ViewerGL, TheRayThroughTheCentreIsTheViewingDirectionAtTheNearDistance) {
    camera->SetPosition(TVec4{1, 2, 10, 1});
    camera->SetDirection(TVec4{0, -0.5f, -1, 0});
    Render();
    const TVec3 v = viewer.Buffer().ScreenToWorldVector(kCentreX, kCentreY, 0);
    EXPECT_NEAR(Length(v), camera->NearDistance(), 1e-4f);
    const TVec3 d = Normalize(Affine(camera->GetWorldDirection()));
    const TVec3 u = Normalize(v);
    EXPECT_NEAR(u.X, d.X, 1e-4f);
    EXPECT_NEAR(u.Y, d.Y, 1e-4f);
    EXPECT_NEAR(u.Z, d.Z, 1e-4f);
    const TVec3 eye = viewer.Buffer().UnprojectPoint(kCentreX, kCentreY, 0) - v;
    EXPECT_NEAR(eye.X, 1, 1e-4f);
    EXPECT_NEAR(eye.Y, 2, 1e-4f);
    EXPECT_NEAR(eye.Z, 10, 1e-4f);
}

TEST_F(ViewerGL, UnprojectingADrawnPixelFindsItsPointOnTheQuad) {
    Render();
    const int x = 500;
    const int y = 350;
    const float depth = DepthAt(x, y);
    ASSERT_LT(depth, 1.0f) << "the quad covers the pixel";
    // Pixel centres lie half a pixel in.
    const TVec3 p = viewer.Buffer().UnprojectPoint(x + 0.5f, y + 0.5f, depth);
    const float scale = 10.0f / camera->NearDistance();
    EXPECT_NEAR(p.Z, 0.0f, 1e-2f);
    EXPECT_NEAR(p.X, (x + 0.5f - 400) / 400 * 0.5f * scale, 1e-2f);
    EXPECT_NEAR(p.Y, (y + 0.5f - 300) / 300 * 0.375f * scale, 1e-2f);
}

TEST_F(ViewerGL, RaysUseTheLogicalScreenInALetterboxedWindow) {
    SDL_SetWindowSize(viewer.Window()->Handle(), 1000, 600);
    for (int i = 0; i < 50 && viewer.Window()->DrawableScreen().OuterWidth() != 1000; ++i) {
        SDL_PumpEvents();
        SDL_Delay(10);
    }
    ASSERT_EQ(viewer.Window()->DrawableScreen().OuterWidth(), 1000) << "the display refused the size";
    Render();
    Render();  // the buffers follow the window's size at the next swap or make-current
    const LogicalScreen screen = viewer.Window()->DrawableScreen();
    ASSERT_EQ(screen.Box().x, 100);
    const int lx = 500;
    const int ly = 350;  // from the bottom, as the ray takes it
    const float depth = DepthAt(screen.Box().x + lx, ly);
    ASSERT_LT(depth, 1.0f);
    const TVec3 p = viewer.Buffer().UnprojectPoint(lx + 0.5f, ly + 0.5f, depth);
    const float scale = 10.0f / camera->NearDistance();
    EXPECT_NEAR(p.Z, 0.0f, 1e-2f);
    EXPECT_NEAR(p.X, (lx + 0.5f - 400) / 400 * 0.5f * scale, 1e-2f);
    EXPECT_EQ(RgbAt(50, 300), (Rgb{0, 0, 0})) << "a bar, not the background";
}

TEST_F(ViewerGL, AFrameInsideAFrameDoesNothingAndItsChangesRequestNoOther) {
    PaintWhileInvalid();
    int befores = 0;
    viewer.Buffer().BeforeRender = [&](TGLRenderBuffer* sender) {
        ++befores;
        quad->SetPosition(TVec4{0.5f, 0, 0, 1});  // the scene signals the buffer mid-frame
        sender->RenderToScreen();
    };
    viewer.Buffer().InitiateRendering = [&](TGLRenderBuffer*) { light->Diffuse().SetRed(0.5f); };
    ASSERT_FALSE(viewer.Invalid());
    Render();
    EXPECT_EQ(befores, 1);
    EXPECT_FALSE(viewer.Invalid()) << "a change made while drawing does not ask for another frame";
    EXPECT_FALSE(viewer.Buffer().Rendering());
    viewer.Buffer().BeforeRender = nullptr;
    viewer.Buffer().InitiateRendering = nullptr;
    quad->SetPosition(TVec4{0, 0, 0, 1});
    EXPECT_TRUE(viewer.Invalid()) << "outside a frame it does";
}

TEST_F(ViewerGL, AnUnbalancedModelViewStackFailsTheFrameOnce) {
    viewer.Buffer().PostRender = [](TGLRenderBuffer*) { glPushMatrix(); };
    try {
        Render();
        FAIL() << "expected EGLRenderBufferError";
    } catch (const EGLRenderBufferError& error) {
        EXPECT_STREQ(error.what(), "Unbalance Push/PopModelViewMatrix.");
    }
    EXPECT_FALSE(viewer.Buffer().Rendering()) << "the failed frame does not block the next";
    EXPECT_EQ(viewer.Buffer().FrameCount(), 0);
    viewer.Buffer().PostRender = nullptr;
    EXPECT_NO_THROW(Render()) << "the stack was put back in order";
    EXPECT_EQ(viewer.Buffer().FrameCount(), 1);
}

TEST_F(ViewerGL, TheFrameRateCountsFromTheFirstFrameReading) {
    SteppingClock clock(10);  // every reading 10 ms after the one before
    viewer.Buffer().SetPerformanceClock(clock);
    viewer.Buffer().ResetFpsCounter();
    EXPECT_EQ(viewer.Buffer().MeasuredFps(), 0.0f);
    Render();  // readings: start 10, first frame 20, end 30
    EXPECT_FLOAT_EQ(viewer.Buffer().MeasuredFps(), 100.0f);
    EXPECT_DOUBLE_EQ(viewer.Buffer().LastFrameDuration(), 0.020);
    Render();  // 40, 50, 60
    EXPECT_FLOAT_EQ(viewer.Buffer().MeasuredFps(), 2 * 1000.0f / 40.0f);
    viewer.Buffer().ResetFpsCounter();
    EXPECT_EQ(viewer.Buffer().MeasuredFps(), 0.0f);
    EXPECT_EQ(viewer.Buffer().FrameCount(), 0);
    viewer.Buffer().SetPerformanceClock(SteadyPerformanceClock());
}

TEST_F(ViewerGL, FramesRegisterWithTheCamerasScene) {
    EXPECT_EQ(world.BufferCount(), 0);
    Render();
    EXPECT_EQ(world.BufferCount(), 1);
    EXPECT_EQ(viewer.Buffer().Scene(), &world);
    TGLWorld other;
    auto* otherCamera = other.Cameras().CreateChild<TGLCamera>();
    viewer.SetCamera(otherCamera);
    Render();
    EXPECT_EQ(world.BufferCount(), 0) << "the old scene is left";
    EXPECT_EQ(other.BufferCount(), 1);
    viewer.SetCamera(camera);
    Render();
}

TEST_F(ViewerGL, FogFollowsTheEnvironment) {
    TGLRenderBuffer& buffer = viewer.Buffer();
    buffer.FogEnvironment().FogColor().SetColor(TVec4{1, 1, 1, 0.5f});
    buffer.FogEnvironment().SetFogMode(fmExp);
    buffer.SetFogEnable(true);
    GLint mode = 0;
    GLfloat density = 0;
    GLboolean enabled = GL_FALSE;
    buffer.WrapUpRendering = [&](TGLRenderBuffer*) {
        glGetIntegerv(GL_FOG_MODE, &mode);
        glGetFloatv(GL_FOG_DENSITY, &density);
        enabled = glIsEnabled(GL_FOG);
    };
    Render();
    EXPECT_TRUE(enabled);
    EXPECT_EQ(mode, GL_EXP);
    EXPECT_FLOAT_EQ(density, 0.5f) << "the density is the fog colour's alpha";
    const Rgb fogged = RgbAt(kCentreX, kCentreY);
    EXPECT_GT(fogged.b, 240) << "ten units of dense fog whiten the quad";
    buffer.SetFogEnable(false);
    Render();
    EXPECT_FALSE(enabled);
}

}  // namespace
}  // namespace engine::test
