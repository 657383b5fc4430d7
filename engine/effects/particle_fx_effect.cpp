#include "engine/effects/particle_fx_effect.h"

namespace engine {

namespace {
constexpr std::int32_t kParticleEffectVersion = 1;
}

void TGLParticleFXEffect::WriteToStream(TTypedValueWriter& writer) const {
    writer.WriteInteger(kParticleEffectVersion);
    writer.WriteString(m_manager ? m_manager->Name() : std::string());
    writer.WriteFloat(m_effectScale);
}

void TGLParticleFXEffect::ReadFromStream(TTypedValueReader& reader, const TManagerResolver& resolve) {
    reader.ReadVersion("particle effect", kParticleEffectVersion);
    m_pendingManagerName = reader.ReadString();
    m_effectScale = reader.ReadFloat32();
    m_resolve = resolve;
}

void TGLParticleFXEffect::Loaded() {
    if (m_resolve) {
        SetManager(m_pendingManagerName.empty() ? nullptr : m_resolve(m_pendingManagerName));
        m_resolve = nullptr;
        m_pendingManagerName.clear();
    }
}

void TGLParticleFXEffect::CopyParticleFXFrom(const TGLParticleFXEffect& source) {
    SetName(source.Name());
    SetManager(source.Manager());
    m_effectScale = source.m_effectScale;
    m_pendingManagerName = source.m_pendingManagerName;
    m_resolve = source.m_resolve;
}

}  // namespace engine
