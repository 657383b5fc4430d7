#pragma once

#include "engine/core/vector_math.h"

namespace engine {

// How a dispersion spreads: over a box or over an ellipsoid.
enum TGLSourcePFXDispersionMode { sdmFast, sdmIsotropic };

// A random offset uniform in the box of half-extents dispersion·range (sdmFast) or in the ellipsoid
// of those semi-axes (sdmIsotropic), drawn from the shared generator.
TVec3 RandomSpread(float dispersion, const TVec3& range, TGLSourcePFXDispersionMode mode);

}  // namespace engine
