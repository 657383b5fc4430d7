#include "engine/effects/particle.h"

#include <algorithm>

namespace engine {

namespace {
constexpr std::size_t kGrowthStep = 64;
}

TGLParticle* TGLParticleList::Items(int i) const {
    return i >= 0 && i < ItemCount() ? m_items[static_cast<std::size_t>(i)].get() : nullptr;
}

void TGLParticleList::AddItem(std::unique_ptr<TGLParticle> particle) {
    if (m_items.size() == m_items.capacity()) {
        m_items.reserve(m_items.size() + kGrowthStep);
    }
    m_items.push_back(std::move(particle));
}

void TGLParticleList::KillItem(int i) {
    if (i >= 0 && i < ItemCount()) {
        m_items[static_cast<std::size_t>(i)].reset();
    }
}

void TGLParticleList::Pack() {
    m_items.erase(std::remove(m_items.begin(), m_items.end(), nullptr), m_items.end());
}

}  // namespace engine
