#pragma once

#include "engine/core/coordinates.h"
#include "engine/core/set_and_notify.h"
#include "engine/material/color.h"
#include "engine/scene/scene_object.h"

namespace engine {

enum TGLLightStyle { lsSpot, lsOmni, lsParallel };

// A light of the scene's table of eight OpenGL light slots. It takes the first free slot when it
// joins a scene and frees it when it leaves; a light that finds no free slot never shines.
// It draws nothing, has no extent and is never hit by rays.
class TGLLightSource : public TGLBaseSceneObject {
public:
    TGLLightSource();

    TGLLightStyle LightStyle() const { return m_lightStyle; }
    void SetLightStyle(TGLLightStyle style);
    // An unshining light keeps its slot but is disabled.
    bool Shining() const { return m_shining; }
    void SetShining(bool shining);
    float ConstAttenuation() const { return m_constAttenuation; }
    void SetConstAttenuation(float value) { SetAndNotify(m_constAttenuation, value, [this] { SignalChange(); }); }
    float LinearAttenuation() const { return m_linearAttenuation; }
    void SetLinearAttenuation(float value) { SetAndNotify(m_linearAttenuation, value, [this] { SignalChange(); }); }
    float QuadraticAttenuation() const { return m_quadraticAttenuation; }
    void SetQuadraticAttenuation(float value) {
        SetAndNotify(m_quadraticAttenuation, value, [this] { SignalChange(); });
    }
    // Cone half-angle in degrees; 180 means no cone.
    float SpotCutOff() const { return m_spotCutOff; }
    void SetSpotCutOff(float value) { SetAndNotify(m_spotCutOff, value, [this] { SignalChange(); }); }
    float SpotExponent() const { return m_spotExponent; }
    void SetSpotExponent(float value) { SetAndNotify(m_spotExponent, value, [this] { SignalChange(); }); }
    // Local direction of a spot, and the direction a parallel light shines from.
    TGLCoordinates& SpotDirection() { return m_spotDirection; }
    const TGLCoordinates& SpotDirection() const { return m_spotDirection; }
    TGLColor& Ambient() { return m_ambient; }
    TGLColor& Diffuse() { return m_diffuse; }
    TGLColor& Specular() { return m_specular; }
    const TGLColor& Ambient() const { return m_ambient; }
    const TGLColor& Diffuse() const { return m_diffuse; }
    const TGLColor& Specular() const { return m_specular; }

    // Index 0..7 in the scene's light table, or -1 without one.
    int LightSlot() const { return m_lightSlot; }

    // Enables and sets up OpenGL light GL_LIGHT0 + LightSlot, or disables it when not shining. The
    // modelview matrix must hold the camera's view.
    void LoadIntoGL() const;

    TVec4 HalfExtents() const override { return TVec4{}; }
    bool IntersectRay(const TVec4& rayStart, const TVec4& rayVector, TVec4* intersectPoint,
                      TVec4* intersectNormal) const override;
    void CoordinatesEdited(TGLCoordinates& which) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    void SceneJoined() override;
    void SceneLeaving() override;
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:
    TGLLightStyle m_lightStyle = lsSpot;
    bool m_shining = true;
    float m_constAttenuation = 1.0f;
    float m_linearAttenuation = 0.0f;
    float m_quadraticAttenuation = 0.0f;
    float m_spotCutOff = 180.0f;
    float m_spotExponent = 0.0f;
    TGLCoordinates m_spotDirection;
    TGLColor m_ambient{0, 0, 0, 1};
    TGLColor m_diffuse{1, 1, 1, 1};
    TGLColor m_specular{0, 0, 0, 1};
    int m_lightSlot = -1;
};

}  // namespace engine
