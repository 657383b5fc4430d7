#include "engine/hud/diffuse_alpha.h"

namespace engine {

TFrontDiffuseAlphaScope::TFrontDiffuseAlphaScope(float alpha) {
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, m_saved);
    const GLfloat diffuse[4] = {m_saved[0], m_saved[1], m_saved[2], alpha};
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
}

TFrontDiffuseAlphaScope::~TFrontDiffuseAlphaScope() {
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m_saved);
}

}  // namespace engine
