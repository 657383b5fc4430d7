#include "engine/render/gl_state_cache.h"

#include "tests/engine/render/recording_sink.h"

#include <gtest/gtest.h>

namespace {

using engine::TGLFaceMaterialState;
using engine::TGLState;
using engine::TGLStateCache;

TEST(StateCache, SendsACapabilityOnlyWhenItChanges) {
    tests::RecordingSink sink;
    TGLStateCache cache(sink);
    cache.Enable(TGLState::stBlend);
    cache.Enable(TGLState::stBlend);
    cache.Disable(TGLState::stBlend);
    cache.Disable(TGLState::stBlend);
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"Enable BLEND", "Disable BLEND"}));
}

TEST(StateCache, AsksTheDriverOnceForAnUnknownCapability) {
    tests::RecordingSink sink;
    sink.capabilities[GL_LIGHTING] = true;
    TGLStateCache cache(sink);
    EXPECT_TRUE(cache.IsEnabled(TGLState::stLighting));
    EXPECT_TRUE(cache.IsEnabled(TGLState::stLighting));
    EXPECT_EQ(sink.queries, 1);
    // Known now: enabling again sends nothing.
    cache.Enable(TGLState::stLighting);
    EXPECT_TRUE(sink.calls.empty());
}

TEST(StateCache, ResyncForgetsAndResendsEverything) {
    tests::RecordingSink sink;
    TGLStateCache cache(sink);
    cache.Enable(TGLState::stFog);
    cache.SetBlendFunc(GL_SRC_ALPHA, GL_ONE);
    cache.Resync();
    cache.Enable(TGLState::stFog);
    cache.SetBlendFunc(GL_SRC_ALPHA, GL_ONE);
    EXPECT_EQ(sink.Count("Enable FOG"), 2);
    EXPECT_EQ(sink.Count("BlendFunc SRC_ALPHA ONE"), 2);
}

TEST(StateCache, MaterialParametersAreSentPerParameterAndFace) {
    tests::RecordingSink sink;
    TGLStateCache cache(sink);
    TGLFaceMaterialState material;
    material.diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
    cache.SetGLMaterialColors(GL_FRONT, material);
    EXPECT_EQ(sink.calls.size(), 5u);  // all five unknown at first

    sink.calls.clear();
    cache.SetGLMaterialColors(GL_FRONT, material);
    EXPECT_TRUE(sink.calls.empty());

    material.diffuse = {1, 0, 0, 1};
    cache.SetGLMaterialColors(GL_FRONT, material);
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"Material FRONT DIFFUSE"}));

    // The back face has a cache of its own.
    sink.calls.clear();
    cache.SetGLMaterialColors(GL_BACK, material);
    EXPECT_EQ(sink.calls.size(), 5u);
}

TEST(StateCache, BlendFunctionWithZeroFactorsIsRemembered) {
    tests::RecordingSink sink;
    TGLStateCache cache(sink);
    cache.SetBlendFunc(GL_ZERO, GL_ZERO);
    cache.SetBlendFunc(GL_ZERO, GL_ZERO);
    cache.SetBlendFunc(GL_DST_COLOR, GL_ZERO);
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"BlendFunc ZERO ZERO", "BlendFunc DST_COLOR ZERO"}));
}

TEST(StateCache, PopRestoresTheCachedPictureWithOpenGL) {
    tests::RecordingSink sink;
    TGLStateCache cache(sink);
    cache.Disable(TGLState::stDepthTest);
    cache.SetDepthFunc(GL_LESS);
    cache.PushAllAttributes();
    cache.Enable(TGLState::stDepthTest);
    cache.SetDepthFunc(GL_LEQUAL);
    cache.PopAttributes();
    sink.calls.clear();

    // OpenGL has depth testing off and GL_LESS again; the cache must know and resend the change.
    cache.Enable(TGLState::stDepthTest);
    cache.SetDepthFunc(GL_LEQUAL);
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"Enable DEPTH_TEST", "DepthFunc LEQUAL"}));
}

TEST(StateCache, TextureBindingsAreAlwaysSent) {
    tests::RecordingSink sink;
    TGLStateCache cache(sink);
    cache.BindTexture2D(3);
    cache.BindTexture2D(3);
    EXPECT_EQ(sink.Count("BindTexture 3"), 2);
    EXPECT_EQ(cache.BoundTexture2D(), 3u);
}

}  // namespace
