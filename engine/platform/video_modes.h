#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace engine {

struct VideoMode {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t bits = 0;
    // The highest refresh rate seen for this width, height and depth (0 = unknown).
    std::uint8_t refreshRate = 0;
    std::string description;
};

// A mode as the display driver reports it, before it enters the table.
struct ModeCandidate {
    int width = 0;
    int height = 0;
    int bits = 0;
    int refreshRate = 0;
};

// Whether the driver would accept a full-screen switch to a mode (tested, not applied).
using ModeTester = std::function<bool(int width, int height, int bits)>;

// The table of full-screen modes: entry 0 is the desktop, the rest are distinct (width, height, bits)
// in the order the driver lists them.
class VideoModeTable {
public:
    static constexpr std::size_t kMaxModes = 200;

    // Fills the table from the desktop mode and the driver's list. A driver that accepts even an absurd
    // mode is not trusted further; otherwise a few small standard modes are offered to it as well.
    static VideoModeTable Enumerate(const ModeCandidate& desktop, std::span<const ModeCandidate> driverModes,
                                    const ModeTester& test);

    const std::vector<VideoMode>& Modes() const { return m_modes; }
    const VideoMode& operator[](std::size_t index) const { return m_modes.at(index); }
    std::size_t Size() const { return m_modes.size(); }

    // The index of the mode that fits (width, height, bits) with the least excess, 0 when none does.
    std::size_t BestMode(int width, int height, int bits) const;

private:
    void Add(const ModeCandidate& mode);

    std::vector<VideoMode> m_modes;
};

// What entering full screen does with the display.
struct FullScreenPlan {
    std::size_t modeIndex = 0;
    bool switchDisplay = false;
    int refreshRate = 0;  // 0 leaves the rate to the driver
};

// Chooses the mode for a full-screen window of (width, height, bits); throws EScreenError
// "Unsupported video mode" when no mode fits. refreshRate 0 leaves the rate to the driver.
FullScreenPlan PlanFullScreen(const VideoModeTable& table, int width, int height, int bits, int refreshRate);

// The process-wide table built from SDL's first display, filled on first use. Needs SDL video.
const VideoModeTable& SdlVideoModes();

}  // namespace engine
