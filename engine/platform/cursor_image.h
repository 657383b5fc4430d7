#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace engine {

// A cursor file that cannot be read; the text says what is wrong with it.
class ECursorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One cursor picture: straight (not premultiplied) RGBA, top row first.
struct CursorImage {
    int width = 0;
    int height = 0;
    int hotspotX = 0;
    int hotspotY = 0;
    std::vector<std::uint8_t> rgba;
};

// The largest cursor picture accepted, in either direction.
constexpr int kMaxCursorSize = 256;
// The size picked from a file that holds several (the system's default cursor size).
constexpr int kDefaultCursorSize = 32;

// Reads an icon or cursor file (the ICO/CUR layout: a directory, then device-independent bitmaps of
// 1, 4, 8, 24 or 32 bits with their AND mask) and decodes the picture nearest the default size.
CursorImage ReadIconFile(std::span<const std::uint8_t> data);

}  // namespace engine
