#pragma once

#include "engine/core/set_and_notify.h"
#include "engine/effects/sky_dome.h"

#include <cstdint>

namespace engine {

enum TEarthSkyDomeOption : std::uint8_t { esoFadeStarsWithSun = 1, esoRotateOnTwelveHours = 2 };

// Colours the sky follows from the sun's height and the air's turbidity.
struct TEarthSkyColors {
    TVec4 sun;      // the sun's colour now
    TVec4 horizon;  // the haze colour, darkened by night
    TVec4 zenith;   // the sky colour, darkened by night
    float nightFactor = 0;
    float exponent1 = 0;  // horizon-to-zenith fall-off
    float exponent2 = 0;  // glow around the sun
    TVec3 sunDirection;   // in the dome's frame, +Z the zenith, the sun at azimuth 0
};

// A sky dome whose colours follow a sun position and the atmosphere's turbidity, with stars that
// fade in as the sun goes down.
class TGLEarthSkyDome : public TGLSkyDome {
public:
    TGLEarthSkyDome();

    // Degrees above the horizon, kept within -90..90.
    float SunElevation() const { return m_sunElevation; }
    void SetSunElevation(float degrees);
    // Haze of the air, 1..120.
    float Turbidity() const { return m_turbidity; }
    void SetTurbidity(float value);
    const TVec4& SunZenithColor() const { return m_sunZenithColor; }
    void SetSunZenithColor(const TVec4& color) { SetAndNotify(m_sunZenithColor, color, [this] { RecomputeColors(); }); }
    const TVec4& SunDawnColor() const { return m_sunDawnColor; }
    void SetSunDawnColor(const TVec4& color) { SetAndNotify(m_sunDawnColor, color, [this] { RecomputeColors(); }); }
    const TVec4& HazeColor() const { return m_hazeColor; }
    void SetHazeColor(const TVec4& color) { SetAndNotify(m_hazeColor, color, [this] { RecomputeColors(); }); }
    const TVec4& SkyColor() const { return m_skyColor; }
    void SetSkyColor(const TVec4& color) { SetAndNotify(m_skyColor, color, [this] { RecomputeColors(); }); }
    const TVec4& NightColor() const { return m_nightColor; }
    void SetNightColor(const TVec4& color) { SetAndNotify(m_nightColor, color, [this] { RecomputeColors(); }); }
    const TVec4& DeepColor() const { return m_deepColor; }
    void SetDeepColor(const TVec4& color) { SetAndNotify(m_deepColor, color, [this] { RecomputeColors(); }); }
    std::uint8_t ExtendedOptions() const { return m_extendedOptions; }
    void SetExtendedOptions(std::uint8_t options);
    // Vertices around the dome; values below 7 become 6.
    int Slices() const { return m_slices; }
    void SetSlices(int slices);
    // Rings from the horizon to the zenith; values below 2 become 1.
    int Stacks() const { return m_stacks; }
    void SetStacks(int stacks);

    // The derived colours of the current settings.
    const TEarthSkyColors& Colors() const { return m_colors; }
    // The colour of the dome at a point of the unit sphere (+Z the zenith).
    TVec4 VertexColor(const TVec3& v) const;

    void Loaded() override;
    void EmitGeometry(TRenderContextInfo& rci) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:
    // Recomputes the derived colours, fades or turns the stars as the options say, and marks the
    // dome for redrawing.
    void RecomputeColors();
    void EmitVertex(const TVec3& v) const;
    void DrawDome() const;

    float m_sunElevation = 75.0f;
    float m_turbidity = 15.0f;
    TVec4 m_sunZenithColor{1, 1, 1, 1};
    TVec4 m_sunDawnColor{1, 0.5f, 0, 0};
    TVec4 m_hazeColor{0.9f, 0.95f, 1, 0};
    TVec4 m_skyColor{0.45f, 0.6f, 0.9f, 0};
    TVec4 m_nightColor{0, 0, 0, 0};
    TVec4 m_deepColor{0, 0.2f, 0.4f, 0};
    std::uint8_t m_extendedOptions = 0;
    int m_slices = 48;
    int m_stacks = 24;
    TEarthSkyColors m_colors;
};

// The colours of a sky for a sun elevation (degrees) and turbidity.
TEarthSkyColors ComputeEarthSkyColors(float sunElevation, float turbidity, const TVec4& sunZenith, const TVec4& sunDawn,
                                      const TVec4& haze, const TVec4& sky, const TVec4& night);

// The grey (0..255) stars take with esoFadeStarsWithSun at a sun elevation.
std::uint8_t StarFadeGrey(float sunElevation);

}  // namespace engine
