#include "engine/scene/world.h"

namespace engine {

void TGLWorld::AdvanceTime(double deltaTime, double newTime) {
    if (OnProgress) {
        OnProgress(this, deltaTime, newTime);
    }
}

}  // namespace engine
