// The stored animation list of an animated sprite over any bytes. ETypedValueStreamError is the
// reader's answer. A list that reads is written again and read into a second sprite: every
// animation and frame must come back with the same values.
#include "engine/effects/animated_sprite.h"
#include "engine/effects/sprite_animation_stream.h"
#include "fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>

namespace {

bool SameFrames(const engine::TSpriteAnimFrameList& a, const engine::TSpriteAnimFrameList& b) {
    if (a.Count() != b.Count()) {
        return false;
    }
    for (int i = 0; i < a.Count(); ++i) {
        const engine::TSpriteAnimFrame& x = a.Items(i);
        const engine::TSpriteAnimFrame& y = b.Items(i);
        if (x.Name() != y.Name() || x.OffsetX() != y.OffsetX() || x.OffsetY() != y.OffsetY() ||
            x.Width() != y.Width() || x.Height() != y.Height()) {
            return false;
        }
    }
    return true;
}

bool SameAnimation(const engine::TSpriteAnimation& a, const engine::TSpriteAnimation& b) {
    return a.Name() == b.Name() && SameFrames(a.Frames(), b.Frames()) && a.LibMaterialName() == b.LibMaterialName() &&
           a.CurrentFrame() == b.CurrentFrame() && a.StartFrame() == b.StartFrame() && a.EndFrame() == b.EndFrame() &&
           a.FrameWidth() == b.FrameWidth() && a.FrameHeight() == b.FrameHeight() &&
           a.Dimensions() == b.Dimensions() && a.Interval() == b.Interval() && a.Margins() == b.Margins();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    engine::TGLAnimatedSprite sprite;
    try {
        engine::ReadSpriteAnimations(sprite.Animations(), {data, size});
    } catch (const engine::ETypedValueStreamError&) {
        return 0;
    }
    const std::vector<std::uint8_t> stored = engine::WriteSpriteAnimations(sprite.Animations());
    engine::TGLAnimatedSprite copy;
    try {
        engine::ReadSpriteAnimations(copy.Animations(), stored);
    } catch (const engine::ETypedValueStreamError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        fuzz::Require(false, "stored animations that were read and written again do not read");
    }
    const engine::TSpriteAnimationList& first = sprite.Animations();
    const engine::TSpriteAnimationList& second = copy.Animations();
    fuzz::Require(first.Count() == second.Count(), "the number of animations changed");
    for (int i = 0; i < first.Count(); ++i) {
        fuzz::Require(SameAnimation(first.Items(i), second.Items(i)), "an animation changed on its way back");
    }
    return 0;
}
