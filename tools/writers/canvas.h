#pragma once

#include "tools/writers/colour.h"
#include "tools/writers/rgb_image.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace tools {

// A float RGB picture to paint procedurally. Drawing wraps around the edges, so shapes that cross
// one side come back on the other and a tileable texture stays tileable.
class Canvas {
public:
    Canvas(std::int32_t width, std::int32_t height, Colour fill = {});

    std::int32_t Width() const { return m_width; }
    std::int32_t Height() const { return m_height; }

    // Coordinates outside the picture wrap around.
    Colour& At(std::int32_t x, std::int32_t y);
    const Colour& At(std::int32_t x, std::int32_t y) const;

    // Blends colour over the pixel with weight alpha (0..1).
    void Blend(std::int32_t x, std::int32_t y, Colour colour, float alpha);

    // Sets every pixel of [x0, x1) x [y0, y1) to shader(s, t), where s and t run over 0..1
    // across the region through the pixel centres.
    using Shader = std::function<Colour(float s, float t)>;
    void PaintRegion(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, const Shader& shader);
    void Paint(const Shader& shader) { PaintRegion(0, 0, m_width, m_height, shader); }

    // Axis-aligned rectangle [x0, x1) x [y0, y1) in pixels.
    void FillRect(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, Colour colour);

    // A disc of radius r (pixels) around (cx, cy), its rim smoothed over one pixel.
    void FillDisc(float cx, float cy, float radius, Colour colour, float alpha = 1.0f);

    // A line of the given width with round ends, its rim smoothed over one pixel.
    void DrawLine(float x0, float y0, float x1, float y1, float width, Colour colour, float alpha = 1.0f);

    // Channels clamped and rounded to bytes.
    RgbImage ToImage() const;

private:
    std::size_t Index(std::int32_t x, std::int32_t y) const;

    std::int32_t m_width;
    std::int32_t m_height;
    std::vector<Colour> m_pixels;
};

}  // namespace tools
