#include "engine/platform/keyboard_state.h"
#include "engine/platform/sdl_keys.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace engine {
namespace {

// Every key the engine names goes to SDL and back, reaches the physical key of the US layout (no
// video system runs here), and is held while a script holds it; no other key is.
TEST(KeyboardState, EngineKeysMapToSdlAndAreHeldWhileScripted) {
    struct Case {
        TVirtualKey key;
        SDL_Keycode sdlKey;
        SDL_Scancode scancode;
    };
    const Case cases[] = {
        {VirtualKeyOfChar('w'), SDLK_w, SDL_SCANCODE_W}, {VirtualKeyOfChar('A'), SDLK_a, SDL_SCANCODE_A},
        {VirtualKeyOfChar('Z'), SDLK_z, SDL_SCANCODE_Z}, {VirtualKeyOfChar('0'), SDLK_0, SDL_SCANCODE_0},
        {VirtualKeyOfChar('9'), SDLK_9, SDL_SCANCODE_9}, {vkF1, SDLK_F1, SDL_SCANCODE_F1},
        {vkF12, SDLK_F12, SDL_SCANCODE_F12},             {vkPause, SDLK_PAUSE, SDL_SCANCODE_PAUSE},
        {vkShift, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT},     {vkShift, SDLK_RSHIFT, SDL_SCANCODE_RSHIFT},
        {vkReturn, SDLK_RETURN, SDL_SCANCODE_RETURN},    {vkEscape, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE},
        {vkBack, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE}, {vkTab, SDLK_TAB, SDL_SCANCODE_TAB},
        {vkHome, SDLK_HOME, SDL_SCANCODE_HOME},          {vkDelete, SDLK_DELETE, SDL_SCANCODE_DELETE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(SDL_GetKeyName(c.sdlKey));
        EXPECT_EQ(VirtualKeyOfSdlKey(c.sdlKey), c.key);
        const std::vector<SDL_Keycode> sdlKeys = SdlKeysOf(c.key);
        EXPECT_NE(std::find(sdlKeys.begin(), sdlKeys.end(), c.sdlKey), sdlKeys.end());
        EXPECT_EQ(ScancodeOnLayout(c.sdlKey), c.scancode);
        EXPECT_FALSE(VirtualKeyHeld(c.key));
        SetScriptedKey(c.key, true);
        EXPECT_TRUE(VirtualKeyHeld(c.key));
        EXPECT_FALSE(VirtualKeyHeld(c.key == vkShift ? vkPause : vkShift));
        ReleaseScriptedKeys();
        EXPECT_FALSE(VirtualKeyHeld(c.key));
    }
    EXPECT_EQ(VirtualKeyOfSdlKey(SDLK_LEFT), vkNone);
    EXPECT_TRUE(SdlKeysOf(vkNone).empty());
}

// A character's key is asked by what it types, in either case; a character no key of the engine
// types is never held, and holding no key is refused.
TEST(KeyboardState, CharactersAreAskedByTheirKey) {
    SetScriptedKey(VirtualKeyOfChar('w'), true);
    EXPECT_TRUE(KeyHeld('W'));
    EXPECT_TRUE(KeyHeld('w'));
    EXPECT_FALSE(KeyHeld('S'));
    SetScriptedKey(vkNone, true);
    for (const char c : {';', ' ', '\0'}) {
        EXPECT_EQ(VirtualKeyOfChar(c), vkNone);
        EXPECT_FALSE(KeyHeld(c));
    }
    ReleaseScriptedKeys();
    EXPECT_FALSE(KeyHeld('W'));
}

}  // namespace
}  // namespace engine
