#pragma once

#include "engine/core/component.h"

#include <cstdint>
#include <vector>

namespace engine {

class TGLLibMaterial;
struct TRenderContextInfo;

// When a library material runs its shader relative to its own material.
enum class TGLShaderStyle : std::uint8_t { ShaderFirst, ShaderLast, ShaderReplaces };

// Something a library material runs around (or instead of) its own material when it is applied.
// Apply and UnApply bracket every draw of an object; UnApply answering true asks for another pass.
class TGLShader : public TComponent {
public:
    TGLShader();
    ~TGLShader() override;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    TGLShaderStyle ShaderStyle() const { return m_shaderStyle; }
    void SetShaderStyle(TGLShaderStyle style);

    // A disabled shader does nothing. Applying it again before its last pass ended throws
    // EGLShaderException "Unbalanced shader application.".
    void Apply(TRenderContextInfo& rci, TGLLibMaterial& libMaterial);
    // False (no further pass) when the shader is not in use.
    bool UnApply(TRenderContextInfo& rci);
    bool InUse() const { return m_inUse; }

    // The library materials using this shader.
    const std::vector<TGLLibMaterial*>& Users() const { return m_users; }

protected:
    virtual void DoInitialize() {}
    virtual void DoApply(TRenderContextInfo& rci, TGLLibMaterial& libMaterial) = 0;
    virtual bool DoUnApply(TRenderContextInfo& rci) = 0;
    // Users redraw after a change.
    void NotifyUsers();

private:
    friend class TGLLibMaterial;
    void AddUser(TGLLibMaterial* user);
    void RemoveUser(TGLLibMaterial* user);

    bool m_enabled = true;
    TGLShaderStyle m_shaderStyle = TGLShaderStyle::ShaderLast;
    bool m_initialized = false;
    bool m_inUse = false;
    std::vector<TGLLibMaterial*> m_users;
};

}  // namespace engine
