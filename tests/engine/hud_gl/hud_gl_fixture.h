#pragma once

#include "engine/material/material.h"
#include "tests/support/scene_frame_test.h"

namespace engine::test {

using namespace ::tests;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
inline constexpr Rgb kBackground = kBlue;

// The game's 800 x 600 view through the camera's default lens, on a blue background, with faces
// culled as the render buffer does by default.
class HudGL : public SceneFrameTest {
protected:
    HudGL() : SceneFrameTest(kWidth, kHeight) {
        clearColour = TVec4{0, 0, 1, 1};
        faceCulling = true;
    }

    static void Colour(TGLMaterial& material, const TVec4& rgba) {
        material.FrontProperties().Diffuse().SetColor(rgba);
    }
};

}  // namespace engine::test
