#pragma once

#include <cstdint>

namespace engine {

// The engine's own key values, which key events carry and the keyboard state is asked by: a letter's
// key is its upper-case character and a digit's its digit, so that a key is named by what it types on
// the current layout; the other keys have their names here. Only the platform layer knows SDL's codes.
enum TVirtualKey : std::uint8_t {
    vkNone = 0,
    vkBack = 0x08,
    vkTab = 0x09,
    vkReturn = 0x0D,
    vkShift = 0x10,  // either Shift key
    vkPause = 0x13,
    vkEscape = 0x1B,
    vkHome = 0x24,
    vkDelete = 0x2E,
    vk0 = '0',
    vk9 = '9',
    vkA = 'A',
    vkZ = 'Z',
    vkF1 = 0x70,
    vkF2,
    vkF3,
    vkF4,
    vkF5,
    vkF6,
    vkF7,
    vkF8,
    vkF9,
    vkF10,
    vkF11,
    vkF12,
};

// The key that types a letter (of either case) or a digit; vkNone for any other character.
constexpr TVirtualKey VirtualKeyOfChar(char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<TVirtualKey>(vkA + (c - 'a'));
    }
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
        return static_cast<TVirtualKey>(c);
    }
    return vkNone;
}

}  // namespace engine
