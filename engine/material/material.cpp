#include "engine/material/material.h"

#include "engine/core/set_and_notify.h"
#include "engine/material/lib_material.h"
#include "engine/material/material_errors.h"
#include "engine/material/material_library.h"
#include "engine/render/render_context_info.h"

namespace engine {
namespace {

// A chain of library materials this long is taken for a cycle.
constexpr int kMaxLinkChain = 16;

}  // namespace

TGLMaterial::TGLMaterial() {
    m_front.OnChange = [this] { Changed(); };
    m_materialLibrary.SetOnFreed([this] {
        Link(nullptr);
        Changed();
    });
}

TGLMaterial::~TGLMaterial() {
    Link(nullptr);
}

void TGLMaterial::Changed() {
    if (OnChange) {
        OnChange();
    }
}

TGLFaceProperties& TGLMaterial::BackProperties() {
    if (!m_back) {
        m_back = std::make_unique<TGLFaceProperties>();
        m_back->OnChange = [this] { Changed(); };
    }
    return *m_back;
}

void TGLMaterial::SetBlendingMode(TBlendingMode mode) {
    SetAndNotify(m_blendingMode, mode, [this] { Changed(); });
}

void TGLMaterial::SetMaterialOptions(TMaterialOptions options) {
    SetAndNotify(m_materialOptions, options, [this] { Changed(); });
}

void TGLMaterial::SetFaceCulling(TFaceCulling culling) {
    SetAndNotify(m_faceCulling, culling, [this] { Changed(); });
}

TGLTexture& TGLMaterial::Texture() {
    if (!m_texture) {
        m_texture = std::make_unique<TGLTexture>();
        m_texture->OnChange = [this] { Changed(); };
        m_texture->OnResolveFileName = [this](const std::string& name) {
            return OnResolveTextureFileName ? OnResolveTextureFileName(name) : name;
        };
    }
    return *m_texture;
}

namespace {

// Follows the links from target and throws when the chain is 16 or more long; a chain that comes
// back to self (whose link is about to become target) is a cycle and counts on until it throws.
void CheckLinkChain(const TGLMaterial* self, TGLLibMaterial* target) {
    int links = 0;
    for (TGLLibMaterial* current = target; current;) {
        if (++links >= kMaxLinkChain) {
            throw EGLMaterialException(material_messages::kCyclicReference);
        }
        const TGLMaterial& material = current->Material();
        current = &material == self ? target : material.LibMaterial();
    }
}

}  // namespace

void TGLMaterial::SetMaterialLibrary(TGLMaterialLibrary* library) {
    TGLLibMaterial* found = library ? library->FindMaterial(m_libMaterialName) : nullptr;
    CheckLinkChain(this, found);
    const bool changed = library != m_materialLibrary.Get() || found != m_libMaterial;
    m_materialLibrary.Set(library);
    Link(found);
    if (changed) {
        Changed();
    }
}

void TGLMaterial::SetLibMaterialName(const std::string& name) {
    TGLLibMaterial* found = m_materialLibrary ? m_materialLibrary->FindMaterial(name) : nullptr;
    CheckLinkChain(this, found);
    const bool changed = name != m_libMaterialName || found != m_libMaterial;
    m_libMaterialName = name;
    Link(found);
    if (changed) {
        Changed();
    }
}

void TGLMaterial::Link(TGLLibMaterial* target) {
    if (target == m_libMaterial) {
        return;
    }
    if (m_libMaterial) {
        m_libMaterial->RemoveUser(this);
    }
    m_libMaterial = target;
    if (m_libMaterial) {
        m_libMaterial->AddUser(this);
    }
}

void TGLMaterial::LinkedMaterialGone() {
    m_libMaterial = nullptr;
    Changed();
}

void TGLMaterial::Assign(const TGLMaterial& source) {
    if (&source == this) {
        return;
    }
    TGLLibMaterial* found =
        source.m_materialLibrary ? source.m_materialLibrary->FindMaterial(source.m_libMaterialName) : nullptr;
    CheckLinkChain(this, found);
    m_front.Assign(source.m_front);
    if (source.m_back) {
        BackProperties().Assign(*source.m_back);
    } else {
        m_back.reset();
    }
    m_blendingMode = source.m_blendingMode;
    m_materialOptions = source.m_materialOptions;
    m_faceCulling = source.m_faceCulling;
    if (source.m_texture) {
        Texture().Assign(*source.m_texture);
    } else {
        m_texture.reset();
    }
    m_materialLibrary.Set(source.m_materialLibrary.Get());
    m_libMaterialName = source.m_libMaterialName;
    Link(found);
    Changed();
}

bool TGLMaterial::IsBlended() const {
    if (m_libMaterial) {
        return m_libMaterial->Material().IsBlended();
    }
    return m_blendingMode == TBlendingMode::bmTransparency || m_blendingMode == TBlendingMode::bmAdditive ||
           m_blendingMode == TBlendingMode::bmModulate;
}

void TGLMaterial::BeginPass(TRenderContextInfo& rci) {
    if (m_libMaterial) {
        m_libMaterial->Apply(rci);
        return;
    }
    ApplyOwn(rci);
}

bool TGLMaterial::EndPass(TRenderContextInfo& rci) {
    if (m_libMaterial) {
        return m_libMaterial->UnApply(rci);
    }
    UnApplyOwn(rci);
    return false;
}

void TGLMaterial::ApplyOwn(TRenderContextInfo& rci) {
    TGLStateCache& states = *rci.GLStates;
    m_disabledLighting = false;
    if (m_materialOptions.Contains(TMaterialOption::moNoLighting) && states.IsEnabled(TGLState::stLighting)) {
        states.Disable(TGLState::stLighting);
        ++rci.lightingDisabledCounter;
        m_disabledLighting = true;
    }
    if (states.IsEnabled(TGLState::stLighting)) {
        m_front.Apply(states, GL_FRONT);
    } else {
        states.SetColor(m_front.Diffuse().AsArray());
        states.SetPolygonMode(GL_FRONT, GLPolygonMode(m_front.PolygonMode()));
    }
    ApplyCulling(rci);
    if (!rci.ignoreBlendingRequests) {
        ApplyBlending(rci);
    }
    m_disabledFog = false;
    if (m_materialOptions.Contains(TMaterialOption::moIgnoreFog) && states.IsEnabled(TGLState::stFog)) {
        states.Disable(TGLState::stFog);
        ++rci.fogDisabledCounter;
        m_disabledFog = true;
    }
    if (m_texture) {
        m_texture->BindForDrawing(rci);
    }
}

void TGLMaterial::ApplyCulling(TRenderContextInfo& rci) {
    TGLStateCache& states = *rci.GLStates;
    const bool cullFaces = m_faceCulling == TFaceCulling::fcCull ||
                           (m_faceCulling == TFaceCulling::fcBufferDefault && rci.bufferFaceCull);
    if (states.IsEnabled(TGLState::stCullFace)) {
        if (!cullFaces) {
            states.Disable(TGLState::stCullFace);
            BackProperties().Apply(states, GL_BACK);
        }
    } else if (cullFaces) {
        states.Enable(TGLState::stCullFace);
    } else {
        BackProperties().Apply(states, GL_BACK);
    }
}

void TGLMaterial::ApplyBlending(TRenderContextInfo& rci) {
    TGLStateCache& states = *rci.GLStates;
    switch (m_blendingMode) {
        case TBlendingMode::bmOpaque:
            states.Disable(TGLState::stBlend);
            states.Disable(TGLState::stAlphaTest);
            break;
        case TBlendingMode::bmTransparency:
            states.Enable(TGLState::stBlend);
            states.Enable(TGLState::stAlphaTest);
            states.SetBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            break;
        case TBlendingMode::bmAdditive:
            states.Enable(TGLState::stBlend);
            states.Enable(TGLState::stAlphaTest);
            states.SetBlendFunc(GL_SRC_ALPHA, GL_ONE);
            break;
        case TBlendingMode::bmAlphaTest50:
            states.Disable(TGLState::stBlend);
            states.Enable(TGLState::stAlphaTest);
            states.SetAlphaFunc(GL_GEQUAL, 0.5f);
            break;
        case TBlendingMode::bmAlphaTest100:
            states.Disable(TGLState::stBlend);
            states.Enable(TGLState::stAlphaTest);
            states.SetAlphaFunc(GL_GEQUAL, 1.0f);
            break;
        case TBlendingMode::bmModulate:
            states.Enable(TGLState::stBlend);
            states.Enable(TGLState::stAlphaTest);
            states.SetBlendFunc(GL_DST_COLOR, GL_ZERO);
            break;
    }
}

void TGLMaterial::UnApplyOwn(TRenderContextInfo& rci) {
    TGLStateCache& states = *rci.GLStates;
    if (m_blendingMode == TBlendingMode::bmAlphaTest50 || m_blendingMode == TBlendingMode::bmAlphaTest100) {
        states.SetAlphaFunc(GL_GREATER, 0.0f);
    }
    if (m_disabledLighting) {
        m_disabledLighting = false;
        if (rci.lightingDisabledCounter > 0 && --rci.lightingDisabledCounter == 0) {
            states.Enable(TGLState::stLighting);
        }
    }
    if (m_disabledFog) {
        m_disabledFog = false;
        if (rci.fogDisabledCounter > 0 && --rci.fogDisabledCounter == 0) {
            states.Enable(TGLState::stFog);
        }
    }
    if (m_texture && !m_texture->Disabled()) {
        m_texture->ReleaseAfterDrawing(rci);
    }
}

}  // namespace engine
