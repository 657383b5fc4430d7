#pragma once

#include "engine/scene/attached_items.h"

namespace engine {

// A per-frame behaviour attached to a scene object (the game attaches none).
class TGLBehaviour : public TGLAttachedItem {
public:
    using TGLAttachedItem::TGLAttachedItem;

    // A copy of this behaviour owned by another object (deep copies of scene objects).
    virtual std::unique_ptr<TGLBehaviour> Clone(TGLBaseSceneObject* newOwner) const = 0;
};

using TGLBehaviours = TGLAttachedItems<TGLBehaviour>;

}  // namespace engine
