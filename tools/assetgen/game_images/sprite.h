#pragma once

#include "tools/assetgen/game_images/shaping.h"
#include "tools/writers/canvas.h"
#include "tools/writers/colour.h"
#include "tools/writers/rgba_image.h"

#include <functional>
#include <vector>

// Flat shapes for pictures with binary transparency (cursors, HUD panel and buttons): the game
// tests alpha at 50 %, so a pixel is opaque or not, while colours inside may still be smooth.
namespace tools::assetgen {

// A region of the plane in pixel units (y down), with a box that holds it.
struct Shape {
    std::function<bool(float x, float y)> Inside;
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;
};

Shape Disc(Point centre, float radius);
Shape Annulus(Point centre, float innerRadius, float outerRadius);
Shape Box(float left, float top, float right, float bottom);
// A box with its corners cut off by `chamfer` pixels.
Shape ChamferedBox(float left, float top, float right, float bottom, float chamfer);
// A box with rounded corners of the given radius.
Shape RoundedBox(float left, float top, float right, float bottom, float radius);
// A bar of the given width with round ends.
Shape Capsule(Point a, Point b, float width);
// Any simple polygon (even-odd rule).
Shape Polygon(std::vector<Point> corners);
Shape Union(Shape a, Shape b);
Shape Difference(Shape a, Shape b);
// The shape turned by `degrees` (clockwise on the picture) about a point.
Shape Rotated(Shape shape, Point pivot, float degrees);

// A colour for each point of a filled shape.
using Paint = std::function<Colour(float x, float y)>;
Paint Solid(Colour colour);
// Lighter towards the top, as if lit from above: `top` at y0, `bottom` at y1.
Paint VerticalGradient(Colour top, Colour bottom, float y0, float y1);

// A picture that starts fully transparent and gains opaque pixels where shapes are filled.
class Sprite {
public:
    Sprite(std::int32_t width, std::int32_t height);

    std::int32_t Width() const { return m_canvas.Width(); }
    std::int32_t Height() const { return m_canvas.Height(); }

    // Paints the shape, its edges smoothed by 4 x 4 samples a pixel; pixels at least half covered
    // become opaque.
    void Fill(const Shape& shape, const Paint& paint);
    // Paints over pixels that are already opaque without changing what is transparent.
    void Detail(const Shape& shape, const Paint& paint);
    // Makes every transparent pixel within `width` pixels of an opaque one opaque in `colour`.
    void Outline(Colour colour, float width = 1.0f);
    // Makes the shape transparent again.
    void Cut(const Shape& shape);

    bool IsOpaque(std::int32_t x, std::int32_t y) const;
    Canvas& Colours() { return m_canvas; }
    RgbaImage ToImage() const;

private:
    void Cover(const Shape& shape, const Paint& paint, bool makeOpaque);

    Canvas m_canvas;
    CoverageMask m_mask;
};

}  // namespace tools::assetgen
