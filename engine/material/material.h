#pragma once

#include "engine/core/component.h"
#include "engine/material/face_properties.h"
#include "engine/material/texture.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

namespace engine {

class TGLLibMaterial;
class TGLMaterialLibrary;
struct TRenderContextInfo;

enum class TBlendingMode : std::uint8_t {
    bmOpaque,
    bmTransparency,
    bmAdditive,
    bmAlphaTest50,
    bmAlphaTest100,
    bmModulate,
};

enum class TFaceCulling : std::uint8_t { fcBufferDefault, fcCull, fcNoCull };

enum class TMaterialOption : std::uint8_t { moIgnoreFog, moNoLighting };

// A set of TMaterialOption.
class TMaterialOptions {
public:
    constexpr TMaterialOptions() = default;
    constexpr TMaterialOptions(std::initializer_list<TMaterialOption> options) {
        for (TMaterialOption option : options) {
            m_bits = static_cast<std::uint8_t>(m_bits | Bit(option));
        }
    }
    constexpr bool Contains(TMaterialOption option) const { return (m_bits & Bit(option)) != 0; }
    bool operator==(const TMaterialOptions&) const = default;

private:
    static constexpr std::uint8_t Bit(TMaterialOption option) {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(option));
    }
    std::uint8_t m_bits = 0;
};

// How an object is coloured, textured, blended and lit. A material either applies its own settings
// or, when linked by name to a library material, that one's. An object draws through the pass
// protocol: BeginPass, draw, then EndPass and draw again for as long as EndPass answers true.
class TGLMaterial {
public:
    TGLMaterial();
    ~TGLMaterial();
    TGLMaterial(const TGLMaterial&) = delete;
    TGLMaterial& operator=(const TGLMaterial&) = delete;

    TGLFaceProperties& FrontProperties() { return m_front; }
    const TGLFaceProperties& FrontProperties() const { return m_front; }
    // Created on first use.
    TGLFaceProperties& BackProperties();
    bool HasBackProperties() const { return m_back != nullptr; }

    TBlendingMode BlendingMode() const { return m_blendingMode; }
    void SetBlendingMode(TBlendingMode mode);
    TMaterialOptions MaterialOptions() const { return m_materialOptions; }
    void SetMaterialOptions(TMaterialOptions options);
    TFaceCulling FaceCulling() const { return m_faceCulling; }
    void SetFaceCulling(TFaceCulling culling);

    // Created on first use (disabled until told otherwise).
    TGLTexture& Texture();
    bool HasTexture() const { return m_texture != nullptr; }

    // Linking: both setters look the name up at once. A chain of 16 or more library materials
    // from the one found throws EGLMaterialException "Error: Cyclic material reference detected!"
    // and changes nothing. A name not found is kept; the material then applies its own settings.
    TGLMaterialLibrary* MaterialLibrary() const { return m_materialLibrary.Get(); }
    void SetMaterialLibrary(TGLMaterialLibrary* library);
    const std::string& LibMaterialName() const { return m_libMaterialName; }
    void SetLibMaterialName(const std::string& name);
    // The library material this one is linked to, or null.
    TGLLibMaterial* LibMaterial() const { return m_libMaterial; }

    // Copies every setting and the library link (which may throw as the setters do).
    void Assign(const TGLMaterial& source);

    // Blended materials are drawn late, after the opaque ones.
    bool IsBlended() const;

    void BeginPass(TRenderContextInfo& rci);
    // True when the object is to be drawn again for another pass.
    bool EndPass(TRenderContextInfo& rci);

    // Told of every change, including changes of the linked library material.
    std::function<void()> OnChange;
    // Resolves the texture's picture file names (a library material routes it to its library).
    std::function<std::string(const std::string&)> OnResolveTextureFileName;

private:
    friend class TGLLibMaterial;

    // The material's own settings, without the link (steps shared with the library material).
    void ApplyOwn(TRenderContextInfo& rci);
    void UnApplyOwn(TRenderContextInfo& rci);
    void ApplyCulling(TRenderContextInfo& rci);
    void ApplyBlending(TRenderContextInfo& rci);

    void Link(TGLLibMaterial* target);
    // Called by the linked library material.
    void LinkedMaterialChanged() { Changed(); }
    void LinkedMaterialGone();
    void Changed();

    TGLFaceProperties m_front;
    std::unique_ptr<TGLFaceProperties> m_back;
    TBlendingMode m_blendingMode = TBlendingMode::bmOpaque;
    TMaterialOptions m_materialOptions;
    TFaceCulling m_faceCulling = TFaceCulling::fcBufferDefault;
    std::unique_ptr<TGLTexture> m_texture;
    TComponentLink<TGLMaterialLibrary> m_materialLibrary;
    std::string m_libMaterialName;
    TGLLibMaterial* m_libMaterial = nullptr;  // cleared by the library material when it goes

    // What this material switched off in BeginPass, so EndPass switches back only that.
    bool m_disabledLighting = false;
    bool m_disabledFog = false;
};

}  // namespace engine
