#include "engine/assets/actor.h"

#include "engine/assets/morphable_mesh_object.h"
#include "engine/core/set_and_notify.h"

#include <GL/gl.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>

namespace engine {

namespace {

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// A tick after a long stall must not spin for ever: beyond this many frames a step is cut short.
constexpr double kMaxFramesPerTick = 1e6;

}  // namespace

// --- TActorAnimation ---

int TActorAnimation::FrameCount() const {
    const TGLActor& actor = m_owner->Owner();
    if (m_reference == aarMorph) {
        return actor.AvailableFrameCount();
    }
    return 0;
}

void TActorAnimation::SetStartFrame(int frame) {
    m_startFrame = std::max(0, std::min(frame, FrameCount() - 1));
    m_endFrame = std::max(m_endFrame, m_startFrame);
}

void TActorAnimation::SetEndFrame(int frame) {
    m_endFrame = std::max(0, std::min(frame, FrameCount() - 1));
    m_startFrame = std::min(m_startFrame, m_endFrame);
}

int TActorAnimation::Index() const {
    return m_owner->IndexOf(this);
}

std::string TActorAnimation::DisplayName() const {
    return std::to_string(Index()) + " - " + m_name + " [" + std::to_string(m_startFrame) + " - " +
           std::to_string(m_endFrame) + "]";
}

// --- TActorAnimations ---

TActorAnimation& TActorAnimations::Add() {
    m_items.push_back(std::make_unique<TActorAnimation>(*this));
    return *m_items.back();
}

int TActorAnimations::IndexOf(const TActorAnimation* animation) const {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].get() == animation) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TActorAnimations::Delete(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    if (m_owner->m_pendingSmoothAnimation == m_items[static_cast<std::size_t>(index)].get()) {
        m_owner->m_pendingSmoothAnimation = nullptr;
    }
    m_items.erase(m_items.begin() + index);
}

void TActorAnimations::Clear() {
    while (Count() > 0) {
        Delete(Count() - 1);
    }
}

void TActorAnimations::CopyFrom(const TActorAnimations& source) {
    if (&source == this) {
        return;
    }
    Clear();
    for (const auto& item : source.m_items) {
        TActorAnimation& copy = Add();
        copy.m_name = item->m_name;
        copy.m_startFrame = item->m_startFrame;
        copy.m_endFrame = item->m_endFrame;
        copy.m_reference = item->m_reference;
    }
}

TActorAnimation* TActorAnimations::FindName(const std::string& name) const {
    for (const auto& item : m_items) {
        if (SameText(item->Name(), name)) {
            return item.get();
        }
    }
    return nullptr;
}

TActorAnimation* TActorAnimations::AnimationAtFrame(int frame, TActorAnimationReference reference) const {
    for (const auto& item : m_items) {
        if (item->StartFrame() <= frame && frame <= item->EndFrame() && item->Reference() == reference) {
            return item.get();
        }
    }
    return nullptr;
}

// --- TGLActor ---

TGLActor::TGLActor() {
    // Direct from the start, so every frame change before the first draw is signalled too.
    SetObjectStyle(AltersRenderState | DrawDirect);
}

TGLActor::~TGLActor() = default;

int TGLActor::AvailableFrameCount() const {
    if (m_reference != aarMorph) {
        return 0;
    }
    bool any = false;
    std::size_t fewest = 0;
    for (const auto& object : MeshObjects()) {
        if (const auto* morphable = dynamic_cast<const TMorphableMeshObject*>(object.get())) {
            const std::size_t count = morphable->MorphTargets().size();
            fewest = any ? std::min(fewest, count) : count;
            any = true;
        }
    }
    return static_cast<int>(std::min<std::size_t>(fewest, INT_MAX));
}

bool TGLActor::Fire(const TNotifyEvent& event) {
    if (!event) {
        return true;
    }
    TComponentLink<TGLActor> self;
    self.Set(this);
    const TNotifyEvent handler = event;  // the handler may replace the event or free the actor
    handler(this);
    return self.Get() != nullptr;
}

