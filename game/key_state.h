#pragma once

#include <SDL.h>

namespace game {

// The keys the game asks about by name rather than by character.
enum class TVirtualKey { vkShift };

// Whether the key that types character c on the current keyboard layout is down now; false when
// no key types it.
bool KeyHeld(char c);
// Whether the virtual key is down now.
bool VirtualKeyHeld(TVirtualKey key);

// Keys held by a replayed script: SDL's keyboard state only follows the real keyboard, so the
// script's presses are kept here and both helpers see them.
void SetScriptedKey(SDL_Scancode key, bool down);
void ReleaseScriptedKeys();

}  // namespace game
