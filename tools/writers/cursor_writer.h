#pragma once

#include "tools/writers/rgba_image.h"

#include <cstdint>
#include <vector>

namespace tools {

// A cursor picture with the point that clicks.
struct CursorPicture {
    RgbaImage Picture;
    std::int32_t HotspotX = 0;
    std::int32_t HotspotY = 0;
};

// An animated cursor: its frames and the steps that show them.
struct AnimatedCursor {
    std::vector<CursorPicture> Frames;
    // Frame shown at each step; empty shows the frames once each, in order.
    std::vector<std::uint32_t> Sequence;
    // How long each step shows, in jiffies (1/60 s); one entry per step.
    std::vector<std::uint32_t> RatesJiffies;
};

// A cursor file (".cur") with one 32-bit picture and its AND mask, set where alpha is below 128.
// Throws std::invalid_argument for a picture outside 1..256 pixels a side, pixel data not
// matching its size, or a hotspot outside the picture.
std::vector<std::uint8_t> EncodeCur(const CursorPicture& cursor);

// A RIFF "ACON" animated cursor (".ani") with every frame stored as a cursor file, a rate for each
// step and, when the steps do not simply run through the frames, a sequence. Throws
// std::invalid_argument when there are no frames, a step names a missing frame, the rates do not
// match the steps, or a frame is not a valid cursor picture.
std::vector<std::uint8_t> EncodeAni(const AnimatedCursor& cursor);

}  // namespace tools
