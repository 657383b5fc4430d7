#pragma once

#include "engine/core/vector_math.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace engine {

class TGLParticleFXManager;

// One particle, created and owned by its manager. Position is in world coordinates.
struct TGLParticle {
    std::int32_t ID = 0;
    TGLParticleFXManager* Manager = nullptr;
    TVec3 Position;
    TVec3 Velocity;
    float RotationSpeed = 0.0f;  // nothing in this system sets it
    double CreationTime = 0.0;   // seconds on the cadencer's clock
    float EffectScale = 1.0f;

    virtual ~TGLParticle() = default;
};

// The ordered particles of one manager. A particle killed during a pass leaves an empty slot, and
// the list is packed once afterwards, so a pass never shifts the entries it has still to visit.
class TGLParticleList {
public:
    int ItemCount() const { return static_cast<int>(m_items.size()); }
    // Particle i, or none for an empty slot or an index out of range.
    TGLParticle* Items(int i) const;

    void AddItem(std::unique_ptr<TGLParticle> particle);
    // Frees particle i and leaves its slot empty until Pack.
    void KillItem(int i);
    // Drops the empty slots, keeping the order of the others.
    void Pack();
    void Clear() { m_items.clear(); }

private:
    std::vector<std::unique_ptr<TGLParticle>> m_items;
};

}  // namespace engine