bool TGLActor::ChangeCurrentFrame(int frame) {
    if (frame == m_currentFrame) {
        return true;
    }
    m_currentFrame = std::max(0, std::min(frame, AvailableFrameCount() - 1));
    m_currentFrameDelta = 0.0f;
    switch (m_animationMode) {
        case aamPlayOnce:
            if (m_currentFrame == m_endFrame) {
                m_animationMode = aamNone;
            }
            break;
        case aamBounceForward:
            if (m_currentFrame == m_endFrame) {
                m_animationMode = aamBounceBackward;
            }
            break;
        case aamBounceBackward:
            if (m_currentFrame == m_startFrame) {
                m_animationMode = aamBounceForward;
            }
            break;
        default:
            break;
    }
    MarkStructureChanged();
    return Fire(OnFrameChanged);
}

void TGLActor::SetCurrentFrame(int frame) {
    ChangeCurrentFrame(frame);
}

void TGLActor::SetStartFrame(int frame) {
    if (frame < 0 || frame >= AvailableFrameCount()) {
        return;
    }
    m_startFrame = frame;
    m_endFrame = std::max(m_endFrame, m_startFrame);
    if (m_currentFrame < m_startFrame) {
        SetCurrentFrame(m_startFrame);
    }
}

void TGLActor::SetEndFrame(int frame) {
    if (frame < 0 || frame >= AvailableFrameCount()) {
        return;
    }
    m_endFrame = frame;
    if (m_currentFrame > m_endFrame) {
        SetCurrentFrame(m_endFrame);
    }
}

void TGLActor::SetReference(TActorAnimationReference reference) {
    SetAndNotify(m_reference, reference, [this] { MarkStructureChanged(); });
}

void TGLActor::SetFrameInterpolation(TActorFrameInterpolation interpolation) {
    SetAndNotify(m_frameInterpolation, interpolation, [this] { MarkStructureChanged(); });
}

int TGLActor::FollowingFrameIndex() const {
    if (m_animationMode != aamExternal && m_pendingSmoothAnimation) {
        return m_pendingSmoothAnimation->StartFrame();
    }
    switch (m_animationMode) {
        case aamNone:
        case aamPlayOnce:
            return std::min(m_currentFrame + 1, m_endFrame);
        case aamLoop:
        case aamBounceForward:
            if (m_currentFrame + 1 <= m_endFrame) {
                return m_currentFrame + 1;
            }
            return std::min(m_endFrame, m_currentFrame + m_startFrame - m_endFrame);
        case aamBounceBackward:
        case aamLoopBackward:
            if (m_currentFrame - 1 >= m_startFrame) {
                return m_currentFrame - 1;
            }
            return std::max(m_startFrame, m_endFrame + m_currentFrame - m_startFrame);
        case aamExternal:
            break;
    }
    return m_currentFrame;
}

bool TGLActor::Step(int count) {
    for (int i = 0; i < count; ++i) {
        if (!ChangeCurrentFrame(FollowingFrameIndex())) {
            return false;
        }
        if (m_currentFrame == m_endFrame && !Fire(OnEndFrameReached)) {
            return false;
        }
        if (m_currentFrame == m_startFrame && !Fire(OnStartFrameReached)) {
            return false;
        }
    }
    return true;
}

void TGLActor::StepFrames(int count) {
    Step(count);
}

void TGLActor::SelectAnimation(const std::string& name, bool smooth) {
    SelectAnimation(m_animations.FindName(name), smooth);
}

void TGLActor::SelectAnimation(TActorAnimation* animation, bool smooth) {
    if (!animation) {
        return;
    }
    if (smooth) {
        m_pendingSmoothAnimation = animation;
        m_currentFrameDelta = 0.0f;
        return;
    }
    SetReference(animation->Reference());
    SetStartFrame(animation->StartFrame());
    SetEndFrame(animation->EndFrame());
    SetCurrentFrame(m_startFrame);
}

std::string TGLActor::ActiveAnimationName() const {
    const TActorAnimation* animation = m_animations.AnimationAtFrame(m_currentFrame, m_reference);
    return animation ? animation->Name() : std::string();
}

