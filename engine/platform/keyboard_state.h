#pragma once

#include "engine/platform/virtual_keys.h"

namespace engine {

// Whether a key is down at this moment, asked between events (the camera keys are sampled, not
// typed). Keys held by a replayed script count as held too.

// Whether the key that types letter or digit c on the current layout is down; false for any other
// character.
bool KeyHeld(char c);
// Whether the key is down.
bool VirtualKeyHeld(TVirtualKey key);

// Keys a script holds down: SDL's keyboard state follows only the real keyboard, so the script's
// presses are kept here, where both questions above see them.
void SetScriptedKey(TVirtualKey key, bool down);
void ReleaseScriptedKeys();

}  // namespace engine
