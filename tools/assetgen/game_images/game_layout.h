#pragma once

#include <array>
#include <cmath>
#include <cstdint>

// The game's numbers that its pictures must agree with: where the terrain pass puts the range
// rings, how far the towers reach, and where the HUD places its panel, buttons and texts.
namespace tools::assetgen {

namespace ring_layout {
// The terrain is 1024 model units across at scale 0.1.
constexpr float kTerrainWorldSize = 102.4f;
constexpr std::int32_t kSide = 1024;

struct RingDesc {
    const char* File;
    float Repeats;    // the ring material's texture scale: copies across the terrain
    float MinRange2;  // the tower's squared ranges, world units
    float MaxRange2;
};

constexpr RingDesc kRocket{"ring.jpg", 4.0f, 15.0f, 150.0f};
constexpr RingDesc kGatling{"1ring.jpg", 5.0f, 5.0f, 100.0f};
constexpr RingDesc kLaser{"2ring.jpg", 5.0f, 0.0f, 80.0f};
constexpr std::array<RingDesc, 3> kRings{kRocket, kGatling, kLaser};

// The picture's centre lands on the tower; one picture spans the terrain divided by the repeats.
inline float RadiusPixels(float range2, float repeats) {
    return std::sqrt(range2) / (kTerrainWorldSize / repeats) * static_cast<float>(kSide);
}
}  // namespace ring_layout

namespace hud_layout {
constexpr std::int32_t kScreenWidth = 800;
constexpr std::int32_t kScreenHeight = 600;
// The panel sprite is centred at (512, 472), so its picture's pixel (x, y) lies at screen
// (x, y + kPanelTop).
constexpr std::int32_t kPanelWidth = 1024;
constexpr std::int32_t kPanelHeight = 256;
constexpr std::int32_t kPanelTop = 472 - kPanelHeight / 2;
constexpr std::array<std::int32_t, 4> kButtonX{280, 344, 408, 480};
constexpr std::int32_t kButtonY = 550;
constexpr std::int32_t kButtonSize = 64;
constexpr std::int32_t kPriceY = 580;
// The money text ends at x 450, centred on y 447, in 11 x 8 glyphs.
constexpr std::int32_t kMoneyRight = 450;
constexpr std::int32_t kMoneyY = 447;
constexpr std::int32_t kGlyphWidth = 11;
constexpr std::int32_t kGlyphHeight = 8;
// Room for a colon and five digits.
constexpr std::int32_t kMoneyGlyphs = 6;
}  // namespace hud_layout

namespace boom_layout {
constexpr std::int32_t kFrameSide = 128;
constexpr std::int32_t kFramesPerRow = 8;
constexpr std::int32_t kLastFrame = 64;
constexpr std::int32_t kRows = kLastFrame / kFramesPerRow + 1;
}  // namespace boom_layout

}  // namespace tools::assetgen
