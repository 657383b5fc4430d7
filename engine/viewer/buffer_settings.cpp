#include "engine/viewer/buffer_settings.h"

namespace engine {

int DepthBits(TDepthPrecision precision) {
    switch (precision) {
        case dp16bits: return 16;
        case dp32bits: return 32;
        case dpDefault:
        case dp24bits: break;
    }
    return 24;
}

int ColorBits(TColorDepth depth) {
    switch (depth) {
        case cd8bits: return 8;
        case cd16bits: return 16;
        case cdFloat64bits: return 64;
        case cdFloat128bits: return 128;
        case cdDefault:
        case cd24bits: break;
    }
    return 24;
}

int SampleCount(TAntiAliasing antiAliasing) {
    switch (antiAliasing) {
        case aa2x: return 2;
        case aa4x: return 4;
        case aaDefault:
        case aaNone: break;
    }
    return 0;
}

TVec4 ColorToRGBA(TColor color, float alpha) {
    const auto channel = [color](int shift) { return static_cast<float>((color >> shift) & 0xFF) / 255.0f; };
    return TVec4{channel(16), channel(8), channel(0), alpha};
}

}  // namespace engine