void TGLActor::ProgressTree(const TProgressTimes& times) {
    TComponentLink<TGLActor> self;
    self.Set(this);
    TGLBaseMesh::ProgressTree(times);
    if (self.Get()) {
        AnimationProgress(times.deltaTime);
    }
}

void TGLActor::AnimationProgress(double deltaTime) {
    if (m_animationMode == aamNone || m_interval < 1 || m_startFrame == m_endFrame || AvailableFrameCount() < 2) {
        return;
    }
    m_currentFrameDelta = static_cast<float>(m_currentFrameDelta + deltaTime * 1000.0 / m_interval);
    if (!(m_currentFrameDelta > 1.0f)) {
        if (m_frameInterpolation != afpNone) {
            MarkStructureChanged();
        }
        return;
    }
    if (TActorAnimation* pending = m_pendingSmoothAnimation) {
        m_pendingSmoothAnimation = nullptr;
        TComponentLink<TGLActor> self;
        self.Set(this);
        SelectAnimation(pending, false);
        if (!self.Get()) {
            return;
        }
    }
    const double d = std::min<double>(m_currentFrameDelta, kMaxFramesPerTick);
    const double whole = std::trunc(d);
    if (!Step(static_cast<int>(whole))) {
        return;
    }
    m_currentFrameDelta = static_cast<float>(d - whole);
    MarkStructureChanged();
}

void TGLActor::PrepareFrame() {
    if (m_reference != aarMorph || AvailableFrameCount() == 0) {
        return;
    }
    const int following = FollowingFrameIndex();
    for (const auto& object : MeshObjects()) {
        if (auto* morphable = dynamic_cast<TMorphableMeshObject*>(object.get())) {
            if (m_frameInterpolation == afpLinear) {
                morphable->BlendMorphTargets(m_currentFrame, following, m_currentFrameDelta);
            } else {
                morphable->ApplyMorphTarget(m_currentFrame);
            }
        }
    }
}

void TGLActor::DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) {
    if (drawSelf) {
        PrepareFrame();
    }
    TGLBaseMesh::DrawContents(rci, drawSelf, drawChildren);
}

std::unique_ptr<TGLBaseSceneObject> TGLActor::NewInstance() const {
    return std::make_unique<TGLActor>();
}

void TGLActor::DoCopyFrom(const TGLBaseSceneObject& source) {
    TGLBaseMesh::DoCopyFrom(source);
    const auto* actor = dynamic_cast<const TGLActor*>(&source);
    if (!actor) {
        return;
    }
    m_animations.CopyFrom(actor->m_animations);
    m_animationMode = actor->m_animationMode;
    const int frames = AvailableFrameCount();
    if (actor->m_startFrame < frames) {
        m_startFrame = actor->m_startFrame;
    }
    if (actor->m_endFrame < frames) {
        m_endFrame = actor->m_endFrame;
    }
    m_reference = actor->m_reference;
    if (actor->m_currentFrame < frames) {
        m_currentFrame = actor->m_currentFrame;
    }
    m_currentFrameDelta = actor->m_currentFrameDelta;
    m_frameInterpolation = actor->m_frameInterpolation;
    m_pendingSmoothAnimation =
        actor->m_pendingSmoothAnimation ? m_animations.FindName(actor->m_pendingSmoothAnimation->Name()) : nullptr;
    StructureChanged();
}

void TGLActor::MeshLoading() {
    m_animationsBeforeLoad = std::make_unique<TActorAnimations>(*this);
    m_animationsBeforeLoad->CopyFrom(m_animations);
    m_animations.Clear();
}

void TGLActor::MeshLoadFailed() {
    if (m_animationsBeforeLoad) {
        m_animations.CopyFrom(*m_animationsBeforeLoad);
        m_animationsBeforeLoad.reset();
    }
}

void TGLActor::MeshLoaded() {
    m_animationsBeforeLoad.reset();
    m_startFrame = 0;
    m_endFrame = std::max(0, AvailableFrameCount() - 1);
    m_currentFrame = 0;
    StructureChanged();
    Fire(OnFrameChanged);
}

}  // namespace engine
