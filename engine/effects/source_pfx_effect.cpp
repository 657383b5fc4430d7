#include "engine/effects/source_pfx_effect.h"

#include "engine/scene/scene_object.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace engine {

namespace {

constexpr std::int32_t kSourceEffectVersion = 6;
// The most time one progress step catches up on: a stall costs at most the particles of this span
// in one burst, all stamped with the same moment anyway.
constexpr double kCatchUpSeconds = 1.0;

// A stored vector: integer 0, whether it differs from its default, and if so four raw float32.
void WriteVector(TTypedValueWriter& writer, const TVec3& v, const TVec3& fallback, float w) {
    writer.WriteInteger(0);
    const bool differs = !(v == fallback);
    writer.WriteBoolean(differs);
    if (differs) {
        const float components[4] = {v.X, v.Y, v.Z, w};
        writer.WriteRawVector(components);
    }
}

TVec3 ReadVector(TTypedValueReader& reader, const TVec3& fallback) {
    reader.ReadVersion("vector", 0);
    if (!reader.ReadBoolean()) {
        return fallback;
    }
    float components[4];
    reader.ReadRawVector(components);
    for (float c : components) {
        if (!std::isfinite(c)) {
            throw ETypedValueStreamError("Invalid floating point value in stream");
        }
    }
    return {components[0], components[1], components[2]};
}

template <class TEnum>
TEnum ReadMode(TTypedValueReader& reader, const char* what, TEnum highest) {
    const std::int32_t value = reader.ReadInteger();
    if (value < 0 || value > static_cast<std::int32_t>(highest)) {
        throw ETypedValueStreamError(std::string("Invalid stream format: ") + what + " " + std::to_string(value));
    }
    return static_cast<TEnum>(value);
}

}  // namespace

void TGLSourcePFXEffect::SetParticleInterval(float seconds) {
    m_particleInterval = seconds < 0.0f ? 0.0f : seconds;
}

void TGLSourcePFXEffect::DoProgress(const TProgressTimes& times) {
    if (!m_enabled || !Manager() || !(m_particleInterval > 0.0f)) {
        return;
    }
    if (m_disabledIfOwnerInvisible && !OwnerObject()->Visible()) {
        return;
    }
    // A step that is no number of seconds would leave the remainder unusable for good.
    if (!std::isfinite(times.deltaTime)) {
        return;
    }
    m_timeRemainder += times.deltaTime;
    const double interval = m_particleInterval;
    if (m_timeRemainder > interval) {
        const double owed = std::trunc((m_timeRemainder - interval) / interval);
        const double bound = std::clamp(std::trunc(kCatchUpSeconds / interval), 1.0,
                                        static_cast<double>(std::numeric_limits<int>::max()));
        const double n = std::min(owed, bound);
        Burst(times.newTime, static_cast<int>(n));
        // After a stall the particles owed beyond the bound are forgiven, not carried on: the
        // remainder keeps its place within the interval, as steady emission would leave it.
        m_timeRemainder = n < owed ? interval + std::fmod(m_timeRemainder - interval, interval)
                                   : m_timeRemainder - n * interval;
    }
}

void TGLSourcePFXEffect::Burst(double time, int count) {
    TGLParticleFXManager* manager = Manager();
    if (!manager) {
        return;
    }
    const TGLBaseSceneObject& owner = *OwnerObject();
    const TVec3 origin = m_positionMode == spmAbsoluteOffset
                             ? Affine(owner.GetWorldPosition()) + m_initialPosition
                             : Affine(TransformPoint(Point(m_initialPosition), owner.WorldTransform()));
    const TVec3 velocity = m_velocityMode == svmAbsolute
                               ? m_initialVelocity
                               : Affine(TransformDirection(Direction(m_initialVelocity), owner.WorldTransform()));
    for (int i = 0; i < count; ++i) {
        TGLParticle& particle = manager->CreateParticle();
        particle.EffectScale = EffectScale();
        particle.Position = origin + RandomSpread(m_positionDispersion, m_positionDispersionRange, m_dispersionMode);
        particle.Velocity = velocity + RandomSpread(m_velocityDispersion, TVec3{1, 1, 1}, m_dispersionMode);
        particle.CreationTime = time;
    }
}

