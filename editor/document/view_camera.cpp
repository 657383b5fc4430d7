#include "editor/document/view_camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace editor {

using namespace camera_limits;

void TViewCamera::KeyDown(TPanKey key) {
    switch (key) {
    case TPanKey::Left: PanX += kPanStep; break;
    case TPanKey::Right: PanX -= kPanStep; break;
    case TPanKey::Up: PanY -= kPanStep; break;
    case TPanKey::Down: PanY += kPanStep; break;
    }
}

void TViewCamera::WheelDown() {
    Zoom = std::max(Zoom - kZoomStep, kZoomFarthest);
}

void TViewCamera::WheelUp() {
    Zoom = std::min(Zoom + kZoomStep, kZoomNearest);
}

void TViewCamera::MouseDown(TMouseButton button) {
    if (button == TMouseButton::Middle) {
        Rotating = true;
    }
}

void TViewCamera::MouseUp() {
    Rotating = false;
}

void TViewCamera::MouseMove(std::int32_t x, std::int32_t y) {
    if (Rotating) {
        if (y > LastMouseY) {
            Tilt += kRotateStep;
        } else if (y < LastMouseY) {
            Tilt -= kRotateStep;
        }
        if (x > LastMouseX) {
            Spin -= kRotateStep;
        } else if (x < LastMouseX) {
            Spin += kRotateStep;
        }
        Spin = std::clamp(Spin, -kSpinLimit, kSpinLimit);
        Tilt = std::clamp(Tilt, kTiltMin, kTiltMax);
    }
    LastMouseX = x;
    LastMouseY = y;
}

void TViewCamera::ResetView() {
    Spin = 0;
    Tilt = 0;
    Zoom = kZoomStart;
    PanX = 0;
    PanY = 0;
}

void TViewCamera::FitMap(int sizeX, int sizeY, double aspect) {
    PanX = -0.5f * static_cast<float>(sizeX);
    PanY = -0.5f * static_cast<float>(sizeY);
    const double halfHeight = std::tan(kFieldOfView / 2 * std::numbers::pi / 180);
    const double safeAspect = aspect > 0 ? aspect : 1;
    const double distance = kFitMargin * std::max(0.5 * sizeY / halfHeight, 0.5 * sizeX / (halfHeight * safeAspect));
    Zoom = std::clamp(static_cast<float>(-distance), kZoomFarthest, kZoomNearest);
}

}  // namespace editor
