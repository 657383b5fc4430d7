#include "engine/material/shader.h"

#include "engine/core/set_and_notify.h"
#include "engine/material/lib_material.h"
#include "engine/material/material_errors.h"

#include <algorithm>

namespace engine {

TGLShader::TGLShader() = default;

TGLShader::~TGLShader() {
    // Users hold a component link that the base destructor clears.
    NotifyFreed();
}

void TGLShader::SetEnabled(bool enabled) {
    SetAndNotify(m_enabled, enabled, [this] { NotifyUsers(); });
}

void TGLShader::SetShaderStyle(TGLShaderStyle style) {
    SetAndNotify(m_shaderStyle, style, [this] { NotifyUsers(); });
}

void TGLShader::Apply(TRenderContextInfo& rci, TGLLibMaterial& libMaterial) {
    if (!m_enabled) {
        return;
    }
    if (m_inUse) {
        throw EGLShaderException(material_messages::kUnbalancedShader);
    }
    if (!m_initialized) {
        DoInitialize();
        m_initialized = true;
    }
    m_inUse = true;
    try {
        DoApply(rci, libMaterial);
    } catch (...) {
        m_inUse = false;
        throw;
    }
}

bool TGLShader::UnApply(TRenderContextInfo& rci) {
    // Ends a pass even when the shader was disabled meanwhile, so what Apply set up is undone.
    if (!m_inUse) {
        return false;
    }
    const bool again = DoUnApply(rci);
    if (!again) {
        m_inUse = false;
    }
    return again;
}

void TGLShader::NotifyUsers() {
    for (TGLLibMaterial* user : m_users) {
        user->NotifyUsers();
    }
}

void TGLShader::AddUser(TGLLibMaterial* user) {
    if (std::find(m_users.begin(), m_users.end(), user) == m_users.end()) {
        m_users.push_back(user);
    }
}

void TGLShader::RemoveUser(TGLLibMaterial* user) {
    std::erase(m_users, user);
}

}  // namespace engine
