#include "engine/scene/scene_object.h"

#include "engine/core/set_and_notify.h"
#include "engine/scene/world.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace engine {

namespace {

constexpr float ParallelEpsilon = 1e-5f;

// Whole turns are removed towards zero, then the angle is brought into [-180, 180].
float NormalizeAngle(float degrees) {
    float a = std::fmod(degrees, 360.0f);
    if (a > 180.0f) {
        a -= 360.0f;
    } else if (a < -180.0f) {
        a += 360.0f;
    }
    return a;
}

// A vector perpendicular to up for rebuilding the other axis: direction × up, or the fallbacks
// (0, 0, 1) × up and (1, 0, 0) × up when direction runs along up.
TVec4 SideVector(const TVec4& direction, const TVec4& up) {
    TVec4 v = Cross(direction, up);
    if (Length(v) < ParallelEpsilon) {
        v = Cross(ZVector, up);
        if (Length(v) < ParallelEpsilon) {
            v = Cross(XVector, up);
        }
    }
    return v;
}

}  // namespace

// Registers a running child walk with its object for as long as the walk lasts.
class TGLBaseSceneObject::TWalkScope {
public:
    explicit TWalkScope(TGLBaseSceneObject& object) : m_object(object) {
        m_walk.outer = object.m_walks;
        object.m_walks = &m_walk;
    }
    TWalkScope(const TWalkScope&) = delete;
    TWalkScope& operator=(const TWalkScope&) = delete;
    ~TWalkScope() {
        if (!m_walk.ended) {
            m_object.m_walks = m_walk.outer;
        }
    }
    TProgressWalk& Walk() { return m_walk; }
    // The object died during the walk: nothing of it may be touched any more.
    bool Ended() const { return m_walk.ended; }

private:
    TGLBaseSceneObject& m_object;
    TProgressWalk m_walk;
};

TGLBaseSceneObject::TGLBaseSceneObject()
    : m_position(this, NullPoint, csPoint),
      m_direction(this, ZVector, csVector),
      m_up(this, YVector, csVector),
      m_scale(this, TVec4{1, 1, 1, 0}, csVector),
      m_rotation(nullptr, TVec4{}, csVector) {}

TGLBaseSceneObject::~TGLBaseSceneObject() {
    NotifyFreed();
    for (TProgressWalk* walk = m_walks; walk; walk = walk->outer) {
        walk->ended = true;
    }
    if (!m_camerasFreedByAncestor) {
        FreeCameras();
    }
    FreeChildren();
    DropOwnDisplayList();
}

// --- tree ---

TGLBaseSceneObject* TGLBaseSceneObject::ChildAt(int i) const {
    return i >= 0 && i < ChildCount() ? m_children[i].get() : nullptr;
}

int TGLBaseSceneObject::IndexOfChild(const TGLBaseSceneObject* child) const {
    for (int i = 0; i < ChildCount(); ++i) {
        if (m_children[i].get() == child) {
            return i;
        }
    }
    return -1;
}

bool TGLBaseSceneObject::IsSelfOrAncestorOf(const TGLBaseSceneObject* o) const {
    for (; o; o = o->m_parent) {
        if (o == this) {
            return true;
        }
    }
    return false;
}

void TGLBaseSceneObject::CheckAdoptable(const TGLBaseSceneObject* o) const {
    if (!o) {
        throw std::invalid_argument("no object to add as a child");
    }
    if (o->m_isSceneRoot || o->m_parent || o->IsSelfOrAncestorOf(this)) {
        throw std::invalid_argument("object cannot become a child here");
    }
}

void TGLBaseSceneObject::Adopt(int index, std::unique_ptr<TGLBaseSceneObject> o) {
    TGLBaseSceneObject* child = o.get();
    Link(index, std::move(o));
    child->SetSceneRecursive(m_scene);
    MarkTransformChanged();
    child->MarkTransformChanged();
    // Marking stops silently at nodes that are already dirty (never drawn yet): a new child must
    // still reach the buffers.
    SignalChange();
}

