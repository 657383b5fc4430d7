#include "engine/platform/sdl_keys.h"

#include <array>
#include <utility>

namespace engine {

namespace {

// The named keys; letters, digits and function keys lie in runs and are counted instead.
constexpr std::array<std::pair<TVirtualKey, SDL_Keycode>, 9> kNamedKeys{{
    {vkBack, SDLK_BACKSPACE},
    {vkTab, SDLK_TAB},
    {vkReturn, SDLK_RETURN},
    {vkShift, SDLK_LSHIFT},
    {vkShift, SDLK_RSHIFT},
    {vkPause, SDLK_PAUSE},
    {vkEscape, SDLK_ESCAPE},
    {vkHome, SDLK_HOME},
    {vkDelete, SDLK_DELETE},
}};

// The keys of the default US layout whose SDL codes are the characters they type.
SDL_Scancode DefaultLayoutScancode(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<SDL_Scancode>(SDL_SCANCODE_A + (key - SDLK_a));
    }
    if (key >= SDLK_1 && key <= SDLK_9) {
        return static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (key - SDLK_1));
    }
    switch (key) {
    case SDLK_0: return SDL_SCANCODE_0;
    case SDLK_BACKSPACE: return SDL_SCANCODE_BACKSPACE;
    case SDLK_TAB: return SDL_SCANCODE_TAB;
    case SDLK_RETURN: return SDL_SCANCODE_RETURN;
    case SDLK_ESCAPE: return SDL_SCANCODE_ESCAPE;
    case SDLK_DELETE: return SDL_SCANCODE_DELETE;
    default: return SDL_SCANCODE_UNKNOWN;
    }
}

}  // namespace

TVirtualKey VirtualKeyOfSdlKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<TVirtualKey>(vkA + (key - SDLK_a));
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return static_cast<TVirtualKey>(vk0 + (key - SDLK_0));
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return static_cast<TVirtualKey>(vkF1 + (key - SDLK_F1));
    }
    for (const auto& [virtualKey, sdlKey] : kNamedKeys) {
        if (sdlKey == key) {
            return virtualKey;
        }
    }
    return vkNone;
}

std::vector<SDL_Keycode> SdlKeysOf(TVirtualKey key) {
    if (key >= vkA && key <= vkZ) {
        return {SDLK_a + (key - vkA)};
    }
    if (key >= vk0 && key <= vk9) {
        return {SDLK_0 + (key - vk0)};
    }
    if (key >= vkF1 && key <= vkF12) {
        return {SDLK_F1 + (key - vkF1)};
    }
    std::vector<SDL_Keycode> keys;
    for (const auto& [virtualKey, sdlKey] : kNamedKeys) {
        if (virtualKey == key) {
            keys.push_back(sdlKey);
        }
    }
    return keys;
}

SDL_Scancode ScancodeOnLayout(SDL_Keycode key) {
    // Keys that type no character carry their physical key in their code, on every layout.
    if ((key & SDLK_SCANCODE_MASK) != 0) {
        return static_cast<SDL_Scancode>(key & ~SDLK_SCANCODE_MASK);
    }
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 ? SDL_GetScancodeFromKey(key) : DefaultLayoutScancode(key);
}

}  // namespace engine
