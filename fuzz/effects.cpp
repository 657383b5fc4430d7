// The stored effects list over any bytes, read into a scene object as the designed scene loads it
// (managers found by name once loading is complete). ETypedValueStreamError is the reader's
// answer. A list that reads is written again and read into a second object: every effect must come
// back with the same name, manager and fields.
#include "engine/effects/effects_stream.h"
#include "engine/effects/source_pfx_effect.h"
#include "engine/scene/dummy_cube.h"
#include "fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace {

// Stands for the scene's particle managers: whatever name the data gives is a manager.
class NamedManager : public engine::TGLDynamicPFXManager {
public:
    double MaxParticleAge() const override { return 1.0; }
    void RenderParticle(engine::TRenderContextInfo&, const engine::TGLParticle&) override {}
};

class Managers {
public:
    engine::TManagerResolver Resolver() {
        return [this](const std::string& name) -> engine::TGLParticleFXManager* {
            auto& manager = m_byName[name];
            if (!manager) {
                manager = std::make_unique<NamedManager>();
                manager->SetName(name);
            }
            return manager.get();
        };
    }

private:
    std::map<std::string, std::unique_ptr<NamedManager>> m_byName;
};

void Load(std::span<const std::uint8_t> data, engine::TGLBaseSceneObject& object, Managers& managers) {
    engine::ReadObjectEffects(data, object, managers.Resolver());
    object.Effects().Loaded();
}

bool SameSource(const engine::TGLSourcePFXEffect& a, const engine::TGLSourcePFXEffect& b) {
    return a.Name() == b.Name() && a.Manager() == b.Manager() && a.EffectScale() == b.EffectScale() &&
           a.InitialVelocity() == b.InitialVelocity() && a.InitialPosition() == b.InitialPosition() &&
           a.PositionDispersionRange() == b.PositionDispersionRange() &&
           a.VelocityDispersion() == b.VelocityDispersion() && a.PositionDispersion() == b.PositionDispersion() &&
           a.ParticleInterval() == b.ParticleInterval() && a.VelocityMode() == b.VelocityMode() &&
           a.DispersionMode() == b.DispersionMode() && a.Enabled() == b.Enabled() &&
           a.RotationDispersion() == b.RotationDispersion() &&
           a.DisabledIfOwnerInvisible() == b.DisabledIfOwnerInvisible() && a.PositionMode() == b.PositionMode();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Managers managers;
    engine::TGLDummyCube object;
    try {
        Load({data, size}, object, managers);
    } catch (const engine::ETypedValueStreamError&) {
        return 0;
    }
    const std::vector<std::uint8_t> stored = engine::WriteObjectEffects(object);
    engine::TGLDummyCube copy;
    try {
        Load(stored, copy, managers);
    } catch (const engine::ETypedValueStreamError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        fuzz::Require(false, "stored effects that were read and written again do not read");
    }
    fuzz::Require(object.Effects().Count() == copy.Effects().Count(), "the number of effects changed");
    for (int i = 0; i < object.Effects().Count(); ++i) {
        const auto* a = dynamic_cast<const engine::TGLSourcePFXEffect*>(object.Effects().Items(i));
        const auto* b = dynamic_cast<const engine::TGLSourcePFXEffect*>(copy.Effects().Items(i));
        fuzz::Require(a != nullptr && b != nullptr && SameSource(*a, *b), "an effect changed on its way back");
    }
    return 0;
}
