#include "engine/material/multi_material_shader.h"

#include "engine/material/material_library.h"
#include "engine/render/render_context_info.h"

#include <algorithm>
#include <limits>

namespace engine {

namespace {

// Whether the box of texture coordinates, taken through the material's texture matrix, lies wholly
// beyond one edge of the picture.
bool MappedBeyondAnEdge(const TTexCoordRange& range, const TMat4& m) {
    float minS = std::numeric_limits<float>::max();
    float maxS = std::numeric_limits<float>::lowest();
    float minT = minS;
    float maxT = maxS;
    for (const float s : {range.minS, range.maxS}) {
        for (const float t : {range.minT, range.maxT}) {
            const TVec4 p = Transform(TVec4{s, t, 0, 1}, m);
            minS = std::min(minS, p.X);
            maxS = std::max(maxS, p.X);
            minT = std::min(minT, p.Y);
            maxT = std::max(maxT, p.Y);
        }
    }
    return minS >= 1 || maxS <= 0 || minT >= 1 || maxT <= 0;
}

}  // namespace

// A pass that adds black changes no pixel: additive blending of a clamped picture whose edge gives
// no light (black or transparent in what its format keeps, and not compressed), sampled without
// mipmaps entirely beyond its edges (a range ring moved off the terrain), modulated or replaced,
// unfogged. Such a pass is left out.
bool TGLMultiMaterialShader::PassShowsNothing(const TRenderContextInfo& rci, TGLLibMaterial& libMaterial) {
    TGLMaterial& material = libMaterial.Material();
    if (!rci.drawnTexCoords || libMaterial.Shader() || material.BlendingMode() != TBlendingMode::bmAdditive ||
        !material.HasTexture()) {
        return false;
    }
    const TGLTexture& texture = material.Texture();
    const bool unfogged = material.MaterialOptions().Contains(TMaterialOption::moIgnoreFog) ||
                          !rci.GLStates->IsEnabled(TGLState::stFog);
    const bool colourFromPicture = texture.TextureMode() == TGLTextureMode::tmModulate ||
                                   texture.TextureMode() == TGLTextureMode::tmReplace;
    return !texture.Disabled() && !texture.IsChanged() && texture.BorderIsBlack() && unfogged &&
           colourFromPicture && texture.TextureWrap() == TGLTextureWrap::twNone &&
           !IsMipmapFilter(texture.MinFilter()) &&
           MappedBeyondAnEdge(*rci.drawnTexCoords, libMaterial.TextureMatrix());
}

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
    states.PushAllAttributes();
    m_attributesPushed = true;
    states.Enable(TGLState::stDepthTest);
    states.SetDepthFunc(GL_LEQUAL);
    TGLLibMaterials& materials = library->Materials();
    // The object is drawn at least once, so a pass is applied even when every one would show nothing.
    m_current = NextPass(rci, materials, 0);
    if (m_current == materials.Count()) {
        m_current = 0;
    }
    if (m_current < materials.Count()) {
        try {
            materials[m_current].Apply(rci);
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
        if (m_current < materials.Count()) {
            materials[m_current].UnApply(rci);
        }
        const int next = NextPass(rci, materials, m_current + 1);
        if (next < materials.Count()) {
            try {
                materials[next].Apply(rci);
            } catch (...) {
                Finish(rci);
                throw;
            }
            m_current = next;
            return true;
        }
    }
    Finish(rci);
    return false;
}

int TGLMultiMaterialShader::NextPass(const TRenderContextInfo& rci, TGLLibMaterials& materials, int from) {
    int index = from;
    while (index < materials.Count() && PassShowsNothing(rci, materials[index])) {
        ++index;
    }
    return index;
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
