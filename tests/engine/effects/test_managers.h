#pragma once

#include "engine/effects/particle_fx_manager.h"

#include <string>
#include <vector>

namespace engine::test {

// A manager with a fixed maximum age that writes the renderer's calls into a log shared by the
// managers of a test, instead of drawing.
class RecordingManager : public TGLDynamicPFXManager {
public:
    explicit RecordingManager(std::vector<std::string>& log, double maxAge = 1e30) : m_log(log), m_maxAge(maxAge) {}

    double MaxParticleAge() const override { return m_maxAge; }
    GLenum TexturingMode() const override { return texturing; }
    void InitializeRendering(TRenderContextInfo&) override { m_log.push_back(Name() + " init"); }
    void BeginParticles(TRenderContextInfo&) override { m_log.push_back(Name() + " begin"); }
    void RenderParticle(TRenderContextInfo&, const TGLParticle& particle) override {
        m_log.push_back(Name() + " " + std::to_string(particle.ID));
    }
    void EndParticles(TRenderContextInfo&) override { m_log.push_back(Name() + " end"); }
    void FinalizeRendering(TRenderContextInfo&) override { m_log.push_back(Name() + " final"); }

    // A particle placed by hand.
    TGLParticle& Place(const TVec3& position, double creationTime = 0.0) {
        TGLParticle& p = CreateParticle();
        p.Position = position;
        p.CreationTime = creationTime;
        return p;
    }

    GLenum texturing = 0;

private:
    std::vector<std::string>& m_log;
    double m_maxAge;
};

}  // namespace engine::test
