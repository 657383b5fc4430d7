#include "engine/material/lib_material.h"

#include "engine/core/set_and_notify.h"
#include "engine/material/material_library.h"
#include "engine/render/render_context_info.h"

#include <algorithm>
#include <cstdint>

namespace engine {

std::int32_t LibMaterialNameHash(const std::string& name) {
    auto hash = static_cast<std::uint32_t>(name.size());
    for (const char c : name) {
        hash = static_cast<std::uint8_t>(c) + 2u * hash;
    }
    return static_cast<std::int32_t>(hash);
}

TGLLibMaterial::TGLLibMaterial(TGLMaterialLibrary& library, std::string name)
    : m_library(&library), m_name(std::move(name)), m_nameHash(LibMaterialNameHash(m_name)) {
    m_material.OnChange = [this] { NotifyUsers(); };
    m_material.OnResolveTextureFileName = [this](const std::string& fileName) {
        return m_library->ResolveTextureFileName(fileName);
    };
    m_shader.SetOnFreed([this] { NotifyUsers(); });
}

TGLLibMaterial::~TGLLibMaterial() {
    if (m_shader) {
        m_shader->RemoveUser(this);
    }
    DropUsers();
}

int TGLLibMaterial::Index() const {
    return m_library->Materials().IndexOf(this);
}

void TGLLibMaterial::SetName(const std::string& name) {
    if (name == m_name) {
        return;
    }
    const std::string oldName = m_name;
    m_name = m_library->Materials().MakeUniqueName(name, this);
    m_nameHash = LibMaterialNameHash(m_name);
    m_library->Materials().Renamed(*this, oldName);
    DropUsers();
}

void TGLLibMaterial::SetTexture2Name(const std::string& name) {
    SetAndNotify(m_texture2Name, name, [this] { NotifyUsers(); });
}

void TGLLibMaterial::SetShader(TGLShader* shader) {
    if (shader == m_shader.Get()) {
        return;
    }
    if (m_shader) {
        m_shader->RemoveUser(this);
    }
    m_shader.Set(shader);
    if (shader) {
        shader->AddUser(this);
    }
    NotifyUsers();
}

void TGLLibMaterial::CoordinatesChanged(TGLCoordinates&) {
    UpdateTextureMatrix();
    NotifyUsers();
}

void TGLLibMaterial::UpdateTextureMatrix() {
    const TVec4& offset = m_textureOffset.AsVector();
    const TVec4& scale = m_textureScale.AsVector();
    m_textureMatrixIsIdentity = offset == TVec4{0, 0, 0, 0} && scale == TVec4{1, 1, 1, 0};
    m_textureMatrix = IdentityMatrix;
    if (!m_textureMatrixIsIdentity) {
        m_textureMatrix[0].X = scale.X;
        m_textureMatrix[1].Y = scale.Y;
        m_textureMatrix[2].Z = scale.Z;
        m_textureMatrix[3] = TVec4{offset.X, offset.Y, offset.Z, 1};
    }
}

void TGLLibMaterial::Apply(TRenderContextInfo& rci) {
    TGLShader* shader = m_shader && m_shader->Enabled() ? m_shader.Get() : nullptr;
    const TGLShaderStyle style = shader ? shader->ShaderStyle() : TGLShaderStyle::ShaderLast;
    const bool own = !(shader && style == TGLShaderStyle::ShaderReplaces);
    const bool loadMatrix =
        own && !m_textureMatrixIsIdentity && m_material.HasTexture() && !m_material.Texture().Disabled();
    TGLLibMaterial* previous = rci.currentLibMaterial;
    rci.currentLibMaterial = this;
    bool ownApplied = false;
    try {
        if (shader && style != TGLShaderStyle::ShaderLast) {
            shader->Apply(rci, *this);
        }
        if (own) {
            if (loadMatrix) {
                rci.GLStates->SetTextureMatrix(&m_textureMatrix[0].X);
            }
            m_material.ApplyOwn(rci);
            ownApplied = true;
            if (shader && style == TGLShaderStyle::ShaderLast) {
                shader->Apply(rci, *this);
            }
        }
    } catch (...) {
        // Leave nothing of this failed pass behind.
        if (ownApplied) {
            m_material.UnApplyOwn(rci);
        }
        if (loadMatrix) {
            rci.GLStates->ResetTextureMatrix();
        }
        rci.currentLibMaterial = previous;
        throw;
    }
    m_ownApplied = own;
    m_textureMatrixLoaded = loadMatrix;
    m_previousLibMaterial = previous;
    m_appliedShader = shader;
    m_appliedStyle = style;
    ++m_applied;
}

bool TGLLibMaterial::UnApply(TRenderContextInfo& rci) {
    if (m_applied == 0) {
        return false;
    }
    // A shader destroyed in the middle of a pass has nothing left to undo.
    TGLShader* shader = m_appliedShader == m_shader.Get() ? m_appliedShader : nullptr;
    if (shader && m_appliedStyle != TGLShaderStyle::ShaderFirst && shader->UnApply(rci)) {
        return true;
    }
    UndoOwn(rci);
    if (shader && m_appliedStyle == TGLShaderStyle::ShaderFirst && shader->UnApply(rci)) {
        return true;
    }
    --m_applied;
    m_appliedShader = nullptr;
    rci.currentLibMaterial = m_previousLibMaterial;
    return false;
}

void TGLLibMaterial::UndoOwn(TRenderContextInfo& rci) {
    if (!m_ownApplied) {
        return;
    }
    m_ownApplied = false;
    m_material.UnApplyOwn(rci);
    if (m_textureMatrixLoaded) {
        m_textureMatrixLoaded = false;
        rci.GLStates->ResetTextureMatrix();
    }
}

void TGLLibMaterial::AddUser(TGLMaterial* user) {
    if (std::find(m_users.begin(), m_users.end(), user) == m_users.end()) {
        m_users.push_back(user);
    }
}

void TGLLibMaterial::RemoveUser(TGLMaterial* user) {
    std::erase(m_users, user);
}

void TGLLibMaterial::NotifyUsers() {
    // A user's OnChange may relink materials, so walk a copy.
    const std::vector<TGLMaterial*> users = m_users;
    for (TGLMaterial* user : users) {
        if (std::find(m_users.begin(), m_users.end(), user) != m_users.end()) {
            user->LinkedMaterialChanged();
        }
    }
}

void TGLLibMaterial::DropUsers() {
    while (!m_users.empty()) {
        TGLMaterial* user = m_users.back();
        m_users.pop_back();
        user->LinkedMaterialGone();
    }
}

}  // namespace engine
