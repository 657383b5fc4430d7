#pragma once

#include "platform/image.h"
#include "tools/assetgen/game_images/sprite.h"

#include <cstdint>
#include <vector>

namespace tools::assetgen {

// An application icon painted from shapes on a 16 x 16 design grid, at any pixel size. Every whole
// grid unit falls on a pixel edge at every size (a unit is 1 or 2 pixels at 22 and 24), so the art's
// straight edges stay sharp down to 16 pixels; everything else is smoothed by how much of a pixel a
// shape covers, and the picture's edges are soft in its alpha.
class IconCanvas {
public:
    static constexpr int kGrid = 16;

    explicit IconCanvas(std::int32_t size);

    std::int32_t Size() const { return m_size; }

    // Only what lies inside the clip is painted from now on.
    void SetClip(Shape clip) { m_clip = std::move(clip); }
    void ClearClip() { m_clip = {}; }

    // Paints the shape (in grid units) over what is there, each pixel weighted by the part of it the
    // shape covers, times the opacity; the paint is asked at the pixel's centre, in grid units.
    void Fill(const Shape& shape, const Paint& paint, float opacity = 1.0f);

    platform::Image ToImage() const;

private:
    // The pixel edge that grid line `unit` falls on.
    std::int32_t PixelEdge(int unit) const;
    // The grid position of a pixel position.
    float GridPosition(float pixel) const;

    std::int32_t m_size;
    int m_samples;
    // The grid positions of every sample along one axis, pixel by pixel.
    std::vector<float> m_sampleGrid;
    // Premultiplied red, green, blue and alpha.
    std::vector<float> m_pixels;
    Shape m_clip;
};

}  // namespace tools::assetgen
