#pragma once

#include "engine/scene/camera_invariant_object.h"

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

// A point star of the sky dome.
struct TSkyDomeStar {
    float RA = 0.0f;   // right ascension, degrees
    float Dec = 0.0f;  // declination, degrees
    float Magnitude = 0.0f;
    std::uint32_t Color = 0;  // 0x00BBGGRR

    // (cos RA·cos Dec, sin RA·cos Dec, sin Dec): on the dome of radius 1, +Z the zenith.
    TVec3 UnitVector() const;
    std::string DisplayName() const;
};

using TSkyDomeStars = std::vector<TSkyDomeStar>;

// A ring of the sky between two elevations, its colour running from the lower to the upper edge.
struct TSkyDomeBand {
    float StartAngle = 0.0f;  // degrees above the horizon
    float StopAngle = 15.0f;
    TVec4 StartColor{1, 1, 1, 1};
    TVec4 StopColor{0.5f, 0.5f, 1, 1};
    int Slices = 12;
    int Stacks = 1;
};

using TSkyDomeBands = std::vector<TSkyDomeBand>;

enum TSkyDomeOption : std::uint8_t { sdoTwinkle = 1 };

// A hemisphere drawn around the eye behind everything else: coloured bands and point stars. It
// ignores the camera's position, keeps its own orientation and fills the view out to just inside
// the far plane. Never culled. Bands() and Stars() hand out the lists themselves: whoever edits
// them calls MarkStructureChanged, so that a compiled display list is rebuilt.
class TGLSkyDome : public TGLCameraInvariantObject {
public:
    TGLSkyDome();

    TSkyDomeBands& Bands() { return m_bands; }
    const TSkyDomeBands& Bands() const { return m_bands; }
    TSkyDomeStars& Stars() { return m_stars; }
    const TSkyDomeStars& Stars() const { return m_stars; }
    // With sdoTwinkle the dome is drawn afresh every frame, never from a display list.
    std::uint8_t Options() const { return m_options; }
    void SetOptions(std::uint8_t options);

    // Appends count stars of magnitude 3 spread evenly over the sky's area (or its upper half).
    void AddRandomStarField(int count, std::uint32_t color, bool limitToTopDome);

    void DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) override;
    void EmitGeometry(TRenderContextInfo& rci) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;
    // The bands, then the stars, under the dome's scaled matrix and state.
    void DrawBandsAndStars();

private:
    void DrawBand(const TSkyDomeBand& band) const;
    void DrawStars() const;

    TSkyDomeBands m_bands;
    TSkyDomeStars m_stars;
    mutable std::uint32_t m_twinkleSeed = 0;
    std::uint8_t m_options = 0;
};

// The dome's vertex at an elevation and azimuth (radians) on the unit sphere, +Z the zenith.
TVec3 DomePoint(float elevation, float azimuth);

// Saves the enable state and depth writes and switches off what would spoil a background: lighting,
// depth test and writes, fog, face culling, alpha test and texturing. SkyStateEnd restores them.
void SkyStateBegin();
void SkyStateEnd();

}  // namespace engine
