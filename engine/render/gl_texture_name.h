#pragma once

#include <GL/gl.h>

#include <cstdint>

namespace engine {

// The viewer makes a new OpenGL context each time it takes the screen, and a texture name belongs to
// the context it was made in. Whoever makes a context starts a new generation; names from earlier
// generations are then forgotten (their context took them along), not deleted.
std::uint32_t CurrentGLContextGeneration();
void BeginGLContextGeneration();

// One texture name of the current context, made on demand.
class TGLTextureName {
public:
    TGLTextureName() = default;
    TGLTextureName(const TGLTextureName&) = delete;
    TGLTextureName& operator=(const TGLTextureName&) = delete;
    ~TGLTextureName() { Release(); }

    // The name, or 0 when none was made in the current context.
    GLuint Get() const { return m_generation == CurrentGLContextGeneration() ? m_name : 0; }
    // The name, made first when there is none in the current context.
    GLuint Acquire();
    // Deletes the name when it belongs to the current context; forgets it in any case.
    void Release();

private:
    GLuint m_name = 0;
    std::uint32_t m_generation = 0;
};

}  // namespace engine
