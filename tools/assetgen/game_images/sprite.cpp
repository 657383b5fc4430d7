#include "tools/assetgen/game_images/sprite.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tools::assetgen {
namespace {

constexpr int kSamples = 4;

float Distance(Point a, Point b) { return std::hypot(a.X - b.X, a.Y - b.Y); }

}  // namespace

Shape Disc(Point centre, float radius) {
    return {[=](float x, float y) { return Distance({x, y}, centre) <= radius; }, centre.X - radius,
            centre.Y - radius, centre.X + radius, centre.Y + radius};
}

Shape Annulus(Point centre, float innerRadius, float outerRadius) {
    return {[=](float x, float y) {
                const float d = Distance({x, y}, centre);
                return d >= innerRadius && d <= outerRadius;
            },
            centre.X - outerRadius, centre.Y - outerRadius, centre.X + outerRadius, centre.Y + outerRadius};
}

Shape Box(float left, float top, float right, float bottom) {
    return {[=](float x, float y) { return x >= left && x <= right && y >= top && y <= bottom; }, left, top, right,
            bottom};
}

Shape ChamferedBox(float left, float top, float right, float bottom, float chamfer) {
    return {[=](float x, float y) {
                if (x < left || x > right || y < top || y > bottom) {
                    return false;
                }
                const float dx = std::min(x - left, right - x);
                const float dy = std::min(y - top, bottom - y);
                return dx + dy >= chamfer;
            },
            left, top, right, bottom};
}

Shape RoundedBox(float left, float top, float right, float bottom, float radius) {
    return {[=](float x, float y) {
                if (x < left || x > right || y < top || y > bottom) {
                    return false;
                }
                const float cx = std::clamp(x, left + radius, right - radius);
                const float cy = std::clamp(y, top + radius, bottom - radius);
                return Distance({x, y}, {cx, cy}) <= radius;
            },
            left, top, right, bottom};
}

Shape Capsule(Point a, Point b, float width) {
    const float r = width * 0.5f;
    return {[=](float x, float y) { return SegmentDistance({x, y}, a, b) <= r; }, std::min(a.X, b.X) - r,
            std::min(a.Y, b.Y) - r, std::max(a.X, b.X) + r, std::max(a.Y, b.Y) + r};
}

Shape Polygon(std::vector<Point> corners) {
    Shape shape;
    shape.Left = shape.Right = corners.front().X;
    shape.Top = shape.Bottom = corners.front().Y;
    for (const Point& p : corners) {
        shape.Left = std::min(shape.Left, p.X);
        shape.Right = std::max(shape.Right, p.X);
        shape.Top = std::min(shape.Top, p.Y);
        shape.Bottom = std::max(shape.Bottom, p.Y);
    }
    shape.Inside = [corners = std::move(corners)](float x, float y) {
        bool inside = false;
        for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Point& a = corners[i];
            const Point& b = corners[j];
            if ((a.Y > y) != (b.Y > y) && x < (b.X - a.X) * (y - a.Y) / (b.Y - a.Y) + a.X) {
                inside = !inside;
            }
        }
        return inside;
    };
    return shape;
}

Shape Union(Shape a, Shape b) {
    Shape shape{nullptr, std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                std::max(a.Bottom, b.Bottom)};
    shape.Inside = [a = std::move(a.Inside), b = std::move(b.Inside)](float x, float y) { return a(x, y) || b(x, y); };
    return shape;
}

Shape Difference(Shape a, Shape b) {
    Shape shape{nullptr, a.Left, a.Top, a.Right, a.Bottom};
    shape.Inside = [a = std::move(a.Inside), b = std::move(b.Inside)](float x, float y) { return a(x, y) && !b(x, y); };
    return shape;
}

