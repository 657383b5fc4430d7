#include "engine/platform/keyboard_state.h"
#include "game/cursor_slots.h"
#include "game/data_module.h"
#include "game/game_math.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

namespace game {

using namespace engine;

std::string FpsText(float measuredFps) {
    const double whole = std::trunc(measuredFps);
    return whole >= 0 && whole < 1e9 ? std::to_string(static_cast<long long>(whole)) : "0";
}

void TDataModule2::AsyncTimer1Timer(TComponent*) {
    TGLRenderBuffer& buffer = Scene.GLFullScreenViewer1.Buffer();
    Scene.fpscounter->SetText(FpsText(buffer.MeasuredFps()));
    buffer.ResetFpsCounter();
}

void TDataModule2::AsyncTimer2Timer(TComponent*) {
    const float speed = CameraSpeed();
    TVec4& velocity = State.MoveVelocity;
    // In this order: of two opposite keys held together the later one wins.
    if (KeyHeld('W')) {
        velocity.Z = -speed;
    }
    if (KeyHeld('S')) {
        velocity.Z = speed;
    }
    if (KeyHeld('A')) {
        velocity.X = speed;
    }
    if (KeyHeld('D')) {
        velocity.X = -speed;
    }
    if (KeyHeld('R')) {
        velocity.Y = speed;
    }
    if (KeyHeld('F')) {
        velocity.Y = -speed;
    }
    if (!State.RightDown) {
        ChooseCursor(speed);
    }
    TVec4& spin = State.SpinVelocity;
    if (std::abs(spin.X) >= rules::SpinThreshold || std::abs(spin.Y) >= rules::SpinThreshold) {
        spin = Lerp(spin, ZeroVector, rules::SpinDecay);
    }
    State.CameraPos = Scene.GLCamera1->GetWorldPosition();
    const TGLFullScreenViewer& viewer = Scene.GLFullScreenViewer1;
    const TVec3 v = viewer.Buffer().ScreenToWorldVector(static_cast<float>(State.MouseX),
                                                        static_cast<float>(viewer.Height() - State.MouseY), 0);
    State.MouseRay = Normalize(TVec4{v.X, v.Y, v.Z, 0});
    // A ring whose hiding was asked for moves far off the terrain once nobody is placing or holding
    // the left button; Z = 1 marks it as hidden.
    for (const char* ringName : kRingMaterials) {
        TGLLibMaterial& ring = *Scene.GLMaterialLibrary3.FindMaterial(ringName);
        if (ring.TextureOffset().Z() == 0 && !State.Placing && !State.LeftDown) {
            ring.TextureOffset().SetAll(TVec4{rules::RingHiddenOffset, rules::RingHiddenOffset, 1, 0});
        }
    }
}

// Slow while Shift or the middle button is held.
float TDataModule2::CameraSpeed() const {
    return VirtualKeyHeld(vkShift) || State.MiddleDown ? rules::CameraSlowSpeed : rules::CameraSpeed;
}

// Edge scrolling, while the pointer is over the game, and the cursor that tells the player what a
// click would do.
void TDataModule2::ChooseCursor(float speed) {
    int cursor = State.PointerInside ? ScrollAtEdges(speed) : cursors::Default;
    if (State.Placing) {
        cursor = State.PlaceValid ? cursors::Place : cursors::Refusing;
    }
    if (State.RepairMode) {
        cursor = cursors::Repair;
    }
    if (Scene.gui_bar->Tag() != -1) {
        cursor = ButtonRefused(Scene.gui_bar->Tag()) ? cursors::Refusing : cursors::Choose;
    }
    Scene.GLFullScreenViewer1.SetCursor(static_cast<std::int16_t>(cursor));
}

// Scrolls towards the screen's edges and corners the pointer is at; answers the cursor that shows it.
int TDataModule2::ScrollAtEdges(float speed) {
    const TGLFullScreenViewer& viewer = Scene.GLFullScreenViewer1;
    TVec4& velocity = State.MoveVelocity;
    const float edgeSpeed = rules::EdgeSpeedFactor * speed;
    int cursor = cursors::Default;
    if (State.MouseY < rules::EdgeBand) {
        velocity.Z = -edgeSpeed;
        cursor = cursors::Up;
    }
    if (State.MouseY > viewer.Height() - rules::EdgeBandFar) {
        velocity.Z = edgeSpeed;
        cursor = cursors::Down;
    }
    if (State.MouseX < rules::EdgeBand) {
        velocity.X = edgeSpeed;
        cursor = cursor == cursors::Up ? cursors::LeftUp : cursor == cursors::Down ? cursors::LeftDown : cursors::Left;
    }
    if (State.MouseX > viewer.Width() - rules::EdgeBandFar) {
        velocity.X = -edgeSpeed;
        cursor = cursor == cursors::Up     ? cursors::RightUp
                 : cursor == cursors::Down ? cursors::RightDown
                                           : cursors::Right;
    }
    return cursor;
}

// The number written in a button's price text after its colon; a text without one prices the
// button out of reach.
int TDataModule2::ButtonPrice(int button) const {
    const TGLBaseSceneObject* sprite = Scene.gui_bar->ChildAt(button);
    const auto* price = sprite ? dynamic_cast<const TGLHUDText*>(sprite->ChildAt(0)) : nullptr;
    if (!price || price->Text().size() < 2) {
        return INT_MAX;
    }
    const std::string& text = price->Text();
    int value = 0;
    const auto [end, error] = std::from_chars(text.data() + 1, text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() ? value : INT_MAX;
}

void TDataModule2::GLFullScreenViewer1MouseWheel(TComponent*, TShiftState, int wheelDelta, ScreenPoint, bool&) {
    const float speed = CameraSpeed();
    const float rate = std::abs(static_cast<float>(wheelDelta) / rules::WheelDivisor * speed);
    State.MoveVelocity.Y = wheelDelta > 0 ? rate : wheelDelta < 0 ? -rate : 0;
}

}  // namespace game
