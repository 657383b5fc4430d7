#pragma once

#include "engine/effects/particle_depth_regions.h"
#include "engine/material/material.h"
#include "engine/scene/scene_object.h"

#include <vector>

namespace engine {

class TGLParticleFXManager;

// Draws the particles of every manager attached to it in one pass, farthest first by depth
// regions, in world coordinates: its own place in the scene does not matter. Drawn every frame and
// never culled.
class TGLParticleFXRenderer : public TGLBaseSceneObject {
public:
    TGLParticleFXRenderer();
    ~TGLParticleFXRenderer() override;

    bool ZWrite() const { return m_zWrite; }
    void SetZWrite(bool value);
    bool ZTest() const { return m_zTest; }
    void SetZTest(bool value);
    // Particles nearer than the near plane are dropped; without ZCull they join the nearest region.
    bool ZCull() const { return m_zCull; }
    void SetZCull(bool value);
    TPFXSortAccuracy ZSortAccuracy() const { return m_zSortAccuracy; }
    void SetZSortAccuracy(TPFXSortAccuracy value);
    // Depth range of the sort; 0 uses the camera's depth of view.
    float ZMaxDistance() const { return m_zMaxDistance; }
    void SetZMaxDistance(float value);
    TBlendingMode BlendingMode() const { return m_blendingMode; }
    void SetBlendingMode(TBlendingMode mode);

    int ManagerCount() const { return static_cast<int>(m_managers.size()); }
    TGLParticleFXManager* Managers(int i) const;

    // Of the last frame, for information.
    int LastParticleCount() const { return m_lastParticleCount; }
    double LastSortTime() const { return m_lastSortTime; }

    void EmitGeometry(TRenderContextInfo& rci) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    // Copies the settings; the managers stay with the source.
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:
    friend class TGLParticleFXManager;
    void RegisterManager(TGLParticleFXManager& manager);
    void UnRegisterManager(TGLParticleFXManager& manager);
    void DrawRegions(TRenderContextInfo& rci);
    // Ends a manager's run of particles and puts the renderer's blending back if it had its own.
    void EndManager(TGLParticleFXManager& manager, TRenderContextInfo& rci);

    bool m_zWrite = false;
    bool m_zTest = true;
    bool m_zCull = true;
    TPFXSortAccuracy m_zSortAccuracy = saHigh;
    float m_zMaxDistance = 0.0f;
    TBlendingMode m_blendingMode = TBlendingMode::bmAdditive;
    std::vector<TGLParticleFXManager*> m_managers;  // each manager's Renderer link points back here
    TParticleDepthRegions m_regions;
    int m_lastParticleCount = 0;
    double m_lastSortTime = 0.0;
};

}  // namespace engine
