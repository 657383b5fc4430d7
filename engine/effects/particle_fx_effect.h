#pragma once

#include "engine/core/component.h"
#include "engine/effects/particle_fx_manager.h"
#include "engine/effects/typed_value_stream.h"
#include "engine/scene/object_effects.h"

#include <functional>
#include <string>

namespace engine {

// Finds a particle manager by component name when stored effects finish loading.
using TManagerResolver = std::function<TGLParticleFXManager*(const std::string& name)>;

// An object effect that feeds a particle manager; the stored effects list holds these.
class TGLParticleFXEffect : public TGLObjectPostEffect {
public:
    using TGLObjectPostEffect::TGLObjectPostEffect;

    // Where particles go; cleared when the manager dies.
    TGLParticleFXManager* Manager() const { return m_manager.Get(); }
    void SetManager(TGLParticleFXManager* manager) { m_manager.Set(manager); }
    float EffectScale() const { return m_effectScale; }
    void SetEffectScale(float scale) { m_effectScale = scale; }

    // The class name the effects list stores.
    virtual const char* ClassName() const = 0;
    // The effect's own fields after its item header. Reading leaves the manager's name pending
    // until Loaded, when resolve finds it.
    virtual void WriteToStream(TTypedValueWriter& writer) const;
    virtual void ReadFromStream(TTypedValueReader& reader, const TManagerResolver& resolve);
    // Resolves the manager named by the stored data (none when the name is empty or unknown).
    void Loaded() override;

protected:
    void CopyParticleFXFrom(const TGLParticleFXEffect& source);

private:
    TComponentLink<TGLParticleFXManager> m_manager;
    float m_effectScale = 1.0f;
    std::string m_pendingManagerName;
    TManagerResolver m_resolve;
};

}  // namespace engine
