#include "tools/assetgen/desktop_icons/icon_canvas.h"

#include "tools/writers/colour.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tools::assetgen {
namespace {

// Enough samples that a small icon's edges blend smoothly, few enough that a large one is quick.
int SamplesPerAxis(std::int32_t size) {
    return size <= 32 ? 8 : size <= 64 ? 6 : 4;
}

}  // namespace

IconCanvas::IconCanvas(std::int32_t size)
    : m_size(size),
      m_samples(SamplesPerAxis(size)),
      m_pixels(static_cast<std::size_t>(size) * size * 4, 0.0f) {
    if (size < kGrid) {
        throw std::invalid_argument("An icon is at least " + std::to_string(kGrid) + " pixels wide");
    }
    m_sampleGrid.reserve(static_cast<std::size_t>(size) * m_samples);
    for (std::int32_t pixel = 0; pixel < size; ++pixel) {
        for (int s = 0; s < m_samples; ++s) {
            m_sampleGrid.push_back(GridPosition(static_cast<float>(pixel) + (static_cast<float>(s) + 0.5f) / m_samples));
        }
    }
}

std::int32_t IconCanvas::PixelEdge(int unit) const {
    return static_cast<std::int32_t>(std::lround(static_cast<double>(unit) * m_size / kGrid));
}

float IconCanvas::GridPosition(float pixel) const {
    // The grid unit whose pixel span holds the position, and the place within that span.
    int unit = 0;
    while (unit < kGrid - 1 && static_cast<float>(PixelEdge(unit + 1)) <= pixel) {
        ++unit;
    }
    const auto start = static_cast<float>(PixelEdge(unit));
    const auto span = static_cast<float>(PixelEdge(unit + 1) - PixelEdge(unit));
    return static_cast<float>(unit) + (pixel - start) / span;
}

void IconCanvas::Fill(const Shape& shape, const Paint& paint, float opacity) {
    const auto firstPixel = [&](float grid) {
        return std::clamp(PixelEdge(static_cast<int>(std::floor(grid))) - 1, 0, m_size);
    };
    const auto endPixel = [&](float grid) {
        return std::clamp(PixelEdge(static_cast<int>(std::ceil(grid))) + 1, 0, m_size);
    };
    const std::int32_t x0 = firstPixel(shape.Left);
    const std::int32_t x1 = endPixel(shape.Right);
    const std::int32_t y0 = firstPixel(shape.Top);
    const std::int32_t y1 = endPixel(shape.Bottom);
    const auto samples = static_cast<float>(m_samples * m_samples);
    for (std::int32_t y = y0; y < y1; ++y) {
        for (std::int32_t x = x0; x < x1; ++x) {
            int covered = 0;
            for (int sy = 0; sy < m_samples; ++sy) {
                const float gy = m_sampleGrid[static_cast<std::size_t>(y) * m_samples + sy];
                for (int sx = 0; sx < m_samples; ++sx) {
                    const float gx = m_sampleGrid[static_cast<std::size_t>(x) * m_samples + sx];
                    covered += shape.Inside(gx, gy) && (!m_clip.Inside || m_clip.Inside(gx, gy));
                }
            }
            if (covered == 0) {
                continue;
            }
            const float alpha = opacity * static_cast<float>(covered) / samples;
            const Colour colour = paint(GridPosition(static_cast<float>(x) + 0.5f), GridPosition(static_cast<float>(y) + 0.5f));
            float* pixel = &m_pixels[(static_cast<std::size_t>(y) * m_size + x) * 4];
            pixel[0] = colour.R * alpha + pixel[0] * (1 - alpha);
            pixel[1] = colour.G * alpha + pixel[1] * (1 - alpha);
            pixel[2] = colour.B * alpha + pixel[2] * (1 - alpha);
            pixel[3] = alpha + pixel[3] * (1 - alpha);
        }
    }
}

platform::Image IconCanvas::ToImage() const {
    platform::Image image;
    image.Width = m_size;
    image.Height = m_size;
    image.HasAlpha = true;
    image.Pixels.resize(m_pixels.size());
    for (std::size_t i = 0; i < m_pixels.size(); i += 4) {
        const float alpha = m_pixels[i + 3];
        for (std::size_t c = 0; c < 3; ++c) {
            image.Pixels[i + c] = alpha > 0 ? ChannelByte(m_pixels[i + c] / alpha) : 0;
        }
        image.Pixels[i + 3] = ChannelByte(alpha);
    }
    return image;
}

}  // namespace tools::assetgen
