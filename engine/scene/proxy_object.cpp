#include "engine/scene/proxy_object.h"

#include <GL/gl.h>

namespace engine {

TGLProxyObject::TGLProxyObject() : m_masterObject([this] { MarkStructureChanged(); }) {
    SetObjectStyle(AltersRenderState);
}

void TGLProxyObject::SetMasterObject(TGLBaseSceneObject* master) {
    if (m_masterObject.Get() != master) {
        m_masterObject.Set(master);
        MarkStructureChanged();
    }
}

void TGLProxyObject::SetProxyOptions(TGLProxyObjectOptions options) {
    if (!(m_proxyOptions == options)) {
        m_proxyOptions = options;
        MarkStructureChanged();
    }
}

void TGLProxyObject::DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) {
    if (m_rendering) {
        return;
    }
    // Lowered however the drawing ends, so a failed frame does not silence the proxy for good.
    struct TGuard {
        bool& flag;
        ~TGuard() { flag = false; }
    } guard{m_rendering};
    m_rendering = true;
    TGLBaseSceneObject* master = m_masterObject.Get();
    if (drawSelf && master && m_proxyOptions.Contains(pooObjects)) {
        const bool wasProxying = rci.proxySubObject;
        rci.proxySubObject = true;
        if (m_proxyOptions.Contains(pooTransformation)) {
            glPushMatrix();
            glMultMatrixf(&master->LocalTransform()[0].X);
        }
        master->DrawContents(rci, true, master->ChildCount() > 0);
        if (m_proxyOptions.Contains(pooTransformation)) {
            glPopMatrix();
        }
        rci.proxySubObject = wasProxying;
    }
    if (drawChildren) {
        RenderChildRange(0, ChildCount() - 1, rci);
    }
    if (drawSelf && master && m_proxyOptions.Contains(pooEffects) && master->HasEffects()) {
        TGLObjectEffects& effects = master->Effects();
        for (int i = 0; i < effects.Count(); ++i) {
            if (effects.Items(i)->Kind() == ekPost) {
                effects.Items(i)->Render(rci);
            }
        }
    }
    ClearStructureChanged();
}

TVec4 TGLProxyObject::HalfExtents() const {
    const TGLBaseSceneObject* master = m_masterObject.Get();
    return master ? master->HalfExtents() : TVec4{};
}

bool TGLProxyObject::IntersectRay(const TVec4& rayStart, const TVec4& rayVector, TVec4* intersectPoint,
                                  TVec4* intersectNormal) const {
    const TGLBaseSceneObject* master = m_masterObject.Get();
    if (!master) {
        return false;
    }
    // The proxy's local space holds the master's geometry as it is drawn: in the master's own frame,
    // or with pooTransformation in the frame the master's local transform applies in, its parent's
    // (none under a scene root). The ray goes from the proxy's frame through that one into the
    // master's world, where the master answers, and the hit comes back the same way.
    const TGLBaseSceneObject* frame = master;
    if (m_proxyOptions.Contains(pooTransformation)) {
        const TGLBaseSceneObject* parent = master->Parent();
        frame = parent && !parent->IsSceneRoot() ? parent : nullptr;
    }
    const auto toMaster = [&](const TVec4& v) {
        const TVec4 local = WorldToLocal(v);
        return frame ? frame->LocalToWorld(local) : local;
    };
    const auto fromMaster = [&](const TVec4& v) { return LocalToWorld(frame ? frame->WorldToLocal(v) : v); };
    const TVec4 start = toMaster(TVec4{rayStart.X, rayStart.Y, rayStart.Z, 1.0f});
    const TVec4 vector = Normalize(toMaster(TVec4{rayVector.X, rayVector.Y, rayVector.Z, 0.0f}));
    TVec4 point;
    TVec4 normal;
    if (!master->IntersectRay(start, vector, &point, &normal)) {
        return false;
    }
    if (intersectNormal) {
        *intersectNormal = fromMaster(TVec4{normal.X, normal.Y, normal.Z, 0.0f});
    }
    if (intersectPoint) {
        *intersectPoint = fromMaster(TVec4{point.X, point.Y, point.Z, 1.0f});
    }
    return true;
}

std::unique_ptr<TGLBaseSceneObject> TGLProxyObject::NewInstance() const {
    return std::make_unique<TGLProxyObject>();
}

void TGLProxyObject::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* proxy = dynamic_cast<const TGLProxyObject*>(&source)) {
        m_masterObject.Set(proxy->m_masterObject.Get());
        m_proxyOptions = proxy->m_proxyOptions;
    }
    TGLBaseSceneObject::DoCopyFrom(source);
}

}  // namespace engine
