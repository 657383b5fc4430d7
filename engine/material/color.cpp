#include "engine/material/color.h"

namespace engine {

void TGLColor::SetColor(const TVec4& color) {
    SetAndNotify(m_color, color, [this] { Changed(); });
}

void TGLColor::Changed() {
    if (OnChange) {
        OnChange();
    }
}

}  // namespace engine
