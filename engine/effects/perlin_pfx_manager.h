#pragma once

#include "engine/effects/sprite_pfx_manager.h"

#include <cstdint>

namespace engine {

// Sprite particles whose texture is a soft disc mottled by Perlin noise: one disc, or four made
// with four successive seeds.
class TGLPerlinPFXManager : public TGLBaseSpritePFXManager {
public:
    TGLPerlinPFXManager();

    // The texture side is 2^TexMapSize pixels; 3..9.
    int TexMapSize() const { return m_texMapSize; }
    void SetTexMapSize(int value);
    // Exponent of the fall-off of alpha towards the rim; 0.001..1000.
    float Smoothness() const { return m_smoothness; }
    void SetSmoothness(float value);
    // 0.001..1000.
    float Brightness() const { return m_brightness; }
    void SetBrightness(float value);
    // 0.1..10.
    float Gamma() const { return m_gamma; }
    void SetGamma(float value);
    std::int32_t NoiseSeed() const { return m_noiseSeed; }
    void SetNoiseSeed(std::int32_t seed);
    float NoiseScale() const { return m_noiseScale; }
    void SetNoiseScale(float value);
    // Percent; 0..100.
    int NoiseAmplitude() const { return m_noiseAmplitude; }
    void SetNoiseAmplitude(int value);

    // RGBA, rows from the bottom: grey noise in the colour, the disc in alpha. Every change of the
    // settings above drops the texture so that it is painted again.
    TGLBitmap32 PrepareImage() const override;

private:
    void PaintSubImage(TGLBitmap32& bitmap, int dx, int dy, int side, std::int32_t seed) const;

    int m_texMapSize = 6;
    float m_smoothness = 1.0f;
    float m_brightness = 1.0f;
    float m_gamma = 1.0f;
    std::int32_t m_noiseSeed = 0;
    float m_noiseScale = 100.0f;
    int m_noiseAmplitude = 50;
};

}  // namespace engine
