#pragma once

#include <GL/gl.h>

namespace engine {

// Sets the alpha of OpenGL's front diffuse material for the lifetime of the scope and puts the
// previous value back afterwards, so the state cache's idea of the material stays true.
class TFrontDiffuseAlphaScope {
public:
    explicit TFrontDiffuseAlphaScope(float alpha);
    ~TFrontDiffuseAlphaScope();
    TFrontDiffuseAlphaScope(const TFrontDiffuseAlphaScope&) = delete;
    TFrontDiffuseAlphaScope& operator=(const TFrontDiffuseAlphaScope&) = delete;

private:
    GLfloat m_saved[4] = {0, 0, 0, 0};
};

}  // namespace engine
