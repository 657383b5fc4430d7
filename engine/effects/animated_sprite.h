#pragma once

#include "engine/core/component.h"
#include "engine/effects/sprite_animation.h"
#include "engine/material/material_library.h"
#include "engine/scene/scene_object.h"

#include <functional>

namespace engine {

enum TSpriteAnimationMode { samNone, samPlayOnce, samLoop, samBounceForward, samBounceBackward, samLoopBackward };

// Notify events of the animated sprite; the sender is the sprite.
using TGLSpriteNotifyEvent = std::function<void(TComponent* sender)>;

// What one frame of an animation draws: texture coordinates and the quad's half size before the
// view-axis scaling. Without a usable material or frame: coordinates 0 and half size 0.5.
struct TSpriteFrameQuad {
    float uL = 0;
    float uR = 0;
    float vB = 0;
    float vT = 0;
    float halfWidth = 0.5f;
    float halfHeight = 0.5f;
};

// The quad of the animation's current frame in a W x H texture at pixelRatio texture pixels per
// unit; materialFound false keeps the defaults. Mirroring swaps the coordinates.
TSpriteFrameQuad SpriteFrameQuad(const TSpriteAnimation& animation, bool materialFound, int textureWidth,
                                 int textureHeight, float pixelRatio, bool mirrorU, bool mirrorV);

// The factor that scales eye space about the eye so that a sprite centred at `centre` (eye space)
// whose picture fits in a circle of `radius` there comes `radius` nearer along its line of sight: it
// covers the same pixels, and the depth test sees it in front of the geometry within its radius. It
// stays beyond the near clipping plane, and a sprite behind the eye is left where it is (1).
float DepthPullFactor(const TVec3& centre, float radius, float nearDistance);

// A camera-facing quad that shows the frames of its current animation one after another, each
// frame a rectangle of a library material's texture. Frames advance with the cadencer's ticks at
// the animation's (or the sprite's) interval, in the way AnimationMode says, with events at the
// range's ends and on every frame change.
class TGLAnimatedSprite : public TGLBaseSceneObject {
public:
    TGLAnimatedSprite();

    TSpriteAnimationList& Animations() { return m_animations; }
    const TSpriteAnimationList& Animations() const { return m_animations; }
    // Cleared when the library goes.
    TGLMaterialLibrary* MaterialLibrary() const { return m_materialLibrary.Get(); }
    void SetMaterialLibrary(TGLMaterialLibrary* library);
    // Milliseconds per frame for animations without their own.
    int Interval() const { return m_interval; }
    void SetInterval(int interval);
    float FrameRate() const;
    void SetFrameRate(float rate);
    // -1 = none. Choosing an animation puts it on its first frame (its last when playing backward).
    int AnimationIndex() const { return m_animationIndex; }
    void SetAnimationIndex(int index);
    // Stores the mode only; the frame is not reset.
    TSpriteAnimationMode AnimationMode() const { return m_animationMode; }
    void SetAnimationMode(TSpriteAnimationMode mode);
    // Texture pixels per unit; values <= 0 are ignored.
    float PixelRatio() const { return m_pixelRatio; }
    void SetPixelRatio(float ratio);
    // Degrees about the view axis.
    int Rotation() const { return m_rotation; }
    void SetRotation(int degrees);
    bool MirrorU() const { return m_mirrorU; }
    void SetMirrorU(bool mirror);
    bool MirrorV() const { return m_mirrorV; }
    void SetMirrorV(bool mirror);
    // Drawn pulled towards the eye by its radius for the depth test (DepthPullFactor), so that walls
    // and ground beside a big sprite do not cut it; it looks the same. Off by default.
    bool PulledTowardsEye() const { return m_pulledTowardsEye; }
    void SetPulledTowardsEye(bool pulled);
    // Frames owed to the next tick, as a fraction of one.
    double FrameTimer() const { return m_frameTimer; }

    TGLSpriteNotifyEvent OnFrameChanged;
    TGLSpriteNotifyEvent OnEndFrameReached;
    TGLSpriteNotifyEvent OnStartFrameReached;

    // The current animation, or null.
    TSpriteAnimation* CurrentAnimation() const { return m_animations.Find(m_animationIndex); }
    // One frame step as the ticks take it (events included).
    void NextFrame();

    // The inherited progress, then the frames the elapsed time is worth. Handlers may free the
    // sprite: stepping stops there.
    void ProgressTree(const TProgressTimes& times) override;
    void EmitGeometry(TRenderContextInfo& rci) override;
    std::unique_ptr<TGLBaseSceneObject> NewInstance() const override;

    // Called by the animations and frames when something shown changed.
    void AnimationChanged() { MarkStructureChanged(); }

protected:
    void DoCopyFrom(const TGLBaseSceneObject& source) override;

private:
    // Fires an event; answers whether the sprite survived it.
    bool Fire(const TGLSpriteNotifyEvent& event);
    void DrawFrame(TRenderContextInfo& rci, TSpriteAnimation& animation);

    TSpriteAnimationList m_animations{this};
    TComponentLink<TGLMaterialLibrary> m_materialLibrary;
    int m_interval = 100;
    int m_animationIndex = -1;
    TSpriteAnimationMode m_animationMode = samNone;
    float m_pixelRatio = 100.0f;
    int m_rotation = 0;
    bool m_mirrorU = false;
    bool m_mirrorV = false;
    bool m_pulledTowardsEye = false;
    double m_frameTimer = 0.0;
};

}  // namespace engine
