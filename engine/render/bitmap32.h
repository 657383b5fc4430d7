#pragma once

#include "platform/image.h"

#include <cstdint>
#include <vector>

namespace engine {

enum class TGLTextureImageAlpha : std::uint8_t {
    tiaDefault,
    tiaAlphaFromIntensity,
    tiaSuperBlackTransparent,
    tiaLuminance,
    tiaLuminanceSqrt,
    tiaOpaque,
    tiaTopLeftPointColorTransparent,
    tiaInverseLuminance,
    tiaInverseLuminanceSqrt,
};

// A picture as the texture builder uploads it: RGBA bytes, the bottom row first in memory.
struct TGLBitmap32 {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Data;

    bool Empty() const { return Width <= 0 || Height <= 0; }
};

// Turns a decoded picture into the upload layout. A width that is not a multiple of 4 is stretched
// to the next multiple of 4 (nearest pixel), as every picture used to pass through a 4-aligned
// device bitmap; alpha is kept whenever the picture has it.
TGLBitmap32 ConvertToBitmap32(const platform::Image& image);

// Derives the alpha channel from the colours; tiaDefault keeps it.
void ApplyImageAlpha(TGLBitmap32& bitmap, TGLTextureImageAlpha mode);

// Scales R, G and B by brightness and then applies gamma (exponent 1/gamma, at most 10); alpha is
// left alone. A value of 1 leaves the channel unchanged.
void ApplyBrightnessAndGamma(TGLBitmap32& bitmap, float brightness, float gamma);

}  // namespace engine
