#include "engine/render/gl_state_cache.h"

#include <GL/glext.h>

#include <algorithm>

namespace engine {
namespace {

constexpr std::array<GLenum, kGLStateCount> kCapabilities = {
    GL_ALPHA_TEST,  GL_BLEND,     GL_COLOR_MATERIAL, GL_CULL_FACE,           GL_DEPTH_TEST,    GL_DITHER,
    GL_FOG,         GL_LIGHTING,  GL_LINE_SMOOTH,    GL_NORMALIZE,           GL_POINT_SMOOTH,  GL_POLYGON_OFFSET_FILL,
    GL_SCISSOR_TEST, GL_STENCIL_TEST, GL_TEXTURE_2D, GL_TEXTURE_RECTANGLE,
};

std::size_t FaceIndex(GLenum face) {
    return face == GL_BACK ? 1 : 0;
}

}  // namespace

GLenum GLCapability(TGLState state) {
    return kCapabilities[static_cast<std::size_t>(state)];
}

TGLStateCache::TGLStateCache(TGLStateSink& sink) : m_sink(&sink) {}

void TGLStateCache::SetEnabled(TGLState state, bool enabled) {
    const auto i = static_cast<std::size_t>(state);
    if (m_state.known[i] && m_state.enabled[i] == enabled) {
        return;
    }
    m_sink->SetCapability(GLCapability(state), enabled);
    m_state.known[i] = true;
    m_state.enabled[i] = enabled;
}

bool TGLStateCache::IsEnabled(TGLState state) {
    const auto i = static_cast<std::size_t>(state);
    if (!m_state.known[i]) {
        m_state.enabled[i] = m_sink->IsCapabilityEnabled(GLCapability(state));
        m_state.known[i] = true;
    }
    return m_state.enabled[i];
}

void TGLStateCache::SendMaterialParameter(GLenum face, GLenum parameter, const GLfloat* values,
                                          std::size_t count, GLfloat* cached, bool known) {
    if (known && std::equal(values, values + count, cached)) {
        return;
    }
    std::copy(values, values + count, cached);
    m_sink->Material(face, parameter, values);
}

void TGLStateCache::SetGLMaterialColors(GLenum face, const TGLFaceMaterialState& material) {
    const std::size_t f = FaceIndex(face);
    const bool known = m_state.materialKnown[f];
    TGLFaceMaterialState& cached = m_state.material[f];
    SendMaterialParameter(face, GL_EMISSION, material.emission.data(), 4, cached.emission.data(), known);
    SendMaterialParameter(face, GL_AMBIENT, material.ambient.data(), 4, cached.ambient.data(), known);
    SendMaterialParameter(face, GL_DIFFUSE, material.diffuse.data(), 4, cached.diffuse.data(), known);
    SendMaterialParameter(face, GL_SPECULAR, material.specular.data(), 4, cached.specular.data(), known);
    SendMaterialParameter(face, GL_SHININESS, &material.shininess, 1, &cached.shininess, known);
    m_state.materialKnown[f] = true;
}

void TGLStateCache::SetPolygonMode(GLenum face, GLenum mode) {
    GLenum& cached = m_state.polygonMode[FaceIndex(face)];
    if (cached == mode) {
        return;
    }
    cached = mode;
    m_sink->PolygonMode(face, mode);
}

void TGLStateCache::SetBlendFunc(GLenum source, GLenum destination) {
    if (m_state.blendKnown && m_state.blendSource == source && m_state.blendDestination == destination) {
        return;
    }
    m_state.blendKnown = true;
    m_state.blendSource = source;
    m_state.blendDestination = destination;
    m_sink->BlendFunc(source, destination);
}

void TGLStateCache::SetAlphaFunc(GLenum function, GLfloat reference) {
    if (m_state.alphaFunction == function && m_state.alphaReference == reference) {
        return;
    }
    m_state.alphaFunction = function;
    m_state.alphaReference = reference;
    m_sink->AlphaFunc(function, reference);
}

void TGLStateCache::SetDepthFunc(GLenum function) {
    if (m_state.depthFunction == function) {
        return;
    }
    m_state.depthFunction = function;
    m_sink->DepthFunc(function);
}

void TGLStateCache::BindTexture2D(GLuint name) {
    m_state.boundTexture = name;
    m_sink->BindTexture(GL_TEXTURE_2D, name);
}

void TGLStateCache::PushAllAttributes() {
    m_sink->PushAllAttributes();
    m_saved.push_back(m_state);
}

void TGLStateCache::PopAttributes() {
    m_sink->PopAttributes();
    if (m_saved.empty()) {
        // A pop the cache never saw a push for: OpenGL's state is anyone's guess now.
        Resync();
        return;
    }
    m_state = m_saved.back();
    m_saved.pop_back();
}

void TGLStateCache::Resync() {
    m_state = TCachedState{};
}

}  // namespace engine
