#pragma once

#include "engine/core/component.h"

namespace engine {

// One step of the frame clock, in seconds.
struct TProgressTimes {
    double deltaTime = 0.0;  // since the previous step
    double newTime = 0.0;    // the clock's time for this step
};

// A component the cadencer can step once per frame.
class TGLCadenceAbleComponent : public TComponent {
public:
    virtual void DoProgress(const TProgressTimes& times) { (void)times; }
};

}  // namespace engine
