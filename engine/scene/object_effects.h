#pragma once

#include "engine/scene/attached_items.h"

namespace engine {

struct TRenderContextInfo;

// When the render traversal draws an effect relative to its owner.
enum TGLObjectEffectKind { ekPre, ekPost, ekAfter };

// A visual effect attached to a scene object, progressed and drawn with it.
class TGLObjectEffect : public TGLAttachedItem {
public:
    using TGLAttachedItem::TGLAttachedItem;

    virtual TGLObjectEffectKind Kind() const = 0;
    // Draws the effect under the owner's transform (an after-effect: under the camera's view, after
    // the whole tree); rci.buffer is the buffer drawing the frame. An effect that only progresses
    // draws nothing.
    virtual void Render(TRenderContextInfo& rci) { (void)rci; }
    // A copy of this effect owned by another object (deep copies of scene objects).
    virtual std::unique_ptr<TGLObjectEffect> Clone(TGLBaseSceneObject* newOwner) const = 0;
};

// Drawn before the owner's contents.
class TGLObjectPreEffect : public TGLObjectEffect {
public:
    using TGLObjectEffect::TGLObjectEffect;
    TGLObjectEffectKind Kind() const override { return ekPre; }
};

// Drawn after the owner's contents (particle sources are these).
class TGLObjectPostEffect : public TGLObjectEffect {
public:
    using TGLObjectEffect::TGLObjectEffect;
    TGLObjectEffectKind Kind() const override { return ekPost; }
};

// Collected during the traversal and drawn after the whole tree.
class TGLObjectAfterEffect : public TGLObjectEffect {
public:
    using TGLObjectEffect::TGLObjectEffect;
    TGLObjectEffectKind Kind() const override { return ekAfter; }
};

using TGLObjectEffects = TGLAttachedItems<TGLObjectEffect>;

}  // namespace engine
