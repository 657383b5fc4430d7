#pragma once

#include "engine/core/set_and_notify.h"
#include "engine/hud/sprite.h"

#include <cstdint>

namespace engine {

// A sprite in screen pixels: Position.X/Y from the viewport's top-left corner, Position.Z a depth in
// -1..1, Width x Height pixels, the texture repeated XTiles x YTiles times. The parent's transform
// is ignored, so a HUD object nested under another one still takes absolute pixels.
class TGLHUDSprite : public TGLSprite {
public:
    TGLHUDSprite();

    std::int32_t XTiles() const { return m_xTiles; }
    void SetXTiles(std::int32_t tiles) { SetAndNotify(m_xTiles, tiles, [this] { MarkStructureChanged(); }); }
    std::int32_t YTiles() const { return m_yTiles; }
    void SetYTiles(std::int32_t tiles) { SetAndNotify(m_yTiles, tiles, [this] { MarkStructureChanged(); }); }

    // Nothing of its own while materials are ignored (no colour buffer); the children in any case.
    void DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:
    void DrawQuad(TRenderContextInfo& rci);

    std::int32_t m_xTiles = 1;
    std::int32_t m_yTiles = 1;
};

}  // namespace engine
