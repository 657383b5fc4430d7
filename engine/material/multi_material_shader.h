#pragma once

#include "engine/material/shader.h"

namespace engine {

class TGLLibMaterials;
class TGLMaterialLibrary;

// Draws an object once per material of its own library, in collection order, each pass with that
// material's blending, texture, texture matrix and options. Later passes land exactly on earlier
// ones because the depth test passes equal depths meanwhile. Its style is ShaderReplaces: the
// library material it is attached to contributes nothing of its own.
class TGLMultiMaterialShader : public TGLShader {
public:
    TGLMultiMaterialShader();

    TGLMaterialLibrary* MaterialLibrary() const { return m_materialLibrary.Get(); }
    void SetMaterialLibrary(TGLMaterialLibrary* library);
    // Whether the editor of a designed scene would draw it; stored only.
    bool VisibleAtDesignTime() const { return m_visibleAtDesignTime; }
    void SetVisibleAtDesignTime(bool visible) { m_visibleAtDesignTime = visible; }

protected:
    void DoApply(TRenderContextInfo& rci, TGLLibMaterial& libMaterial) override;
    bool DoUnApply(TRenderContextInfo& rci) override;

private:
    void Finish(TRenderContextInfo& rci);
    // The first material from index on whose pass would change pixels (Count when none).
    static int NextPass(const TRenderContextInfo& rci, TGLLibMaterials& materials, int from);
    static bool PassShowsNothing(const TRenderContextInfo& rci, TGLLibMaterial& libMaterial);

    TComponentLink<TGLMaterialLibrary> m_materialLibrary;
    bool m_visibleAtDesignTime = false;
    int m_current = 0;           // index of the material applied for this pass
    bool m_attributesPushed = false;
};

}  // namespace engine
