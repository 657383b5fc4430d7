#pragma once

#include "engine/core/component.h"
#include "engine/mesh/base_mesh.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace engine {

class TGLActor;

enum TActorAnimationReference { aarMorph, aarSkeleton, aarNone };
enum TActorAnimationMode {
    aamNone,
    aamPlayOnce,
    aamLoop,
    aamBounceForward,
    aamBounceBackward,
    aamLoopBackward,
    aamExternal
};
enum TActorFrameInterpolation { afpNone, afpLinear };
// Bits of Options.
enum TActorOption : std::uint8_t { aoSkeletonNormalizeNormals = 1 };

class TActorAnimations;

// A named frame range of an actor.
class TActorAnimation {
public:
    explicit TActorAnimation(TActorAnimations& owner) : m_owner(&owner) {}
    TActorAnimation(const TActorAnimation&) = delete;
    TActorAnimation& operator=(const TActorAnimation&) = delete;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    // Both clamp to the owner's frames 0..count-1 and keep StartFrame <= EndFrame by moving the
    // other end along.
    int StartFrame() const { return m_startFrame; }
    void SetStartFrame(int frame);
    int EndFrame() const { return m_endFrame; }
    void SetEndFrame(int frame);
    TActorAnimationReference Reference() const { return m_reference; }
    void SetReference(TActorAnimationReference reference) { m_reference = reference; }

    int Index() const;
    // "index - name [start - end]".
    std::string DisplayName() const;

private:
    friend class TActorAnimations;
    int FrameCount() const;

    TActorAnimations* m_owner;
    std::string m_name;
    int m_startFrame = 0;
    int m_endFrame = 0;
    TActorAnimationReference m_reference = aarMorph;
};

// The ordered animations of an actor, which owns them.
class TActorAnimations {
public:
    explicit TActorAnimations(TGLActor& owner) : m_owner(&owner) {}
    TActorAnimations(const TActorAnimations&) = delete;
    TActorAnimations& operator=(const TActorAnimations&) = delete;

    TGLActor& Owner() const { return *m_owner; }
    TActorAnimation& Add();
    int Count() const { return static_cast<int>(m_items.size()); }
    TActorAnimation& operator[](int i) { return *m_items.at(static_cast<std::size_t>(i)); }
    const TActorAnimation& operator[](int i) const { return *m_items.at(static_cast<std::size_t>(i)); }
    int IndexOf(const TActorAnimation* animation) const;
    // Removing the actor's pending smooth-switch target clears it.
    void Delete(int index);
    void Clear();
    // Copies names, ranges and references as they are.
    void CopyFrom(const TActorAnimations& source);

    // The first animation of that name, compared case-insensitively, or none.
    TActorAnimation* FindName(const std::string& name) const;
    TActorAnimation* AnimationByName(const std::string& name) const { return FindName(name); }
    // The first animation whose range holds the frame and whose reference matches, or none.
    TActorAnimation* AnimationAtFrame(int frame, TActorAnimationReference reference) const;

private:
    TGLActor* m_owner;
    std::vector<std::unique_ptr<TActorAnimation>> m_items;
};

// A key-frame animated mesh: steps through the frames of its morph targets at Interval
// milliseconds a frame while the cadencer progresses it, and shows the blend of the current frame
// and the next.
class TGLActor : public TGLBaseMesh {
public:
    TGLActor();
    ~TGLActor() override;

    int StartFrame() const { return m_startFrame; }
    void SetStartFrame(int frame);
    int EndFrame() const { return m_endFrame; }
    void SetEndFrame(int frame);
    TActorAnimationReference Reference() const { return m_reference; }
    void SetReference(TActorAnimationReference reference);
    int CurrentFrame() const { return m_currentFrame; }
    void SetCurrentFrame(int frame);
    float CurrentFrameDelta() const { return m_currentFrameDelta; }
    void SetCurrentFrameDelta(float delta) { m_currentFrameDelta = delta; }
    TActorFrameInterpolation FrameInterpolation() const { return m_frameInterpolation; }
    void SetFrameInterpolation(TActorFrameInterpolation interpolation);
    // Written directly, without side effects.
    TActorAnimationMode AnimationMode() const { return m_animationMode; }
    void SetAnimationMode(TActorAnimationMode mode) { m_animationMode = mode; }
    int Interval() const { return m_interval; }
    void SetInterval(int milliseconds) { m_interval = milliseconds; }
    std::uint8_t Options() const { return m_options; }
    void SetOptions(std::uint8_t options) { m_options = options; }

    TActorAnimations& Animations() { return m_animations; }
    const TActorAnimations& Animations() const { return m_animations; }
    TActorAnimation* PendingSmoothAnimation() const { return m_pendingSmoothAnimation; }

    // The frames there are: for aarMorph the fewest morph targets of any morphable mesh object
    // (0 without one), for aarSkeleton the skeleton's (none here), for aarNone 0.
    int AvailableFrameCount() const;
    // Switches to the animation (a name matching none does nothing). With smooth the actor blends
    // towards its first frame during the next interval and switches then.
    void SelectAnimation(const std::string& name, bool smooth = false);
    void SelectAnimation(TActorAnimation* animation, bool smooth = false);
    // The name of the animation holding the current frame, or "".
    std::string ActiveAnimationName() const;
    int FollowingFrameIndex() const;
    void StepFrames(int count = 1);

    // Advances the animation by the tick after the inherited progress.
    void ProgressTree(const TProgressTimes& times) override;
    // Sets every morphable mesh object to the frame to show: the blend of the current and the
    // following frame by CurrentFrameDelta, or the current frame without interpolation.
    void PrepareFrame();

    void DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

    TNotifyEvent OnFrameChanged;
    TNotifyEvent OnEndFrameReached;
    TNotifyEvent OnStartFrameReached;

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;
    void MeshLoading() override;
    void MeshLoadFailed() override;
    void MeshLoaded() override;
    // The shown frame changes every tick: compiling it into a display list would only cost.
    bool DrawsDirect() const override { return true; }

private:
    friend class TActorAnimations;

    void AnimationProgress(double deltaTime);
    // The steps behind the setters; each answers false when an event handler destroyed the actor,
    // which then must not be touched again.
    bool ChangeCurrentFrame(int frame);
    bool Step(int count);
    bool Fire(const TNotifyEvent& event);

    int m_startFrame = 0;
    int m_endFrame = 0;
    TActorAnimationReference m_reference = aarMorph;
    int m_currentFrame = 0;
    float m_currentFrameDelta = 0.0f;
    TActorFrameInterpolation m_frameInterpolation = afpLinear;
    TActorAnimationMode m_animationMode = aamNone;
    int m_interval = 100;
    std::uint8_t m_options = aoSkeletonNormalizeNormals;
    TActorAnimations m_animations{*this};
    TActorAnimation* m_pendingSmoothAnimation = nullptr;
    std::unique_ptr<TActorAnimations> m_animationsBeforeLoad;
};

}  // namespace engine
