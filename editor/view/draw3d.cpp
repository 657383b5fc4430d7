#include "editor/view/draw3d.h"

#include <GL/gl.h>

namespace editor {

void DrawQuad(float w, float h) {
    const float x = w / 2;
    const float y = h / 2;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex3f(-x, -y, 0);
    glTexCoord2f(1, 1);
    glVertex3f(x, -y, 0);
    glTexCoord2f(1, 0);
    glVertex3f(x, y, 0);
    glTexCoord2f(0, 0);
    glVertex3f(-x, y, 0);
    glEnd();
}

void BindTexture(std::uint32_t texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
}

void SetColor(std::uint32_t colour, std::uint8_t alpha) {
    glColor4ub(static_cast<GLubyte>(colour & 0xFF), static_cast<GLubyte>((colour >> 8) & 0xFF),
               static_cast<GLubyte>((colour >> 16) & 0xFF), alpha);
    if (alpha != colours::kOpaque) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
}

void RotateX(float degrees) {
    glRotatef(degrees, -1, 0, 0);
}

void RotateZ(float degrees) {
    glRotatef(degrees, 0, 0, -1);
}

}  // namespace editor
