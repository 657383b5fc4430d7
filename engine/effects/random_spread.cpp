#include "engine/effects/random_spread.h"

#include "platform/random.h"

namespace engine {

namespace {

TVec3 CenteredRandom() {
    const float x = static_cast<float>(platform::RandomFloat()) - 0.5f;
    const float y = static_cast<float>(platform::RandomFloat()) - 0.5f;
    const float z = static_cast<float>(platform::RandomFloat()) - 0.5f;
    return {x, y, z};
}

}  // namespace

TVec3 RandomSpread(float dispersion, const TVec3& range, TGLSourcePFXDispersionMode mode) {
    const TVec3 extent = range * (2.0f * dispersion);
    TVec3 w = CenteredRandom();
    if (mode == sdmIsotropic) {
        // Rejection keeps the points uniform inside the sphere of radius 0.5.
        while (Dot(w, w) > 0.25f) {
            w = CenteredRandom();
        }
    }
    return {w.X * extent.X, w.Y * extent.Y, w.Z * extent.Z};
}

}  // namespace engine
