#include "engine/platform/keyboard_state.h"

#include "engine/platform/sdl_keys.h"

#include <SDL.h>

#include <array>
#include <limits>

namespace engine {

namespace {

std::array<bool, std::numeric_limits<std::uint8_t>::max() + 1>& ScriptedKeys() {
    static std::array<bool, std::numeric_limits<std::uint8_t>::max() + 1> keys{};
    return keys;
}

bool PhysicalKeyHeld(SDL_Keycode key) {
    const SDL_Scancode scancode = ScancodeOnLayout(key);
    if (scancode <= SDL_SCANCODE_UNKNOWN || scancode >= SDL_NUM_SCANCODES) {
        return false;
    }
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    return state && scancode < count && state[scancode] != 0;
}

}  // namespace

bool KeyHeld(char c) {
    return VirtualKeyHeld(VirtualKeyOfChar(c));
}

bool VirtualKeyHeld(TVirtualKey key) {
    if (key == vkNone) {
        return false;
    }
    if (ScriptedKeys()[key]) {
        return true;
    }
    for (const SDL_Keycode sdlKey : SdlKeysOf(key)) {
        if (PhysicalKeyHeld(sdlKey)) {
            return true;
        }
    }
    return false;
}

void SetScriptedKey(TVirtualKey key, bool down) {
    if (key != vkNone) {
        ScriptedKeys()[key] = down;
    }
}

void ReleaseScriptedKeys() {
    ScriptedKeys().fill(false);
}

}  // namespace engine
