#pragma once

#include "engine/core/component.h"
#include "engine/core/progress_times.h"
#include "engine/scene/attached_buffer.h"
#include "engine/scene/root_object.h"
#include "engine/scene/scene_object.h"
#include "engine/scene/update_count.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace engine {

class TGLCamera;
class TGLObjectEffect;

namespace world_limits {
inline constexpr int MaxLights = 8;
}

// What the render buffer hands the scene for one frame. The projection and the camera's view are
// already loaded into OpenGL (the current matrix mode is the modelview).
struct TGLFrameSetup {
    TGLRenderBuffer* buffer = nullptr;
    TGLCamera* camera = nullptr;
    TGLStateCache* states = nullptr;
    int viewPortWidth = 0;
    int viewPortHeight = 0;
    int renderDPI = 96;
    TDrawState drawState = TDrawState::dsRendering;
    bool noColorBuffer = false;   // colour writes are masked and materials ignored
    bool bufferFaceCull = true;
    TGLBaseSceneObject* baseObject = nullptr;  // none: "ObjectRoot"
    std::function<void()> OnInitiateRendering;
    std::function<void()> OnWrapUpRendering;
};

// The scene: the object tree under "ObjectRoot" and "CameraRoot", the light table, the default
// sorting and culling of the render traversal, and the render buffers that show it.
class TGLWorld : public TComponent {
public:
    TGLWorld();
    ~TGLWorld() override;

    TGLRootObject& Objects() { return *m_objects; }
    TGLRootObject& Cameras() { return *m_cameras; }
    const TGLRootObject& Objects() const { return *m_objects; }
    const TGLRootObject& Cameras() const { return *m_cameras; }

    // One frame step: progresses "ObjectRoot", then "CameraRoot", then fires OnProgress.
    void AdvanceTime(double deltaTime, double newTime);
    TGLProgressEvent OnProgress;

    // osInherited stores osRenderBlendedLast; vcInherited stores vcNone.
    TGLObjectsSorting ObjectsSorting() const { return m_objectsSorting; }
    void SetObjectsSorting(TGLObjectsSorting sorting);
    TGLVisibilityCulling VisibilityCulling() const { return m_visibilityCulling; }
    void SetVisibilityCulling(TGLVisibilityCulling culling);

    void BeginUpdate() { m_updates.Begin(); }
    // The outermost end signals the change once.
    void EndUpdate();
    bool Updating() const { return m_updates.Updating(); }
    void BeginLoading() { m_loading = true; }
    void Loaded();
    // Forwards a change to every attached buffer unless updating, loading or being destroyed.
    void NotifyChange();

    // Attaching twice keeps one entry.
    void AttachBuffer(TGLAttachedBuffer& buffer);
    void DetachBuffer(TGLAttachedBuffer& buffer);
    int BufferCount() const { return static_cast<int>(m_buffers.size()); }
    // The buffer rendering this scene right now, if any.
    TGLAttachedBuffer* CurrentBuffer() const { return m_currentBuffer; }
    void SetCurrentBuffer(TGLAttachedBuffer* buffer) { m_currentBuffer = buffer; }

    // Draws one frame of the tree (with the after-render effects collected on the way) and leaves
    // the state the buffer expects afterwards: no blending or texturing, alpha test GREATER 0.
    void RenderFrame(const TGLFrameSetup& setup);
    // The render context RenderFrame hands down the tree, from the setup and the frame's modelview
    // (the camera's view) and projection matrices.
    TRenderContextInfo BuildRenderContext(const TGLFrameSetup& setup, const TMat4& modelView,
                                          const TMat4& projection);
    // Collected by the traversal; drawn after the whole tree.
    void AddAfterRenderEffect(TGLObjectEffect& effect) { m_afterRenderEffects.push_back(&effect); }
    // The material object being drawn at the moment (recorded by the traversal).
    TGLBaseSceneObject* CurrentRenderingObject() const { return m_currentRenderingObject; }
    void SetCurrentRenderingObject(TGLBaseSceneObject* object) { m_currentRenderingObject = object; }
    // Loads the light table into OpenGL lights 0..maxLights-1 under the camera's view (the current
    // modelview matrix); slots without a shining light are disabled.
    void LoadLights(int maxLights);

    // The light table. AddLight gives the first empty slot (-1 when all are taken, or the slot the
    // light already has); a light that dies leaves its slot by itself.
    int AddLight(TGLBaseSceneObject& light);
    void RemoveLight(TGLBaseSceneObject& light);
    TGLBaseSceneObject* Light(int slot) const;

private:
    std::array<TComponentLink<TGLBaseSceneObject>, world_limits::MaxLights> m_lights;
    std::vector<TGLAttachedBuffer*> m_buffers;
    std::vector<TGLObjectEffect*> m_afterRenderEffects;
    TMat4 m_frameModelView;
    TGLBaseSceneObject* m_currentRenderingObject = nullptr;
    TGLAttachedBuffer* m_currentBuffer = nullptr;
    TGLUpdateCount m_updates;
    bool m_loading = false;
    TGLObjectsSorting m_objectsSorting = osRenderBlendedLast;
    TGLVisibilityCulling m_visibilityCulling = vcNone;
    std::unique_ptr<TGLRootObject> m_objects;
    std::unique_ptr<TGLRootObject> m_cameras;
};

}  // namespace engine
