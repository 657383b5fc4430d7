#include "engine/render/bitmap32.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace engine {
namespace {

std::uint8_t ToByte(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

int Intensity(const std::uint8_t* pixel) {
    return (pixel[0] + pixel[1] + pixel[2]) / 3;
}

std::uint8_t SqrtIntensity(const std::uint8_t* pixel) {
    return ToByte(std::sqrt(Intensity(pixel) / 255.0) * 255.0);
}

}  // namespace

TGLBitmap32 ConvertToBitmap32(const platform::Image& image) {
    TGLBitmap32 bitmap;
    const std::size_t expected = static_cast<std::size_t>(std::max(image.Width, 0)) *
                                 static_cast<std::size_t>(std::max(image.Height, 0)) * 4;
    if (image.Width <= 0 || image.Height <= 0 || image.Pixels.size() < expected) {
        return bitmap;
    }
    bitmap.Width = (image.Width + 3) / 4 * 4;
    bitmap.Height = image.Height;
    bitmap.Data.resize(static_cast<std::size_t>(bitmap.Width) * bitmap.Height * 4);
    for (int y = 0; y < bitmap.Height; ++y) {
        const std::uint8_t* source = image.Row(image.Height - 1 - y);
        std::uint8_t* target = bitmap.Data.data() + static_cast<std::size_t>(y) * bitmap.Width * 4;
        for (int x = 0; x < bitmap.Width; ++x) {
            const int sourceX = static_cast<int>(static_cast<long long>(x) * image.Width / bitmap.Width);
            const std::uint8_t* pixel = source + static_cast<std::size_t>(sourceX) * 4;
            target[x * 4 + 0] = pixel[0];
            target[x * 4 + 1] = pixel[1];
            target[x * 4 + 2] = pixel[2];
            target[x * 4 + 3] = image.HasAlpha ? pixel[3] : 255;
        }
    }
    return bitmap;
}

void ApplyImageAlpha(TGLBitmap32& bitmap, TGLTextureImageAlpha mode) {
    if (mode == TGLTextureImageAlpha::tiaDefault || bitmap.Empty()) {
        return;
    }
    // The first pixel in memory is the picture's bottom-left one.
    const std::array<std::uint8_t, 3> key = {bitmap.Data[0], bitmap.Data[1], bitmap.Data[2]};
    for (std::size_t i = 0; i + 3 < bitmap.Data.size(); i += 4) {
        std::uint8_t* pixel = bitmap.Data.data() + i;
        std::uint8_t& alpha = pixel[3];
        switch (mode) {
            case TGLTextureImageAlpha::tiaAlphaFromIntensity:
            case TGLTextureImageAlpha::tiaLuminance:
                alpha = static_cast<std::uint8_t>(Intensity(pixel));
                break;
            case TGLTextureImageAlpha::tiaSuperBlackTransparent:
                alpha = (pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0) ? 0 : 255;
                break;
            case TGLTextureImageAlpha::tiaLuminanceSqrt:
                alpha = SqrtIntensity(pixel);
                break;
            case TGLTextureImageAlpha::tiaOpaque:
                alpha = 255;
                break;
            case TGLTextureImageAlpha::tiaTopLeftPointColorTransparent:
                alpha = (pixel[0] == key[0] && pixel[1] == key[1] && pixel[2] == key[2]) ? 0 : 255;
                break;
            case TGLTextureImageAlpha::tiaInverseLuminance:
                alpha = static_cast<std::uint8_t>(255 - Intensity(pixel));
                break;
            case TGLTextureImageAlpha::tiaInverseLuminanceSqrt:
                alpha = static_cast<std::uint8_t>(255 - SqrtIntensity(pixel));
                break;
            case TGLTextureImageAlpha::tiaDefault:
                break;
        }
    }
}

void ApplyBrightnessAndGamma(TGLBitmap32& bitmap, float brightness, float gamma) {
    const bool scale = brightness != 1.0f;
    const bool correct = gamma != 1.0f;
    if (!scale && !correct) {
        return;
    }
    std::array<std::uint8_t, 256> table{};
    const double exponent = gamma < 0.1f ? 10.0 : 1.0 / gamma;
    for (int v = 0; v < 256; ++v) {
        std::uint8_t value = static_cast<std::uint8_t>(v);
        if (scale) {
            value = ToByte(value * static_cast<double>(brightness));
        }
        if (correct) {
            value = ToByte(std::pow(value / 255.0, exponent) * 255.0);
        }
        table[static_cast<std::size_t>(v)] = value;
    }
    for (std::size_t i = 0; i + 3 < bitmap.Data.size(); i += 4) {
        for (std::size_t c = 0; c < 3; ++c) {
            bitmap.Data[i + c] = table[bitmap.Data[i + c]];
        }
    }
}

}  // namespace engine
