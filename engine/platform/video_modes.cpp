#include "engine/platform/video_modes.h"

#include "engine/platform/screen_error.h"

#include <SDL.h>

#include <algorithm>
#include <array>

namespace engine {
namespace {

struct ModeSize {
    int width;
    int height;
};
constexpr ModeSize kStandardSizes[] = {{320, 200}, {400, 300}, {512, 384}};
constexpr std::array<int, 5> kStandardBits = {8, 15, 16, 24, 32};

std::uint8_t ClampRate(int rate) { return static_cast<std::uint8_t>(std::clamp(rate, 0, 255)); }

std::string Describe(int width, int height, int bits) {
    return std::to_string(width) + " x " + std::to_string(height) + ", " + std::to_string(bits) + " bpp";
}

}  // namespace

VideoModeTable VideoModeTable::Enumerate(const ModeCandidate& desktop, std::span<const ModeCandidate> driverModes,
                                         const ModeTester& test) {
    VideoModeTable table;
    table.m_modes.push_back({static_cast<std::uint16_t>(desktop.width), static_cast<std::uint16_t>(desktop.height),
                             static_cast<std::uint8_t>(desktop.bits), ClampRate(desktop.refreshRate), "default"});
    for (const ModeCandidate& mode : driverModes) {
        if (table.m_modes.size() >= kMaxModes) {
            return table;
        }
        if (test(mode.width, mode.height, mode.bits)) {
            table.Add(mode);
        }
    }
    if (test(42, 37, 8)) {
        return table;
    }
    for (const auto& size : kStandardSizes) {
        for (int bits : kStandardBits) {
            if (table.m_modes.size() < kMaxModes && test(size.width, size.height, bits)) {
                table.Add({size.width, size.height, bits, 0});
            }
        }
    }
    return table;
}

void VideoModeTable::Add(const ModeCandidate& mode) {
    for (std::size_t i = 1; i < m_modes.size(); ++i) {
        VideoMode& known = m_modes[i];
        if (known.width == mode.width && known.height == mode.height && known.bits == mode.bits) {
            known.refreshRate = std::max(known.refreshRate, ClampRate(mode.refreshRate));
            return;
        }
    }
    m_modes.push_back({static_cast<std::uint16_t>(mode.width), static_cast<std::uint16_t>(mode.height),
                       static_cast<std::uint8_t>(mode.bits), ClampRate(mode.refreshRate),
                       Describe(mode.width, mode.height, mode.bits)});
}

std::size_t VideoModeTable::BestMode(int width, int height, int bits) const {
    std::size_t best = 0;
    int bestWidth = 9999;
    int bestHeight = 9999;
    int bestBits = 99;
    for (std::size_t i = 1; i < m_modes.size(); ++i) {
        const VideoMode& mode = m_modes[i];
        const int dw = mode.width - width;
        const int dh = mode.height - height;
        const int db = mode.bits - bits;
        if (dw >= 0 && dh >= 0 && db >= 0 && dw <= bestWidth && dh <= bestHeight && db <= bestBits) {
            best = i;
            bestWidth = dw;
            bestHeight = dh;
            bestBits = db;
        }
    }
    return best;
}

FullScreenPlan PlanFullScreen(const VideoModeTable& table, int width, int height, int bits, int refreshRate) {
    FullScreenPlan plan;
    plan.modeIndex = table.BestMode(width, height, bits);
    if (plan.modeIndex == 0) {
        throw EScreenError("Unsupported video mode");
    }
    const VideoMode& desktop = table[0];
    const VideoMode& chosen = table[plan.modeIndex];
    const bool desktopIsRequested = desktop.width == width && desktop.height == height && desktop.bits == bits;
    // Switching to the mode the desktop already has changes nothing and would only have to be undone.
    const bool desktopIsChosen =
        desktop.width == chosen.width && desktop.height == chosen.height && desktop.bits == chosen.bits;
    plan.switchDisplay = !desktopIsRequested && !desktopIsChosen;
    if (plan.switchDisplay && refreshRate > 0) {
        plan.refreshRate = std::min(refreshRate, static_cast<int>(chosen.refreshRate));
    }
    return plan;
}

const VideoModeTable& SdlVideoModes() {
    static const VideoModeTable table = [] {
        SDL_DisplayMode mode{};
        ModeCandidate desktop;
        if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
            desktop = {mode.w, mode.h, static_cast<int>(SDL_BITSPERPIXEL(mode.format)), mode.refresh_rate};
        }
        std::vector<ModeCandidate> listed;
        const int count = std::max(SDL_GetNumDisplayModes(0), 0);
        for (int i = 0; i < count; ++i) {
            if (SDL_GetDisplayMode(0, i, &mode) == 0) {
                listed.push_back({mode.w, mode.h, static_cast<int>(SDL_BITSPERPIXEL(mode.format)), mode.refresh_rate});
            }
        }
        // SDL lists exactly the modes it can switch to, so a mode passes the test when it is listed.
        const auto test = [&listed](int width, int height, int bits) {
            return std::any_of(listed.begin(), listed.end(), [&](const ModeCandidate& m) {
                return m.width == width && m.height == height && m.bits == bits;
            });
        };
        return VideoModeTable::Enumerate(desktop, listed, test);
    }();
    return table;
}

}  // namespace engine
