#pragma once

#include "engine/core/component.h"
#include "engine/core/set_and_notify.h"
#include "engine/core/vector_math.h"
#include "engine/material/color.h"
#include "engine/render/gl_state_cache.h"
#include "engine/platform/screen_window.h"
#include "engine/scene/attached_buffer.h"
#include "engine/scene/camera.h"
#include "engine/scene/world.h"
#include "engine/viewer/base_state.h"
#include "engine/viewer/buffer_settings.h"
#include "engine/viewer/fog_environment.h"
#include "engine/viewer/frame_statistics.h"
#include "engine/viewer/performance_clock.h"
#include "engine/viewer/render_target.h"

#include <functional>
#include <stdexcept>

namespace engine {

class TGLRenderBuffer;
using TGLRenderBufferEvent = std::function<void(TGLRenderBuffer* sender)>;

// Failures of a frame ("Unbalance Push/PopModelViewMatrix.") and misuse of the buffer.
class EGLRenderBufferError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace render_buffer {
inline constexpr int RenderDPI = 96;
}

// Renders the camera's scene into a render target, one frame per RenderToScreen: base state, clear,
// projection and view, lights, fog, the scene's traversal, swap, and the frame-rate count. It hears
// of the scene's changes and passes them on (OnChange) unless it is drawing at the time, so a frame
// never causes another. Settings that need a new pixel format report OnStructuralChange instead.
class TGLRenderBuffer final : public TGLAttachedBuffer {
public:
    TGLRenderBuffer();
    ~TGLRenderBuffer();
    TGLRenderBuffer(const TGLRenderBuffer&) = delete;
    TGLRenderBuffer& operator=(const TGLRenderBuffer&) = delete;

    // --- settings (the pixel-format ones are structural) ---
    TContextOptions ContextOptions() const { return m_contextOptions; }
    void SetContextOptions(TContextOptions options) {
        SetAndNotify(m_contextOptions, options, [this] { NotifyStructuralChange(); });
    }
    bool HasOption(TContextOption option) const { return (m_contextOptions & option) != 0; }
    TColor BackgroundColor() const { return m_backgroundColor; }
    void SetBackgroundColor(TColor color) { SetAndNotify(m_backgroundColor, color, [this] { NotifyChange(); }); }
    float BackgroundAlpha() const { return m_backgroundAlpha; }
    void SetBackgroundAlpha(float alpha) { SetAndNotify(m_backgroundAlpha, alpha, [this] { NotifyChange(); }); }
    TGLColor& AmbientColor() { return m_ambientColor; }
    const TGLColor& AmbientColor() const { return m_ambientColor; }
    bool DepthTest() const { return m_depthTest; }
    void SetDepthTest(bool enabled) { SetAndNotify(m_depthTest, enabled, [this] { NotifyChange(); }); }
    bool FaceCulling() const { return m_faceCulling; }
    void SetFaceCulling(bool enabled) { SetAndNotify(m_faceCulling, enabled, [this] { NotifyChange(); }); }
    bool Lighting() const { return m_lighting; }
    void SetLighting(bool enabled) { SetAndNotify(m_lighting, enabled, [this] { NotifyChange(); }); }
    bool FogEnable() const { return m_fogEnable; }
    void SetFogEnable(bool enabled) { SetAndNotify(m_fogEnable, enabled, [this] { NotifyChange(); }); }
    TGLFogEnvironment& FogEnvironment() { return m_fogEnvironment; }
    const TGLFogEnvironment& FogEnvironment() const { return m_fogEnvironment; }
    TDepthPrecision DepthPrecision() const { return m_depthPrecision; }
    void SetDepthPrecision(TDepthPrecision precision) {
        SetAndNotify(m_depthPrecision, precision, [this] { NotifyStructuralChange(); });
    }
    TColorDepth ColorDepth() const { return m_colorDepth; }
    void SetColorDepth(TColorDepth depth) { SetAndNotify(m_colorDepth, depth, [this] { NotifyStructuralChange(); }); }
    TAntiAliasing AntiAliasing() const { return m_antiAliasing; }
    void SetAntiAliasing(TAntiAliasing antiAliasing) {
        SetAndNotify(m_antiAliasing, antiAliasing, [this] { NotifyStructuralChange(); });
    }
    int AccumBufferBits() const { return m_accumBufferBits; }
    void SetAccumBufferBits(int bits) { SetAndNotify(m_accumBufferBits, bits, [this] { NotifyStructuralChange(); }); }
    TShadeModel ShadeModel() const { return m_shadeModel; }
    void SetShadeModel(TShadeModel model) { SetAndNotify(m_shadeModel, model, [this] { NotifyChange(); }); }
    // Applied at every frame; changes nothing that is shown.
    TVSyncMode VSync() const { return m_vsync; }
    void SetVSync(TVSyncMode mode) { m_vsync = mode; }

    // The viewpoint; cleared (and the view invalidated) when the camera dies.
    TGLCamera* Camera() const { return m_camera.Get(); }
    void SetCamera(TGLCamera* camera);

