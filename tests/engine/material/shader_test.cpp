#include "engine/material/multi_material_shader.h"

#include "engine/material/material_errors.h"
#include "engine/material/material_library.h"
#include "engine/material/material_passes.h"
#include "engine/render/render_context_info.h"
#include "tests/engine/material/logging_shader.h"
#include "tests/engine/render/recording_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using engine::TBlendingMode;
using engine::TGLLibMaterial;
using engine::TGLMaterial;
using engine::TGLMaterialLibrary;
using engine::TGLShaderStyle;
using tests::LoggingShader;

struct Frame {
    tests::RecordingSink sink;
    engine::TGLStateCache cache{sink};
    engine::TRenderContextInfo rci;
    Frame() {
        rci.GLStates = &cache;
        sink.capabilities[GL_LIGHTING] = true;
    }

    // The object draw loop: begin, draw, and draw again while the end asks for it.
    int Draw(TGLMaterial& material) {
        int draws = 0;
        engine::DrawPasses(material, rci, [&] {
            ++draws;
            sink.calls.push_back("draw");
        });
        return draws;
    }
};

struct Linked {
    TGLMaterialLibrary library;
    TGLLibMaterial& target = library.Materials().Add("target");
    TGLMaterial material;
    Linked() {
        material.SetMaterialLibrary(&library);
        material.SetLibMaterialName("target");
        target.Material().SetBlendingMode(TBlendingMode::bmAdditive);
    }
};

std::vector<std::string> Without(const std::vector<std::string>& calls, const std::string& prefix) {
    std::vector<std::string> kept;
    for (const std::string& call : calls) {
        if (call.rfind(prefix, 0) != 0) {
            kept.push_back(call);
        }
    }
    return kept;
}

TEST(ShaderStyle, FirstRunsBeforeTheMaterialAndEndsAfterIt) {
    Frame frame;
    Linked linked;
    LoggingShader shader(frame.sink);
    shader.SetShaderStyle(TGLShaderStyle::ShaderFirst);
    linked.target.SetShader(&shader);
    EXPECT_EQ(frame.Draw(linked.material), 1);
    const auto& calls = frame.sink.calls;
    EXPECT_EQ(calls.front(), "shader begin");
    EXPECT_TRUE(frame.sink.Has("BlendFunc SRC_ALPHA ONE"));
    EXPECT_EQ(calls.back(), "shader end");
}

TEST(ShaderStyle, LastRunsAfterTheMaterialAndEndsBeforeIt) {
    Frame frame;
    Linked linked;
    LoggingShader shader(frame.sink);
    linked.target.SetShader(&shader);
    linked.target.Material().SetBlendingMode(TBlendingMode::bmAlphaTest50);
    EXPECT_EQ(frame.Draw(linked.material), 1);
    const auto at = [&](const std::string& call) {
        const auto& calls = frame.sink.calls;
        return std::find(calls.begin(), calls.end(), call) - calls.begin();
    };
    EXPECT_LT(at("AlphaFunc GEQUAL 0.5"), at("shader begin"));
    EXPECT_LT(at("shader begin"), at("draw"));
    EXPECT_LT(at("shader end"), at("AlphaFunc GREATER 0.0"));
    EXPECT_LT(at("AlphaFunc GREATER 0.0"), static_cast<long>(frame.sink.calls.size()));
}

TEST(ShaderStyle, ReplacesNeverAppliesTheLibraryMaterialsOwnSettings) {
    Frame frame;
    Linked linked;
    LoggingShader shader(frame.sink);
    shader.SetShaderStyle(TGLShaderStyle::ShaderReplaces);
    shader.extraPasses = 2;
    linked.target.SetShader(&shader);
    EXPECT_EQ(frame.Draw(linked.material), 3);
    EXPECT_EQ(frame.sink.calls, (std::vector<std::string>{"shader begin", "draw", "shader end", "draw",
                                                          "shader end", "draw", "shader end"}));
}

TEST(ShaderStyle, DisabledShaderLeavesTheMaterialToItself) {
    Frame frame;
    Linked linked;
    LoggingShader shader(frame.sink);
    shader.SetShaderStyle(TGLShaderStyle::ShaderReplaces);
    shader.SetEnabled(false);
    linked.target.SetShader(&shader);
    EXPECT_EQ(frame.Draw(linked.material), 1);
    EXPECT_FALSE(frame.sink.Has("shader begin"));
    EXPECT_TRUE(frame.sink.Has("BlendFunc SRC_ALPHA ONE"));
}

// A shader switched off between its begin and its end still ends, and the library material
// still undoes what it set up: nothing is left applied.
TEST(ShaderStyle, RegressionShaderDisabledInTheMiddleOfAPassStillEnds) {
    Frame frame;
    Linked linked;
    LoggingShader shader(frame.sink);
    shader.SetShaderStyle(TGLShaderStyle::ShaderLast);
    linked.target.SetShader(&shader);
    linked.target.Material().SetMaterialOptions({engine::TMaterialOption::moNoLighting});
    linked.material.BeginPass(frame.rci);
    shader.SetEnabled(false);
    EXPECT_FALSE(linked.material.EndPass(frame.rci));
    EXPECT_TRUE(frame.sink.Has("shader end"));
    EXPECT_FALSE(shader.InUse());
    EXPECT_FALSE(linked.target.IsApplied());
    EXPECT_TRUE(frame.sink.Enabled(GL_LIGHTING));
    EXPECT_EQ(frame.rci.lightingDisabledCounter, 0);
}

