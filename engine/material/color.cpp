#include "engine/material/color.h"

namespace engine {

void TGLColor::SetColor(const TVec4& color) {
    if (color == m_color) {
        return;
    }
    m_color = color;
    if (OnChange) {
        OnChange();
    }
}

void TGLColor::SetComponent(float& component, float value) {
    if (component == value) {
        return;
    }
    component = value;
    if (OnChange) {
        OnChange();
    }
}

}  // namespace engine
