#pragma once

#include "tests/support/scene_frame_test.h"
#include "tests/support/test_quad.h"

namespace engine::test {

using namespace ::tests;

// The scene frame with quads to place in it.
class SceneGL : public SceneFrameTest {
protected:
    TestQuad* AddQuad(TGLBaseSceneObject& parent, const TVec4& position, const TVec4& rgba,
                  TBlendingMode blending = TBlendingMode::bmOpaque, float half = 1.0f) {
        auto* quad = parent.CreateChild<TestQuad>(half);
        quad->SetPosition(position);
        quad->Colored(rgba, blending);
        return quad;
    }
};

}  // namespace engine::test
