#pragma once

namespace engine {

class TGLWorld;

// What the scene needs from a render buffer attached to it (the viewer implements it).
class TGLAttachedBuffer {
public:
    // Something visible changed: invalidate the view so the next paint renders a frame.
    virtual void SceneChanged(TGLWorld& scene) = 0;
    // The scene is being destroyed: drop every reference to it.
    virtual void SceneDestroying(TGLWorld& scene) = 0;

protected:
    ~TGLAttachedBuffer() = default;
};

}  // namespace engine
