#include "engine/scene/custom_scene_object.h"

#include "engine/material/material_passes.h"
#include "engine/render/render_context_info.h"
#include "engine/scene/world.h"

namespace engine {

TGLCustomSceneObject::TGLCustomSceneObject() {
    // Material settings live outside the compiled geometry: a change only needs a redraw.
    m_material.OnChange = [this] { SignalChange(); };
}

void TGLCustomSceneObject::DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) {
    if (drawSelf) {
        if (Scene()) {
            Scene()->SetCurrentRenderingObject(this);
        }
        if (rci.ignoreMaterials) {
            DrawGeometry(rci);
        } else {
            DrawPasses(m_material, rci, [&] { DrawGeometry(rci); });
        }
    }
    if (drawChildren) {
        RenderChildRange(0, ChildCount() - 1, rci);
    }
}

std::unique_ptr<TGLBaseSceneObject> TGLCustomSceneObject::NewInstance() const {
    return std::make_unique<TGLCustomSceneObject>();
}

void TGLCustomSceneObject::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* custom = dynamic_cast<const TGLCustomSceneObject*>(&source)) {
        m_material.Assign(custom->m_material);
        m_hint = custom->m_hint;
    }
    TGLBaseSceneObject::DoCopyFrom(source);
}

std::unique_ptr<TGLBaseSceneObject> TGLMaterialObject::NewInstance() const {
    return std::make_unique<TGLMaterialObject>();
}

void TGLImmaterialSceneObject::DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) {
    TGLBaseSceneObject::DrawContents(rci, drawSelf, drawChildren);
}

std::unique_ptr<TGLBaseSceneObject> TGLImmaterialSceneObject::NewInstance() const {
    return std::make_unique<TGLImmaterialSceneObject>();
}

}  // namespace engine
