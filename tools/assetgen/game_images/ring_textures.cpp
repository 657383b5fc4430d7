#include "tools/assetgen/game_images/pictures.h"

#include <algorithm>
#include <cmath>

namespace tools::assetgen {
namespace {

// Line widths in picture pixels. The game samples the rings without mipmaps, so a picture of
// 1024 pixels shrinks to a few hundred on screen: thinner lines would break up into dots.
constexpr float kOuterWidth = 9.0f;
constexpr float kInnerWidth = 6.0f;
// JPEG codes the picture in blocks of 8 pixels; the outermost blocks must hold nothing at all, or
// their ringing would leave the border, which the clamped texture repeats, not quite black.
constexpr float kJpegBlock = 8.0f;
constexpr float kZoneBrightness = 0.07f;
const Colour kOuterColour = Rgb(255, 196, 90);
const Colour kInnerColour = Rgb(230, 90, 60);

// How much of a line of the given width centred on `radius` covers a pixel `distance` from the centre.
float LineCoverage(float distance, float radius, float width) {
    return std::clamp(width * 0.5f + 0.5f - std::abs(distance - radius), 0.0f, 1.0f);
}

}  // namespace

Canvas MakeRingTexture(const ring_layout::RingDesc& ring) {
    const float outer = ring_layout::RadiusPixels(ring.MaxRange2, ring.Repeats);
    const float inner = ring_layout::RadiusPixels(ring.MinRange2, ring.Repeats);
    const float centre = static_cast<float>(ring_layout::kSide) * 0.5f;
    const float outerWidth = std::min(kOuterWidth, 2.0f * (centre - kJpegBlock - 1.0f - outer));
    Canvas canvas(ring_layout::kSide, ring_layout::kSide);
    canvas.Paint([&](float s, float t) {
        const float d = std::hypot(s * ring_layout::kSide - centre, t * ring_layout::kSide - centre);
        // The firing zone between the two ranges glows faintly; beyond the outer ring all is black,
        // since the clamped texture repeats its border over the whole terrain.
        const float zone = d > inner && d < outer ? kZoneBrightness * (0.6f + 0.4f * d / outer) : 0.0f;
        const Colour zoneColour = kOuterColour * zone;
        const Colour withOuter = Mix(zoneColour, kOuterColour, LineCoverage(d, outer, outerWidth));
        // A tower that reaches down to its own foot has no inner limit to show.
        return ring.MinRange2 > 0 ? Mix(withOuter, kInnerColour, LineCoverage(d, inner, kInnerWidth)) : withOuter;
    });
    return canvas;
}

}  // namespace tools::assetgen
