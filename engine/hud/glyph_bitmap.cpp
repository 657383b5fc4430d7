#include "engine/hud/glyph_bitmap.h"

#include <array>
#include <cstddef>

namespace engine {

int NextPowerOfTwo(int n) {
    int size = 1;
    while (size < n && size < (1 << 30)) {
        size *= 2;
    }
    return size;
}

bool IsGlyphAlphaMode(TGLTextureImageAlpha mode) {
    return mode != TGLTextureImageAlpha::tiaInverseLuminance && mode != TGLTextureImageAlpha::tiaInverseLuminanceSqrt;
}

TGLBitmap32 BuildGlyphBitmap(const platform::Image& picture, TGLTextureImageAlpha mode) {
    TGLBitmap32 bitmap;
    const std::size_t pictureBytes = static_cast<std::size_t>(picture.Width > 0 ? picture.Width : 0) *
                                     static_cast<std::size_t>(picture.Height > 0 ? picture.Height : 0) * 4;
    if (picture.Width <= 0 || picture.Height <= 0 || picture.Pixels.size() < pictureBytes ||
        !IsGlyphAlphaMode(mode)) {
        return bitmap;
    }
    bitmap.Width = NextPowerOfTwo(picture.Width);
    bitmap.Height = NextPowerOfTwo(picture.Height);
    bitmap.Data.assign(static_cast<std::size_t>(bitmap.Width) * bitmap.Height * 4, 0);
    for (int y = 0; y < picture.Height; ++y) {
        // The picture's top row lands in the canvas's top row, the last one in memory.
        const std::uint8_t* source = picture.Row(y);
        std::uint8_t* target = bitmap.Data.data() + static_cast<std::size_t>(bitmap.Height - 1 - y) * bitmap.Width * 4;
        for (int x = 0; x < picture.Width; ++x) {
            target[x * 4 + 0] = source[x * 4 + 0];
            target[x * 4 + 1] = source[x * 4 + 1];
            target[x * 4 + 2] = source[x * 4 + 2];
        }
    }
    if (mode != TGLTextureImageAlpha::tiaDefault && mode != TGLTextureImageAlpha::tiaTopLeftPointColorTransparent) {
        for (std::size_t i = 3; i < bitmap.Data.size(); i += 4) {
            bitmap.Data[i] = 255;
        }
        ApplyImageAlpha(bitmap, mode);
        return bitmap;
    }
    const std::uint8_t* topLeft = bitmap.Data.data() + static_cast<std::size_t>(bitmap.Height - 1) * bitmap.Width * 4;
    const std::array<std::uint8_t, 3> key = {topLeft[0], topLeft[1], topLeft[2]};
    for (std::size_t i = 0; i < bitmap.Data.size(); i += 4) {
        const bool keyed = bitmap.Data[i] == key[0] && bitmap.Data[i + 1] == key[1] && bitmap.Data[i + 2] == key[2];
        bitmap.Data[i + 3] = keyed ? 0 : 255;
    }
    return bitmap;
}

}  // namespace engine
