#include "engine/render/texture_edge.h"

#include <GL/glext.h>

#include <cstddef>

namespace engine {
namespace {

struct TKeptChannels {
    bool known = false;   // false: a compressed or unknown format, whose texels are not those given
    bool colour = false;  // the texel's colour reaches the blend (luminance and intensity from it)
    bool alpha = false;   // the texel's own alpha reaches the blend
};

TKeptChannels KeptChannels(GLenum internalFormat) {
    switch (internalFormat) {
        case GL_RGB8:
        case GL_RGB5:
        case GL_LUMINANCE8:
        case GL_INTENSITY8:  // its alpha is its intensity, not the picture's alpha
            return {true, true, false};
        case GL_RGBA8:
        case GL_RGBA4:
        case GL_RGBA16F:
        case GL_RGBA32F:
        case GL_LUMINANCE8_ALPHA8:
            return {true, true, true};
        case GL_ALPHA8:
            return {true, false, true};
        default:
            return {};
    }
}

// Whether every texel on the four edges passes the test.
template <class TTexelTest>
bool AllEdgeTexels(const std::uint8_t* rgba, int width, int height, TTexelTest test) {
    const auto at = [&](int x, int y) { return rgba + (static_cast<std::size_t>(y) * width + x) * 4; };
    for (int x = 0; x < width; ++x) {
        if (!test(at(x, 0)) || !test(at(x, height - 1))) {
            return false;
        }
    }
    for (int y = 0; y < height; ++y) {
        if (!test(at(0, y)) || !test(at(width - 1, y))) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool EdgeGivesNoLight(GLenum internalFormat, const std::uint8_t* rgba, int width, int height) {
    const TKeptChannels kept = KeptChannels(internalFormat);
    if (!kept.known || width <= 0 || height <= 0) {
        return false;
    }
    // Filtering mixes neighbouring edge texels, so one of the two must hold for all of them alike.
    // Red, green and blue all 0 is black however a format derives luminance or intensity.
    const bool black = kept.colour && AllEdgeTexels(rgba, width, height, [](const std::uint8_t* p) {
        return p[0] == 0 && p[1] == 0 && p[2] == 0;
    });
    return black || (kept.alpha && AllEdgeTexels(rgba, width, height, [](const std::uint8_t* p) { return p[3] == 0; }));
}

}  // namespace engine
