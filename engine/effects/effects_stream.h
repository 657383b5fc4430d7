#pragma once

#include "engine/effects/particle_fx_effect.h"

#include <cstdint>
#include <span>
#include <vector>

namespace engine {

class TGLBaseSceneObject;

// The stored effects list of a scene object: a count, then per effect its class (named on first
// use, then by index), its item header and its fields. Only particle effects are stored; other
// effect kinds are left out of the list.
std::vector<std::uint8_t> WriteObjectEffects(const TGLBaseSceneObject& object);

// Replaces the object's effects by the stored list. Manager names stay pending until the object's
// effects are told Loaded, and are then found through resolve. Malformed data raises
// ETypedValueStreamError and leaves the object's effects as they were.
void ReadObjectEffects(std::span<const std::uint8_t> data, TGLBaseSceneObject& object, const TManagerResolver& resolve);

}  // namespace engine
