#pragma once

#include "engine/material/material.h"
#include "engine/scene/scene_object.h"

#include <string>

namespace engine {

// A scene object that carries a material; blending follows the material. Its contents are drawn
// through the material's passes: apply, draw, and draw again for as long as the material asks.
class TGLCustomSceneObject : public TGLBaseSceneObject {
public:
    TGLCustomSceneObject();

    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint) { m_hint = hint; }

    bool IsBlended() const override { return m_material.IsBlended(); }
    void DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    TGLMaterial& Material() { return m_material; }
    const TGLMaterial& Material() const { return m_material; }
    // Copies the Material (with its library link) and Hint, then the base data.
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:
    TGLMaterial m_material;
    std::string m_hint;
};

// Publishes its material: the base of planes, sprites and meshes.
class TGLMaterialObject : public TGLCustomSceneObject {
public:
    using TGLCustomSceneObject::Material;

    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;
};

// Draws without applying its material: the base of HUD text and dummy cubes.
class TGLImmaterialSceneObject : public TGLCustomSceneObject {
public:
    void DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;
};

}  // namespace engine
