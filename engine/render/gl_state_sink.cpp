#include "engine/render/gl_state_sink.h"

namespace engine {
namespace {

class TOpenGLStateSink final : public TGLStateSink {
public:
    void SetCapability(GLenum capability, bool enabled) override {
        if (enabled) {
            glEnable(capability);
        } else {
            glDisable(capability);
        }
    }
    bool IsCapabilityEnabled(GLenum capability) override { return glIsEnabled(capability) == GL_TRUE; }
    void Material(GLenum face, GLenum parameter, const GLfloat* values) override {
        glMaterialfv(face, parameter, values);
    }
    void PolygonMode(GLenum face, GLenum mode) override { glPolygonMode(face, mode); }
    void Color(const GLfloat* rgba) override { glColor4fv(rgba); }
    void BlendFunc(GLenum source, GLenum destination) override { glBlendFunc(source, destination); }
    void AlphaFunc(GLenum function, GLfloat reference) override { glAlphaFunc(function, reference); }
    void DepthFunc(GLenum function) override { glDepthFunc(function); }
    void BindTexture(GLenum target, GLuint name) override { glBindTexture(target, name); }
    void TextureEnv(GLenum mode, const GLfloat* color) override {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLint>(mode));
        glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, color);
    }
    void TextureMatrix(const GLfloat* rowMajor) override {
        glMatrixMode(GL_TEXTURE);
        if (rowMajor) {
            // A row-major matrix for row vectors is exactly OpenGL's column-major layout.
            glLoadMatrixf(rowMajor);
        } else {
            glLoadIdentity();
        }
        glMatrixMode(GL_MODELVIEW);
    }
    void PushAllAttributes() override { glPushAttrib(GL_ALL_ATTRIB_BITS); }
    void PopAttributes() override { glPopAttrib(); }
};

}  // namespace

TGLStateSink& OpenGLStateSink() {
    static TOpenGLStateSink sink;
    return sink;
}

}  // namespace engine
