#pragma once

namespace engine {

// The drawable that holds a render buffer's OpenGL context: the full-screen (or windowed) screen.
// The buffer draws a frame between MakeCurrent and SwapBuffers.
class TGLRenderTarget {
public:
    virtual ~TGLRenderTarget() = default;
    // Makes the context current and points the OpenGL viewport at the area the buffer's logical
    // viewport is shown in (the letterboxed part of the screen).
    virtual void MakeCurrent() = 0;
    virtual void SwapBuffers() = 0;
    // Asks for a swap interval (1 waits for the vertical retrace, 0 does not) when it differs from
    // the current one; false when the driver cannot change it.
    virtual bool SetSwapInterval(int interval) = 0;
};

}  // namespace engine