void TGLBaseSceneObject::InsertChild(int index, TGLBaseSceneObject& o) {
    if (!o.m_parent || o.IsSelfOrAncestorOf(this)) {
        return;
    }
    TGLBaseSceneObject* oldParent = o.m_parent;
    auto owned = oldParent->Unlink(oldParent->IndexOfChild(&o));
    Link(index, std::move(owned));
    o.SetSceneRecursive(m_scene);
    o.MarkTransformChanged();
    SignalChange();
    if (oldParent->m_scene != m_scene) {
        oldParent->SignalChange();
    }
}

std::unique_ptr<TGLBaseSceneObject> TGLBaseSceneObject::DetachChild(TGLBaseSceneObject* o, bool keepChildren) {
    if (IndexOfChild(o) < 0) {
        return nullptr;
    }
    if (keepChildren) {
        // Moved before o leaves the scene, so they never leave it.
        while (o->ChildCount() > 0) {
            auto grandchild = o->Unlink(0);
            TGLBaseSceneObject* moved = grandchild.get();
            Link(ChildCount(), std::move(grandchild));
            moved->MarkTransformChanged();
        }
    }
    o->SetSceneRecursive(nullptr);
    auto owned = Unlink(IndexOfChild(o));
    if (!keepChildren) {
        SignalChange();
    }
    return owned;
}

std::unique_ptr<TGLBaseSceneObject> TGLBaseSceneObject::Reparent(TGLBaseSceneObject* newParent) {
    if (!m_parent || (newParent && IsSelfOrAncestorOf(newParent))) {
        return nullptr;
    }
    if (!newParent) {
        return m_parent->DetachChild(this, false);
    }
    // Also when newParent is the current parent: the object moves to the end of its children.
    newParent->InsertChild(newParent->ChildCount(), *this);
    return nullptr;
}

void TGLBaseSceneObject::Free() {
    if (m_parent) {
        auto owned = m_parent->DetachChild(this, false);
        // Before any destructor of the subtree runs, so no buffer renders through a dying camera.
        owned->FreeCameras();
    }
}

void TGLBaseSceneObject::Link(int index, std::unique_ptr<TGLBaseSceneObject> o) {
    index = std::clamp(index, 0, ChildCount());
    o->m_parent = this;
    m_children.insert(m_children.begin() + index, std::move(o));
    for (TProgressWalk* walk = m_walks; walk; walk = walk->outer) {
        if (index <= walk->cursor) {
            ++walk->cursor;
        }
    }
}

std::unique_ptr<TGLBaseSceneObject> TGLBaseSceneObject::Unlink(int index) {
    auto owned = std::move(m_children[index]);
    m_children.erase(m_children.begin() + index);
    owned->m_parent = nullptr;
    // The child being visited may go too: the walk then simply continues below it.
    for (TProgressWalk* walk = m_walks; walk; walk = walk->outer) {
        if (index < walk->cursor) {
            --walk->cursor;
        }
    }
    return owned;
}

void TGLBaseSceneObject::SetSceneRecursive(TGLWorld* scene) {
    if (m_scene == scene) {
        return;
    }
    if (m_scene) {
        SceneLeaving();
        // Lists belong to the old scene's context.
        DropOwnDisplayList();
    }
    m_scene = scene;
    if (m_scene) {
        SceneJoined();
    }
    for (const auto& child : m_children) {
        child->SetSceneRecursive(scene);
    }
}

void TGLBaseSceneObject::MakeSceneRoot(TGLWorld* scene) {
    m_isSceneRoot = true;
    m_scene = scene;
}

void TGLBaseSceneObject::FreeCameras() {
    // Collected first: freeing a camera must not disturb the search.
    std::vector<TGLBaseSceneObject*> cameras;
    std::vector<TGLBaseSceneObject*> pending{this};
    while (!pending.empty()) {
        TGLBaseSceneObject* node = pending.back();
        pending.pop_back();
        for (const auto& child : node->m_children) {
            if (child->IsCamera()) {
                cameras.push_back(child.get());
            } else {
                pending.push_back(child.get());
            }
        }
    }
    for (TGLBaseSceneObject* camera : cameras) {
        auto owned = camera->m_parent->Unlink(camera->m_parent->IndexOfChild(camera));
        owned.reset();
    }
}

