#pragma once

#include "engine/core/component.h"
#include "engine/core/progress_times.h"
#include "engine/timing/cadencer.h"

namespace engine {

// A component progressed by a cadencer after the scene (the particle managers): setting Cadencer
// unsubscribes from the previous one and subscribes to the new one.
class TGLCadencedComponent : public TGLCadenceAbleComponent {
public:
    TGLCadencedComponent() = default;
    ~TGLCadencedComponent() override;

    TGLCadencer* Cadencer() const { return m_cadencer.Get(); }
    void SetCadencer(TGLCadencer* cadencer);

private:
    TComponentLink<TGLCadencer> m_cadencer;
};

}  // namespace engine
