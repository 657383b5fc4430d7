#include "game/data_module.h"

namespace game {

namespace {
constexpr int kVolumeStep = 10;  // percent
}  // namespace

// M mutes and unmutes; - lowers and = raises the volume (+ too, the same key shifted, and the
// keypad's pair). Whoever listens says the new state on screen.
void TDataModule2::SoundKey(char key) {
    switch (key) {
    case 'm':
    case 'M':
        Sound().ToggleMuted();
        break;
    case '-':
        Sound().ChangeVolume(-kVolumeStep);
        break;
    case '=':
    case '+':
        Sound().ChangeVolume(kVolumeStep);
        break;
    default:
        break;
    }
}

}  // namespace game
