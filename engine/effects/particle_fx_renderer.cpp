#include "engine/effects/particle_fx_renderer.h"

#include "engine/core/set_and_notify.h"
#include "engine/effects/particle_fx_manager.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>

namespace engine {

namespace {

void SwitchTexturing(GLenum from, GLenum to) {
    if (from == to) {
        return;
    }
    if (from != 0) {
        glDisable(from);
    }
    if (to != 0) {
        glEnable(to);
    }
}

}  // namespace

TGLParticleFXRenderer::TGLParticleFXRenderer() {
    SetObjectStyle(DrawDirect | NeverCulled | AltersRenderState);
}

TGLParticleFXRenderer::~TGLParticleFXRenderer() {
    while (!m_managers.empty()) {
        m_managers.back()->SetRenderer(nullptr);
    }
}

void TGLParticleFXRenderer::SetZWrite(bool value) {
    SetAndNotify(m_zWrite, value, [this] { SignalChange(); });
}
void TGLParticleFXRenderer::SetZTest(bool value) {
    SetAndNotify(m_zTest, value, [this] { SignalChange(); });
}
void TGLParticleFXRenderer::SetZCull(bool value) {
    SetAndNotify(m_zCull, value, [this] { SignalChange(); });
}

void TGLParticleFXRenderer::SetZSortAccuracy(TPFXSortAccuracy value) {
    SetAndNotify(m_zSortAccuracy, value, [this] { SignalChange(); });
}

void TGLParticleFXRenderer::SetZMaxDistance(float value) {
    SetAndNotify(m_zMaxDistance, value, [this] { SignalChange(); });
}

void TGLParticleFXRenderer::SetBlendingMode(TBlendingMode mode) {
    SetAndNotify(m_blendingMode, mode, [this] { SignalChange(); });
}

TGLParticleFXManager* TGLParticleFXRenderer::Managers(int i) const {
    return i >= 0 && i < ManagerCount() ? m_managers[static_cast<std::size_t>(i)] : nullptr;
}

void TGLParticleFXRenderer::RegisterManager(TGLParticleFXManager& manager) {
    if (std::find(m_managers.begin(), m_managers.end(), &manager) == m_managers.end()) {
        m_managers.push_back(&manager);
    }
}

void TGLParticleFXRenderer::UnRegisterManager(TGLParticleFXManager& manager) {
    m_managers.erase(std::remove(m_managers.begin(), m_managers.end(), &manager), m_managers.end());
}

void TGLParticleFXRenderer::EmitGeometry(TRenderContextInfo& rci) {
    if (!rci.modelViewMatrix) {
        return;
    }
    const auto sortStart = std::chrono::steady_clock::now();
    TParticleDepthView view;
    view.cameraPosition = Affine(rci.cameraPosition);
    view.cameraDirection = Affine(rci.cameraDirection);
    view.nearDistance = NearClippingDistance(rci);
    view.range = m_zMaxDistance > 0.0f ? m_zMaxDistance : rci.rcci.farClippingDistance - view.nearDistance;
    view.cull = m_zCull;
    m_regions.Clear();
    for (TGLParticleFXManager* manager : m_managers) {
        m_regions.Add(manager->Particles(), view);
    }
    if (m_blendingMode != TBlendingMode::bmAdditive) {
        m_regions.SortRegions(SortedRegionCount(m_zSortAccuracy));
    }
    m_lastParticleCount = m_regions.Count();
    m_lastSortTime = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sortStart).count();

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushMatrix();
    glLoadMatrixf(&(*rci.modelViewMatrix)[0].X);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    SetParticleBlending(m_blendingMode);
    glDepthFunc(GL_LEQUAL);
    if (!m_zWrite) {
        glDepthMask(GL_FALSE);
    }
    if (!m_zTest) {
        glDisable(GL_DEPTH_TEST);
    }
    for (TGLParticleFXManager* manager : m_managers) {
        manager->InitializeRendering(rci);
    }
    DrawRegions(rci);
    for (TGLParticleFXManager* manager : m_managers) {
        manager->FinalizeRendering(rci);
    }
    glPopMatrix();
    glPopAttrib();
    m_regions.Clear();
}

void TGLParticleFXRenderer::DrawRegions(TRenderContextInfo& rci) {
    TGLParticleFXManager* current = nullptr;
    GLenum texturing = 0;
    for (int r = TParticleDepthRegions::RegionCount - 1; r >= 0; --r) {
        const auto& region = m_regions.Region(r);
        for (auto it = region.rbegin(); it != region.rend(); ++it) {
            TGLParticleFXManager* manager = it->particle->Manager;
            if (manager != current) {
                if (current) {
                    EndManager(*current, rci);
                }
                SwitchTexturing(texturing, manager->TexturingMode());
                texturing = manager->TexturingMode();
                if (manager->BlendingMode() != m_blendingMode) {
                    SetParticleBlending(manager->BlendingMode());
                }
                manager->BeginParticles(rci);
                current = manager;
            }
            current->RenderParticle(rci, *it->particle);
        }
    }
    if (current) {
        EndManager(*current, rci);
    }
}

void TGLParticleFXRenderer::EndManager(TGLParticleFXManager& manager, TRenderContextInfo& rci) {
    manager.EndParticles(rci);
    if (manager.BlendingMode() != m_blendingMode) {
        SetParticleBlending(m_blendingMode);
    }
}

void TGLParticleFXRenderer::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* renderer = dynamic_cast<const TGLParticleFXRenderer*>(&source)) {
        m_zWrite = renderer->m_zWrite;
        m_zTest = renderer->m_zTest;
        m_zCull = renderer->m_zCull;
        m_zSortAccuracy = renderer->m_zSortAccuracy;
        m_zMaxDistance = renderer->m_zMaxDistance;
        m_blendingMode = renderer->m_blendingMode;
    }
    TGLBaseSceneObject::DoCopyFrom(source);
}

std::unique_ptr<TGLBaseSceneObject> TGLParticleFXRenderer::NewInstance() const {
    return std::make_unique<TGLParticleFXRenderer>();
}

}  // namespace engine
