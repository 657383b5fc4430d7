#pragma once

#include "engine/platform/virtual_keys.h"

#include <SDL.h>

#include <vector>

namespace engine {

// The one translation between SDL's key codes and the engine's key values, both ways.

// The engine's key of an SDL key code; vkNone for the keys the engine has no value for.
TVirtualKey VirtualKeyOfSdlKey(SDL_Keycode key);
// The SDL key codes of an engine key: one, or both sides of Shift; none for vkNone.
std::vector<SDL_Keycode> SdlKeysOf(TVirtualKey key);
// The physical key that makes an SDL key code on the current layout. Before the video system is up
// SDL knows no layout, and the default US one is taken.
SDL_Scancode ScancodeOnLayout(SDL_Keycode key);

}  // namespace engine
