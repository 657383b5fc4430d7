#include "engine/material/material.h"

#include "engine/render/render_context_info.h"
#include "tests/engine/render/recording_sink.h"

#include <gtest/gtest.h>


namespace {

using engine::TBlendingMode;
using engine::TFaceCulling;
using engine::TGLMaterial;
using engine::TGLState;
using engine::TGLStateCache;
using engine::TMaterialOption;
using Calls = std::vector<std::string>;

struct Frame {
    tests::RecordingSink sink;
    TGLStateCache cache{sink};
    engine::TRenderContextInfo rci;
    Frame() { rci.GLStates = &cache; }

    // One pass of the material, logging only what it sends.
    bool Pass(TGLMaterial& material) {
        material.BeginPass(rci);
        return material.EndPass(rci);
    }
};

struct BlendCase {
    TBlendingMode mode;
    Calls expected;  // in order, among the blending calls
    bool blended;
};

TEST(MaterialPass, EachBlendingModeSetsItsStateAndFunctions) {
    const std::vector<BlendCase> cases = {
        {TBlendingMode::bmOpaque, {"Disable BLEND", "Disable ALPHA_TEST"}, false},
        {TBlendingMode::bmTransparency,
         {"Enable BLEND", "Enable ALPHA_TEST", "BlendFunc SRC_ALPHA ONE_MINUS_SRC_ALPHA"},
         true},
        {TBlendingMode::bmAdditive, {"Enable BLEND", "Enable ALPHA_TEST", "BlendFunc SRC_ALPHA ONE"}, true},
        {TBlendingMode::bmAlphaTest50, {"Disable BLEND", "Enable ALPHA_TEST", "AlphaFunc GEQUAL 0.5"}, false},
        {TBlendingMode::bmAlphaTest100, {"Disable BLEND", "Enable ALPHA_TEST", "AlphaFunc GEQUAL 1.0"}, false},
        {TBlendingMode::bmModulate, {"Enable BLEND", "Enable ALPHA_TEST", "BlendFunc DST_COLOR ZERO"}, true},
    };
    for (const BlendCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        Frame frame;
        // Start from the opposite of what the mode wants, so every switch shows.
        frame.cache.Enable(TGLState::stBlend);
        frame.cache.Disable(TGLState::stAlphaTest);
        if (c.mode == TBlendingMode::bmOpaque) {
            frame.cache.Enable(TGLState::stAlphaTest);
        } else if (c.blended) {
            frame.cache.Disable(TGLState::stBlend);
        }
        frame.sink.calls.clear();
        TGLMaterial material;
        material.SetBlendingMode(c.mode);
        material.BeginPass(frame.rci);
        Calls blending;
        for (const std::string& call : frame.sink.calls) {
            if (call.find("BLEND") != std::string::npos || call.find("ALPHA_TEST") != std::string::npos ||
                call.find("Func") != std::string::npos) {
                blending.push_back(call);
            }
        }
        EXPECT_EQ(blending, c.expected);
        EXPECT_EQ(material.IsBlended(), c.blended);
    }
}

TEST(MaterialPass, AlphaTestModesRestoreTheStandingAlphaFunction) {
    for (TBlendingMode mode : {TBlendingMode::bmAlphaTest50, TBlendingMode::bmAlphaTest100}) {
        Frame frame;
        TGLMaterial material;
        material.SetBlendingMode(mode);
        EXPECT_FALSE(frame.Pass(material));
        EXPECT_EQ(frame.sink.calls.back(), "AlphaFunc GREATER 0.0");
    }
}

TEST(MaterialPass, IgnoredBlendingRequestsLeaveBlendingAlone) {
    Frame frame;
    frame.rci.ignoreBlendingRequests = true;
    TGLMaterial material;
    material.SetBlendingMode(TBlendingMode::bmAdditive);
    material.BeginPass(frame.rci);
    for (const std::string& call : frame.sink.calls) {
        EXPECT_EQ(call.find("BLEND"), std::string::npos) << call;
    }
}

struct CullCase {
    bool cullingOn;
    TFaceCulling mode;
    bool bufferCulls;
    bool cullingAfter;
    bool backSent;
};

TEST(MaterialPass, FaceCullingFollowsTheCacheTheModeAndTheBuffer) {
    const std::vector<CullCase> cases = {
        {true, TFaceCulling::fcBufferDefault, true, true, false},
        {true, TFaceCulling::fcBufferDefault, false, false, true},
        {true, TFaceCulling::fcCull, false, true, false},
        {true, TFaceCulling::fcNoCull, true, false, true},
        {false, TFaceCulling::fcCull, false, true, false},
        {false, TFaceCulling::fcNoCull, true, false, true},
        {false, TFaceCulling::fcBufferDefault, true, true, false},
        {false, TFaceCulling::fcBufferDefault, false, false, true},
    };
    for (const CullCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cullingOn << " " << static_cast<int>(c.mode) << " " << c.bufferCulls);
        Frame frame;
        frame.sink.capabilities[GL_LIGHTING] = true;
        frame.sink.capabilities[GL_CULL_FACE] = c.cullingOn;
        frame.rci.bufferFaceCull = c.bufferCulls;
        TGLMaterial material;
        material.SetFaceCulling(c.mode);
        material.BeginPass(frame.rci);
        EXPECT_EQ(frame.sink.Enabled(GL_CULL_FACE), c.cullingAfter);
        EXPECT_EQ(frame.sink.Has("Material BACK DIFFUSE"), c.backSent);
    }
}

