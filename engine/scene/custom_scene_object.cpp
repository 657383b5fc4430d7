#include "engine/scene/custom_scene_object.h"

namespace engine {

std::unique_ptr<TGLBaseSceneObject> TGLCustomSceneObject::NewInstance() const {
    return std::make_unique<TGLCustomSceneObject>();
}

void TGLCustomSceneObject::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* custom = dynamic_cast<const TGLCustomSceneObject*>(&source)) {
        m_hint = custom->m_hint;
    }
    TGLBaseSceneObject::DoCopyFrom(source);
}

std::unique_ptr<TGLBaseSceneObject> TGLMaterialObject::NewInstance() const {
    return std::make_unique<TGLMaterialObject>();
}

std::unique_ptr<TGLBaseSceneObject> TGLImmaterialSceneObject::NewInstance() const {
    return std::make_unique<TGLImmaterialSceneObject>();
}

}  // namespace engine
