#pragma once

#include "engine/effects/particle_fx_manager.h"

#include <string>
#include <vector>

namespace engine {

// One stage of a particle's life: the colours, size and turn it reaches at LifeTime seconds.
class TPFXLifeColor {
public:
    const TVec4& ColorInner() const { return m_colorInner; }
    void SetColorInner(const TVec4& color) { m_colorInner = color; }
    const TVec4& ColorOuter() const { return m_colorOuter; }
    void SetColorOuter(const TVec4& color) { m_colorOuter = color; }
    // Seconds; a value <= 0 becomes 0.000001.
    float LifeTime() const { return m_lifeTime; }
    void SetLifeTime(float seconds);
    float SizeScale() const { return m_sizeScale; }
    void SetSizeScale(float scale) { m_sizeScale = scale; }
    // Degrees.
    float RotateAngle() const { return m_rotateAngle; }
    void SetRotateAngle(float degrees) { m_rotateAngle = degrees; }

    bool DoScale() const { return m_sizeScale != 1.0f; }
    bool DoRotate() const { return m_rotateAngle != 0.0f; }
    float InvLifeTime() const { return 1.0f / m_lifeTime; }
    std::string DisplayName() const;

private:
    TVec4 m_colorInner;
    TVec4 m_colorOuter;
    float m_lifeTime = 1.0f;
    float m_sizeScale = 1.0f;
    float m_rotateAngle = 0.0f;
};

// The ordered life stages of a manager.
class TPFXLifeColors {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    TPFXLifeColor& Items(int i) { return m_items.at(static_cast<std::size_t>(i)); }
    const TPFXLifeColor& Items(int i) const { return m_items.at(static_cast<std::size_t>(i)); }
    TPFXLifeColor& Add();
    void Delete(int i);
    void Clear() { m_items.clear(); }
    // The last stage's LifeTime, or 1e30 without stages.
    double MaxLifeTime() const;

private:
    std::vector<TPFXLifeColor> m_items;
};

// What a particle of a given age looks like.
struct TPFXLifeState {
    TVec4 inner;
    TVec4 outer;
    bool scales = false;
    float sizeScale = 1.0f;
    bool rotates = false;
    float rotateAngle = 0.0f;
};

// Particles whose colour, size and turn follow their age through the life colours; they die after
// the last stage.
class TGLLifeColoredPFXManager : public TGLDynamicPFXManager {
public:
    TGLLifeColoredPFXManager();

    const TVec4& ColorInner() const { return m_colorInner; }
    void SetColorInner(const TVec4& color) { m_colorInner = color; }
    const TVec4& ColorOuter() const { return m_colorOuter; }
    void SetColorOuter(const TVec4& color) { m_colorOuter = color; }
    TPFXLifeColors& LifeColors() { return m_lifeColors; }
    const TPFXLifeColors& LifeColors() const { return m_lifeColors; }
    float ParticleSize() const { return m_particleSize; }
    void SetParticleSize(float size) { m_particleSize = size; }

    double MaxParticleAge() const override { return m_lifeColors.MaxLifeTime(); }

    // Blends between the stages around the age (not clamped: past the last stage the last two
    // extrapolate). Without stages the manager's colours hold at every age.
    TPFXLifeState LifeStateAt(double age) const;
    // Whether any stage turns its particles.
    bool AnyLifeRotation() const;

private:
    TVec4 m_colorInner{1, 1, 0, 1};
    TVec4 m_colorOuter{0, 0, 0, 0};
    TPFXLifeColors m_lifeColors;
    float m_particleSize = 1.0f;
};

}  // namespace engine
