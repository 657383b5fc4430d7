// The render traversal of scene objects: culling, effects, display lists and child ordering.
#include "engine/scene/scene_object.h"

#include "engine/scene/frustum.h"
#include "engine/scene/world.h"

#include <GL/gl.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace engine {

namespace {

TFrustumPlanes PlanesOf(const TRenderContextInfo& rci) {
    TFrustumPlanes planes;
    std::copy(std::begin(rci.rcci.frustumPlanes), std::end(rci.rcci.frustumPlanes), planes.begin());
    return planes;
}

// The world box of the object's extents and of every descendant's.
TAxisBox HierarchicalBox(const TGLBaseSceneObject& object) {
    TAxisBox box;
    const TVec4 h = object.HalfExtents();
    const TMat4& world = object.WorldTransform();
    for (int corner = 0; corner < 8; ++corner) {
        const TVec4 local{corner & 1 ? h.X : -h.X, corner & 2 ? h.Y : -h.Y, corner & 4 ? h.Z : -h.Z, 1.0f};
        box.Add(Transform(local, world));
    }
    for (int i = 0; i < object.ChildCount(); ++i) {
        box.Add(HierarchicalBox(*object.ChildAt(i)));
    }
    return box;
}

float SquaredDistance(const TVec4& a, const TVec4& b) {
    const TVec4 d = a - b;
    return d.X * d.X + d.Y * d.Y + d.Z * d.Z;
}

using TKeyedObject = std::pair<float, TGLBaseSceneObject*>;

// Renders the collected objects from the largest key down.
void RenderByKeyDescending(std::vector<TKeyedObject>& keyed, TRenderContextInfo& rci) {
    std::sort(keyed.begin(), keyed.end(),
              [](const TKeyedObject& a, const TKeyedObject& b) { return a.first < b.first; });
    for (auto it = keyed.rbegin(); it != keyed.rend(); ++it) {
        it->second->RenderNode(rci);
    }
}

// Puts a mode override of a node in force for the duration of its child range.
class TModeOverride {
public:
    TModeOverride(TRenderContextInfo& rci, TGLObjectsSorting sorting, TGLVisibilityCulling culling)
        : m_rci(rci), m_sorting(rci.objectsSorting), m_culling(rci.visibilityCulling) {
        if (sorting != osInherited) {
            rci.objectsSorting = sorting;
        }
        if (culling != vcInherited) {
            rci.visibilityCulling = culling;
        }
    }
    TModeOverride(const TModeOverride&) = delete;
    TModeOverride& operator=(const TModeOverride&) = delete;
    ~TModeOverride() {
        m_rci.objectsSorting = m_sorting;
        m_rci.visibilityCulling = m_culling;
    }

private:
    TRenderContextInfo& m_rci;
    TGLObjectsSorting m_sorting;
    TGLVisibilityCulling m_culling;
};

}  // namespace

void TGLBaseSceneObject::CullingResult(const TRenderContextInfo& rci, bool& drawSelf, bool& drawChildren) const {
    drawSelf = true;
    drawChildren = ChildCount() > 0;
    if (HasStyle(NeverCulled)) {
        return;
    }
    if (rci.visibilityCulling == vcObjectBased) {
        drawSelf = !SphereOutsideFrustum(PlanesOf(rci), GetWorldPosition(), BoundingRadius());
    } else if (rci.visibilityCulling == vcHierarchical && BoxOutsideFrustum(PlanesOf(rci), HierarchicalBox(*this))) {
        drawSelf = false;
        drawChildren = false;
    }
}

void TGLBaseSceneObject::RenderNode(TRenderContextInfo& rci) {
    bool drawSelf = true;
    bool drawChildren = false;
    CullingResult(rci, drawSelf, drawChildren);
    if (!drawSelf && !drawChildren) {
        return;
    }
    glPushMatrix();
    glMultMatrixf(&LocalTransform()[0].X);
    if (drawSelf && HasEffects()) {
        glPushMatrix();
        RenderEffects(rci, ekPre);
        glPopMatrix();
        glPushMatrix();
        DrawStyled(rci, true, drawChildren);
        RenderEffects(rci, ekPost);
        RenderEffects(rci, ekAfter);
        glPopMatrix();
    } else {
        DrawStyled(rci, drawSelf, drawChildren);
    }
    glPopMatrix();
}

void TGLBaseSceneObject::DrawStyled(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) {
    const bool ignoresDepth = HasStyle(IgnoresDepthBuffer) && rci.GLStates;
    bool depthWasOn = false;
    if (ignoresDepth) {
        depthWasOn = rci.GLStates->IsEnabled(TGLState::stDepthTest);
        rci.GLStates->Disable(TGLState::stDepthTest);
    }
    DrawContents(rci, drawSelf, drawChildren);
    if (ignoresDepth && depthWasOn) {
        rci.GLStates->Enable(TGLState::stDepthTest);
    }
    if (drawSelf && HasStyle(AltersRenderState) && rci.GLStates) {
        rci.GLStates->Resync();
    }
}

