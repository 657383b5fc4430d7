#pragma once

#include <cstdint>

namespace editor {

namespace camera_limits {
constexpr int kTiltMin = 0;
constexpr int kTiltMax = 85;
constexpr int kSpinLimit = 360;
constexpr int kRotateStep = 2;
constexpr float kZoomStart = -6.0f;
constexpr float kZoomNearest = -1.0f;
constexpr float kZoomFarthest = -30.0f;
constexpr float kZoomStep = 0.15f;
constexpr float kPanStep = 0.2f;
// The view's vertical field of view, and the room Home leaves around the map.
constexpr double kFieldOfView = 45;
constexpr double kFitMargin = 1.05;
}  // namespace camera_limits

enum class TPanKey { Left, Right, Up, Down };
enum class TMouseButton { Left, Right, Middle, Other };

// The view's camera and pointer: what the arrow keys, the wheel and a middle-button drag change,
// and the map cell under the mouse that each frame's picking finds.
struct TViewCamera {
    std::int32_t Tilt = 0;  // degrees about (-1, 0, 0)
    std::int32_t Spin = 0;  // degrees about (0, 0, -1)
    float PanX = 0;
    float PanY = 0;
    float Zoom = camera_limits::kZoomStart;
    bool Rotating = false;
    std::int32_t LastMouseX = 0;
    std::int32_t LastMouseY = 0;
    std::int32_t CursorX = -1;
    std::int32_t CursorY = -1;

    bool HasCursor() const { return CursorX != -1 || CursorY != -1; }

    void KeyDown(TPanKey key);
    void WheelDown();
    void WheelUp();
    void MouseDown(TMouseButton button);
    void MouseUp();
    // A drag turns by a fixed step per move message, however far the mouse went.
    void MouseMove(std::int32_t x, std::int32_t y);
    // "Сбросить вид": the pan goes back to 0, not to the centring pan of a new map.
    void ResetView();
    // Home: the map's centre in the middle and the whole map in the view (seen straight down), as
    // far as the zoom limit allows; tilt and spin stay. Aspect is the view's width / height.
    void FitMap(int sizeX, int sizeY, double aspect);
};

}  // namespace editor
