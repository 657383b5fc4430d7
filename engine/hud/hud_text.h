#pragma once

#include "engine/core/component.h"
#include "engine/core/set_and_notify.h"
#include "engine/hud/bitmap_font.h"
#include "engine/material/color.h"
#include "engine/scene/custom_scene_object.h"

#include <string>

namespace engine {

// Text drawn with a bitmap font in screen pixels: Position as for a HUD sprite, Scale.X/Y scale the
// glyphs, a carriage return (code 13) starts a new line. The text registers with its font, which
// tells it to redraw when it changes; when the font goes, the text draws nothing until given another.
class TGLHUDText : public TGLImmaterialSceneObject {
public:
    TGLHUDText();
    ~TGLHUDText() override;

    TGLCustomBitmapFont* BitmapFont() const { return m_bitmapFont.Get(); }
    void SetBitmapFont(TGLCustomBitmapFont* font);
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& text) { SetAndNotify(m_text, text, [this] { MarkStructureChanged(); }); }
    // Degrees about the view axis.
    float Rotation() const { return m_rotation; }
    void SetRotation(float degrees) { SetAndNotify(m_rotation, degrees, [this] { MarkStructureChanged(); }); }
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment) {
        SetAndNotify(m_alignment, alignment, [this] { MarkStructureChanged(); });
    }
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout layout) { SetAndNotify(m_layout, layout, [this] { MarkStructureChanged(); }); }
    // The glyphs' colour (they modulate it); white by default.
    TGLColor& ModulateColor() { return m_modulateColor; }
    const TGLColor& ModulateColor() const { return m_modulateColor; }

    // The text (when there is a font and something to write), then the children.
    void DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:
    void DrawText(TRenderContextInfo& rci);

    TComponentLink<TGLCustomBitmapFont> m_bitmapFont;
    std::string m_text;
    float m_rotation = 0.0f;
    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    TGLColor m_modulateColor{1.0f, 1.0f, 1.0f, 1.0f};
};

}  // namespace engine
