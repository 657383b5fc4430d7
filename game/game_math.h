#pragma once

#include "engine/core/vector_math.h"
#include "game/game_rules.h"

#include <cmath>

namespace game {

// from + (to - from) · t over all four components: the rules' damping and turning steps.
inline engine::TVec4 Lerp(const engine::TVec4& from, const engine::TVec4& to, float t) {
    return from + (to - from) * t;
}

// One step of a turn by rate; a step that ends within the snap tolerance of the wanted vector on
// every axis lands exactly on it.
inline engine::TVec4 TurnTowards(const engine::TVec4& current, const engine::TVec4& wanted, float rate) {
    const engine::TVec4 next = Lerp(current, wanted, rate);
    const bool close = std::abs(next.X - wanted.X) <= rules::DirectionSnap &&
                       std::abs(next.Y - wanted.Y) <= rules::DirectionSnap &&
                       std::abs(next.Z - wanted.Z) <= rules::DirectionSnap;
    return close ? wanted : next;
}

// The squared distance of two points (X, Y, Z), as a float.
inline float Distance2(const engine::TVec4& a, const engine::TVec4& b) {
    const float dx = a.X - b.X;
    const float dy = a.Y - b.Y;
    const float dz = a.Z - b.Z;
    return dx * dx + dy * dy + dz * dz;
}

inline constexpr engine::TVec4 ZeroVector{0, 0, 0, 0};
inline constexpr engine::TVec4 WorldUp{0, 1, 0, 0};
inline constexpr engine::TVec4 WorldDown{0, -1, 0, 0};

}  // namespace game
