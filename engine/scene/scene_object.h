#pragma once

#include "engine/core/component.h"
#include "engine/core/coordinates.h"
#include "engine/core/progress_times.h"
#include "engine/core/vector_math.h"
#include "engine/render/render_context_info.h"
#include "engine/scene/behaviours.h"
#include "engine/scene/object_effects.h"
#include "engine/scene/update_count.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace engine {

class TGLWorld;

// What the render traversal must know about how an object draws.
enum TGLObjectStyle : std::uint8_t {
    DrawDirect = 1,          // geometry is emitted every frame, never compiled into a list
    AltersRenderState = 2,   // the state cache is resynchronised after the object is drawn
    IgnoresDepthBuffer = 4,  // the depth test is off while the object is drawn
    NeverCulled = 8          // visibility culling never rejects the object
};

// A node of the scene tree: owns its children, coordinates, effects and behaviours; caches its
// local, world and inverse world matrices; is progressed once per frame.
class TGLBaseSceneObject : public TGLCadenceAbleComponent, public TGLCoordinatesOwner {
public:
    TGLBaseSceneObject();
    ~TGLBaseSceneObject() override;

    // --- tree ---
    TGLBaseSceneObject* Parent() const { return m_parent; }
    TGLWorld* Scene() const { return m_scene; }
    int ChildCount() const { return static_cast<int>(m_children.size()); }
    // Child i (0-based), or none when i is out of range.
    TGLBaseSceneObject* ChildAt(int i) const;
    int IndexOfChild(const TGLBaseSceneObject* child) const;
    // True when o is this object or lies below it.
    bool IsSelfOrAncestorOf(const TGLBaseSceneObject* o) const;

    // Creates a T with the arguments and appends it as the last child.
    template <class T, class... Args>
    T* CreateChild(Args&&... args) {
        static_assert(std::is_base_of_v<TGLBaseSceneObject, T>);
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = child.get();
        AppendChild(std::move(child));
        return raw;
    }
    // Takes ownership of a free-standing object and appends it; the object joins this scene.
    // Ownership stays with the caller when the object cannot be a child here (none, a scene root,
    // or the top of this object's own tree): std::invalid_argument.
    template <class T>
    void AppendChild(std::unique_ptr<T>&& o) {
        InsertChild(ChildCount(), std::move(o));
    }
    // Same at position index (clamped to 0..ChildCount).
    template <class T>
    void InsertChild(int index, std::unique_ptr<T>&& o) {
        CheckAdoptable(o.get());
        Adopt(index, std::unique_ptr<TGLBaseSceneObject>(o.release()));
    }
    // Moves an object that already has a parent to position index under this object; refused
    // (nothing happens) for this object itself or one of its ancestors.
    void InsertChild(int index, TGLBaseSceneObject& o);
    // Removes the child o and hands it back; it leaves the scene. With keepChildren, o's children
    // stay here (appended to this object). Answers none when o is not a child.
    std::unique_ptr<TGLBaseSceneObject> DetachChild(TGLBaseSceneObject* o, bool keepChildren);
    // Moves this object (with its children) to the end of newParent's children, also when newParent
    // is its parent already. With none, it leaves its parent and scene and the caller receives it; a
    // move below itself or from no parent is refused.
    std::unique_ptr<TGLBaseSceneObject> Reparent(TGLBaseSceneObject* newParent);
    // Detaches from the parent and destroys this object and its subtree. Safe from the object's own
    // OnProgress. Does nothing for an object without a parent (its owner frees it).
    void Free();

    // Deep copy: this object takes the source's settings, transform, a copy of its subtree, its
    // attached items and tags; a free-standing object also joins the source's scene. Refused
    // (std::invalid_argument) between an object and its own ancestor or descendant, which would
    // recurse forever or free the source.
    void CopyFrom(const TGLBaseSceneObject& source);
    // An empty object of the same class, used for deep copies of subtrees: every concrete node
    // class overrides it (and DoCopyFrom for its own data).
    virtual std::unique_ptr<TGLBaseSceneObject> NewInstance() const;

    // --- coordinates ---
    TGLCoordinates& Position() { return m_position; }
    TGLCoordinates& Direction() { return m_direction; }
    TGLCoordinates& Up() { return m_up; }
    TGLCoordinates& Scale() { return m_scale; }
    const TGLCoordinates& Position() const { return m_position; }
    const TGLCoordinates& Direction() const { return m_direction; }
    const TGLCoordinates& Up() const { return m_up; }
    const TGLCoordinates& Scale() const { return m_scale; }
    void SetPosition(const TVec4& v) { m_position.SetAll(v); }
    // A zero vector is ignored: an object always keeps a usable orientation.
    void SetDirection(const TVec4& v);
    void SetUp(const TVec4& v);
    void SetScale(const TVec4& v) { m_scale.SetAll(v); }
    void CoordinatesEdited(TGLCoordinates& which) override;

