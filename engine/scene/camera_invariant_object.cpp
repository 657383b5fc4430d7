#include "engine/scene/camera_invariant_object.h"

#include "engine/core/set_and_notify.h"

namespace engine {

void TGLCameraInvariantObject::SetCamInvarianceMode(TGLCameraInvarianceMode mode) {
    SetAndNotify(m_camInvarianceMode, mode, [this] { SignalChange(); });
}

std::unique_ptr<TGLBaseSceneObject> TGLCameraInvariantObject::NewInstance() const {
    return std::make_unique<TGLCameraInvariantObject>();
}

void TGLCameraInvariantObject::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* invariant = dynamic_cast<const TGLCameraInvariantObject*>(&source)) {
        m_camInvarianceMode = invariant->m_camInvarianceMode;
    }
    TGLImmaterialSceneObject::DoCopyFrom(source);
}

}  // namespace engine
