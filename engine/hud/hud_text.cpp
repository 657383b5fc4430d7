#include "engine/hud/hud_text.h"

#include "engine/hud/hud_transform.h"
#include "engine/render/render_context_info.h"

#include <GL/gl.h>

namespace engine {

TGLHUDText::TGLHUDText() {
    SetObjectStyle(DrawDirect | NeverCulled);
    m_bitmapFont.SetOnFreed([this] { MarkStructureChanged(); });
    m_modulateColor.OnChange = [this] { MarkStructureChanged(); };
}

TGLHUDText::~TGLHUDText() {
    if (m_bitmapFont) {
        m_bitmapFont->UnRegisterUser(*this);
    }
}

void TGLHUDText::SetBitmapFont(TGLCustomBitmapFont* font) {
    if (font == m_bitmapFont.Get()) {
        return;
    }
    if (m_bitmapFont) {
        m_bitmapFont->UnRegisterUser(*this);
    }
    m_bitmapFont.Set(font);
    if (font) {
        font->RegisterUser(*this);
    }
    MarkStructureChanged();
}

void TGLHUDText::DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) {
    if (drawSelf && m_bitmapFont && !m_text.empty() && HUDViewportUsable(rci)) {
        DrawText(rci);
    }
    if (drawChildren) {
        RenderChildRange(0, ChildCount() - 1, rci);
    }
}

void TGLHUDText::DrawText(TRenderContextInfo& rci) {
    if (rci.GLStates) {
        rci.GLStates->SetPolygonMode(GL_FRONT, GL_FILL);
        rci.GLStates->SetPolygonMode(GL_BACK, GL_FILL);
    } else {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    LoadHUDModelView(rci, Position().AsVector(), m_rotation);
    const float k = HUDPixelScale(rci);
    glScalef(k * Scale().X(), k * Scale().Y(), 1.0f);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_DEPTH_TEST);
    m_bitmapFont->RenderString(rci, m_text, m_alignment, m_layout, m_modulateColor.Color());
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

std::unique_ptr<TGLBaseSceneObject> TGLHUDText::NewInstance() const {
    return std::make_unique<TGLHUDText>();
}

void TGLHUDText::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* text = dynamic_cast<const TGLHUDText*>(&source)) {
        SetBitmapFont(text->BitmapFont());
        m_text = text->m_text;
        m_rotation = text->m_rotation;
        m_alignment = text->m_alignment;
        m_layout = text->m_layout;
        m_modulateColor.Assign(text->m_modulateColor);
    }
    TGLImmaterialSceneObject::DoCopyFrom(source);
}

}  // namespace engine