// A disabled ShaderReplaces shader leaves the library material to apply itself; its end must then
// undo that material too, not hand back the idle shader's answer and leave lighting off.
TEST(ShaderStyle, RegressionDisabledReplacingShaderStillUndoesTheOwnMaterial) {
    Frame frame;
    Linked linked;
    LoggingShader shader(frame.sink);
    shader.SetShaderStyle(TGLShaderStyle::ShaderReplaces);
    shader.SetEnabled(false);
    linked.target.SetShader(&shader);
    linked.target.Material().SetMaterialOptions({engine::TMaterialOption::moNoLighting});
    EXPECT_EQ(frame.Draw(linked.material), 1);
    EXPECT_TRUE(frame.sink.Enabled(GL_LIGHTING));
    EXPECT_EQ(frame.rci.lightingDisabledCounter, 0);
    EXPECT_FALSE(linked.target.IsApplied());
}

TEST(ShaderStyle, BeginningTwiceIsUnbalanced) {
    Frame frame;
    Linked linked;
    LoggingShader shader(frame.sink);
    linked.target.SetShader(&shader);
    TGLMaterial second;
    second.SetMaterialLibrary(&linked.library);
    second.SetLibMaterialName("target");
    linked.material.BeginPass(frame.rci);
    try {
        second.BeginPass(frame.rci);
        FAIL() << "no error";
    } catch (const engine::EGLShaderException& e) {
        EXPECT_STREQ(e.what(), "Unbalanced shader application.");
    }
    EXPECT_FALSE(linked.material.EndPass(frame.rci));
    EXPECT_FALSE(shader.InUse());
}

TEST(ShaderStyle, AShaderThatGoesClearsTheLink) {
    Frame frame;
    Linked linked;
    auto shader = std::make_unique<LoggingShader>(frame.sink);
    linked.target.SetShader(shader.get());
    EXPECT_EQ(shader->Users().size(), 1u);
    shader.reset();
    EXPECT_EQ(linked.target.Shader(), nullptr);
    EXPECT_EQ(frame.Draw(linked.material), 1);
}

struct Terrain {
    TGLMaterialLibrary passes;  // the shader's library
    TGLMaterialLibrary library;
    TGLLibMaterial& terrain = library.Materials().Add("terrain");
    engine::TGLMultiMaterialShader shader;
    TGLMaterial material;
    Terrain() {
        terrain.SetShader(&shader);
        terrain.Material().FrontProperties().Diffuse().SetColor({1, 0, 0, 1});
        material.SetMaterialLibrary(&library);
        material.SetLibMaterialName("terrain");
    }
};

TEST(MultiMaterialShader, DrawsOncePerMaterialInOrderWithEqualDepthsPassing) {
    Frame frame;
    Terrain t;
    t.shader.SetMaterialLibrary(&t.passes);
    t.passes.Materials().Add("base");
    t.passes.Materials().Add("detail").Material().SetBlendingMode(TBlendingMode::bmModulate);
    t.passes.Materials().Add("mark").Material().SetBlendingMode(TBlendingMode::bmAdditive);
    EXPECT_EQ(frame.Draw(t.material), 3);

    const std::vector<std::string> expected = {
        "PushAttrib",
        "Enable DEPTH_TEST",
        "DepthFunc LEQUAL",
        "Disable BLEND",
        "Disable ALPHA_TEST",
        "draw",
        "Enable BLEND",
        "Enable ALPHA_TEST",
        "BlendFunc DST_COLOR ZERO",
        "draw",
        "BlendFunc SRC_ALPHA ONE",
        "draw",
        "DepthFunc LESS",
        "PopAttrib",
    };
    // Material colours, polygon modes and culling are the same in every pass and sent once.
    auto calls = Without(Without(Without(frame.sink.calls, "Material"), "PolygonMode"), "Enable CULL_FACE");
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(t.shader.InUse());
    EXPECT_EQ(frame.rci.currentLibMaterial, nullptr);
}

TEST(MultiMaterialShader, EmptyLibraryDrawsOnceWithNoMaterial) {
    Frame frame;
    Terrain t;
    t.shader.SetMaterialLibrary(&t.passes);
    EXPECT_EQ(frame.Draw(t.material), 1);
    EXPECT_EQ(frame.sink.calls, (std::vector<std::string>{"PushAttrib", "Enable DEPTH_TEST", "DepthFunc LEQUAL",
                                                          "draw", "DepthFunc LESS", "PopAttrib"}));
}

TEST(MultiMaterialShader, WithoutALibraryDrawsOnceAndTouchesNothing) {
    Frame frame;
    Terrain t;
    EXPECT_EQ(frame.Draw(t.material), 1);
    EXPECT_EQ(frame.sink.calls, (std::vector<std::string>{"draw"}));
}

TEST(MultiMaterialShader, LibraryGoneBetweenPassesStillRestoresTheAttributes) {
    Frame frame;
    Terrain t;
    auto passes = std::make_unique<TGLMaterialLibrary>();
    passes->Materials().Add("a");
    passes->Materials().Add("b");
    t.shader.SetMaterialLibrary(passes.get());
    t.material.BeginPass(frame.rci);
    EXPECT_TRUE(t.material.EndPass(frame.rci));
    passes.reset();
    EXPECT_FALSE(t.material.EndPass(frame.rci));
    EXPECT_EQ(frame.sink.calls.back(), "PopAttrib");
    EXPECT_TRUE(frame.sink.pushedCapabilities.empty());
}

TEST(MultiMaterialShader, AShaderInItsOwnLibraryIsUnbalancedAndCleansUp) {
    Frame frame;
    Terrain t;
    t.shader.SetMaterialLibrary(&t.library);  // its own material uses it again
    EXPECT_THROW(t.material.BeginPass(frame.rci), engine::EGLShaderException);
    EXPECT_FALSE(t.shader.InUse());
    EXPECT_TRUE(frame.sink.pushedCapabilities.empty());
}

}  // namespace