    // --- context ---
    // The pixel format these settings ask of the screen's context.
    ContextRequest RequestedPixelFormat() const;
    // Renders into target from now on (a previous target is let go first). Reads what the
    // context offers, then sets the base state and the clear colour.
    void CreateRC(TGLRenderTarget& target);
    // Lets the target go; the scene's display lists, which belong to its context, are freed first.
    // Refused (EGLRenderBufferError) while a frame is being drawn.
    void DestroyRC();
    bool HasRC() const { return m_target != nullptr; }
    // The logical viewport; each side at least 1.
    void Resize(int width, int height);
    const TGLViewport& Viewport() const { return m_viewport; }

    // --- frames ---
    // One frame of base (none: the scene's whole object tree). Nothing happens while a frame is
    // being drawn or without a context.
    void RenderToScreen(TGLBaseSceneObject* base = nullptr);
    bool Rendering() const { return m_rendering; }
    // What the frame's base state is for a colour buffer with blueBits of blue.
    TGLBaseState BaseState(int blueBits) const;
    TGLStateCache& States() { return m_states; }
    // The scene the buffer registered with at its last frame.
    TGLWorld* Scene() const { return m_scene.Get(); }

    // Of the last frame: the projection before the camera's, the projection and modelview after it,
    // and the camera's world position.
    const TMat4& BaseProjectionMatrix() const { return m_baseProjection; }
    const TMat4& ProjectionMatrix() const { return m_projection; }
    const TMat4& ModelViewMatrix() const { return m_modelView; }
    const TVec4& CameraPosition() const { return m_cameraPosition; }

    // The world point under viewport pixel (x, y), y counted up from the bottom edge, at depth z
    // (0 the near plane, 1 the far plane), through the last frame's matrices; without a camera
    // (or with matrices that cannot be inverted) the input itself.
    TVec3 UnprojectPoint(float x, float y, float z) const;
    // From the eye of the last frame through that point; not normalised.
    TVec3 ScreenToWorldVector(float x, float y, float z) const;

    float MeasuredFps() const { return m_statistics.MeasuredFps(); }
    void ResetFpsCounter() { m_statistics.Reset(); }
    std::int64_t FrameCount() const { return m_statistics.FrameCount(); }
    // Seconds.
    double LastFrameDuration() const { return m_statistics.LastFrameDuration(); }
    // The clock frames are timed with; it must outlive the buffer.
    void SetPerformanceClock(TPerformanceClock& clock) { m_clock = &clock; }

    TGLRenderBufferEvent BeforeRender;
    TGLRenderBufferEvent PostRender;
    TGLRenderBufferEvent AfterRender;
    TGLRenderBufferEvent InitiateRendering;
    TGLRenderBufferEvent WrapUpRendering;
    // Something shown changed (not raised while rendering).
    TGLRenderBufferEvent OnChange;
    // The pixel format must change: the context is to be made again.
    TGLRenderBufferEvent OnStructuralChange;

    // TGLAttachedBuffer
    void SceneChanged(TGLWorld& scene) override;
    void SceneDestroying(TGLWorld& scene) override;

private:
    void NotifyChange();
    void NotifyStructuralChange();
    void Fire(const TGLRenderBufferEvent& event);
    void RegisterWith(TGLWorld* scene);
    void DrawFrame(TGLBaseSceneObject* base, TGLCamera* camera, TGLWorld* scene);
    void ClearBuffers();
    void SetUpMatrices(TGLCamera* camera);
    void CheckModelViewStack();

    TContextOptions m_contextOptions = roDoubleBuffer | roRenderToWindow;
    TColor m_backgroundColor = colors::clBtnFace;
    float m_backgroundAlpha = 1.0f;
    TGLColor m_ambientColor{0.2f, 0.2f, 0.2f, 1.0f};
    bool m_depthTest = true;
    bool m_faceCulling = true;
    bool m_lighting = true;
    bool m_fogEnable = false;
    TGLFogEnvironment m_fogEnvironment;
    TDepthPrecision m_depthPrecision = dpDefault;
    TColorDepth m_colorDepth = cdDefault;
    TAntiAliasing m_antiAliasing = aaDefault;
    int m_accumBufferBits = 0;
    TShadeModel m_shadeModel = smDefault;
    TVSyncMode m_vsync = vsmSync;

    TComponentLink<TGLCamera> m_camera;
    TComponentLink<TGLWorld> m_scene;
    TGLRenderTarget* m_target = nullptr;
    TGLViewport m_viewport{0, 0, 1, 1};
    bool m_rendering = false;
    // What the context offers, read when it is created.
    int m_blueBits = 8;
    int m_maxLights = 8;
    bool m_hasFogDistance = false;

    TGLStateCache m_states;
    TMat4 m_baseProjection;
    TMat4 m_projection;
    TMat4 m_modelView;
    TVec4 m_cameraPosition = NullPoint;
    TFrameStatistics m_statistics;
    TPerformanceClock* m_clock = &SteadyPerformanceClock();
};

}  // namespace engine
