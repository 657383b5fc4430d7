#include "engine/effects/sky_dome.h"

#include "platform/random.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

namespace engine {

namespace {

constexpr float kDomeInsideFarPlane = 0.95f;
constexpr float kStarMagnitude = 3.0f;
constexpr float kSmallStarPixels = 1.5f;
constexpr int kLargestSmallStar = 15;

float ColorByte(std::uint32_t color, int shift) {
    return static_cast<float>((color >> shift) & 0xFF) / 255.0f;
}

}  // namespace

TVec3 TSkyDomeStar::UnitVector() const {
    const float ra = DegToRad(RA);
    const float dec = DegToRad(Dec);
    return {std::cos(ra) * std::cos(dec), std::sin(ra) * std::cos(dec), std::sin(dec)};
}

std::string TSkyDomeStar::DisplayName() const {
    char text[64];
    std::snprintf(text, sizeof text, "RA: %5.1f / Dec: %5.1f", static_cast<double>(RA), static_cast<double>(Dec));
    return text;
}

TVec3 DomePoint(float elevation, float azimuth) {
    return {std::cos(elevation) * std::cos(azimuth), std::cos(elevation) * std::sin(azimuth), std::sin(elevation)};
}

void SkyStateBegin() {
    glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
    glDepthMask(GL_FALSE);
}

void SkyStateEnd() {
    glPopAttrib();
}

TGLSkyDome::TGLSkyDome() {
    SetObjectStyle(NeverCulled | AltersRenderState);
    SetCamInvarianceMode(cimPosition);
    TSkyDomeBand horizon;
    TSkyDomeBand sky;
    sky.StartAngle = horizon.StopAngle;
    sky.StopAngle = 90.0f;
    sky.StartColor = horizon.StopColor;
    sky.StopColor = TVec4{0, 0, 0.5f, 1};
    sky.Stacks = 4;
    m_bands = {horizon, sky};
}

void TGLSkyDome::SetOptions(std::uint8_t options) {
    if (options == m_options) {
        return;
    }
    m_options = options;
    const std::uint8_t style = ObjectStyle();
    SetObjectStyle((options & sdoTwinkle) ? (style | DrawDirect) : (style & ~DrawDirect));
    MarkStructureChanged();
}

void TGLSkyDome::AddRandomStarField(int count, std::uint32_t color, bool limitToTopDome) {
    for (int i = 0; i < count; ++i) {
        TSkyDomeStar star;
        const double u = platform::RandomFloat();
        star.Dec = RadToDeg(static_cast<float>(limitToTopDome ? std::asin(u) : std::asin(2.0 * u - 1.0)));
        star.RA = static_cast<float>(platform::RandomFloat() * 360.0 - 180.0);
        star.Color = color;
        star.Magnitude = kStarMagnitude;
        m_stars.push_back(star);
    }
    MarkStructureChanged();
}

void TGLSkyDome::DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) {
    if (drawSelf) {
        // Centred on the eye: the modelview keeps its rotation and loses its translation. The scale
        // puts the unit dome just inside the far plane.
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        m[12] = m[13] = m[14] = 0.0f;
        glPushMatrix();
        glLoadMatrixf(m);
        const float far = rci.rcci.farClippingDistance;
        const float scale = kDomeInsideFarPlane * (far > 0.0f ? far : 1.0f);
        glScalef(scale, scale, scale);
        DrawGeometry(rci);
        glPopMatrix();
    }
    if (drawChildren) {
        RenderChildRange(0, ChildCount() - 1, rci);
    }
}

void TGLSkyDome::EmitGeometry(TRenderContextInfo& rci) {
    (void)rci;
    SkyStateBegin();
    DrawBandsAndStars();
    SkyStateEnd();
}

void TGLSkyDome::DrawBandsAndStars() {
    for (const TSkyDomeBand& band : m_bands) {
        DrawBand(band);
    }
    DrawStars();
}

void TGLSkyDome::DrawBand(const TSkyDomeBand& band) const {
    const int slices = band.Slices < 3 ? 3 : band.Slices;
    const int stacks = band.Stacks < 1 ? 1 : band.Stacks;
    const float step = (band.StopAngle - band.StartAngle) / static_cast<float>(stacks);
    for (int s = 0; s < stacks; ++s) {
        const float f0 = static_cast<float>(s) / static_cast<float>(stacks);
        const float f1 = static_cast<float>(s + 1) / static_cast<float>(stacks);
        const TVec4 c0 = band.StartColor + (band.StopColor - band.StartColor) * f0;
        const TVec4 c1 = band.StartColor + (band.StopColor - band.StartColor) * f1;
        const float e0 = DegToRad(band.StartAngle + step * static_cast<float>(s));
        const float e1 = DegToRad(band.StartAngle + step * static_cast<float>(s + 1));
        glBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            const float azimuth = DegToRad(360.0f * static_cast<float>(i) / static_cast<float>(slices));
            const TVec3 lower = DomePoint(e0, azimuth);
            const TVec3 upper = DomePoint(e1, azimuth);
            glColor4fv(&c0.X);
            glVertex3f(lower.X, lower.Y, lower.Z);
            glColor4fv(&c1.X);
            glVertex3f(upper.X, upper.Y, upper.Z);
        }
        glEnd();
    }
}

void TGLSkyDome::DrawStars() const {
    if (m_stars.empty()) {
        return;
    }
    const bool twinkle = (m_options & sdoTwinkle) != 0;
    // Twinkling belongs to the picture, not the game: it draws from a sequence of its own, so that
    // how often the screen is painted never changes the numbers the game's rules draw.
    const std::uint32_t gameSeed = platform::GetRandomSeed();
    platform::SetRandomSeed(m_twinkleSeed);
    glPushAttrib(GL_ENABLE_BIT);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_NOTEQUAL, 0.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    int currentSize = -1;
    bool open = false;
    for (const TSkyDomeStar& star : m_stars) {
        const int size = static_cast<int>(std::lround((4.5f - star.Magnitude) * 10.0f));
        if (size != currentSize) {
            // The point size cannot change between begin and end.
            if (open) {
                glEnd();
            }
            glPointSize(size > kLargestSmallStar ? static_cast<float>(size) * 0.1f : kSmallStarPixels);
            glBegin(GL_POINTS);
            open = true;
            currentSize = size;
        }
        float factor = 1.0f;
        if (twinkle) {
            factor = 0.4f + 0.6f * static_cast<float>(platform::RandomFloat());
        }
        glColor3f(ColorByte(star.Color, 0) * factor, ColorByte(star.Color, 8) * factor,
                  ColorByte(star.Color, 16) * factor);
        const TVec3 v = star.UnitVector();
        glVertex3f(v.X, v.Y, v.Z);
    }
    if (open) {
        glEnd();
    }
    glPointSize(1.0f);
    glPopAttrib();
    glAlphaFunc(GL_GREATER, 0.0f);
    m_twinkleSeed = platform::GetRandomSeed();
    platform::SetRandomSeed(gameSeed);
}

void TGLSkyDome::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* dome = dynamic_cast<const TGLSkyDome*>(&source)) {
        m_bands = dome->m_bands;
        m_stars = dome->m_stars;
        SetOptions(dome->m_options);
    }
    TGLCameraInvariantObject::DoCopyFrom(source);
}

std::unique_ptr<TGLBaseSceneObject> TGLSkyDome::NewInstance() const {
    return std::make_unique<TGLSkyDome>();
}

}  // namespace engine
