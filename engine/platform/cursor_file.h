#pragma once

#include "engine/platform/cursor_image.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace engine {

// A cursor as a file gives it: its pictures and the order and pace in which they show. A static
// cursor has one frame, one step and no rates.
struct CursorFile {
    std::vector<CursorImage> frames;
    // For each step, the frame it shows.
    std::vector<std::uint32_t> sequence;
    // For each step of an animated cursor, how long it shows, in jiffies (1/60 s).
    std::vector<std::uint32_t> ratesJiffies;

    bool Animated() const { return !ratesJiffies.empty(); }
};

// The most frames and steps an animated cursor may have; larger counts are taken as a broken file.
constexpr std::uint32_t kMaxCursorFrames = 1024;
constexpr std::uint32_t kMaxCursorSteps = 4096;

// Reads an animated cursor (RIFF "ACON") or a static icon or cursor file, by its content.
// Throws ECursorError.
CursorFile ReadCursorFile(std::span<const std::uint8_t> data);
// Reads the named file ('\\' or '/', any letter case); throws ECursorError also when it cannot be read.
CursorFile LoadCursorFile(const std::string& path);

}  // namespace engine
