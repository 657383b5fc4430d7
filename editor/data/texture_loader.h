#pragma once

#include "editor/data/texture_pixels.h"

#include <cstdint>
#include <string>

// Texture loading for the editor: image records of a package become OpenGL textures. The OpenGL
// context must be current. Textures are never deleted; they live as long as the context.
namespace editor {

// Loads the record by the last four characters of its name (any case): ".BMP" as an RGBA texture
// whose pixels of the key colour (0x00BBGGRR) are transparent, ".JPG" as an RGB texture; quality
// 0..3 scales it down. Anything else loads nothing and shows nothing. On success the new texture
// name is written to texture; on failure texture keeps its value and false is returned.
bool LoadTexture(const std::string& packageName, const std::string& recordName, std::uint32_t& texture,
                 std::uint8_t quality, std::int32_t keyColour);

// Each shows "Couldn't load BMP from stream" ("BMP Unit") or "Couldn't load JPG from stream"
// ("JPG Unit") when the record cannot be extracted or decoded, and returns false. They use the
// quality and key colour of the last LoadTexture call.
bool LoadBMPTexture(const std::string& packageName, const std::string& recordName, std::uint32_t& texture);
bool LoadJPGTexture(const std::string& packageName, const std::string& recordName, std::uint32_t& texture);

// A new texture from tightly packed rows, top row first: linear filtering, modulate, repeat, and a
// full mipmap chain built by GLU (which also rescales sides that are not powers of two). The
// texture is left unbound; the caller keeps the buffer.
std::uint32_t CreateTexture(std::int32_t width, std::int32_t height, TextureFormat format, const std::uint8_t* pixels);

}  // namespace editor
