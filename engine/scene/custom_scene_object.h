#pragma once

#include "engine/scene/scene_object.h"

#include <string>

namespace engine {

// A scene object that carries a material; blending follows the material.
class TGLCustomSceneObject : public TGLBaseSceneObject {
public:
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint) { m_hint = hint; }

    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:
    std::string m_hint;
};

// Publishes its material: the base of planes, sprites and meshes.
class TGLMaterialObject : public TGLCustomSceneObject {
public:
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;
};

// Draws without applying its material: the base of HUD text and dummy cubes.
class TGLImmaterialSceneObject : public TGLCustomSceneObject {
public:
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;
};

}  // namespace engine
