#include "engine/viewer/render_buffer.h"

#include "engine/scene/dummy_cube.h"
#include "tests/engine/render/recording_sink.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace engine {
namespace {

// Counts what the buffer reports to its viewer.
struct SignalCount {
    explicit SignalCount(TGLRenderBuffer& buffer) {
        buffer.OnChange = [this](TGLRenderBuffer*) { ++changes; };
        buffer.OnStructuralChange = [this](TGLRenderBuffer*) { ++structural; };
    }
    int changes = 0;
    int structural = 0;
};

struct SettingCase {
    const char* name;
    std::function<void(TGLRenderBuffer&)> edit;
    bool structural;
};

TEST(RenderBufferSignals, EachSettingSignalsOnceAndTheKindItNeeds) {
    const std::vector<SettingCase> cases = {
        {"DepthTest", [](TGLRenderBuffer& b) { b.SetDepthTest(false); }, false},
        {"FaceCulling", [](TGLRenderBuffer& b) { b.SetFaceCulling(false); }, false},
        {"Lighting", [](TGLRenderBuffer& b) { b.SetLighting(false); }, false},
        {"FogEnable", [](TGLRenderBuffer& b) { b.SetFogEnable(true); }, false},
        {"BackgroundColor", [](TGLRenderBuffer& b) { b.SetBackgroundColor(colors::clBlack); }, false},
        {"BackgroundAlpha", [](TGLRenderBuffer& b) { b.SetBackgroundAlpha(0.5f); }, false},
        {"ShadeModel", [](TGLRenderBuffer& b) { b.SetShadeModel(smFlat); }, false},
        {"AmbientColor", [](TGLRenderBuffer& b) { b.AmbientColor().SetRed(0); }, false},
        {"FogColor", [](TGLRenderBuffer& b) { b.FogEnvironment().FogColor().SetAlpha(0); }, false},
        {"FogEnd", [](TGLRenderBuffer& b) { b.FogEnvironment().SetFogEnd(40); }, false},
        {"FogMode", [](TGLRenderBuffer& b) { b.FogEnvironment().SetFogMode(fmExp2); }, false},
        {"ContextOptions", [](TGLRenderBuffer& b) { b.SetContextOptions(roDoubleBuffer | roNoColorBufferClear); }, true},
        {"DepthPrecision", [](TGLRenderBuffer& b) { b.SetDepthPrecision(dp16bits); }, true},
        {"ColorDepth", [](TGLRenderBuffer& b) { b.SetColorDepth(cd16bits); }, true},
        {"AntiAliasing", [](TGLRenderBuffer& b) { b.SetAntiAliasing(aa4x); }, true},
        {"AccumBufferBits", [](TGLRenderBuffer& b) { b.SetAccumBufferBits(32); }, true},
    };
    for (const SettingCase& c : cases) {
        SCOPED_TRACE(c.name);
        TGLRenderBuffer buffer;
        SignalCount count(buffer);
        c.edit(buffer);
        c.edit(buffer);  // the same value again is no change
        EXPECT_EQ(count.changes, c.structural ? 0 : 1);
        EXPECT_EQ(count.structural, c.structural ? 1 : 0);
    }
}

TEST(RenderBufferSignals, SceneChangesPassOnToTheViewer) {
    TGLWorld world;
    auto* cube = world.Objects().CreateChild<TGLDummyCube>();
    TGLRenderBuffer buffer;
    world.AttachBuffer(buffer);
    SignalCount count(buffer);
    cube->LocalTransform();  // drawn once: the next move is news
    cube->SetPosition(TVec4{1, 2, 3, 1});
    EXPECT_EQ(count.changes, 1);
    world.DetachBuffer(buffer);
}

TEST(RenderBufferCamera, TheCameraLinkClearsWhenTheCameraDies) {
    TGLWorld world;
    auto* camera = world.Cameras().CreateChild<TGLCamera>();
    TGLRenderBuffer buffer;
    SignalCount count(buffer);
    buffer.SetCamera(camera);
    EXPECT_EQ(buffer.Camera(), camera);
    EXPECT_EQ(count.changes, 1);
    camera->Free();
    EXPECT_EQ(buffer.Camera(), nullptr);
    EXPECT_EQ(count.changes, 2) << "the view changes with its camera gone";
}

TEST(RenderBufferCamera, WithoutACameraPointsUnprojectToThemselves) {
    TGLRenderBuffer buffer;
    const TVec3 p = buffer.UnprojectPoint(10, 20, 0.5f);
    EXPECT_EQ(p, (TVec3{10, 20, 0.5f}));
    const TVec3 v = buffer.ScreenToWorldVector(10, 20, 0.5f);
    EXPECT_EQ(v, (TVec3{10, 20, 0.5f}));
}

TEST(RenderBufferFrames, WithoutAContextNothingIsDrawnOrCounted) {
    TGLWorld world;
    auto* camera = world.Cameras().CreateChild<TGLCamera>();
    TGLRenderBuffer buffer;
    buffer.SetCamera(camera);
    int events = 0;
    buffer.BeforeRender = [&events](TGLRenderBuffer*) { ++events; };
    buffer.AfterRender = [&events](TGLRenderBuffer*) { ++events; };
    buffer.RenderToScreen();
    EXPECT_EQ(events, 0);
    EXPECT_EQ(buffer.FrameCount(), 0);
    EXPECT_EQ(buffer.Scene(), nullptr) << "registration happens with a frame";
    EXPECT_EQ(world.BufferCount(), 0);
    EXPECT_NO_THROW(buffer.DestroyRC());
}

TEST(RenderBufferPixelFormat, DefaultsAskForADoubleBufferedWindowFormat) {
    const ContextRequest request = TGLRenderBuffer().RequestedPixelFormat();
    EXPECT_TRUE(request.doubleBuffer);
    EXPECT_FALSE(request.stereo);
    EXPECT_EQ(request.colorBits, 24);
    EXPECT_EQ(request.depthBits, 24);
    EXPECT_EQ(request.stencilBits, 0);
    EXPECT_EQ(request.alphaBits, 0);
    EXPECT_EQ(request.accumBits, 0);
    EXPECT_EQ(request.samples, 0);
}

TEST(RenderBufferPixelFormat, OptionsAndDepthsShapeTheRequest) {
    TGLRenderBuffer buffer;
    buffer.SetContextOptions(roStencilBuffer | roDestinationAlpha | roStereo | roNoColorBuffer);
    buffer.SetDepthPrecision(dp16bits);
    buffer.SetAccumBufferBits(64);
    buffer.SetAntiAliasing(aa2x);
    const ContextRequest request = buffer.RequestedPixelFormat();
    EXPECT_FALSE(request.doubleBuffer);
    EXPECT_TRUE(request.stereo);
    EXPECT_EQ(request.colorBits, 0) << "no colour buffer";
    EXPECT_EQ(request.depthBits, 16);
    EXPECT_EQ(request.stencilBits, 8);
    EXPECT_EQ(request.alphaBits, 8);
    EXPECT_EQ(request.accumBits, 64);
    EXPECT_EQ(request.samples, 2);
    buffer.SetContextOptions(roDoubleBuffer);
    buffer.SetColorDepth(cd16bits);
    buffer.SetDepthPrecision(dp32bits);
    EXPECT_EQ(buffer.RequestedPixelFormat().colorBits, 16);
    EXPECT_EQ(buffer.RequestedPixelFormat().depthBits, 32);
}

TEST(RenderBufferColors, SystemColoursAreRedGreenBlueFromTheHighByte) {
    const TVec4 c = ColorToRGBA(0xFF8000, 0.25f);
    EXPECT_FLOAT_EQ(c.X, 1.0f);
    EXPECT_NEAR(c.Y, 128.0f / 255.0f, 1e-6f);
    EXPECT_FLOAT_EQ(c.Z, 0.0f);
    EXPECT_FLOAT_EQ(c.W, 0.25f);
}

TEST(RenderBufferBaseState, FollowsTheSettingsAndTheColourBuffer) {
    TGLRenderBuffer buffer;
    TGLBaseState state = buffer.BaseState(8);
    EXPECT_TRUE(state.depthTest);
    EXPECT_TRUE(state.faceCulling);
    EXPECT_TRUE(state.lighting);
    EXPECT_FALSE(state.fog);
    EXPECT_FALSE(state.twoSideLighting);
    EXPECT_FALSE(state.dither) << "8 blue bits need no dithering";
    EXPECT_EQ(state.shadeModel, static_cast<GLenum>(GL_SMOOTH));
    EXPECT_TRUE(buffer.BaseState(5).dither) << "a 16-bit colour buffer is dithered";

    buffer.SetContextOptions(roDoubleBuffer | roTwoSideLighting);
    buffer.SetDepthTest(false);
    buffer.SetFaceCulling(false);
    buffer.SetLighting(false);
    buffer.SetFogEnable(true);
    buffer.SetShadeModel(smFlat);
    buffer.AmbientColor().SetColor(TVec4{0, 0, 0, 1});
    state = buffer.BaseState(8);
    EXPECT_TRUE(state.twoSideLighting);
    EXPECT_FALSE(state.depthTest);
    EXPECT_FALSE(state.faceCulling);
    EXPECT_FALSE(state.lighting);
    EXPECT_TRUE(state.fog);
    EXPECT_EQ(state.shadeModel, static_cast<GLenum>(GL_FLAT));
    EXPECT_EQ(state.ambient, (TVec4{0, 0, 0, 1}));
}

TEST(RenderBufferBaseState, SwitchesGoThroughTheCacheOnce) {
    tests::RecordingSink sink;
    sink.capabilities[GL_DITHER] = true;  // OpenGL's own default
    TGLStateCache states(sink);
    TGLBaseState state;
    state.lighting = false;
    ApplyBaseStateSwitches(state, states);
    EXPECT_TRUE(sink.Enabled(GL_NORMALIZE));
    EXPECT_TRUE(sink.Enabled(GL_DEPTH_TEST));
    EXPECT_TRUE(sink.Enabled(GL_CULL_FACE));
    EXPECT_FALSE(sink.Enabled(GL_LIGHTING));
    EXPECT_FALSE(sink.Enabled(GL_FOG));
    EXPECT_FALSE(sink.Enabled(GL_DITHER));
    EXPECT_TRUE(sink.Has("DepthFunc LESS"));
    const std::size_t sent = sink.calls.size();
    ApplyBaseStateSwitches(state, states);
    EXPECT_EQ(sink.calls.size(), sent) << "a second frame with the same settings sends nothing";
    EXPECT_TRUE(states.IsEnabled(TGLState::stNormalize)) << "the cache agrees with OpenGL";
}

TEST(FogEnvironment, ModesMapToOpenGL) {
    EXPECT_EQ(GLFogMode(fmLinear), static_cast<GLenum>(GL_LINEAR));
    EXPECT_EQ(GLFogMode(fmExp), static_cast<GLenum>(GL_EXP));
    EXPECT_EQ(GLFogMode(fmExp2), static_cast<GLenum>(GL_EXP2));
    EXPECT_EQ(GLFogDistanceMode(fdDefault), 0u) << "the driver keeps its own";
    EXPECT_EQ(GLFogDistanceMode(fdEyeRadial), static_cast<GLenum>(0x855B));  // GL_EYE_RADIAL_NV
    EXPECT_EQ(GLFogDistanceMode(fdEyePlane), static_cast<GLenum>(GL_EYE_PLANE));
}

}  // namespace
}  // namespace engine
