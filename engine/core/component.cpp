#include "engine/core/component.h"

#include <algorithm>

namespace engine {

TComponent::~TComponent() {
    NotifyFreed();
}

void TComponent::NotifyFreed() {
    m_destroying = true;
    // An observer may drop other observers while it is being told, so take them one at a time.
    while (!m_freeObservers.empty()) {
        TFreeObserver* observer = m_freeObservers.back();
        m_freeObservers.pop_back();
        observer->ComponentFreed(this);
    }
}

void TComponent::AddFreeObserver(TFreeObserver* observer) {
    if (std::find(m_freeObservers.begin(), m_freeObservers.end(), observer) == m_freeObservers.end()) {
        m_freeObservers.push_back(observer);
    }
}

void TComponent::RemoveFreeObserver(TFreeObserver* observer) {
    std::erase(m_freeObservers, observer);
}

}  // namespace engine
