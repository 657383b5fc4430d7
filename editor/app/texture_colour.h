#pragma once

#include <cstdint>

namespace editor {

// The average colour (0xFFRRGGBB) of a texture's visible texels, for the overview; the fallback
// for texture 0, a texture of no size, or one whose texels are all transparent. The context that
// owns the texture must be current.
std::uint32_t AverageTextureColour(std::uint32_t texture, std::uint32_t fallback);

}  // namespace editor
