#pragma once

#include "engine/core/set_and_notify.h"
#include "engine/core/vector_math.h"

#include <functional>

namespace engine {

// An RGBA colour (0..1) owned by a material or texture, which hears of every change through OnChange.
class TGLColor {
public:
    TGLColor(float red, float green, float blue, float alpha) : m_color{red, green, blue, alpha} {}
    // Copying would carry the old owner's OnChange along: use Assign.
    TGLColor(const TGLColor&) = delete;
    TGLColor& operator=(const TGLColor&) = delete;

    float Red() const { return m_color.X; }
    float Green() const { return m_color.Y; }
    float Blue() const { return m_color.Z; }
    float Alpha() const { return m_color.W; }
    void SetRed(float value) { SetAndNotify(m_color.X, value, [this] { Changed(); }); }
    void SetGreen(float value) { SetAndNotify(m_color.Y, value, [this] { Changed(); }); }
    void SetBlue(float value) { SetAndNotify(m_color.Z, value, [this] { Changed(); }); }
    void SetAlpha(float value) { SetAndNotify(m_color.W, value, [this] { Changed(); }); }

    const TVec4& Color() const { return m_color; }
    void SetColor(const TVec4& color);
    void Assign(const TGLColor& source) { SetColor(source.m_color); }
    // The four components in order, as glColor4fv and glMaterialfv take them.
    const float* AsArray() const { return &m_color.X; }

    std::function<void()> OnChange;

private:
    void Changed();

    TVec4 m_color;
};

}  // namespace engine
