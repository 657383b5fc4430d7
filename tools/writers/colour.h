#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

// Colours for procedural pictures: linear float channels in 0..1, so blending and shading can
// overshoot freely and are clamped once, when the picture becomes bytes.
namespace tools {

struct Colour {
    float R = 0;
    float G = 0;
    float B = 0;
};

// A colour from 0..255 bytes, as palettes are written down.
constexpr Colour Rgb(int r, int g, int b) {
    return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f, static_cast<float>(b) / 255.0f};
}

constexpr Colour operator+(Colour a, Colour b) { return {a.R + b.R, a.G + b.G, a.B + b.B}; }
constexpr Colour operator*(Colour c, float f) { return {c.R * f, c.G * f, c.B * f}; }

// a at t = 0, b at t = 1; t is not clamped.
constexpr Colour Mix(Colour a, Colour b, float t) { return a * (1.0f - t) + b * t; }

// The byte a channel becomes: clamped to 0..1, then rounded.
std::uint8_t ChannelByte(float value);

// Colours placed along 0..1; between stops the colour is interpolated linearly, outside them the
// nearest stop holds.
class ColourRamp {
public:
    ColourRamp(std::initializer_list<std::pair<float, Colour>> stops);
    Colour At(float t) const;

private:
    std::vector<std::pair<float, Colour>> m_stops;
};

}  // namespace tools
