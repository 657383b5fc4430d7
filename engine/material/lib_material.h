#pragma once

#include "engine/core/component.h"
#include "engine/core/coordinates.h"
#include "engine/core/vector_math.h"
#include "engine/material/material.h"
#include "engine/material/shader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

class TGLMaterialLibrary;
struct TRenderContextInfo;

// The hash FindMaterial compares first: h = length, then h = c + 2·h for each byte (32-bit wrap).
std::int32_t LibMaterialNameHash(const std::string& name);

// A named material of a library, with a texture offset and scale and an optional shader. Materials
// link to it by name; it keeps the list of those users and tells them when it changes or goes.
class TGLLibMaterial final : private TGLCoordinatesOwner {
public:
    // Made by TGLLibMaterials::Add, which names it.
    TGLLibMaterial(TGLMaterialLibrary& library, std::string name);
    ~TGLLibMaterial();
    TGLLibMaterial(const TGLLibMaterial&) = delete;
    TGLLibMaterial& operator=(const TGLLibMaterial&) = delete;

    TGLMaterialLibrary& MaterialLibrary() const { return *m_library; }
    int Index() const;

    const std::string& Name() const { return m_name; }
    // Names are unique within the library: a name another material has gets the lowest number
    // appended that makes it unique. Users linked by the old name are unlinked.
    void SetName(const std::string& name);
    std::int32_t NameHash() const { return m_nameHash; }

    TGLMaterial& Material() { return m_material; }
    const TGLMaterial& Material() const { return m_material; }
    std::int32_t Tag() const { return m_tag; }
    void SetTag(std::int32_t tag) { m_tag = tag; }

    // Texture coordinates are scaled first, then offset: (s, t) -> (s·scale.X + offset.X, ...).
    TGLCoordinates& TextureOffset() { return m_textureOffset; }
    TGLCoordinates& TextureScale() { return m_textureScale; }
    const TMat4& TextureMatrix() const { return m_textureMatrix; }
    bool TextureMatrixIsIdentity() const { return m_textureMatrixIsIdentity; }

    // A second texture for multitexturing; stored only.
    const std::string& Texture2Name() const { return m_texture2Name; }
    void SetTexture2Name(const std::string& name);

    TGLShader* Shader() const { return m_shader.Get(); }
    void SetShader(TGLShader* shader);

    // The pass protocol for materials linked to this one (and for the multi-material shader):
    // Apply before a draw, UnApply after it; UnApply answering true asks for another draw.
    void Apply(TRenderContextInfo& rci);
    bool UnApply(TRenderContextInfo& rci);
    // Whether a pass is open (Apply without its final UnApply).
    bool IsApplied() const { return m_applied > 0; }

    const std::vector<TGLMaterial*>& Users() const { return m_users; }

private:
    friend class TGLMaterial;
    friend class TGLShader;

    void CoordinatesChanged(TGLCoordinates& which) override;
    void UpdateTextureMatrix();
    // Undoes the own material of the current pass, when it was applied.
    void UndoOwn(TRenderContextInfo& rci);
    void AddUser(TGLMaterial* user);
    void RemoveUser(TGLMaterial* user);
    // Tells every user that this one changed (they redraw).
    void NotifyUsers();
    // Unlinks every user (this one is going or was renamed).
    void DropUsers();

    TGLMaterialLibrary* m_library;  // the owner
    std::string m_name;
    std::int32_t m_nameHash;
    TGLMaterial m_material;
    std::int32_t m_tag = 0;
    TGLCoordinates m_textureOffset{this, {0, 0, 0, 0}, csFree};
    TGLCoordinates m_textureScale{this, {1, 1, 1, 0}, csFree};
    TMat4 m_textureMatrix;
    bool m_textureMatrixIsIdentity = true;
    std::string m_texture2Name;
    TComponentLink<TGLShader> m_shader;
    std::vector<TGLMaterial*> m_users;

    // Open passes, and what the current one set up, so UnApply undoes exactly that.
    int m_applied = 0;
    TGLShader* m_appliedShader = nullptr;
    TGLShaderStyle m_appliedStyle = TGLShaderStyle::ShaderLast;
    bool m_ownApplied = false;
    bool m_textureMatrixLoaded = false;
    TGLLibMaterial* m_previousLibMaterial = nullptr;
};

}  // namespace engine
