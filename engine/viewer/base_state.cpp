#include "engine/viewer/base_state.h"

namespace engine {

void ApplyBaseStateSwitches(const TGLBaseState& state, TGLStateCache& states) {
    states.Enable(TGLState::stNormalize);
    states.SetEnabled(TGLState::stDepthTest, state.depthTest);
    states.SetEnabled(TGLState::stCullFace, state.faceCulling);
    states.SetEnabled(TGLState::stLighting, state.lighting);
    states.SetEnabled(TGLState::stFog, state.fog);
    states.SetEnabled(TGLState::stDither, state.dither);
    states.SetDepthFunc(GL_LESS);
}

void ApplyBaseState(const TGLBaseState& state, TGLStateCache& states) {
    ApplyBaseStateSwitches(state, states);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, &state.ambient.X);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, state.twoSideLighting ? GL_TRUE : GL_FALSE);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glShadeModel(state.shadeModel);
}

}  // namespace engine
