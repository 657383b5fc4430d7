#include "tests/support/gl_test_context.h"

#include "engine/platform/sdl_video.h"

#include <SDL.h>
#include <GL/gl.h>

#include <stdexcept>
#include <string>

namespace tests {

void HoldDisplay() {
    static const bool started = engine::AcquireSdlVideo();
    if (!started) {
        throw std::runtime_error(std::string("SDL video: ") + SDL_GetError());
    }
}

std::uint32_t BackBufferPixel(int x, int y) {
    std::uint8_t p[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

GLTestContext::GLTestContext(int width, int height) : m_width(width), m_height(height) {
    HoldDisplay();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    m_window = SDL_CreateWindow("test", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!m_window) {
        throw std::runtime_error(std::string("SDL window: ") + SDL_GetError());
    }
    m_context = SDL_GL_CreateContext(static_cast<SDL_Window*>(m_window));
    if (!m_context) {
        SDL_DestroyWindow(static_cast<SDL_Window*>(m_window));
        throw std::runtime_error(std::string("GL context: ") + SDL_GetError());
    }
    glViewport(0, 0, width, height);
}

GLTestContext::~GLTestContext() {
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(m_context));
    SDL_DestroyWindow(static_cast<SDL_Window*>(m_window));
}

std::vector<std::uint8_t> GLTestContext::ReadPixels() const {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(m_width) * m_height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

}  // namespace tests
