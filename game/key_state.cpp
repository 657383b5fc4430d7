#include "game/key_state.h"

#include <array>
#include <cctype>

namespace game {

namespace {

std::array<bool, SDL_NUM_SCANCODES>& ScriptedKeys() {
    static std::array<bool, SDL_NUM_SCANCODES> keys{};
    return keys;
}

bool ScancodeHeld(SDL_Scancode key) {
    if (key <= SDL_SCANCODE_UNKNOWN || key >= SDL_NUM_SCANCODES) {
        return false;
    }
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    return (state && key < count && state[key] != 0) || ScriptedKeys()[key];
}

// Before the screen exists SDL has no layout; the keyboard is then taken as the default US one.
SDL_Scancode DefaultLayoutScancode(char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<SDL_Scancode>(SDL_SCANCODE_A + (c - 'a'));
    }
    if (c >= '1' && c <= '9') {
        return static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (c - '1'));
    }
    return c == '0' ? SDL_SCANCODE_0 : SDL_SCANCODE_UNKNOWN;
}

}  // namespace

bool KeyHeld(char c) {
    // SDL names the keys of letters by their lower-case character.
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const SDL_Scancode key = SDL_WasInit(SDL_INIT_VIDEO) != 0 ? SDL_GetScancodeFromKey(static_cast<SDL_Keycode>(lower))
                                                              : DefaultLayoutScancode(lower);
    return ScancodeHeld(key);
}

bool VirtualKeyHeld(TVirtualKey key) {
    switch (key) {
    case TVirtualKey::vkShift:
        return ScancodeHeld(SDL_SCANCODE_LSHIFT) || ScancodeHeld(SDL_SCANCODE_RSHIFT);
    }
    return false;
}

void SetScriptedKey(SDL_Scancode key, bool down) {
    if (key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES) {
        ScriptedKeys()[key] = down;
    }
}

void ReleaseScriptedKeys() {
    ScriptedKeys().fill(false);
}

}  // namespace game
