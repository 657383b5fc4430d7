#pragma once

#include "engine/core/component.h"

#include <functional>

namespace engine {

// One step of the frame clock, in seconds.
struct TProgressTimes {
    double deltaTime = 0.0;  // since the previous step
    double newTime = 0.0;    // the clock's time for this step
};

// The per-frame callback of scene objects, the scene and the cadencer.
using TGLProgressEvent = std::function<void(TComponent* sender, double deltaTime, double newTime)>;

// A component the cadencer can step once per frame.
class TGLCadenceAbleComponent : public TComponent {
public:
    virtual void DoProgress(const TProgressTimes& times) { (void)times; }
};

}  // namespace engine