TEST(MaterialPass, LitMaterialSendsFrontPropertiesUnlitSendsTheDiffuseColour) {
    Frame lit;
    lit.sink.capabilities[GL_LIGHTING] = true;
    TGLMaterial material;
    material.FrontProperties().Diffuse().SetColor({1, 0.5f, 0.25f, 1});
    material.FrontProperties().SetPolygonMode(engine::TPolygonMode::pmLines);
    lit.Pass(material);
    EXPECT_TRUE(lit.sink.Has("Material FRONT DIFFUSE"));
    EXPECT_TRUE(lit.sink.Has("PolygonMode FRONT LINE"));
    EXPECT_FALSE(lit.sink.Has("Color"));

    Frame unlit;
    unlit.Pass(material);
    EXPECT_FALSE(unlit.sink.Has("Material FRONT DIFFUSE"));
    EXPECT_TRUE(unlit.sink.Has("PolygonMode FRONT LINE"));
    EXPECT_EQ(unlit.sink.lastColor, (std::vector<GLfloat>{1, 0.5f, 0.25f, 1}));
}

TEST(MaterialPass, NoLightingSwitchesLightingOffForThePassAndCountsIt) {
    Frame frame;
    frame.sink.capabilities[GL_LIGHTING] = true;
    TGLMaterial material;
    material.SetMaterialOptions({TMaterialOption::moNoLighting});
    material.BeginPass(frame.rci);
    EXPECT_FALSE(frame.sink.Enabled(GL_LIGHTING));
    EXPECT_EQ(frame.rci.lightingDisabledCounter, 1);
    // Unlit now: the colour goes through glColor.
    EXPECT_TRUE(frame.sink.Has("Color"));
    EXPECT_FALSE(material.EndPass(frame.rci));
    EXPECT_TRUE(frame.sink.Enabled(GL_LIGHTING));
    EXPECT_EQ(frame.rci.lightingDisabledCounter, 0);
}

TEST(MaterialPass, IgnoreFogSwitchesFogOffForThePassOnlyWhenItWasOn) {
    Frame fogged;
    fogged.sink.capabilities[GL_FOG] = true;
    TGLMaterial material;
    material.SetMaterialOptions({TMaterialOption::moIgnoreFog});
    material.BeginPass(fogged.rci);
    EXPECT_FALSE(fogged.sink.Enabled(GL_FOG));
    EXPECT_EQ(fogged.rci.fogDisabledCounter, 1);
    material.EndPass(fogged.rci);
    EXPECT_TRUE(fogged.sink.Enabled(GL_FOG));

    Frame clear;
    clear.Pass(material);
    EXPECT_FALSE(clear.sink.Has("Enable FOG"));
    EXPECT_EQ(clear.rci.fogDisabledCounter, 0);
}

