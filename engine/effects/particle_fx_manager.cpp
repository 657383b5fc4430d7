#include "engine/effects/particle_fx_manager.h"

#include "engine/effects/particle_fx_renderer.h"

#include <cmath>

namespace engine {

TGLParticleFXManager::TGLParticleFXManager() = default;

TGLParticleFXManager::~TGLParticleFXManager() {
    SetRenderer(nullptr);
}

void TGLParticleFXManager::SetRenderer(TGLParticleFXRenderer* renderer) {
    if (renderer == m_renderer.Get()) {
        return;
    }
    if (m_renderer) {
        m_renderer->UnRegisterManager(*this);
    }
    m_renderer.Set(renderer);
    if (renderer) {
        renderer->RegisterManager(*this);
    }
}

TGLParticle& TGLParticleFXManager::CreateParticle() {
    std::unique_ptr<TGLParticle> particle = NewParticle();
    particle->ID = m_nextID++;
    particle->Manager = this;
    if (const TGLCadencer* cadencer = Cadencer()) {
        particle->CreationTime = cadencer->CurrentTime();
    }
    TGLParticle& created = *particle;
    m_particles.AddItem(std::move(particle));
    if (OnCreateParticle) {
        OnCreateParticle(created);
    }
    return created;
}

void SetParticleBlending(TBlendingMode mode) {
    switch (mode) {
        case TBlendingMode::bmTransparency:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            break;
        case TBlendingMode::bmAdditive:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            break;
        default:
            glDisable(GL_BLEND);
            break;
    }
}

void TGLDynamicPFXManager::DoProgress(const TProgressTimes& times) {
    const double maxAge = MaxParticleAge();
    const float dt = static_cast<float>(times.deltaTime);
    const bool braked = m_friction != 1.0f;
    const float kept = braked ? static_cast<float>(std::pow(static_cast<double>(m_friction), times.deltaTime)) : 1.0f;
    m_currentTime = times.newTime;
    TGLParticleList& list = Particles();
    bool died = false;
    for (int i = 0; i < list.ItemCount(); ++i) {
        TGLParticle* p = list.Items(i);
        if (!p) {
            continue;
        }
        if (times.newTime - p->CreationTime >= maxAge) {
            list.KillItem(i);
            died = true;
            continue;
        }
        p->Position = p->Position + p->Velocity * dt;
        p->Velocity = p->Velocity + m_acceleration * dt;
        if (braked) {
            p->Velocity = p->Velocity * kept;
        }
    }
    if (died) {
        list.Pack();
    }
}

}  // namespace engine
