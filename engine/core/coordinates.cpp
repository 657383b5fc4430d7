#include "engine/core/coordinates.h"

namespace engine {

TGLCoordinates::TGLCoordinates(TGLCoordinatesOwner* owner, const TVec4& value, TGLCoordinatesStyle style)
    : m_owner(owner), m_value(value), m_style(style) {
    ForceStyle();
}

void TGLCoordinates::SetAll(const TVec4& v) {
    m_value = v;
    ForceStyle();
    Notify();
}

void TGLCoordinates::SetComponent(int i, float value) {
    if (i < 0 || i > 3) {
        return;
    }
    m_value[i] = value;
    Notify();
}

void TGLCoordinates::Accumulate(const TVec4& v, float f) {
    m_value = m_value + v * f;
    Notify();
}

void TGLCoordinates::RotateAbout(const TVec4& axis, float angle) {
    m_value = RotateVector(m_value, axis, angle);
    Notify();
}

void TGLCoordinates::Normalize() {
    m_value = engine::Normalize(m_value);
    ForceStyle();
    Notify();
}

void TGLCoordinates::ForceStyle() {
    if (m_style == csPoint) {
        m_value.W = 1.0f;
    } else if (m_style == csVector) {
        m_value.W = 0.0f;
    }
}

void TGLCoordinates::Notify() {
    if (m_owner) {
        m_owner->CoordinatesEdited(*this);
    }
}

}  // namespace engine
