#include "tools/assetview/render/hidden_context.h"

#include "engine/platform/sdl_video.h"

#include <stdexcept>
#include <string>

namespace tools {

HiddenContext::HiddenContext(int width, int height) {
    if (!engine::AcquireSdlVideo()) {
        throw std::runtime_error(std::string("SDL video: ") + SDL_GetError());
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    m_window = SDL_CreateWindow("assetview", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (m_window) {
        m_context = SDL_GL_CreateContext(m_window);
    }
    if (!m_context) {
        const std::string reason = SDL_GetError();
        Release();
        throw std::runtime_error("OpenGL context: " + reason);
    }
}

void HiddenContext::Release() {
    if (m_context) {
        SDL_GL_DeleteContext(m_context);
    }
    if (m_window) {
        SDL_DestroyWindow(m_window);
    }
    engine::ReleaseSdlVideo();
}

}  // namespace tools