void TGLSourcePFXEffect::WriteToStream(TTypedValueWriter& writer) const {
    TGLParticleFXEffect::WriteToStream(writer);
    writer.WriteInteger(kSourceEffectVersion);
    WriteVector(writer, m_initialVelocity, TVec3{}, 0.0f);
    WriteVector(writer, m_initialPosition, TVec3{}, 1.0f);
    WriteVector(writer, m_positionDispersionRange, TVec3{1, 1, 1}, 0.0f);
    writer.WriteFloat(m_velocityDispersion);
    writer.WriteFloat(m_positionDispersion);
    writer.WriteFloat(m_particleInterval);
    writer.WriteInteger(m_velocityMode);
    writer.WriteInteger(m_dispersionMode);
    writer.WriteBoolean(m_enabled);
    writer.WriteFloat(m_rotationDispersion);
    writer.WriteBoolean(m_disabledIfOwnerInvisible);
    writer.WriteInteger(m_positionMode);
}

void TGLSourcePFXEffect::ReadFromStream(TTypedValueReader& reader, const TManagerResolver& resolve) {
    TGLParticleFXEffect::ReadFromStream(reader, resolve);
    const std::int32_t version = reader.ReadVersion("source effect", kSourceEffectVersion);
    m_initialVelocity = ReadVector(reader, TVec3{});
    m_initialPosition = ReadVector(reader, TVec3{});
    if (version >= 2) {
        m_positionDispersionRange = ReadVector(reader, TVec3{1, 1, 1});
    }
    m_velocityDispersion = reader.ReadFloat32();
    m_positionDispersion = reader.ReadFloat32();
    SetParticleInterval(reader.ReadFloat32());
    m_velocityMode = ReadMode(reader, "velocity mode", svmRelative);
    if (version >= 1) {
        m_dispersionMode = ReadMode(reader, "dispersion mode", sdmIsotropic);
    }
    if (version >= 3) {
        m_enabled = reader.ReadBoolean();
    }
    if (version >= 4) {
        m_rotationDispersion = reader.ReadFloat32();
    }
    if (version >= 5) {
        m_disabledIfOwnerInvisible = reader.ReadBoolean();
    }
    if (version >= 6) {
        m_positionMode = ReadMode(reader, "position mode", spmRelative);
    }
}

std::unique_ptr<TGLObjectEffect> TGLSourcePFXEffect::Clone(TGLBaseSceneObject* newOwner) const {
    auto copy = std::make_unique<TGLSourcePFXEffect>(newOwner);
    copy->CopyParticleFXFrom(*this);
    copy->m_initialVelocity = m_initialVelocity;
    copy->m_velocityDispersion = m_velocityDispersion;
    copy->m_initialPosition = m_initialPosition;
    copy->m_positionDispersion = m_positionDispersion;
    copy->m_positionDispersionRange = m_positionDispersionRange;
    copy->m_particleInterval = m_particleInterval;
    copy->m_velocityMode = m_velocityMode;
    copy->m_positionMode = m_positionMode;
    copy->m_dispersionMode = m_dispersionMode;
    copy->m_rotationDispersion = m_rotationDispersion;
    copy->m_enabled = m_enabled;
    copy->m_disabledIfOwnerInvisible = m_disabledIfOwnerInvisible;
    return copy;
}

TGLSourcePFXEffect& SourceEffectOf(TGLBaseSceneObject& object, const std::string& name) {
    TGLObjectEffects& effects = object.Effects();
    if (name.empty()) {
        for (int i = 0; i < effects.Count(); ++i) {
            if (auto* source = dynamic_cast<TGLSourcePFXEffect*>(effects.Items(i))) {
                return *source;
            }
        }
    } else if (TGLObjectEffect* named = effects.GetByName(name)) {
        if (auto* source = dynamic_cast<TGLSourcePFXEffect*>(named)) {
            return *source;
        }
        throw std::invalid_argument("The effect \"" + name + "\" is not a particle source");
    }
    auto* created = effects.Add<TGLSourcePFXEffect>();
    created->SetName(name);
    return *created;
}

}  // namespace engine
