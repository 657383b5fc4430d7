#pragma once

#include "engine/core/component.h"
#include "engine/scene/scene_object.h"

#include <cstdint>
#include <initializer_list>

namespace engine {

enum TGLProxyObjectOption : std::uint8_t {
    pooEffects = 1,        // draw the master's post-effects through the proxy
    pooObjects = 2,        // draw the master's contents and children
    pooTransformation = 4  // apply the master's own local transform under the proxy's
};

// A set of TGLProxyObjectOption.
class TGLProxyObjectOptions {
public:
    constexpr TGLProxyObjectOptions() = default;
    constexpr TGLProxyObjectOptions(std::initializer_list<TGLProxyObjectOption> options) {
        for (TGLProxyObjectOption option : options) {
            m_bits = static_cast<std::uint8_t>(m_bits | option);
        }
    }
    constexpr bool Contains(TGLProxyObjectOption option) const { return (m_bits & option) != 0; }
    bool operator==(const TGLProxyObjectOptions&) const = default;

private:
    std::uint8_t m_bits = 0;
};

// Draws another object's geometry (its master, not owned) under the proxy's own transform; the
// master is drawn whether or not it is visible. A proxy reached again while it draws (a cycle
// through its master or its children) draws nothing the second time.
class TGLProxyObject : public TGLBaseSceneObject {
public:
    TGLProxyObject();

    // Cleared when the master dies.
    TGLBaseSceneObject* MasterObject() const { return m_masterObject.Get(); }
    void SetMasterObject(TGLBaseSceneObject* master);
    TGLProxyObjectOptions ProxyOptions() const { return m_proxyOptions; }
    void SetProxyOptions(TGLProxyObjectOptions options);

    void DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) override;
    // The master's; none without a master.
    TVec4 HalfExtents() const override;
    // The master's ray test against its geometry where the proxy draws it (under pooTransformation
    // placed by the master's own local transform); point and normal come back in world space. No
    // master: no hit.
    bool IntersectRay(const TVec4& rayStart, const TVec4& rayVector, TVec4* intersectPoint,
                      TVec4* intersectNormal) const override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:
    TComponentLink<TGLBaseSceneObject> m_masterObject;
    TGLProxyObjectOptions m_proxyOptions{pooEffects, pooObjects, pooTransformation};
    bool m_rendering = false;
};

}  // namespace engine