void TGLBaseSceneObject::FreeChildren() {
    while (!m_children.empty()) {
        auto child = Unlink(ChildCount() - 1);
        child->m_camerasFreedByAncestor = true;
        child.reset();
    }
}

// --- copying ---

std::unique_ptr<TGLBaseSceneObject> TGLBaseSceneObject::NewInstance() const {
    return std::make_unique<TGLBaseSceneObject>();
}

void TGLBaseSceneObject::CopyFrom(const TGLBaseSceneObject& source) {
    if (IsSelfOrAncestorOf(&source) || source.IsSelfOrAncestorOf(this)) {
        throw std::invalid_argument("CopyFrom between an object and its own ancestor or descendant");
    }
    DoCopyFrom(source);
}

void TGLBaseSceneObject::DoCopyFrom(const TGLBaseSceneObject& source) {
    DropDisplayLists();
    SetVisible(source.m_visible);
    SetLocalTransform(source.LocalTransform());
    m_showAxes = source.m_showAxes;
    m_objectsSorting = source.m_objectsSorting;
    m_visibilityCulling = source.m_visibilityCulling;
    m_rotation.Assign(source.m_rotation);
    FreeChildren();
    // A copy inside a tree belongs to the tree's scene; a free-standing one joins the source's, so
    // that its materials, updates and repaint requests reach the scene the source is in.
    if (!m_parent && !m_isSceneRoot) {
        m_joinedWhileFreeStanding.Set(source.m_scene);
        SetSceneRecursive(source.m_scene);
    }
    {
        TGLUpdateScope<TGLWorld> update(m_scene);
        for (const auto& sourceChild : source.m_children) {
            auto copy = sourceChild->NewInstance();
            TGLBaseSceneObject* child = copy.get();
            AppendChild(std::move(copy));
            child->CopyFrom(*sourceChild);
        }
    }
    OnProgress = source.OnProgress;
    if (source.m_behaviours) {
        Behaviours().CopyFrom(*source.m_behaviours);
    } else {
        m_behaviours.reset();
    }
    if (source.m_effects) {
        Effects().CopyFrom(*source.m_effects);
    } else {
        m_effects.reset();
    }
    SetTag(source.Tag());
    m_tagFloat = source.m_tagFloat;
}

// --- coordinates ---

void TGLBaseSceneObject::SetDirection(const TVec4& v) {
    if (!IsNull(v)) {
        m_direction.SetAll(v);
    }
}

void TGLBaseSceneObject::SetUp(const TVec4& v) {
    if (!IsNull(v)) {
        m_up.SetAll(v);
    }
}

void TGLBaseSceneObject::CoordinatesEdited(TGLCoordinates& which) {
    if (m_calculating) {
        return;
    }
    m_calculating = true;
    if (&which == &m_direction) {
        RepairAxes(true);
    } else if (&which == &m_up) {
        RepairAxes(false);
    }
    m_calculating = false;
    MarkTransformChanged();
}

// Keeps Direction and Up unit length and orthogonal after one of them was edited.
void TGLBaseSceneObject::RepairAxes(bool directionEdited) {
    if (directionEdited) {
        TVec4 direction = IsNull(m_direction.AsVector()) ? ZVector : m_direction.AsVector();
        direction = Normalize(direction);
        m_direction.AssignSilently(direction);
        const TVec4 side = SideVector(direction, m_up.AsVector());
        m_up.AssignSilently(Normalize(Cross(side, direction)));
    } else {
        TVec4 up = IsNull(m_up.AsVector()) ? YVector : m_up.AsVector();
        up = Normalize(up);
        m_up.AssignSilently(up);
        const TVec4 side = SideVector(m_direction.AsVector(), up);
        m_direction.AssignSilently(Normalize(Cross(up, side)));
    }
}

// --- transforms ---

void TGLBaseSceneObject::RefreshLocalTransform() const {
    if (!(m_changes & cfTransform)) {
        return;
    }
    const TVec4 up = m_up.AsVector();
    const TVec4 direction = m_direction.AsVector();
    const TVec4 x = Cross(up, direction);
    m_localTransform[0] = x * m_scale.X();
    m_localTransform[1] = up * m_scale.Y();
    m_localTransform[2] = direction * m_scale.Z();
    m_localTransform[3] = m_position.AsVector();
    m_changes = static_cast<std::uint8_t>((m_changes & ~cfTransform) | cfWorld | cfInverse);
}