Shape Rotated(Shape shape, Point pivot, float degrees) {
    const float radians = degrees * std::numbers::pi_v<float> / 180.0f;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    // The turned box is held by the circle around the pivot through the farthest corner.
    float reach = 0;
    for (Point corner : {Point{shape.Left, shape.Top}, Point{shape.Right, shape.Top}, Point{shape.Left, shape.Bottom},
                         Point{shape.Right, shape.Bottom}}) {
        reach = std::max(reach, Distance(corner, pivot));
    }
    Shape turned{nullptr, pivot.X - reach, pivot.Y - reach, pivot.X + reach, pivot.Y + reach};
    turned.Inside = [inside = std::move(shape.Inside), pivot, c, s](float x, float y) {
        const float dx = x - pivot.X;
        const float dy = y - pivot.Y;
        return inside(pivot.X + dx * c + dy * s, pivot.Y - dx * s + dy * c);
    };
    return turned;
}

Paint Solid(Colour colour) {
    return [colour](float, float) { return colour; };
}

Paint VerticalGradient(Colour top, Colour bottom, float y0, float y1) {
    return [=](float, float y) { return Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f)); };
}

Sprite::Sprite(std::int32_t width, std::int32_t height)
    : m_canvas(width, height),
      m_mask{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height)} {}

bool Sprite::IsOpaque(std::int32_t x, std::int32_t y) const {
    return x >= 0 && y >= 0 && x < Width() && y < Height() && m_mask.IsOpaque(x, y);
}

void Sprite::Cover(const Shape& shape, const Paint& paint, bool makeOpaque) {
    const auto x0 = std::max(0, static_cast<std::int32_t>(std::floor(shape.Left)) - 1);
    const auto y0 = std::max(0, static_cast<std::int32_t>(std::floor(shape.Top)) - 1);
    const auto x1 = std::min(Width() - 1, static_cast<std::int32_t>(std::ceil(shape.Right)) + 1);
    const auto y1 = std::min(Height() - 1, static_cast<std::int32_t>(std::ceil(shape.Bottom)) + 1);
    for (std::int32_t y = y0; y <= y1; ++y) {
        for (std::int32_t x = x0; x <= x1; ++x) {
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    covered += shape.Inside(static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / kSamples,
                                            static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / kSamples);
                }
            }
            if (covered == 0) {
                continue;
            }
            const float coverage = static_cast<float>(covered) / (kSamples * kSamples);
            auto& opaque = m_mask.Opaque[static_cast<std::size_t>(y) * Width() + x];
            if (!makeOpaque && opaque == 0) {
                continue;
            }
            const Colour colour = paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            if (opaque == 0) {
                // A fresh pixel takes the shape's colour whole: behind it is nothing to blend with.
                if (coverage >= 0.5f) {
                    m_canvas.At(x, y) = colour;
                    opaque = 1;
                }
            } else {
                m_canvas.Blend(x, y, colour, coverage);
            }
        }
    }
}

void Sprite::Fill(const Shape& shape, const Paint& paint) { Cover(shape, paint, true); }

void Sprite::Detail(const Shape& shape, const Paint& paint) { Cover(shape, paint, false); }

void Sprite::Outline(Colour colour, float width) {
    const auto reach = static_cast<std::int32_t>(std::ceil(width));
    std::vector<std::uint8_t> grown = m_mask.Opaque;
    for (std::int32_t y = 0; y < Height(); ++y) {
        for (std::int32_t x = 0; x < Width(); ++x) {
            if (IsOpaque(x, y)) {
                continue;
            }
            bool near = false;
            for (std::int32_t dy = -reach; dy <= reach && !near; ++dy) {
                for (std::int32_t dx = -reach; dx <= reach && !near; ++dx) {
                    near = IsOpaque(x + dx, y + dy) &&
                           static_cast<float>(dx * dx + dy * dy) <= width * width + 0.5f;
                }
            }
            if (near) {
                grown[static_cast<std::size_t>(y) * Width() + x] = 1;
                m_canvas.At(x, y) = colour;
            }
        }
    }
    m_mask.Opaque = std::move(grown);
}

void Sprite::Cut(const Shape& shape) {
    for (std::int32_t y = 0; y < Height(); ++y) {
        for (std::int32_t x = 0; x < Width(); ++x) {
            if (shape.Inside(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f)) {
                m_mask.Opaque[static_cast<std::size_t>(y) * Width() + x] = 0;
            }
        }
    }
}

RgbaImage Sprite::ToImage() const { return ToRgbaImage(m_canvas, m_mask); }

}  // namespace tools::assetgen
