#pragma once

#include "engine/render/gl_state_sink.h"

#include <GL/gl.h>

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace engine {

// The OpenGL capabilities the engine switches through the cache.
enum class TGLState : std::uint8_t {
    stAlphaTest,
    stBlend,
    stColorMaterial,
    stCullFace,
    stDepthTest,
    stDither,
    stFog,
    stLighting,
    stLineSmooth,
    stNormalize,
    stPointSmooth,
    stPolygonOffsetFill,
    stScissorTest,
    stStencilTest,
    stTexture2D,
    stTextureRect,
};
inline constexpr std::size_t kGLStateCount = 16;

GLenum GLCapability(TGLState state);

// One face's lighting material as last sent to OpenGL.
struct TGLFaceMaterialState {
    std::array<GLfloat, 4> emission{};
    std::array<GLfloat, 4> ambient{};
    std::array<GLfloat, 4> diffuse{};
    std::array<GLfloat, 4> specular{};
    GLfloat shininess = 0;
};

// Remembers the OpenGL state last set through it and sends a change only when it differs, so that
// objects drawn one after another do not repeat each other's state. State the cache has not seen
// yet (after creation or Resync) is unknown: a change is always sent and a query asks OpenGL.
// One cache belongs to one rendering context.
class TGLStateCache {
public:
    explicit TGLStateCache(TGLStateSink& sink = OpenGLStateSink());

    TGLStateSink& Sink() { return *m_sink; }

    void Enable(TGLState state) { SetEnabled(state, true); }
    void Disable(TGLState state) { SetEnabled(state, false); }
    void SetEnabled(TGLState state, bool enabled);
    bool IsEnabled(TGLState state);

    // face is GL_FRONT or GL_BACK; each parameter is sent only when it differs from the last sent.
    void SetGLMaterialColors(GLenum face, const TGLFaceMaterialState& material);
    void SetPolygonMode(GLenum face, GLenum mode);
    // The current colour is not cached: vertex colours change it behind the cache's back.
    void SetColor(const GLfloat* rgba) { m_sink->Color(rgba); }
    void SetBlendFunc(GLenum source, GLenum destination);
    void SetAlphaFunc(GLenum function, GLfloat reference);
    void SetDepthFunc(GLenum function);
    // Always sent: OpenGL reuses deleted texture names, so a remembered name may no longer be bound.
    void BindTexture2D(GLuint name);
    GLuint BoundTexture2D() const { return m_state.boundTexture; }
    void SetTextureEnv(GLenum mode, const GLfloat* color) { m_sink->TextureEnv(mode, color); }
    void SetTextureMatrix(const GLfloat* rowMajor) { m_sink->TextureMatrix(rowMajor); }
    void ResetTextureMatrix() { m_sink->TextureMatrix(nullptr); }

    // glPushAttrib(GL_ALL_ATTRIB_BITS) / glPopAttrib: the cache saves and restores its own picture
    // alongside, so it agrees with OpenGL after the pop.
    void PushAllAttributes();
    void PopAttributes();

    // Forgets everything, for when state was changed directly in OpenGL.
    void Resync();

private:
    struct TCachedState {
        std::bitset<kGLStateCount> known;
        std::bitset<kGLStateCount> enabled;
        std::array<bool, 2> materialKnown{};
        std::array<TGLFaceMaterialState, 2> material{};
        std::array<GLenum, 2> polygonMode{};  // 0 = unknown
        bool blendKnown = false;
        GLenum blendSource = 0;
        GLenum blendDestination = 0;
        GLenum alphaFunction = 0;  // 0 = unknown
        GLfloat alphaReference = 0;
        GLenum depthFunction = 0;  // 0 = unknown
        GLuint boundTexture = 0;
    };

    void SendMaterialParameter(GLenum face, GLenum parameter, const GLfloat* values, std::size_t count,
                               GLfloat* cached, bool known);

    TGLStateSink* m_sink;
    TCachedState m_state;
    std::vector<TCachedState> m_saved;
};

}  // namespace engine
