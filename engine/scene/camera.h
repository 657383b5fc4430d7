#pragma once

#include "engine/core/component.h"
#include "engine/scene/scene_object.h"

#include <functional>

namespace engine {

enum TGLCameraStyle { csPerspective, csOrthogonal, csOrtho2D, csCustom, csInfinitePerspective };

// A rectangle of the buffer in pixels.
struct TGLViewport {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The frustum window a perspective or orthogonal lens gives for a viewport.
struct TGLProjectionWindow {
    float left = 0;
    float right = 0;
    float bottom = 0;
    float top = 0;
    float nearDistance = 0;
    float farDistance = 0;
    float viewRadiusFactor = 0;
};

class TGLCamera;
using TGLCustomPerspectiveEvent =
    std::function<void(TGLCamera& sender, const TGLViewport& viewport, int width, int height, int dpi)>;

// The viewpoint: its place in the tree gives the view, its lens the projection of every frame.
class TGLCamera : public TGLBaseSceneObject {
public:
    TGLCamera();

    // Millimetres; a value <= 0 is stored as 1.
    float FocalLength() const { return m_focalLength; }
    void SetFocalLength(float value);
    // Distance from the near plane to the far plane.
    float DepthOfView() const { return m_depthOfView; }
    void SetDepthOfView(float value);
    // Multiplies the near distance; <= 0 is stored as 1.
    float NearPlaneBias() const { return m_nearPlaneBias; }
    void SetNearPlaneBias(float value);
    // Divides the frustum window; 0 is stored as 1.
    float SceneScale() const { return m_sceneScale; }
    void SetSceneScale(float value);
    TGLCameraStyle CameraStyle() const { return m_cameraStyle; }
    void SetCameraStyle(TGLCameraStyle style);
    // When set, the camera looks at this object; cleared when the object dies.
    TGLBaseSceneObject* TargetObject() const { return m_targetObject.Get(); }
    void SetTargetObject(TGLBaseSceneObject* target);
    // Loads the projection of csCustom.
    TGLCustomPerspectiveEvent OnCustomPerspective;

    // The window the lens gives (perspective and orthogonal styles), without touching OpenGL.
    TGLProjectionWindow ProjectionWindow(const TGLViewport& viewport, int width, int height, int dpi) const;
    // Multiplies the current (projection) matrix by the lens's projection; nothing when width or
    // height is below one pixel.
    void ApplyProjection(const TGLViewport& viewport, int width, int height, int dpi);
    // Multiplies the current modelview matrix by the viewing transform.
    void ApplyView();

    // Of the last projection: the near clipping distance (-1 for csOrtho2D) and the half-diagonal
    // of the near window divided by it.
    float NearDistance() const { return m_nearDistance; }
    float ViewRadiusFactor() const { return m_viewRadiusFactor; }
    // World direction of the last view, normalised.
    const TVec4& LastViewDirection() const { return m_lastViewDirection; }

    bool IsCamera() const override { return true; }
    bool IntersectRay(const TVec4& rayStart, const TVec4& rayVector, TVec4* intersectPoint,
                      TVec4* intersectNormal) const override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:
    float m_focalLength = 50.0f;
    float m_depthOfView = 100.0f;
    float m_nearPlaneBias = 1.0f;
    float m_sceneScale = 1.0f;
    TGLCameraStyle m_cameraStyle = csPerspective;
    TComponentLink<TGLBaseSceneObject> m_targetObject;
    float m_nearDistance = 0.0f;
    float m_viewRadiusFactor = 0.0f;
    TVec4 m_lastViewDirection{0, 0, -1, 0};
};

}  // namespace engine
