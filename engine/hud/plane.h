#pragma once

#include "engine/core/set_and_notify.h"
#include "engine/scene/custom_scene_object.h"

#include <cstdint>

namespace engine {

enum TPlaneStyle : std::uint8_t { psSingleQuad = 1, psTileTexture = 2 };

// A flat Width x Height rectangle in the object's X/Y plane, centred on it and facing +Z.
class TGLPlane : public TGLMaterialObject {
public:
    TGLPlane();

    float Width() const { return m_width; }
    void SetWidth(float width) { SetAndNotify(m_width, width, [this] { MarkStructureChanged(); }); }
    float Height() const { return m_height; }
    void SetHeight(float height) { SetAndNotify(m_height, height, [this] { MarkStructureChanged(); }); }
    float XOffset() const { return m_xOffset; }
    void SetXOffset(float offset) { SetAndNotify(m_xOffset, offset, [this] { MarkStructureChanged(); }); }
    float YOffset() const { return m_yOffset; }
    void SetYOffset(float offset) { SetAndNotify(m_yOffset, offset, [this] { MarkStructureChanged(); }); }
    float XScope() const { return m_xScope; }
    void SetXScope(float scope) { SetAndNotify(m_xScope, scope, [this] { MarkStructureChanged(); }); }
    float YScope() const { return m_yScope; }
    void SetYScope(float scope) { SetAndNotify(m_yScope, scope, [this] { MarkStructureChanged(); }); }
    float XTiles() const { return m_xTiles; }
    void SetXTiles(float tiles) { SetAndNotify(m_xTiles, tiles, [this] { MarkStructureChanged(); }); }
    float YTiles() const { return m_yTiles; }
    void SetYTiles(float tiles) { SetAndNotify(m_yTiles, tiles, [this] { MarkStructureChanged(); }); }
    // A set of TPlaneStyle bits. With psTileTexture the texture runs from the offsets over
    // Tiles x Scope, otherwise over 0..Scope. The plane is always drawn as one quad.
    std::uint8_t Style() const { return m_style; }
    void SetStyle(std::uint8_t style) { SetAndNotify(m_style, style, [this] { MarkStructureChanged(); }); }
    bool NoZWrite() const { return m_noZWrite; }
    void SetNoZWrite(bool noZWrite) { SetAndNotify(m_noZWrite, noZWrite, [this] { MarkStructureChanged(); }); }

    TVec4 HalfExtents() const override;
    void EmitGeometry(TRenderContextInfo& rci) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:

    float m_width = 1.0f;
    float m_height = 1.0f;
    float m_xOffset = 0.0f;
    float m_yOffset = 0.0f;
    float m_xScope = 1.0f;
    float m_yScope = 1.0f;
    float m_xTiles = 1.0f;
    float m_yTiles = 1.0f;
    std::uint8_t m_style = psSingleQuad | psTileTexture;
    bool m_noZWrite = false;
};

}  // namespace engine
