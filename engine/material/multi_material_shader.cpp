#include "engine/material/multi_material_shader.h"

#include "engine/material/material_library.h"
#include "engine/material/render_context_info.h"

namespace engine {

TGLMultiMaterialShader::TGLMultiMaterialShader() {
    SetShaderStyle(TGLShaderStyle::ShaderReplaces);
}

void TGLMultiMaterialShader::SetMaterialLibrary(TGLMaterialLibrary* library) {
    if (library == m_materialLibrary.Get()) {
        return;
    }
    m_materialLibrary.Set(library);
    NotifyUsers();
}

void TGLMultiMaterialShader::DoApply(TRenderContextInfo& rci, TGLLibMaterial&) {
    TGLMaterialLibrary* library = m_materialLibrary.Get();
    if (!library) {
        return;
    }
    TGLStateCache& states = *rci.GLStates;
    m_pass = 1;
    states.PushAllAttributes();
    m_attributesPushed = true;
    states.Enable(TGLState::stDepthTest);
    states.SetDepthFunc(GL_LEQUAL);
    if (library->Materials().Count() > 0) {
        try {
            library->Materials()[0].Apply(rci);
        } catch (...) {
            Finish(rci);
            throw;
        }
    }
}

bool TGLMultiMaterialShader::DoUnApply(TRenderContextInfo& rci) {
    TGLMaterialLibrary* library = m_materialLibrary.Get();
    if (library && m_attributesPushed) {
        TGLLibMaterials& materials = library->Materials();
        // The library may have changed between passes: only indices still valid are used.
        if (m_pass - 1 < materials.Count()) {
            materials[m_pass - 1].UnApply(rci);
        }
        if (m_pass < materials.Count()) {
            try {
                materials[m_pass].Apply(rci);
            } catch (...) {
                Finish(rci);
                throw;
            }
            ++m_pass;
            return true;
        }
    }
    Finish(rci);
    return false;
}

void TGLMultiMaterialShader::Finish(TRenderContextInfo& rci) {
    if (!m_attributesPushed) {
        return;
    }
    m_attributesPushed = false;
    rci.GLStates->SetDepthFunc(GL_LESS);
    rci.GLStates->PopAttributes();
}

}  // namespace engine
