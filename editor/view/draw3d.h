#pragma once

#include <cstdint>

// The small drawing operations the map view is built from. The view's OpenGL context must be current.
namespace editor {

namespace colours {
// 0x00BBGGRR, red in the low byte.
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
// The key colour of every texture: the pixels of a BMP in this colour are transparent.
constexpr std::int32_t kMiddleGrey = 0x808080;
constexpr std::uint8_t kOpaque = 255;
constexpr std::uint8_t kMarkerAlpha = 100;
}  // namespace colours

// One textured quad w x h in the plane z = 0, centred at the origin; the texture's top row is at +h/2.
void DrawQuad(float w, float h);
// Binds the 2D texture; 0 unbinds.
void BindTexture(std::uint32_t texture);
// The current colour; a translucent one also switches blending to source alpha over the frame.
void SetColor(std::uint32_t colour, std::uint8_t alpha);
// The modelview rotations of the camera and of objects, about (-1, 0, 0) and (0, 0, -1).
void RotateX(float degrees);
void RotateZ(float degrees);

}  // namespace editor
