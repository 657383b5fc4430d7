#include "engine/scene/root_object.h"

namespace engine {

TGLRootObject::TGLRootObject(TGLWorld* scene) {
    SetObjectStyle(DrawDirect);
    MakeSceneRoot(scene);
}

std::unique_ptr<TGLBaseSceneObject> TGLRootObject::NewInstance() const {
    return std::make_unique<TGLRootObject>(nullptr);
}

}  // namespace engine
