#pragma once

#include "engine/effects/particle_fx_effect.h"
#include "engine/effects/random_spread.h"

#include <string>

namespace engine {

class TGLBaseSceneObject;

// Whether InitialVelocity is turned by the owner's orientation.
enum TGLSourcePFXVelocityMode { svmAbsolute, svmRelative };
// Whether InitialPosition is an offset in world axes or a point in the owner's frame.
enum TGLSourcePFXPositionMode { spmAbsoluteOffset, spmRelative };

// Emits particles into its manager at a fixed interval, placed at its owner.
class TGLSourcePFXEffect : public TGLParticleFXEffect {
public:
    using TGLParticleFXEffect::TGLParticleFXEffect;

    static constexpr const char* FriendlyName = "PFX Source";
    static constexpr const char* FriendlyDescription = "Simple Particles FX Source";

    const TVec3& InitialVelocity() const { return m_initialVelocity; }
    void SetInitialVelocity(const TVec3& v) { m_initialVelocity = v; }
    float VelocityDispersion() const { return m_velocityDispersion; }
    void SetVelocityDispersion(float value) { m_velocityDispersion = value; }
    const TVec3& InitialPosition() const { return m_initialPosition; }
    void SetInitialPosition(const TVec3& p) { m_initialPosition = p; }
    float PositionDispersion() const { return m_positionDispersion; }
    void SetPositionDispersion(float value) { m_positionDispersion = value; }
    const TVec3& PositionDispersionRange() const { return m_positionDispersionRange; }
    void SetPositionDispersionRange(const TVec3& range) { m_positionDispersionRange = range; }
    // Seconds between particles; negative values become 0 (which emits nothing).
    float ParticleInterval() const { return m_particleInterval; }
    void SetParticleInterval(float seconds);
    TGLSourcePFXVelocityMode VelocityMode() const { return m_velocityMode; }
    void SetVelocityMode(TGLSourcePFXVelocityMode mode) { m_velocityMode = mode; }
    TGLSourcePFXPositionMode PositionMode() const { return m_positionMode; }
    void SetPositionMode(TGLSourcePFXPositionMode mode) { m_positionMode = mode; }
    TGLSourcePFXDispersionMode DispersionMode() const { return m_dispersionMode; }
    void SetDispersionMode(TGLSourcePFXDispersionMode mode) { m_dispersionMode = mode; }
    // Stored only: emitted particles do not rotate.
    float RotationDispersion() const { return m_rotationDispersion; }
    void SetRotationDispersion(float value) { m_rotationDispersion = value; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool DisabledIfOwnerInvisible() const { return m_disabledIfOwnerInvisible; }
    void SetDisabledIfOwnerInvisible(bool value) { m_disabledIfOwnerInvisible = value; }
    // Time accumulated towards the next emission (not stored).
    double TimeRemainder() const { return m_timeRemainder; }

    // Emits the particles the elapsed time is worth. The remainder settles between one and two
    // intervals, so the first particle comes once two intervals have passed. A stall (a step of
    // more than about a second) emits a second's particles at most and forgives the rest.
    void DoProgress(const TProgressTimes& times) override;
    // Emits count particles stamped with time; nothing without a manager.
    void Burst(double time, int count);

    const char* ClassName() const override { return "TGLSourcePFXEffect"; }
    void WriteToStream(TTypedValueWriter& writer) const override;
    void ReadFromStream(TTypedValueReader& reader, const TManagerResolver& resolve) override;
    std::unique_ptr<TGLObjectEffect> Clone(TGLBaseSceneObject* newOwner) const override;

private:
    TVec3 m_initialVelocity;
    float m_velocityDispersion = 0.0f;
    TVec3 m_initialPosition;
    float m_positionDispersion = 0.0f;
    TVec3 m_positionDispersionRange{1.0f, 1.0f, 1.0f};
    float m_particleInterval = 0.1f;
    TGLSourcePFXVelocityMode m_velocityMode = svmAbsolute;
    TGLSourcePFXPositionMode m_positionMode = spmAbsoluteOffset;
    TGLSourcePFXDispersionMode m_dispersionMode = sdmFast;
    float m_rotationDispersion = 0.0f;
    bool m_enabled = true;
    bool m_disabledIfOwnerInvisible = false;
    double m_timeRemainder = 0.0;
};

// The source effect of that name in the object's effects (with an empty name, the first source
// effect), created there when absent. An effect of that name that is not a source effect is
// std::invalid_argument.
TGLSourcePFXEffect& SourceEffectOf(TGLBaseSceneObject& object, const std::string& name = "");

}  // namespace engine
