#include "game/laser_beam.h"

#include "game/game_rules.h"

#include <GL/gl.h>

#include <cmath>

namespace game {

using namespace engine;

TLaserBeam::TLaserBeam() {
    SetObjectStyle(DrawDirect | NeverCulled);
}

void TLaserBeam::SetEnds(const TVec4& from, const TVec4& to) {
    m_from = from;
    m_to = to;
    SignalChange();
}

void TLaserBeam::ProgressTree(const TProgressTimes& times) {
    TGLMaterialObject::ProgressTree(times);
    // Two waves of unrelated rates: a wavering that never quite repeats.
    const double t = times.newTime * rules::BeamFlickerRate;
    m_flicker = 1 - rules::BeamFlickerDepth * static_cast<float>(0.5 + 0.25 * std::sin(t) + 0.25 * std::sin(t * 2.7));
}

void TLaserBeam::EmitGeometry(TRenderContextInfo& rci) {
    const TVec3 from = Affine(m_from);
    const TVec3 to = Affine(m_to);
    const TVec3 along = to - from;
    const float length = Length(along);
    if (length <= 0) {
        return;
    }
    // Across the beam and across the line of sight: the ribbon shows its face to the eye.
    TVec3 side = Cross(along, Affine(rci.cameraPosition) - from);
    if (Length(side) <= 0) {
        return;
    }
    side = Normalize(side) * (m_width * m_flicker * 0.5f);
    const TMat4& toLocal = InverseWorldTransform();
    const auto corner = [&](const TVec3& p) { return Affine(TransformPoint(Point(p), toLocal)); };
    const TVec3 corners[4] = {corner(from - side), corner(from + side), corner(to + side), corner(to - side)};
    // The picture repeats along the beam once for every width of it.
    const float repeats = length / m_width;
    const float u[4] = {0, 0, repeats, repeats};
    const float v[4] = {0, 1, 1, 0};
    glDepthMask(GL_FALSE);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(u[i], v[i]);
        glVertex3f(corners[i].X, corners[i].Y, corners[i].Z);
    }
    glEnd();
    glDepthMask(GL_TRUE);
}

std::unique_ptr<TGLBaseSceneObject> TLaserBeam::NewInstance() const {
    return std::make_unique<TLaserBeam>();
}

void TLaserBeam::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* beam = dynamic_cast<const TLaserBeam*>(&source)) {
        m_from = beam->m_from;
        m_to = beam->m_to;
        m_width = beam->m_width;
    }
    TGLMaterialObject::DoCopyFrom(source);
}

}  // namespace game
