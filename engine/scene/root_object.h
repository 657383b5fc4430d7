#pragma once

#include "engine/scene/scene_object.h"

namespace engine {

// One of the two roots a scene owns; never has a parent, and its children's world matrices ignore it.
class TGLRootObject final : public TGLBaseSceneObject {
public:
    explicit TGLRootObject(TGLWorld* scene);
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;
};

}  // namespace engine
