#include "engine/hud/hud_transform.h"

#include "engine/render/render_context_info.h"

#include <GL/gl.h>

namespace engine {
namespace {
constexpr float kReferenceDPI = 96.0f;
}

bool HUDViewportUsable(const TRenderContextInfo& rci) {
    return rci.viewPortWidth >= 1 && rci.viewPortHeight >= 1;
}

float HUDPixelScale(const TRenderContextInfo& rci) {
    return static_cast<float>(rci.renderDPI) / kReferenceDPI;
}

void LoadHUDModelView(const TRenderContextInfo& rci, const TVec4& position, float rotation) {
    const float k = HUDPixelScale(rci);
    const float width = static_cast<float>(rci.viewPortWidth);
    const float height = static_cast<float>(rci.viewPortHeight);
    glLoadIdentity();
    glScalef(2.0f / width, 2.0f / height, 1.0f);
    glTranslatef(k * position.X - width * 0.5f, height * 0.5f - k * position.Y, position.Z);
    if (rotation != 0.0f) {
        glRotatef(rotation, 0.0f, 0.0f, 1.0f);
    }
}

}  // namespace engine
