#include "engine/effects/perlin_pfx_manager.h"

#include "engine/core/set_and_notify.h"
#include "engine/effects/perlin_noise.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

constexpr int kMinTexMapSize = 3;
constexpr int kMaxTexMapSize = 9;

std::uint8_t ToByte(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::trunc(v * 255.0), 0.0, 255.0));
}

}  // namespace

TGLPerlinPFXManager::TGLPerlinPFXManager() {
    SetColorMode(scmInner);
    SetSpritesPerTexture(sptFour);
}

void TGLPerlinPFXManager::SetTexMapSize(int value) {
    SetAndNotify(m_texMapSize, std::clamp(value, kMinTexMapSize, kMaxTexMapSize), [this] { ReleaseTexture(); });
}

void TGLPerlinPFXManager::SetSmoothness(float value) {
    SetAndNotify(m_smoothness, std::clamp(value, 0.001f, 1000.0f), [this] { ReleaseTexture(); });
}

void TGLPerlinPFXManager::SetBrightness(float value) {
    SetAndNotify(m_brightness, std::clamp(value, 0.001f, 1000.0f), [this] { ReleaseTexture(); });
}

void TGLPerlinPFXManager::SetGamma(float value) {
    SetAndNotify(m_gamma, std::clamp(value, 0.1f, 10.0f), [this] { ReleaseTexture(); });
}

void TGLPerlinPFXManager::SetNoiseSeed(std::int32_t seed) {
    SetAndNotify(m_noiseSeed, seed, [this] { ReleaseTexture(); });
}

void TGLPerlinPFXManager::SetNoiseScale(float value) {
    SetAndNotify(m_noiseScale, value, [this] { ReleaseTexture(); });
}

void TGLPerlinPFXManager::SetNoiseAmplitude(int value) {
    SetAndNotify(m_noiseAmplitude, std::clamp(value, 0, 100), [this] { ReleaseTexture(); });
}

TGLBitmap32 TGLPerlinPFXManager::PrepareImage() const {
    const int size = 1 << m_texMapSize;
    TGLBitmap32 bitmap;
    bitmap.Width = size;
    bitmap.Height = size;
    bitmap.Data.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4, 0);
    if (SpritesPerTexture() == sptOne) {
        PaintSubImage(bitmap, 0, 0, size, m_noiseSeed);
    } else {
        const int half = size / 2;
        PaintSubImage(bitmap, 0, 0, half, m_noiseSeed);
        PaintSubImage(bitmap, half, 0, half, m_noiseSeed + 1);
        PaintSubImage(bitmap, 0, half, half, m_noiseSeed + 2);
        PaintSubImage(bitmap, half, half, half, m_noiseSeed + 3);
    }
    return bitmap;
}

// (dx, dy) counts columns from the left and rows from the top of the picture; the bitmap keeps
// its bottom row first.
void TGLPerlinPFXManager::PaintSubImage(TGLBitmap32& bitmap, int dx, int dy, int side, std::int32_t seed) const {
    const TPerlin3DNoise noise(static_cast<std::uint32_t>(seed));
    const int h = side / 2;
    const double q = 1.0 / h;
    const double amplitude = m_noiseAmplitude * 0.01;
    const double base = 1.0 - amplitude / 2.0;
    const double frequency = m_noiseScale * 0.05 * q;
    const bool shaped = m_gamma != 1.0f || m_brightness != 1.0f;
    const double exponent = m_gamma < 0.1f ? 10.0 : 1.0 / m_gamma;
    for (int y = 0; y < side; ++y) {
        const int row = bitmap.Height - 1 - (dy + y);
        for (int x = 0; x < side; ++x) {
            const double rx = (x + 0.5 - h) * q;
            const double ry = (y + 0.5 - h) * q;
            const double r2 = rx * rx + ry * ry;
            if (r2 >= 1.0) {
                continue;  // the bitmap starts transparent black
            }
            double v = noise.Noise(x * frequency, y * frequency) * amplitude + base;
            if (shaped) {
                v = std::clamp(std::pow(v, exponent) * m_brightness, 0.0, 1.0);
            }
            const double alpha = std::pow(1.0 - std::sqrt(r2), static_cast<double>(m_smoothness));
            std::uint8_t* pixel = &bitmap.Data[static_cast<std::size_t>((row * bitmap.Width + dx + x) * 4)];
            pixel[0] = pixel[1] = pixel[2] = ToByte(v);
            pixel[3] = ToByte(alpha);
        }
    }
}

}  // namespace engine
