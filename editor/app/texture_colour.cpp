#include "editor/app/texture_colour.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

namespace editor {

std::uint32_t AverageTextureColour(std::uint32_t texture, std::uint32_t fallback) {
    if (texture == 0) {
        return fallback;
    }
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<std::uint8_t> texels;
    if (width > 0 && height > 0) {
        texels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    std::uint64_t sum[3] = {0, 0, 0};
    std::uint64_t count = 0;
    for (std::size_t i = 0; i + 3 < texels.size(); i += 4) {
        // The key colour's holes show the surface beneath, not this one.
        if (texels[i + 3] == 0) {
            continue;
        }
        for (std::size_t c = 0; c < 3; ++c) {
            sum[c] += texels[i + c];
        }
        ++count;
    }
    if (count == 0) {
        return fallback;
    }
    return 0xFF000000u | static_cast<std::uint32_t>(sum[0] / count) << 16 |
           static_cast<std::uint32_t>(sum[1] / count) << 8 | static_cast<std::uint32_t>(sum[2] / count);
}

}  // namespace editor
