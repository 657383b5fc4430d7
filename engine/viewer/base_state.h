#pragma once

#include "engine/core/vector_math.h"
#include "engine/render/gl_state_cache.h"

#include <GL/gl.h>

#include <cstdint>

namespace engine {

enum TShadeModel : std::uint8_t { smDefault, smSmooth, smFlat };

// The OpenGL state every frame starts from, as the render buffer's settings decide it.
struct TGLBaseState {
    TVec4 ambient{0.2f, 0.2f, 0.2f, 1.0f};  // light-model ambient
    bool twoSideLighting = false;
    bool depthTest = true;
    bool faceCulling = true;
    bool lighting = true;
    bool fog = false;
    // Only a colour buffer with fewer than 8 blue bits gains from dithering.
    bool dither = false;
    GLenum shadeModel = GL_SMOOTH;
};

// The switches of the base state: every enable and disable (normalising always on) and the depth
// function GL_LESS, all through the cache so that it and OpenGL agree.
void ApplyBaseStateSwitches(const TGLBaseState& state, TGLStateCache& states);
// The switches, then the light model, the perspective hint and the shade model.
void ApplyBaseState(const TGLBaseState& state, TGLStateCache& states);

}  // namespace engine
