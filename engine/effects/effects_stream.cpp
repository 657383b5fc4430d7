#include "engine/effects/effects_stream.h"

#include "engine/effects/source_pfx_effect.h"
#include "engine/scene/scene_object.h"

#include <vector>

namespace engine {

namespace {

// The stored effect classes by name.
TGLParticleFXEffect* AddStoredEffect(TGLObjectEffects& effects, const std::string& className) {
    if (className == "TGLSourcePFXEffect") {
        return effects.Add<TGLSourcePFXEffect>();
    }
    throw ETypedValueStreamError("Unknown effect class \"" + className + "\" in stored effects");
}

}  // namespace

std::vector<std::uint8_t> WriteObjectEffects(const TGLBaseSceneObject& object) {
    std::vector<const TGLParticleFXEffect*> stored;
    if (object.HasEffects()) {
        // Effects() makes the list on first access; it exists here, so nothing is changed.
        auto& effects = const_cast<TGLBaseSceneObject&>(object).Effects();
        for (int i = 0; i < effects.Count(); ++i) {
            if (const auto* effect = dynamic_cast<const TGLParticleFXEffect*>(effects.Items(i))) {
                stored.push_back(effect);
            }
        }
    }
    TTypedValueWriter writer;
    TClassNameWriter classes;
    writer.WriteInteger(static_cast<std::int32_t>(stored.size()));
    for (const TGLParticleFXEffect* effect : stored) {
        classes.WriteClass(writer, effect->ClassName());
        WriteItemHeader(writer, effect->Name());
        effect->WriteToStream(writer);
    }
    return writer.Data();
}

void ReadObjectEffects(std::span<const std::uint8_t> data, TGLBaseSceneObject& object,
                       const TManagerResolver& resolve) {
    // Read into a list of its own first, so that a failure leaves the object's effects alone.
    TGLObjectEffects loaded(&object);
    TTypedValueReader reader(data);
    TClassNameReader classes;
    const std::int32_t count = reader.ReadCount();
    for (std::int32_t i = 0; i < count; ++i) {
        TGLParticleFXEffect* effect = AddStoredEffect(loaded, classes.ReadClass(reader));
        effect->SetName(ReadItemHeader(reader));
        effect->ReadFromStream(reader, resolve);
    }
    if (!reader.AtEnd()) {
        throw ETypedValueStreamError("Invalid stream format: " + std::to_string(reader.Remaining()) +
                                     " bytes follow the stored effects");
    }
    object.Effects().CopyFrom(loaded);
}

}  // namespace engine
