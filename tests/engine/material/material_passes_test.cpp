#include "engine/material/material_passes.h"

#include "engine/material/material_library.h"
#include "engine/render/render_context_info.h"
#include "tests/engine/material/logging_shader.h"
#include "tests/engine/render/recording_sink.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

// A library material that asks for three passes, drawn either directly or through a material
// linked to it; the shader that replaces its settings logs each begin and end among the draws.
struct ThreePasses {
    tests::RecordingSink sink;
    engine::TGLStateCache cache{sink};
    engine::TRenderContextInfo rci;
    engine::TGLMaterialLibrary library;
    engine::TGLLibMaterial& target = library.Materials().Add("target");
    engine::TGLMaterial linked;
    tests::LoggingShader shader{sink};

    ThreePasses() {
        rci.GLStates = &cache;
        shader.SetShaderStyle(engine::TGLShaderStyle::ShaderReplaces);
        shader.extraPasses = 2;
        target.SetShader(&shader);
        linked.SetMaterialLibrary(&library);
        linked.SetLibMaterialName("target");
    }

    // Draws through the linked material or the library material; the draw numbered throwingDraw
    // (from 1; 0 for none) throws.
    void Draw(bool throughLink, int throwingDraw) {
        int draws = 0;
        const auto draw = [&] {
            sink.calls.push_back("draw");
            if (++draws == throwingDraw) {
                throw std::runtime_error("draw failed");
            }
        };
        if (throughLink) {
            engine::DrawPasses(linked, rci, draw);
        } else {
            engine::DrawPasses(target, rci, draw);
        }
    }
};

TEST(DrawPasses, EndsEveryPassItBeginsAlsoWhenTheDrawThrows) {
    const Calls all = {"shader begin", "draw", "shader end", "draw", "shader end", "draw", "shader end"};
    const Calls brokenOffFirst = {"shader begin", "draw", "shader end", "shader end", "shader end"};
    const Calls brokenOffSecond = {"shader begin", "draw", "shader end", "draw", "shader end", "shader end"};
    struct Case {
        int throwingDraw;
        const Calls& expected;
    };
    for (const bool throughLink : {false, true}) {
        for (const Case& c : {Case{0, all}, Case{1, brokenOffFirst}, Case{2, brokenOffSecond}}) {
            SCOPED_TRACE(testing::Message() << "linked " << throughLink << ", throwing draw " << c.throwingDraw);
            ThreePasses passes;
            if (c.throwingDraw == 0) {
                passes.Draw(throughLink, 0);
            } else {
                EXPECT_THROW(passes.Draw(throughLink, c.throwingDraw), std::runtime_error);
            }
            EXPECT_EQ(passes.sink.calls, c.expected);
            EXPECT_FALSE(passes.shader.InUse());
            EXPECT_FALSE(passes.target.IsApplied());
            EXPECT_EQ(passes.rci.currentLibMaterial, nullptr);
            // Balanced: the next draw begins afresh instead of finding the shader still applied.
            passes.sink.calls.clear();
            passes.Draw(throughLink, 0);
            EXPECT_EQ(passes.sink.calls, all);
        }
    }
}

}  // namespace
