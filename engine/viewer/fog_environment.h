#pragma once

#include "engine/core/set_and_notify.h"
#include "engine/material/color.h"
#include "engine/render/gl_state_cache.h"

#include <GL/gl.h>

#include <cstdint>
#include <functional>

namespace engine {

enum TFogMode : std::uint8_t { fmLinear, fmExp, fmExp2 };
enum TFogDistance : std::uint8_t { fdDefault, fdEyeRadial, fdEyePlane };

GLenum GLFogMode(TFogMode mode);
// The fog-distance extension's mode; 0 for fdDefault, which leaves the driver's own choice.
GLenum GLFogDistanceMode(TFogDistance distance);

// The render buffer's fog settings. The exponential modes take their density from FogColor's alpha.
class TGLFogEnvironment {
public:
    TGLFogEnvironment();
    TGLFogEnvironment(const TGLFogEnvironment&) = delete;
    TGLFogEnvironment& operator=(const TGLFogEnvironment&) = delete;

    TGLColor& FogColor() { return m_fogColor; }
    const TGLColor& FogColor() const { return m_fogColor; }
    TFogMode FogMode() const { return m_fogMode; }
    void SetFogMode(TFogMode mode) { SetAndNotify(m_fogMode, mode, [this] { Changed(); }); }
    float FogStart() const { return m_fogStart; }
    void SetFogStart(float start) { SetAndNotify(m_fogStart, start, [this] { Changed(); }); }
    float FogEnd() const { return m_fogEnd; }
    void SetFogEnd(float end) { SetAndNotify(m_fogEnd, end, [this] { Changed(); }); }
    TFogDistance FogDistance() const { return m_fogDistance; }
    void SetFogDistance(TFogDistance distance) { SetAndNotify(m_fogDistance, distance, [this] { Changed(); }); }

    // Switches fog on through the cache and loads these settings into OpenGL; the distance mode
    // only where the driver has the fog-distance extension.
    void Apply(TGLStateCache& states, bool hasFogDistance) const;

    // Told of every change.
    std::function<void()> OnChange;

private:
    void Changed();

    TGLColor m_fogColor{0, 0, 0, 1};
    TFogMode m_fogMode = fmLinear;
    float m_fogStart = 10.0f;
    float m_fogEnd = 1000.0f;
    TFogDistance m_fogDistance = fdDefault;
};

}  // namespace engine