void TGLBaseSceneObject::RenderEffects(TRenderContextInfo& rci, TGLObjectEffectKind kind) {
    for (int i = 0; i < m_effects->Count(); ++i) {
        TGLObjectEffect* effect = m_effects->Items(i);
        if (effect->Kind() != kind) {
            continue;
        }
        if (kind == ekAfter) {
            if (m_scene) {
                m_scene->AddAfterRenderEffect(*effect);
            }
        } else {
            effect->Render(rci);
        }
    }
}

void TGLBaseSceneObject::EmitGeometry(TRenderContextInfo& rci) {
    (void)rci;
}

void TGLBaseSceneObject::DrawGeometry(TRenderContextInfo& rci) {
    if (HasStyle(DrawDirect)) {
        EmitGeometry(rci);
        return;
    }
    DrawThroughList(rci, [this, &rci] { EmitGeometry(rci); });
}

void TGLBaseSceneObject::DrawThroughList(TRenderContextInfo& rci, const std::function<void()>& emit) {
    if (rci.bypassDisplayLists) {
        emit();
        return;
    }
    if (m_displayList == 0) {
        m_displayList = glGenLists(1);
        m_changes |= cfStructure;
    }
    if (m_displayList == 0) {
        // No list to be had (no context that makes them): draw directly rather than not at all.
        emit();
        return;
    }
    if (m_changes & cfStructure) {
        // Whatever the emission draws goes into this one list: nested objects must not open theirs.
        const bool bypass = rci.bypassDisplayLists;
        rci.bypassDisplayLists = true;
        glNewList(m_displayList, GL_COMPILE);
        emit();
        glEndList();
        rci.bypassDisplayLists = bypass;
        ClearStructureChanged();
    }
    glCallList(m_displayList);
}

void TGLBaseSceneObject::DropOwnDisplayList() {
    if (m_displayList != 0) {
        glDeleteLists(m_displayList, 1);
        m_displayList = 0;
    }
}

void TGLBaseSceneObject::DropDisplayLists() {
    DropOwnDisplayList();
    for (const auto& child : m_children) {
        child->DropDisplayLists();
    }
}

void TGLBaseSceneObject::DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) {
    if (drawSelf) {
        DrawGeometry(rci);
    }
    if (drawChildren) {
        RenderChildRange(0, ChildCount() - 1, rci);
    }
}

void TGLBaseSceneObject::RenderChildRange(int first, int last, TRenderContextInfo& rci) {
    first = std::max(first, 0);
    last = std::min(last, ChildCount() - 1);
    if (first > last) {
        return;
    }
    TModeOverride modes(rci, m_objectsSorting, m_visibilityCulling);
    if (first == last) {
        if (m_children[first]->Visible()) {
            m_children[first]->RenderNode(rci);
        }
        return;
    }
    const TVec4 eye = rci.cameraPosition;
    const int count = last - first + 1;
    std::vector<TKeyedObject> keyed;
    switch (rci.objectsSorting) {
        case osRenderFarthestFirst:
        case osRenderNearestFirst: {
            const bool farthest = rci.objectsSorting == osRenderFarthestFirst;
            keyed.reserve(static_cast<std::size_t>(count));
            for (int i = first; i <= last; ++i) {
                TGLBaseSceneObject* child = m_children[i].get();
                if (child->Visible()) {
                    const float d = SquaredDistance(child->SortPosition(), eye);
                    keyed.emplace_back(farthest ? d + 1.0f : -1.0f - d, child);
                }
            }
            RenderByKeyDescending(keyed, rci);
            break;
        }
        case osRenderBlendedLast: {
            keyed.reserve(static_cast<std::size_t>(count));
            for (int i = first; i <= last; ++i) {
                TGLBaseSceneObject* child = m_children[i].get();
                if (!child->Visible()) {
                    continue;
                }
                if (child->IsBlended()) {
                    keyed.emplace_back(SquaredDistance(child->SortPosition(), eye) + 1.0f, child);
                } else {
                    child->RenderNode(rci);
                }
            }
            RenderByKeyDescending(keyed, rci);
            break;
        }
        default:
            for (int i = first; i <= last; ++i) {
                if (m_children[i]->Visible()) {
                    m_children[i]->RenderNode(rci);
                }
            }
            break;
    }
}

TVec4 TGLBaseSceneObject::SortPosition() const {
    return GetWorldPosition();
}

}  // namespace engine