const TMat4& TGLBaseSceneObject::LocalTransform() const {
    RefreshLocalTransform();
    return m_localTransform;
}

const TMat4& TGLBaseSceneObject::WorldTransform() const {
    if (m_changes & (cfTransform | cfWorld)) {
        RefreshLocalTransform();
        if (!m_parent || m_parent->m_isSceneRoot) {
            m_worldTransform = m_localTransform;
        } else {
            m_worldTransform = m_localTransform * m_parent->WorldTransform();
        }
        m_changes = static_cast<std::uint8_t>((m_changes & ~cfWorld) | cfInverse);
    }
    return m_worldTransform;
}

const TMat4& TGLBaseSceneObject::InverseWorldTransform() const {
    if (m_changes & (cfTransform | cfInverse)) {
        RefreshLocalTransform();
        const TVec4& scale = m_scale.AsVector();
        if (scale.X == 1.0f && scale.Y == 1.0f && scale.Z == 1.0f) {
            const TMat4 localInverse = RigidInverse(m_localTransform);
            if (!m_parent || m_parent->m_isSceneRoot) {
                m_inverseWorldTransform = localInverse;
            } else {
                m_inverseWorldTransform = m_parent->InverseWorldTransform() * localInverse;
            }
        } else {
            m_inverseWorldTransform = Invert(WorldTransform());
        }
        m_changes &= static_cast<std::uint8_t>(~cfInverse);
    }
    return m_inverseWorldTransform;
}

void TGLBaseSceneObject::SetLocalTransform(const TMat4& m) {
    m_localTransform = m;
    m_direction.AssignSilently(Normalize(m[2]));
    m_up.AssignSilently(Normalize(m[1]));
    m_scale.AssignSilently(TVec4{Length(m[0]), Length(m[1]), Length(m[2]), 0.0f});
    m_position.AssignSilently(TVec4{m[3].X, m[3].Y, m[3].Z, 1.0f});
    MarkTransformChanged();
}

TVec4 TGLBaseSceneObject::WorldToLocal(const TVec4& v) const {
    return Transform(v, InverseWorldTransform());
}

TVec4 TGLBaseSceneObject::LocalToWorld(const TVec4& v) const {
    return Transform(v, WorldTransform());
}

TVec4 TGLBaseSceneObject::ParentWorldToLocal(const TVec4& v) const {
    return m_parent && !m_parent->m_isSceneRoot ? m_parent->WorldToLocal(v) : v;
}

TVec4 TGLBaseSceneObject::GetWorldPosition() const {
    return WorldTransform()[3];
}

void TGLBaseSceneObject::SetWorldPosition(const TVec4& p) {
    m_position.SetAll(ParentWorldToLocal(TVec4{p.X, p.Y, p.Z, 1.0f}));
}

TVec4 TGLBaseSceneObject::GetWorldDirection() const {
    return Normalize(WorldTransform()[2]);
}

TVec4 TGLBaseSceneObject::GetWorldUp() const {
    return Normalize(WorldTransform()[1]);
}

void TGLBaseSceneObject::SetWorldDirection(const TVec4& v) {
    SetDirection(ParentWorldToLocal(TVec4{v.X, v.Y, v.Z, 0.0f}));
}

void TGLBaseSceneObject::SetWorldUp(const TVec4& v) {
    SetUp(ParentWorldToLocal(TVec4{v.X, v.Y, v.Z, 0.0f}));
}

void TGLBaseSceneObject::AimAt(const TVec4& target, const TVec4& upHint) {
    const TVec4 position = GetWorldPosition();
    const TVec4 aim = Normalize(TVec4{target.X, target.Y, target.Z, 1.0f} - position);
    if (IsNull(aim)) {
        return;
    }
    const TVec4 right = Normalize(Cross(aim, upHint));
    SetDirection(ParentWorldToLocal(aim));
    if (!IsNull(right)) {
        SetUp(ParentWorldToLocal(Cross(right, aim)));
    }
    MarkTransformChanged();
}

