#pragma once

#include "engine/scene/custom_scene_object.h"

namespace engine {

// What of the camera's transform the object ignores when drawn.
enum TGLCameraInvarianceMode { cimNone, cimPosition, cimOrientation };

class TGLCameraInvariantObject : public TGLImmaterialSceneObject {
public:
    TGLCameraInvarianceMode CamInvarianceMode() const { return m_camInvarianceMode; }
    void SetCamInvarianceMode(TGLCameraInvarianceMode mode);

    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:
    TGLCameraInvarianceMode m_camInvarianceMode = cimNone;
};

}  // namespace engine
