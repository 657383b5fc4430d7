#pragma once

#include "engine/effects/sprite_animation.h"
#include "engine/effects/typed_value_stream.h"

#include <cstdint>
#include <span>
#include <vector>

namespace engine {

namespace sprite_animation_stream {
inline constexpr std::int32_t AnimationVersion = 2;
inline constexpr std::int32_t FrameVersion = 0;
inline constexpr const char* AnimationClass = "TSpriteAnimation";
inline constexpr const char* FrameClass = "TSpriteAnimFrame";
}  // namespace sprite_animation_stream

// The stored form of a sprite's animation list (the "SpriteAnimations" property): a count, then per
// animation its class, item header, format version 2, its frame list (count, classes, and per frame
// item header, version 0, OffsetX, OffsetY, Width, Height), LibMaterialName, CurrentFrame,
// StartFrame, EndFrame, FrameWidth, FrameHeight, Dimensions, Interval and the four margins. A
// scene description stores the property only for a sprite with at least one animation.
std::vector<std::uint8_t> WriteSpriteAnimations(const TSpriteAnimationList& animations);

// Replaces the list's animations with the stored ones. Versions 0 to 2 are read (Interval from 1,
// margins from 2). Anything malformed, an unknown class or a newer version raises
// ETypedValueStreamError and leaves the list as it was.
void ReadSpriteAnimations(TSpriteAnimationList& animations, std::span<const std::uint8_t> data);

}  // namespace engine