void TGLBaseSceneObject::Advance(float distance) {
    m_position.AssignSilently(m_position.AsVector() + m_direction.AsVector() * distance);
    MarkTransformChanged();
}

void TGLBaseSceneObject::Rise(float distance) {
    m_position.AssignSilently(m_position.AsVector() + m_up.AsVector() * distance);
    MarkTransformChanged();
}

void TGLBaseSceneObject::Strafe(float distance) {
    const TVec4 side = Cross(m_direction.AsVector(), m_up.AsVector());
    m_position.AssignSilently(m_position.AsVector() + side * distance);
    MarkTransformChanged();
}

void TGLBaseSceneObject::RotateAxes(const TVec4& axis, float radians) {
    const TVec4 k = Normalize(axis);
    m_up.AssignSilently(Normalize(RotateVector(m_up.AsVector(), k, radians)));
    m_direction.AssignSilently(Normalize(RotateVector(m_direction.AsVector(), k, radians)));
}

// Each operation keeps its stored angle in step with the rotation it made, so that setting the
// angle back to its earlier value undoes the rotation (turning by a is setting TurnAngle to
// TurnAngle - a; pitching and rolling by a add a).
void TGLBaseSceneObject::TurnBy(float degrees) {
    RotateAxes(m_up.AsVector(), DegToRad(degrees));
    m_rotation.SetComponent(1, NormalizeAngle(TurnAngle() - degrees));
    MarkTransformChanged();
}

void TGLBaseSceneObject::PitchBy(float degrees) {
    RotateAxes(Cross(m_direction.AsVector(), m_up.AsVector()), -DegToRad(degrees));
    m_rotation.SetComponent(0, NormalizeAngle(PitchAngle() + degrees));
    MarkTransformChanged();
}

void TGLBaseSceneObject::RollBy(float degrees) {
    RotateAxes(m_direction.AsVector(), -DegToRad(degrees));
    m_rotation.SetComponent(2, NormalizeAngle(RollAngle() + degrees));
    MarkTransformChanged();
}

void TGLBaseSceneObject::SetRotationAngle(int axis, float degrees) {
    const float stored = m_rotation.AsVector()[axis];
    if (degrees == stored) {
        return;
    }
    if (!m_loading) {
        const TVec4 direction = m_direction.AsVector();
        const TVec4 up = m_up.AsVector();
        const TVec4 rotationAxis = axis == 0 ? Cross(direction, up) : axis == 1 ? up : direction;
        RotateAxes(rotationAxis, DegToRad(stored - degrees));
        MarkTransformChanged();
    }
    m_rotation.SetComponent(axis, NormalizeAngle(degrees));
}

TVec4 TGLBaseSceneObject::HalfExtents() const {
    return TVec4{0.5f, 0.5f, 0.5f, 0.0f};
}

float TGLBaseSceneObject::BoundingRadius() const {
    const TVec4 h = HalfExtents();
    const TVec4& s = m_scale.AsVector();
    return Length(TVec4{h.X * s.X, h.Y * s.Y, h.Z * s.Z, 0.0f});
}

bool TGLBaseSceneObject::IntersectRay(const TVec4& rayStart, const TVec4& rayVector, TVec4* intersectPoint,
                                      TVec4* intersectNormal) const {
    const TVec4 direction = Normalize(rayVector);
    if (IsNull(direction)) {
        return false;
    }
    const TVec4 center = GetWorldPosition();
    const float radius = BoundingRadius();
    const TVec4 toStart = TVec4{rayStart.X, rayStart.Y, rayStart.Z, 1.0f} - center;
    // |toStart + t·direction|² = radius² with a unit direction.
    const float b = Dot(toStart, direction);
    const float c = Dot(toStart, toStart) - radius * radius;
    const float discriminant = b * b - c;
    if (discriminant < 0.0f) {
        return false;
    }
    const float root = std::sqrt(discriminant);
    float t = -b - root;
    if (t < 0.0f) {
        t = -b + root;  // the start lies inside the sphere: the exit point
        if (t < 0.0f) {
            return false;
        }
    }
    const TVec4 point{rayStart.X + direction.X * t, rayStart.Y + direction.Y * t, rayStart.Z + direction.Z * t, 1.0f};
    if (intersectPoint) {
        *intersectPoint = point;
    }
    if (intersectNormal) {
        *intersectNormal = Normalize(point - center);
    }
    return true;
}

