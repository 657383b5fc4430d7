#include "game/data_module.h"
#include "game/game_math.h"

#include <cmath>

namespace game {

using namespace engine;

// The camera rig over the base on the side the camera looks from, the camera pitched down onto it:
// the whole base in view, the player's heading kept. The flight and the turn stop there.
void TDataModule2::CameraHome() {
    TGLDummyCube& rig = *Scene.cam;
    // The camera looks along the rig's -Z; its heading is that, flat.
    TVec4 ahead = rig.GetWorldDirection() * -1;
    ahead.Y = 0;
    ahead = IsNull(ahead) ? TVec4{0, 0, -1, 0} : Normalize(ahead);
    const float pitch = DegToRad(rules::HomePitch);
    const TVec4 base = Scene.base->GetWorldPosition();
    const TVec4 eye = base - ahead * (rules::HomeDistance * std::cos(pitch)) +
                      TVec4{0, rules::HomeDistance * std::sin(pitch), 0, 0};
    rig.SetWorldPosition(TVec4{eye.X, eye.Y, eye.Z, 1});
    Scene.GLCamera1->SetDirection(TVec4{0, -std::sin(pitch), -std::cos(pitch), 0});
    Scene.GLCamera1->SetUp(TVec4{0, std::cos(pitch), -std::sin(pitch), 0});
    State.MoveVelocity = ZeroVector;
    State.SpinVelocity = ZeroVector;
}

}  // namespace game
