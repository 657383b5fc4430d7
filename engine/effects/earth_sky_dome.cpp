#include "engine/effects/earth_sky_dome.h"

#include "engine/effects/sky_dome_geometry.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kHalfPi = kPi / 2.0f;
constexpr float kLowestRing = 1.0f;  // degrees: the dome starts just above the horizon
constexpr float kRingSpan = 89.0f;
constexpr int kFewestSlices = 7;
constexpr int kFewestStacks = 2;

TVec4 Blend(const TVec4& from, const TVec4& to, float f) {
    return from + (to - from) * f;
}

}  // namespace

TEarthSkyColors ComputeEarthSkyColors(float sunElevation, float turbidity, const TVec4& sunZenith, const TVec4& sunDawn,
                                      const TVec4& haze, const TVec4& sky, const TVec4& night) {
    TEarthSkyColors colors;
    const float zenithAngle = DegToRad(90.0f - sunElevation);
    const float height = kHalfPi - zenithAngle;
    // Neither factor is clamped: below the horizon the colours run on past dawn and night.
    colors.sun = Blend(sunZenith, sunDawn, std::exp(-6.0f * height));
    const float dusk = 1.0f - std::cos(zenithAngle - 0.5f);
    colors.nightFactor = dusk * dusk;
    colors.horizon = Blend(haze, night, colors.nightFactor);
    colors.zenith = Blend(sky, night, colors.nightFactor);
    colors.exponent1 = -2.0f * std::sqrt(121.0f - turbidity);
    colors.exponent2 = -(121.0f - turbidity);
    colors.sunDirection = TVec3{std::sin(zenithAngle), 0.0f, std::cos(zenithAngle)};
    return colors;
}

std::uint8_t StarFadeGrey(float sunElevation) {
    const double brightness = sunElevation > 0.0f ? std::pow(1.0 - sunElevation / 90.0, 11.0) : 1.0;
    return static_cast<std::uint8_t>(std::lround(std::clamp(brightness, 0.0, 1.0) * 255.0));
}

TGLEarthSkyDome::TGLEarthSkyDome() {
    Bands().clear();
    RecomputeColors();
}

void TGLEarthSkyDome::SetSunElevation(float degrees) {
    degrees = std::clamp(degrees, -90.0f, 90.0f);
    SetAndNotify(m_sunElevation, degrees, [this] { RecomputeColors(); });
}

void TGLEarthSkyDome::SetTurbidity(float value) {
    value = std::clamp(value, 1.0f, 120.0f);
    SetAndNotify(m_turbidity, value, [this] { RecomputeColors(); });
}

void TGLEarthSkyDome::SetExtendedOptions(std::uint8_t options) {
    SetAndNotify(m_extendedOptions, options, [this] { RecomputeColors(); });
}

void TGLEarthSkyDome::SetSlices(int slices) {
    slices = slices < kFewestSlices ? kFewestSlices - 1 : slices;
    SetAndNotify(m_slices, slices, [this] { MarkStructureChanged(); });
}

void TGLEarthSkyDome::SetStacks(int stacks) {
    stacks = stacks < kFewestStacks ? 1 : stacks;
    SetAndNotify(m_stacks, stacks, [this] { MarkStructureChanged(); });
}

void TGLEarthSkyDome::RecomputeColors() {
    m_colors = ComputeEarthSkyColors(m_sunElevation, m_turbidity, m_sunZenithColor, m_sunDawnColor, m_hazeColor,
                                     m_skyColor, m_nightColor);
    if (m_extendedOptions & esoFadeStarsWithSun) {
        const std::uint32_t v = StarFadeGrey(m_sunElevation);
        for (TSkyDomeStar& star : Stars()) {
            star.Color = v | (v << 8) | (v << 16);
        }
    }
    if ((m_extendedOptions & esoRotateOnTwelveHours) && std::fabs(m_sunElevation) == 90.0f) {
        RollBy(180.0f);
        for (TSkyDomeStar& star : Stars()) {
            star.RA += 180.0f;
        }
    }
    MarkStructureChanged();
}

void TGLEarthSkyDome::Loaded() {
    TGLSkyDome::Loaded();
    RecomputeColors();
}

TVec4 TGLEarthSkyDome::VertexColor(const TVec3& v) const {
    const float elevation = std::asin(std::clamp(v.Z, -1.0f, 1.0f));  // π/2 − zenith angle
    const float g = 1.0f - Dot(v, m_colors.sunDirection);
    const float t1 = std::clamp(std::exp(m_colors.exponent1 * elevation), 0.0f, 1.0f);
    const TVec4 c = Blend(m_colors.zenith, m_colors.horizon, t1);
    const float t2 = std::clamp(1.1f * std::exp(m_colors.exponent2 * g * (1.0f + elevation)), 0.0f, 1.0f);
    return Blend(c, m_colors.sun, t2);
}

void TGLEarthSkyDome::EmitVertex(const TVec3& v) const {
    const TVec4 color = VertexColor(v);
    glColor4fv(&color.X);
    glVertex3f(v.X, v.Y, v.Z);
}

void TGLEarthSkyDome::DrawDome() const {
    const std::vector<float> azimuths = AzimuthSamples(m_slices);
    const std::vector<float> rings = RingFractions(m_sunElevation, m_stacks);
    float bottom = kLowestRing;
    for (float ring : rings) {
        const float top = kLowestRing + kRingSpan * ring;
        const float low = DegToRad(bottom);
        if (top == 90.0f) {
            glBegin(GL_TRIANGLE_FAN);
            EmitVertex(TVec3{0, 0, 1});
            for (float azimuth : azimuths) {
                EmitVertex(DomePoint(low, azimuth));
            }
            glEnd();
        } else {
            const float high = DegToRad(top);
            glBegin(GL_TRIANGLE_STRIP);
            for (float azimuth : azimuths) {
                EmitVertex(DomePoint(low, azimuth));
                EmitVertex(DomePoint(high, azimuth));
            }
            glEnd();
        }
        bottom = top;
    }
    // Below the horizon: from the nadir in the deep colour up to the lowest ring.
    glBegin(GL_TRIANGLE_FAN);
    glColor4fv(&m_deepColor.X);
    glVertex3f(0, 0, -1);
    for (float azimuth : azimuths) {
        EmitVertex(DomePoint(DegToRad(kLowestRing), azimuth));
    }
    glEnd();
}

void TGLEarthSkyDome::EmitGeometry(TRenderContextInfo& rci) {
    (void)rci;
    SkyStateBegin();
    DrawDome();
    DrawBandsAndStars();
    SkyStateEnd();
}

void TGLEarthSkyDome::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* dome = dynamic_cast<const TGLEarthSkyDome*>(&source)) {
        m_sunElevation = dome->m_sunElevation;
        m_turbidity = dome->m_turbidity;
        m_sunZenithColor = dome->m_sunZenithColor;
        m_sunDawnColor = dome->m_sunDawnColor;
        m_hazeColor = dome->m_hazeColor;
        m_skyColor = dome->m_skyColor;
        m_nightColor = dome->m_nightColor;
        m_deepColor = dome->m_deepColor;
        m_extendedOptions = dome->m_extendedOptions;
        m_slices = dome->m_slices;
        m_stacks = dome->m_stacks;
        m_colors = dome->m_colors;
    }
    TGLSkyDome::DoCopyFrom(source);
}

std::unique_ptr<TGLBaseSceneObject> TGLEarthSkyDome::NewInstance() const {
    return std::make_unique<TGLEarthSkyDome>();
}

}  // namespace engine
