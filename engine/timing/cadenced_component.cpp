#include "engine/timing/cadenced_component.h"

namespace engine {

TGLCadencedComponent::~TGLCadencedComponent() {
    // Leave the cadencer's list before the subclass's parts are gone, not only at TComponent's end.
    SetCadencer(nullptr);
}

void TGLCadencedComponent::SetCadencer(TGLCadencer* cadencer) {
    if (cadencer == m_cadencer.Get()) {
        return;
    }
    if (m_cadencer) {
        m_cadencer->UnSubscribe(this);
    }
    m_cadencer.Set(cadencer);
    if (cadencer) {
        cadencer->Subscribe(this);
    }
}

}  // namespace engine
