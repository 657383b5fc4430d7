#pragma once

#include "engine/core/component.h"
#include "engine/effects/particle.h"
#include "engine/material/material.h"
#include "engine/render/render_context_info.h"
#include "engine/timing/cadenced_component.h"

#include <GL/gl.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace engine {

class TGLParticleFXRenderer;

// Owns particles, moves them each cadencer tick and draws them for a renderer. The renderer calls
// the drawing operations once per frame in this order: InitializeRendering, then for each run of
// this manager's particles BeginParticles, RenderParticle..., EndParticles, and FinalizeRendering.
class TGLParticleFXManager : public TGLCadencedComponent {
public:
    TGLParticleFXManager();
    ~TGLParticleFXManager() override;

    // The renderer that draws this manager; setting one leaves the previous renderer first.
    // Cleared when the renderer dies.
    TGLParticleFXRenderer* Renderer() const { return m_renderer.Get(); }
    void SetRenderer(TGLParticleFXRenderer* renderer);

    // Where it differs from the renderer's, the renderer switches to it around this manager's
    // particles.
    TBlendingMode BlendingMode() const { return m_blendingMode; }
    void SetBlendingMode(TBlendingMode mode) { m_blendingMode = mode; }

    // A new particle of the manager's particle class: next ID, the cadencer's time, appended.
    TGLParticle& CreateParticle();
    std::function<void(TGLParticle& particle)> OnCreateParticle;

    TGLParticleList& Particles() { return m_particles; }
    const TGLParticleList& Particles() const { return m_particles; }
    int ParticleCount() const { return m_particles.ItemCount(); }
    std::int32_t NextID() const { return m_nextID; }

    // --- drawing, called by the renderer with the camera's view as the modelview matrix ---
    virtual void InitializeRendering(TRenderContextInfo& rci) { (void)rci; }
    // The OpenGL capability the particles need enabled (GL_TEXTURE_2D), or 0 for none.
    virtual GLenum TexturingMode() const { return 0; }
    virtual void BeginParticles(TRenderContextInfo& rci) { (void)rci; }
    virtual void RenderParticle(TRenderContextInfo& rci, const TGLParticle& particle) = 0;
    virtual void EndParticles(TRenderContextInfo& rci) { (void)rci; }
    virtual void FinalizeRendering(TRenderContextInfo& rci) { (void)rci; }

protected:
    // The particle class of this manager.
    virtual std::unique_ptr<TGLParticle> NewParticle() const { return std::make_unique<TGLParticle>(); }

private:
    TComponentLink<TGLParticleFXRenderer> m_renderer;
    TBlendingMode m_blendingMode = TBlendingMode::bmAdditive;
    TGLParticleList m_particles;
    std::int32_t m_nextID = 0;
};

// Sets OpenGL blending for a particle blending mode: additive and transparency blend, anything
// else draws unblended.
void SetParticleBlending(TBlendingMode mode);

// Particles that fly: each tick they move by their velocity, which gains the acceleration and
// loses to friction, and die at the maximum age the subclass gives.
class TGLDynamicPFXManager : public TGLParticleFXManager {
public:
    const TVec3& Acceleration() const { return m_acceleration; }
    void SetAcceleration(const TVec3& acceleration) { m_acceleration = acceleration; }
    // The share of velocity kept per second; 1 keeps it all.
    float Friction() const { return m_friction; }
    void SetFriction(float friction) { m_friction = friction; }
    // Cadencer time of the last progress.
    double CurrentTime() const { return m_currentTime; }

    // Particles of this age or older die at the next progress.
    virtual double MaxParticleAge() const = 0;

    void DoProgress(const TProgressTimes& times) override;

private:
    TVec3 m_acceleration;
    float m_friction = 1.0f;
    double m_currentTime = 0.0;
};

}  // namespace engine