// A material inside an object whose own material switched lighting off (the counter stands at 1)
// must not switch it back on when its pass ends: it did not switch it off.
TEST(MaterialPass, RegressionInnerMaterialDoesNotRelightWhatItDidNotDarken) {
    Frame frame;
    frame.sink.capabilities[GL_LIGHTING] = true;
    TGLMaterial outer;
    outer.SetMaterialOptions({TMaterialOption::moNoLighting});
    TGLMaterial inner;
    inner.SetMaterialOptions({TMaterialOption::moNoLighting});
    TGLMaterial plain;

    outer.BeginPass(frame.rci);
    frame.Pass(inner);
    frame.Pass(plain);
    EXPECT_FALSE(frame.sink.Enabled(GL_LIGHTING));
    EXPECT_EQ(frame.rci.lightingDisabledCounter, 1);
    outer.EndPass(frame.rci);
    EXPECT_TRUE(frame.sink.Enabled(GL_LIGHTING));
    EXPECT_EQ(frame.rci.lightingDisabledCounter, 0);
}

TEST(MaterialPass, DisabledTextureSwitchesTexturingOffAndIsNotReleased) {
    Frame frame;
    frame.sink.capabilities[GL_TEXTURE_2D] = true;
    TGLMaterial material;
    material.Texture();  // exists, disabled by default
    material.BeginPass(frame.rci);
    EXPECT_FALSE(frame.sink.Enabled(GL_TEXTURE_2D));
    frame.sink.calls.clear();
    material.EndPass(frame.rci);
    EXPECT_FALSE(frame.sink.Has("Disable TEXTURE_2D"));
}

TEST(MaterialPass, StateAlreadyInPlaceIsNotSentAgainForTheNextObject) {
    Frame frame;
    frame.sink.capabilities[GL_LIGHTING] = true;
    TGLMaterial first;
    TGLMaterial second;
    frame.Pass(first);
    frame.sink.calls.clear();
    frame.Pass(second);
    EXPECT_TRUE(frame.sink.calls.empty()) << frame.sink.calls.front();
}

TEST(Material, ChangesReachTheOwnerOnlyWhenSomethingChanged) {
    TGLMaterial material;
    int changes = 0;
    material.OnChange = [&] { ++changes; };
    material.SetBlendingMode(TBlendingMode::bmAdditive);
    material.SetBlendingMode(TBlendingMode::bmAdditive);
    material.FrontProperties().Diffuse().SetRed(0.1f);
    material.BackProperties().SetShininess(300);
    material.Texture().SetDisabled(false);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(material.BackProperties().Shininess(), 128);
}

TEST(Material, AssignCopiesSettingsAndTextureButNotTheOwner) {
    TGLMaterial source;
    source.SetBlendingMode(TBlendingMode::bmModulate);
    source.SetFaceCulling(TFaceCulling::fcNoCull);
    source.FrontProperties().Emission().SetColor({0.5f, 0, 0, 1});
    source.Texture().SetTextureMode(engine::TGLTextureMode::tmModulate);
    int sourceChanges = 0;
    source.OnChange = [&] { ++sourceChanges; };

    TGLMaterial copy;
    copy.BackProperties();
    copy.Assign(source);
    EXPECT_EQ(copy.BlendingMode(), TBlendingMode::bmModulate);
    EXPECT_EQ(copy.FaceCulling(), TFaceCulling::fcNoCull);
    EXPECT_EQ(copy.FrontProperties().Emission().Red(), 0.5f);
    EXPECT_FALSE(copy.HasBackProperties());
    ASSERT_TRUE(copy.HasTexture());
    EXPECT_EQ(copy.Texture().TextureMode(), engine::TGLTextureMode::tmModulate);

    copy.SetBlendingMode(TBlendingMode::bmOpaque);
    EXPECT_EQ(source.BlendingMode(), TBlendingMode::bmModulate);
    EXPECT_EQ(sourceChanges, 0);
}

}  // namespace
