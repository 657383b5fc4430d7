#pragma once

#include "engine/core/component.h"
#include "engine/core/progress_times.h"

namespace engine {

// The scene: the object tree the game builds, moves and progresses once per frame.
class TGLWorld : public TComponent {
public:
    TGLWorld() = default;

    // One frame step of the whole tree.
    void AdvanceTime(double deltaTime, double newTime);

    TGLProgressEvent OnProgress;
};

}  // namespace engine
