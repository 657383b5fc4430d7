#pragma once

#include <SDL.h>

namespace tools {

// A hidden window whose back buffer is the picture, with its OpenGL context current (double
// buffered, 24-bit depth, compatibility profile). Throws std::runtime_error when SDL cannot make
// either.
class HiddenContext {
public:
    HiddenContext(int width, int height);
    ~HiddenContext() { Release(); }
    HiddenContext(const HiddenContext&) = delete;
    HiddenContext& operator=(const HiddenContext&) = delete;

private:
    void Release();

    SDL_Window* m_window = nullptr;
    SDL_GLContext m_context = nullptr;
};

}  // namespace tools
