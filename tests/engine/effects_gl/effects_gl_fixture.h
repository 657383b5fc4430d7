#pragma once

#include "tests/support/scene_frame_test.h"

#include <algorithm>
#include <cmath>

namespace engine::test {

using namespace ::tests;

inline Rgb ToRgb(const TVec4& color) {
    const auto byte = [](float c) { return static_cast<int>(std::lround(std::clamp(c, 0.0f, 1.0f) * 255.0f)); };
    return {byte(color.X), byte(color.Y), byte(color.Z)};
}

// The scene frame, cleared to magenta, a colour nothing here draws.
class EffectsGL : public SceneFrameTest {
protected:
    EffectsGL() { clearColour = TVec4{1, 0, 1, 1}; }
};

}  // namespace engine::test
