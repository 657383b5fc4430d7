#include "tools/writers/canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tools {
namespace {

std::int32_t WrapCoordinate(std::int32_t value, std::int32_t size) {
    const std::int32_t r = value % size;
    return r < 0 ? r + size : r;
}

// Coverage of a pixel whose centre lies `distance` from a shape edge of `radius`.
float EdgeCoverage(float distance, float radius) { return std::clamp(radius - distance + 0.5f, 0.0f, 1.0f); }

}  // namespace

Canvas::Canvas(std::int32_t width, std::int32_t height, Colour fill) : m_width(width), m_height(height) {
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("A canvas needs at least one pixel");
    }
    m_pixels.assign(static_cast<std::size_t>(width) * height, fill);
}

std::size_t Canvas::Index(std::int32_t x, std::int32_t y) const {
    return static_cast<std::size_t>(WrapCoordinate(y, m_height)) * m_width + WrapCoordinate(x, m_width);
}

Colour& Canvas::At(std::int32_t x, std::int32_t y) { return m_pixels[Index(x, y)]; }
const Colour& Canvas::At(std::int32_t x, std::int32_t y) const { return m_pixels[Index(x, y)]; }

void Canvas::Blend(std::int32_t x, std::int32_t y, Colour colour, float alpha) {
    Colour& pixel = At(x, y);
    pixel = Mix(pixel, colour, std::clamp(alpha, 0.0f, 1.0f));
}

void Canvas::PaintRegion(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, const Shader& shader) {
    const auto width = static_cast<float>(x1 - x0);
    const auto height = static_cast<float>(y1 - y0);
    for (std::int32_t y = y0; y < y1; ++y) {
        for (std::int32_t x = x0; x < x1; ++x) {
            At(x, y) = shader((static_cast<float>(x - x0) + 0.5f) / width, (static_cast<float>(y - y0) + 0.5f) / height);
        }
    }
}

void Canvas::FillRect(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, Colour colour) {
    for (std::int32_t y = y0; y < y1; ++y) {
        for (std::int32_t x = x0; x < x1; ++x) {
            At(x, y) = colour;
        }
    }
}

void Canvas::FillDisc(float cx, float cy, float radius, Colour colour, float alpha) {
    const auto x0 = static_cast<std::int32_t>(std::floor(cx - radius - 1));
    const auto x1 = static_cast<std::int32_t>(std::ceil(cx + radius + 1));
    const auto y0 = static_cast<std::int32_t>(std::floor(cy - radius - 1));
    const auto y1 = static_cast<std::int32_t>(std::ceil(cy + radius + 1));
    for (std::int32_t y = y0; y <= y1; ++y) {
        for (std::int32_t x = x0; x <= x1; ++x) {
            const float dx = static_cast<float>(x) + 0.5f - cx;
            const float dy = static_cast<float>(y) + 0.5f - cy;
            const float coverage = EdgeCoverage(std::sqrt(dx * dx + dy * dy), radius);
            if (coverage > 0) {
                Blend(x, y, colour, coverage * alpha);
            }
        }
    }
}

void Canvas::DrawLine(float x0, float y0, float x1, float y1, float width, Colour colour, float alpha) {
    const float radius = width * 0.5f;
    const float lengthSquared = (x1 - x0) * (x1 - x0) + (y1 - y0) * (y1 - y0);
    const auto left = static_cast<std::int32_t>(std::floor(std::min(x0, x1) - radius - 1));
    const auto right = static_cast<std::int32_t>(std::ceil(std::max(x0, x1) + radius + 1));
    const auto top = static_cast<std::int32_t>(std::floor(std::min(y0, y1) - radius - 1));
    const auto bottom = static_cast<std::int32_t>(std::ceil(std::max(y0, y1) + radius + 1));
    for (std::int32_t y = top; y <= bottom; ++y) {
        for (std::int32_t x = left; x <= right; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            float t = lengthSquared > 0 ? ((px - x0) * (x1 - x0) + (py - y0) * (y1 - y0)) / lengthSquared : 0.0f;
            t = std::clamp(t, 0.0f, 1.0f);
            const float dx = px - (x0 + (x1 - x0) * t);
            const float dy = py - (y0 + (y1 - y0) * t);
            const float coverage = EdgeCoverage(std::sqrt(dx * dx + dy * dy), radius);
            if (coverage > 0) {
                Blend(x, y, colour, coverage * alpha);
            }
        }
    }
}

RgbImage Canvas::ToImage() const {
    RgbImage image{m_width, m_height, {}};
    image.Pixels.reserve(m_pixels.size() * 3);
    for (const Colour& pixel : m_pixels) {
        image.Pixels.push_back(ChannelByte(pixel.R));
        image.Pixels.push_back(ChannelByte(pixel.G));
        image.Pixels.push_back(ChannelByte(pixel.B));
    }
    return image;
}

}  // namespace tools
