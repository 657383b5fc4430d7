#pragma once

#include "engine/core/vector_math.h"

#include <cstdint>

namespace engine {

// The render buffer's context options, a set of these bits.
enum TContextOption : std::uint16_t {
    roDoubleBuffer = 1 << 0,
    roStencilBuffer = 1 << 1,
    roRenderToWindow = 1 << 2,
    roTwoSideLighting = 1 << 3,
    roStereo = 1 << 4,
    roDestinationAlpha = 1 << 5,
    roNoColorBuffer = 1 << 6,
    roNoColorBufferClear = 1 << 7,
    roNoSwapBuffers = 1 << 8,
};
using TContextOptions = std::uint16_t;

enum TDepthPrecision : std::uint8_t { dpDefault, dp16bits, dp24bits, dp32bits };
enum TColorDepth : std::uint8_t { cdDefault, cd8bits, cd16bits, cd24bits, cdFloat64bits, cdFloat128bits };
enum TAntiAliasing : std::uint8_t { aaDefault, aaNone, aa2x, aa4x };
enum TVSyncMode : std::uint8_t { vsmSync, vsmNoSync };

int DepthBits(TDepthPrecision precision);
int ColorBits(TColorDepth depth);
// Multisample count; 0 leaves antialiasing off (the driver's default).
int SampleCount(TAntiAliasing antiAliasing);

// A system colour value, 0x00RRGGBB.
using TColor = std::uint32_t;
namespace colors {
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBtnFace = 0xF0F0F0;  // the button-face colour of the desktop theme
}  // namespace colors

// The colour as RGBA in 0..1 with the given alpha.
TVec4 ColorToRGBA(TColor color, float alpha);

}  // namespace engine