    // --- transforms (world means the space of the scene roots) ---
    const TMat4& LocalTransform() const;
    const TMat4& WorldTransform() const;
    const TMat4& InverseWorldTransform() const;
    void SetLocalTransform(const TMat4& m);
    TVec4 WorldToLocal(const TVec4& v) const;
    TVec4 LocalToWorld(const TVec4& v) const;
    TVec4 GetWorldPosition() const;
    void SetWorldPosition(const TVec4& p);
    TVec4 GetWorldDirection() const;
    TVec4 GetWorldUp() const;
    void SetWorldDirection(const TVec4& v);
    void SetWorldUp(const TVec4& v);

    // Points Direction at a world point; upHint is a world vector. A target at the object's own
    // position leaves the orientation alone; an upHint along the aim keeps a repaired Up.
    void AimAt(const TVec4& target, const TVec4& upHint);
    void Advance(float distance);
    void Rise(float distance);
    void Strafe(float distance);
    void TurnBy(float degrees);
    void PitchBy(float degrees);
    void RollBy(float degrees);
    float PitchAngle() const { return m_rotation.X(); }
    float TurnAngle() const { return m_rotation.Y(); }
    float RollAngle() const { return m_rotation.Z(); }
    void SetPitchAngle(float degrees) { SetRotationAngle(0, degrees); }
    void SetTurnAngle(float degrees) { SetRotationAngle(1, degrees); }
    void SetRollAngle(float degrees) { SetRotationAngle(2, degrees); }

    // Half the size of the object's box in local units.
    virtual TVec4 HalfExtents() const;
    float BoundingRadius() const;
    // World-space ray test; the default hits the bounding sphere about the world position.
    // Outputs are optional.
    virtual bool IntersectRay(const TVec4& rayStart, const TVec4& rayVector, TVec4* intersectPoint,
                              TVec4* intersectNormal) const;

    // --- settings ---
    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool visible);
    bool ShowAxes() const { return m_showAxes; }
    void SetShowAxes(bool show);
    TGLObjectsSorting ObjectsSorting() const { return m_objectsSorting; }
    void SetObjectsSorting(TGLObjectsSorting sorting);
    TGLVisibilityCulling VisibilityCulling() const { return m_visibilityCulling; }
    void SetVisibilityCulling(TGLVisibilityCulling culling);
    std::uint8_t ObjectStyle() const { return m_objectStyle; }
    bool HasStyle(TGLObjectStyle style) const { return (m_objectStyle & style) != 0; }
    float TagFloat() const { return m_tagFloat; }
    void SetTagFloat(float value) { m_tagFloat = value; }

    // --- change propagation ---
    void BeginUpdate() { m_updates.Begin(); }
    void EndUpdate();
    bool Updating() const { return m_updates.Updating(); }
    void MarkTransformChanged();
    void MarkStructureChanged();
    // Tells the scene (and through it the attached buffers) that something visible changed.
    virtual void SignalChange();
    std::uint8_t ChangeFlags() const { return m_changes; }
    bool StructureChanged() const { return (m_changes & cfStructure) != 0; }
    void ClearStructureChanged() { m_changes &= static_cast<std::uint8_t>(~cfStructure); }

    // While loading, angle properties only store their numbers and changes are not signalled.
    void BeginLoading() { m_loading = true; }
    virtual void Loaded();
    bool Loading() const { return m_loading; }

    // --- attached items, created on first access ---
    TGLBehaviours& Behaviours();
    TGLObjectEffects& Effects();
    bool HasBehaviours() const { return m_behaviours && m_behaviours->Count() > 0; }
    bool HasEffects() const { return m_effects && m_effects->Count() > 0; }

    // --- per frame ---
    // Children from the last to the first, then behaviours, effects and OnProgress. Any of them
    // may free this object, a sibling or a child without breaking the walk.
    virtual void ProgressTree(const TProgressTimes& times);
    TGLProgressEvent OnProgress;

    // --- render traversal ---
    // Draws this (visible) object with its effects and children: culling by rci's mode, the
    // object's transform pushed on the modelview stack.
    void RenderNode(TRenderContextInfo& rci);
    // Issues the object's own OpenGL geometry, in local coordinates; nothing by default.
    virtual void EmitGeometry(TRenderContextInfo& rci);
    // The object's geometry (when drawSelf) and then its children (when drawChildren).
    virtual void DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren);
    // Draws the visible children first..last in the order of the effective sorting mode.
    virtual void RenderChildRange(int first, int last, TRenderContextInfo& rci);
    // The point the traversal sorts this object by.
    virtual TVec4 SortPosition() const;
    // Whether the object's material blends (blended objects are drawn after opaque ones).
    virtual bool IsBlended() const { return false; }
    // Frees the compiled display lists of this object and its subtree; they are rebuilt on demand.
    void DropDisplayLists();

    // --- hooks for node kinds of other modules ---
    // Cameras are freed before the rest of a dying subtree.
    virtual bool IsCamera() const { return false; }
    bool IsSceneRoot() const { return m_isSceneRoot; }

