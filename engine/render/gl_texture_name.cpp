#include "engine/render/gl_texture_name.h"

namespace engine {
namespace {

std::uint32_t g_generation = 0;

}  // namespace

std::uint32_t CurrentGLContextGeneration() {
    return g_generation;
}

void BeginGLContextGeneration() {
    ++g_generation;
}

GLuint TGLTextureName::Acquire() {
    if (Get() == 0) {
        glGenTextures(1, &m_name);
        m_generation = g_generation;
    }
    return m_name;
}

void TGLTextureName::Release() {
    if (Get() != 0) {
        glDeleteTextures(1, &m_name);
    }
    m_name = 0;
}

}  // namespace engine
