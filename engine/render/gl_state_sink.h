#pragma once

#include <GL/gl.h>

namespace engine {

// The OpenGL calls through which render state reaches the driver. The state cache issues every call
// through one of these, so a test can record what a material sends without a rendering context.
class TGLStateSink {
public:
    virtual ~TGLStateSink() = default;

    virtual void SetCapability(GLenum capability, bool enabled) = 0;
    virtual bool IsCapabilityEnabled(GLenum capability) = 0;
    // Four floats for colours, one for GL_SHININESS.
    virtual void Material(GLenum face, GLenum parameter, const GLfloat* values) = 0;
    virtual void PolygonMode(GLenum face, GLenum mode) = 0;
    virtual void Color(const GLfloat* rgba) = 0;
    virtual void BlendFunc(GLenum source, GLenum destination) = 0;
    virtual void AlphaFunc(GLenum function, GLfloat reference) = 0;
    virtual void DepthFunc(GLenum function) = 0;
    virtual void BindTexture(GLenum target, GLuint name) = 0;
    virtual void TextureEnv(GLenum mode, const GLfloat* color) = 0;
    // Loads a row-major 4x4 matrix (row vectors, as the engine stores them) into GL_TEXTURE, then
    // returns to GL_MODELVIEW; null loads the identity.
    virtual void TextureMatrix(const GLfloat* rowMajor) = 0;
    virtual void PushAllAttributes() = 0;
    virtual void PopAttributes() = 0;
};

// The sink that talks to the current OpenGL context.
TGLStateSink& OpenGLStateSink();

}  // namespace engine