protected:
    // Bits of ChangeFlags. Invalidation rule: moving an object sets transform-dirty on it and
    // world- and inverse-dirty on it and every descendant; the descent stops at a descendant whose
    // world and inverse are both dirty already, because a clean matrix below a dirty one is
    // impossible (computing it recomputes every ancestor's first). Matrices are recomputed only
    // when read or drawn.
    enum TGLChangeFlag : std::uint8_t { cfTransform = 1, cfWorld = 2, cfInverse = 4, cfStructure = 8 };

    // Called on every object of a subtree right after it joined a scene and right before it leaves
    // one: a light takes or frees its slot in the scene's table here.
    virtual void SceneJoined() {}
    virtual void SceneLeaving() {}
    // Subclasses copy their own data, then call their base's version.
    virtual void DoCopyFrom(const TGLBaseSceneObject& source);

    void SetObjectStyle(std::uint8_t style) { m_objectStyle = style; }
    // The own geometry: replayed from the display list, compiled first when missing or
    // structure-dirty, or emitted directly for DrawDirect objects and when rci bypasses lists.
    void DrawGeometry(TRenderContextInfo& rci);
    // Replays this object's display list, compiling what emit draws into it first when missing
    // or structure-dirty; emits directly when rci bypasses lists.
    void DrawThroughList(TRenderContextInfo& rci, const std::function<void()>& emit);
    void MakeSceneRoot(TGLWorld* scene);

private:
    // One running child walk of ProgressTree; removals and insertions of children adjust its cursor,
    // and the object's destruction ends it.
    void CoordinatesChanged(TGLCoordinates& which) override { CoordinatesEdited(which); }

    struct TProgressWalk {
        int cursor = 0;
        bool ended = false;
        TProgressWalk* outer = nullptr;
    };
    class TWalkScope;

    void RefreshLocalTransform() const;
    void InvalidateWorld();
    TVec4 ParentWorldToLocal(const TVec4& v) const;
    void SetRotationAngle(int axis, float degrees);
    void RotateAxes(const TVec4& axis, float radians);
    void RepairAxes(bool directionEdited);
    void CheckAdoptable(const TGLBaseSceneObject* o) const;
    void Adopt(int index, std::unique_ptr<TGLBaseSceneObject> o);
    void SetSceneRecursive(TGLWorld* scene);
    void Link(int index, std::unique_ptr<TGLBaseSceneObject> o);
    std::unique_ptr<TGLBaseSceneObject> Unlink(int index);
    void FreeCameras();
    void FreeChildren();
    // The traversal's steps: what culling leaves to draw, and the contents with the style's
    // depth-test and state-cache handling around them.
    void CullingResult(const TRenderContextInfo& rci, bool& drawSelf, bool& drawChildren) const;
    void DropOwnDisplayList();
    void DrawStyled(TRenderContextInfo& rci, bool drawSelf, bool drawChildren);
    void RenderEffects(TRenderContextInfo& rci, TGLObjectEffectKind kind);

    TGLBaseSceneObject* m_parent = nullptr;
    TGLWorld* m_scene = nullptr;
    // The scene a free-standing object joined through CopyFrom: should that scene die first, the
    // object leaves it rather than keep pointing at it.
    TComponentLink<TGLWorld> m_joinedWhileFreeStanding{[this] {
        if (!m_parent) {
            SetSceneRecursive(nullptr);
        }
    }};
    std::vector<std::unique_ptr<TGLBaseSceneObject>> m_children;
    TProgressWalk* m_walks = nullptr;
    bool m_camerasFreedByAncestor = false;
    bool m_isSceneRoot = false;

    TGLCoordinates m_position;
    TGLCoordinates m_direction;
    TGLCoordinates m_up;
    TGLCoordinates m_scale;
    TGLCoordinates m_rotation;  // X pitch, Y turn, Z roll, in degrees
    mutable TMat4 m_localTransform;
    mutable TMat4 m_worldTransform;
    mutable TMat4 m_inverseWorldTransform;
    mutable std::uint8_t m_changes = cfTransform | cfWorld | cfInverse | cfStructure;

    std::uint8_t m_objectStyle = 0;
    unsigned m_displayList = 0;  // OpenGL list name, 0 = none
    bool m_visible = true;
    bool m_showAxes = false;
    bool m_calculating = false;
    bool m_loading = false;
    TGLUpdateCount m_updates;
    TGLObjectsSorting m_objectsSorting = osInherited;
    TGLVisibilityCulling m_visibilityCulling = vcInherited;
    float m_tagFloat = 0.0f;
    std::unique_ptr<TGLBehaviours> m_behaviours;
    std::unique_ptr<TGLObjectEffects> m_effects;
};

}  // namespace engine