// --- settings ---

void TGLBaseSceneObject::SetVisible(bool visible) {
    SetAndNotify(m_visible, visible, [this] { SignalChange(); });
}

void TGLBaseSceneObject::SetShowAxes(bool show) {
    SetAndNotify(m_showAxes, show, [this] { SignalChange(); });
}

void TGLBaseSceneObject::SetObjectsSorting(TGLObjectsSorting sorting) {
    SetAndNotify(m_objectsSorting, sorting, [this] { SignalChange(); });
}

void TGLBaseSceneObject::SetVisibilityCulling(TGLVisibilityCulling culling) {
    SetAndNotify(m_visibilityCulling, culling, [this] { SignalChange(); });
}

// --- change propagation ---

void TGLBaseSceneObject::EndUpdate() {
    if (m_updates.End()) {
        SignalChange();
    }
}

void TGLBaseSceneObject::InvalidateWorld() {
    if ((m_changes & (cfWorld | cfInverse)) == (cfWorld | cfInverse)) {
        return;
    }
    m_changes |= cfWorld | cfInverse;
    for (const auto& child : m_children) {
        child->InvalidateWorld();
    }
}

void TGLBaseSceneObject::MarkTransformChanged() {
    if (m_changes & cfTransform) {
        return;
    }
    m_changes |= cfTransform | cfWorld | cfInverse;
    for (const auto& child : m_children) {
        child->InvalidateWorld();
    }
    if (!m_loading) {
        SignalChange();
    }
}

void TGLBaseSceneObject::MarkStructureChanged() {
    if (!(m_changes & cfStructure)) {
        m_changes |= cfStructure;
        SignalChange();
    } else if (HasStyle(DrawDirect)) {
        SignalChange();
    }
}

void TGLBaseSceneObject::SignalChange() {
    if (m_scene && !m_updates.Updating() && !m_loading) {
        m_scene->NotifyChange();
    }
}

void TGLBaseSceneObject::Loaded() {
    m_loading = false;
    TVec4 position = m_position.AsVector();
    position.W = 1.0f;
    m_position.AssignSilently(position);
    if (m_behaviours) {
        m_behaviours->Loaded();
    }
    if (m_effects) {
        m_effects->Loaded();
    }
}

// --- attached items ---

TGLBehaviours& TGLBaseSceneObject::Behaviours() {
    if (!m_behaviours) {
        m_behaviours = std::make_unique<TGLBehaviours>(this);
    }
    return *m_behaviours;
}

TGLObjectEffects& TGLBaseSceneObject::Effects() {
    if (!m_effects) {
        m_effects = std::make_unique<TGLObjectEffects>(this);
    }
    return *m_effects;
}

// --- per frame ---

void TGLBaseSceneObject::ProgressTree(const TProgressTimes& times) {
    TWalkScope scope(*this);
    TProgressWalk& walk = scope.Walk();
    for (walk.cursor = ChildCount() - 1; walk.cursor >= 0; --walk.cursor) {
        m_children[walk.cursor]->ProgressTree(times);
        if (scope.Ended()) {
            return;
        }
    }
    // Items are looked up by index each time: one may remove itself or others.
    for (int i = 0; m_behaviours && i < m_behaviours->Count(); ++i) {
        m_behaviours->Items(i)->DoProgress(times);
        if (scope.Ended()) {
            return;
        }
    }
    for (int i = 0; m_effects && i < m_effects->Count(); ++i) {
        m_effects->Items(i)->DoProgress(times);
        if (scope.Ended()) {
            return;
        }
    }
    if (OnProgress) {
        // A copy: the handler may free this object, and with it the handler itself.
        const TGLProgressEvent handler = OnProgress;
        handler(this, times.deltaTime, times.newTime);
    }
}

}  // namespace engine
