#include "engine/scene/dummy_cube.h"
#include "engine/scene/light_source.h"
#include "scene_gl_fixture.h"

#include <array>
#include <cmath>

namespace engine::test {
namespace {

TEST_F(SceneGL, TheGameLensLoadsItsFrustumIntoTheProjectionMatrix) {
    TGLCamera lens;
    lens.SetFocalLength(70);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    lens.ApplyProjection(TGLViewport{0, 0, 800, 600}, 800, 600, 96);
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    glMatrixMode(GL_MODELVIEW);
    const float n = 140.0f * 96.0f / (800.0f * 25.4f);
    const float f = n + 100.0f;
    EXPECT_NEAR(m[0], 2 * n / 1.0f, 1e-4f);    // right - left = 1
    EXPECT_NEAR(m[5], 2 * n / 0.75f, 1e-4f);   // top - bottom = 0.75
    EXPECT_NEAR(m[8], 0.0f, 1e-6f);            // centred
    EXPECT_NEAR(m[10], -(f + n) / (f - n), 1e-4f);
    EXPECT_NEAR(m[11], -1.0f, 1e-6f);
    EXPECT_NEAR(m[14], -2 * f * n / (f - n), 1e-4f);
    EXPECT_NEAR(lens.NearDistance(), n, 1e-6f);

    // Below one pixel nothing is loaded.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    lens.ApplyProjection(TGLViewport{0, 0, 0, 600}, 0, 600, 96);
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    glMatrixMode(GL_MODELVIEW);
    EXPECT_EQ(m[0], 1.0f);
    EXPECT_EQ(m[14], 0.0f);
}

// The projection matrix after ApplyProjection on an identity matrix.
std::array<GLfloat, 16> ProjectionOf(TGLCamera& camera, int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    camera.ApplyProjection(TGLViewport{0, 0, width, height}, width, height, 96);
    std::array<GLfloat, 16> m{};
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    glMatrixMode(GL_MODELVIEW);
    return m;
}

TEST_F(SceneGL, OtherCameraStylesLoadTheirMatrices) {
    TGLCamera lens;
    lens.SetFocalLength(70);
    lens.SetCameraStyle(csOrtho2D);
    std::array<GLfloat, 16> m = ProjectionOf(lens, 800, 600);
    EXPECT_NEAR(m[0], 2.0f / 800, 1e-7f);
    EXPECT_NEAR(m[5], 2.0f / 600, 1e-7f);
    EXPECT_NEAR(m[12], -1.0f, 1e-6f);
    EXPECT_EQ(lens.NearDistance(), -1.0f);

    lens.SetCameraStyle(csOrthogonal);
    m = ProjectionOf(lens, 800, 600);
    EXPECT_NEAR(m[0], 2.0f / (100.0f / 70.0f), 1e-5f);  // window +-0.5 * 100 / 70
    EXPECT_NEAR(m[11], 0.0f, 1e-7f);

    // The far plane at infinity: depth tends to 1 without reaching it.
    lens.SetCameraStyle(csInfinitePerspective);
    m = ProjectionOf(lens, 800, 600);
    const float n = lens.NearDistance();
    EXPECT_NEAR(m[0], 2 * n, 1e-4f);
    EXPECT_EQ(m[10], -1.0f);
    EXPECT_NEAR(m[14], -2 * n, 1e-5f);

    int calls = 0;
    lens.SetCameraStyle(csCustom);
    lens.OnCustomPerspective = [&calls](TGLCamera&, const TGLViewport& viewport, int width, int, int dpi) {
        ++calls;
        EXPECT_EQ(viewport.width, width);
        EXPECT_EQ(dpi, 96);
        glOrtho(-1, 1, -1, 1, -1, 1);
    };
    m = ProjectionOf(lens, 800, 600);
    EXPECT_EQ(calls, 1);
    EXPECT_NEAR(m[10], -1.0f, 1e-6f);
}

TEST_F(SceneGL, CameraFollowsItsTargetAndReturnsToItsDirectionWhenTheTargetDies) {
    TestQuad* target = AddQuad(world.Objects(), TVec4{3, 0, 0, 1}, TVec4{1, 0, 0, 1}, TBlendingMode::bmOpaque, 0.25f);
    camera->SetTargetObject(target);
    Frame();
    EXPECT_TRUE(Near(Center(), kRed));
    const TVec4 d = camera->LastViewDirection();
    EXPECT_NEAR(d.X, 3.0f / std::sqrt(34.0f), 1e-5f);
    EXPECT_NEAR(d.Z, -5.0f / std::sqrt(34.0f), 1e-5f);

    target->SetPosition(TVec4{0, 3, 0, 1});
    Frame();
    EXPECT_TRUE(Near(Center(), kRed));

    target->Free();
    Frame();
    EXPECT_NEAR(camera->LastViewDirection().Z, -1.0f, 1e-6f);
}

TEST_F(SceneGL, CameraLooksAlongItsDirectionCarriedThroughItsParent) {
    // The game's arrangement: the camera sits under a dummy cube that is turned and moved.
    auto* cam = world.Objects().CreateChild<TGLDummyCube>();
    camera->Reparent(cam);
    camera->SetPosition(NullPoint);
    cam->SetPosition(TVec4{5, 0, 0, 1});
    cam->TurnBy(-90);
    const TVec4 expected = Normalize(TransformDirection(TVec4{0, 0, -1, 0}, cam->WorldTransform()));
    TestQuad* ahead = AddQuad(world.Objects(), TVec4{5, 0, 0, 1} + expected * 5.0f, TVec4{0, 0, 1, 1});
    ahead->SetDirection(expected * -1.0f);  // facing the camera
    Frame();
    EXPECT_NEAR(camera->LastViewDirection().X, expected.X, 1e-5f);
    EXPECT_NEAR(camera->LastViewDirection().Z, expected.Z, 1e-5f);
    EXPECT_NEAR(std::fabs(expected.X), 1.0f, 1e-5f);  // turned a quarter: looking along X
    EXPECT_TRUE(Near(Center(), kBlue));
}

// A white lit quad facing +Z and one omni light.
class LightGL : public SceneGL {
protected:
    LightGL() {
        lighting = true;
        TestQuad* quad = AddQuad(world.Objects(), NullPoint, TVec4{1, 1, 1, 1});
        quad->Material().FrontProperties().Ambient().SetColor(TVec4{0, 0, 0, 1});
        light = world.Objects().CreateChild<TGLLightSource>();
        light->SetLightStyle(lsOmni);
        light->SetPosition(TVec4{0, 0, 10, 1});
    }
    TGLLightSource* light = nullptr;
};

TEST_F(LightGL, ShiningLightLightsTheQuadAndSwitchingItOffDarkensIt) {
    Frame();
    EXPECT_TRUE(Near(Center(), kWhite, 8));
    light->SetShining(false);
    Frame();
    EXPECT_TRUE(Near(Center(), kBlack));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
}

TEST_F(LightGL, LightIsPlacedInTheWorldNotRelativeToTheCamera) {
    // Behind the quad: its front gets no light, wherever the camera is.
    light->SetPosition(TVec4{0, 0, -10, 1});
    Frame();
    EXPECT_TRUE(Near(Center(), kBlack));
    // Under a parent that carries it back in front.
    auto* holder = world.Objects().CreateChild<TGLDummyCube>();
    holder->SetPosition(TVec4{0, 0, 20, 1});
    light->Reparent(holder);
    Frame();
    EXPECT_TRUE(Near(Center(), kWhite, 8));
}

TEST_F(LightGL, ParallelLightShinesAlongItsSpotDirection) {
    light->SetLightStyle(lsParallel);
    light->SpotDirection().SetAll(TVec4{0, 0, 1, 0});  // from +Z, the quad's front
    Frame();
    EXPECT_TRUE(Near(Center(), kWhite, 8));
    light->SpotDirection().SetAll(TVec4{0, 0, -1, 0});
    Frame();
    EXPECT_TRUE(Near(Center(), kBlack));
}

TEST_F(LightGL, SlotsBeyondTheTableAndEmptySlotsAreDisabled) {
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHT7);
    Frame();
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT7));
    glEnable(GL_LIGHT2);
    world.LoadLights(2);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2));  // beyond what was asked for: untouched
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

}  // namespace
}  // namespace engine::test
