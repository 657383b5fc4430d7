#include "engine/scene/camera.h"

#include "engine/core/set_and_notify.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

constexpr float MillimetresPerInch = 25.4f;

// glFrustum with the far plane at infinity.
void MultInfiniteFrustum(const TGLProjectionWindow& w) {
    const float n = w.nearDistance;
    GLfloat m[16] = {};
    m[0] = 2 * n / (w.right - w.left);
    m[5] = 2 * n / (w.top - w.bottom);
    m[8] = (w.right + w.left) / (w.right - w.left);
    m[9] = (w.top + w.bottom) / (w.top - w.bottom);
    m[10] = -1;
    m[11] = -1;
    m[14] = -2 * n;
    glMultMatrixf(m);
}

}  // namespace

TGLCamera::TGLCamera() : m_targetObject([this] { SignalChange(); }) {
    SetDirection(TVec4{0, 0, -1, 0});
}

void TGLCamera::SetFocalLength(float value) {
    SetAndNotify(m_focalLength, value <= 0 ? 1.0f : value, [this] { SignalChange(); });
}

void TGLCamera::SetDepthOfView(float value) {
    SetAndNotify(m_depthOfView, value, [this] { SignalChange(); });
}

void TGLCamera::SetNearPlaneBias(float value) {
    SetAndNotify(m_nearPlaneBias, value <= 0 ? 1.0f : value, [this] { SignalChange(); });
}

void TGLCamera::SetSceneScale(float value) {
    SetAndNotify(m_sceneScale, value == 0 ? 1.0f : value, [this] { SignalChange(); });
}

void TGLCamera::SetCameraStyle(TGLCameraStyle style) {
    SetAndNotify(m_cameraStyle, style, [this] { SignalChange(); });
}

void TGLCamera::SetTargetObject(TGLBaseSceneObject* target) {
    if (m_targetObject.Get() != target) {
        m_targetObject.Set(target);
        SignalChange();
    }
}

TGLProjectionWindow TGLCamera::ProjectionWindow(const TGLViewport& viewport, int width, int height, int dpi) const {
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float m = static_cast<float>(std::max(width, height));
    float factorX = m_nearPlaneBias / (w * m_sceneScale);
    float factorY = m_nearPlaneBias / (h * m_sceneScale);
    if (m_cameraStyle == csOrthogonal) {
        factorX *= 100.0f / m_focalLength;
        factorY *= 100.0f / m_focalLength;
    }
    TGLProjectionWindow window;
    window.right = w * (2.0f * viewport.width + 2.0f * viewport.left - w) * factorX / (2 * m);
    window.left = -w * (w - 2.0f * viewport.left) * factorX / (2 * m);
    window.top = h * (2.0f * viewport.height + 2.0f * viewport.top - h) * factorY / (2 * m);
    window.bottom = -h * (h - 2.0f * viewport.top) * factorY / (2 * m);
    window.nearDistance = m_focalLength * 2.0f * static_cast<float>(dpi) / (m * MillimetresPerInch) * m_nearPlaneBias;
    window.farDistance = window.nearDistance + m_depthOfView;
    window.viewRadiusFactor = std::sqrt(window.top * window.top + window.right * window.right) / window.nearDistance;
    return window;
}

void TGLCamera::ApplyProjection(const TGLViewport& viewport, int width, int height, int dpi) {
    if (width < 1 || height < 1) {
        return;
    }
    switch (m_cameraStyle) {
        case csOrtho2D:
            gluOrtho2D(0, width, 0, height);
            m_nearDistance = -1;
            return;
        case csCustom:
            if (OnCustomPerspective) {
                OnCustomPerspective(*this, viewport, width, height, dpi);
            }
            return;
        default:
            break;
    }
    const TGLProjectionWindow w = ProjectionWindow(viewport, width, height, dpi);
    if (m_cameraStyle == csOrthogonal) {
        glOrtho(w.left, w.right, w.bottom, w.top, w.nearDistance, w.farDistance);
    } else if (m_cameraStyle == csInfinitePerspective) {
        MultInfiniteFrustum(w);
    } else {
        glFrustum(w.left, w.right, w.bottom, w.top, w.nearDistance, w.farDistance);
    }
    m_nearDistance = w.nearDistance;
    m_viewRadiusFactor = w.viewRadiusFactor;
}

void TGLCamera::ApplyView() {
    const TVec4 eye = GetWorldPosition();
    TVec4 center;
    TVec4 up;
    TGLBaseSceneObject* target = m_targetObject.Get();
    // A target at the eye gives no direction to look in: the camera's own is used then.
    if (target && !IsNull(target->GetWorldPosition() - eye)) {
        center = target->GetWorldPosition();
        up = Up().AsVector();
        m_lastViewDirection = Normalize(center - eye);
    } else {
        const bool underRoot = !Parent() || Parent()->IsSceneRoot();
        const TMat4 parentWorld = underRoot ? IdentityMatrix : Parent()->WorldTransform();
        const TVec4 d = TransformDirection(Direction().AsVector(), parentWorld);
        up = TransformDirection(Up().AsVector(), parentWorld);
        center = eye + d;
        m_lastViewDirection = Normalize(d);
    }
    gluLookAt(eye.X, eye.Y, eye.Z, center.X, center.Y, center.Z, up.X, up.Y, up.Z);
    ClearStructureChanged();
}

bool TGLCamera::IntersectRay(const TVec4&, const TVec4&, TVec4*, TVec4*) const {
    return false;
}

std::unique_ptr<TGLBaseSceneObject> TGLCamera::NewInstance() const {
    return std::make_unique<TGLCamera>();
}

void TGLCamera::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* camera = dynamic_cast<const TGLCamera*>(&source)) {
        m_focalLength = camera->m_focalLength;
        m_depthOfView = camera->m_depthOfView;
        m_nearPlaneBias = camera->m_nearPlaneBias;
        m_sceneScale = camera->m_sceneScale;
        m_cameraStyle = camera->m_cameraStyle;
        m_targetObject.Set(camera->m_targetObject.Get());
        OnCustomPerspective = camera->OnCustomPerspective;
    }
    TGLBaseSceneObject::DoCopyFrom(source);
}

}  // namespace engine
