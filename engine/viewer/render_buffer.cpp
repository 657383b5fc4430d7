#include "engine/viewer/render_buffer.h"

#include "engine/render/gl_texture_name.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <sstream>
#include <string>

namespace engine {
namespace {

constexpr const char* kUnbalancedStack = "Unbalance Push/PopModelViewMatrix.";
constexpr const char* kDestroyWhileRendering = "The rendering context cannot be destroyed while a frame is drawn.";

bool HasGLExtension(const char* name) {
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!extensions) {
        return false;
    }
    std::istringstream words(extensions);
    std::string word;
    while (words >> word) {
        if (word == name) {
            return true;
        }
    }
    return false;
}

TMat4 CurrentMatrix(GLenum which) {
    // OpenGL's column-major array read as rows is the row-vector matrix the engine uses.
    TMat4 m;
    glGetFloatv(which, &m[0].X);
    return m;
}

void ToDoubles(const TMat4& m, GLdouble* out) {
    for (int i = 0; i < 16; ++i) {
        out[i] = m[i / 4][i % 4];
    }
}

// Pops the modelview stack back to its bottom entry and leaves the modelview matrix current, so the
// next frame starts balanced whatever the failed one left behind.
void RebalanceModelViewStack() {
    glMatrixMode(GL_MODELVIEW);
    GLint depth = 1;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    for (; depth > 1; --depth) {
        glPopMatrix();
    }
}

// Holds the buffer's rendering mark for the frame, also when the frame fails.
class TRenderingMark {
public:
    explicit TRenderingMark(bool& flag) : m_flag(flag) { m_flag = true; }
    ~TRenderingMark() { m_flag = false; }
    TRenderingMark(const TRenderingMark&) = delete;
    TRenderingMark& operator=(const TRenderingMark&) = delete;

private:
    bool& m_flag;
};

}  // namespace

TGLRenderBuffer::TGLRenderBuffer() {
    m_camera.SetOnFreed([this] { NotifyChange(); });
    m_ambientColor.OnChange = [this] { NotifyChange(); };
    m_fogEnvironment.OnChange = [this] { NotifyChange(); };
}

TGLRenderBuffer::~TGLRenderBuffer() {
    if (TGLWorld* scene = m_scene.Get()) {
        scene->DetachBuffer(*this);
    }
}

void TGLRenderBuffer::SetCamera(TGLCamera* camera) {
    if (m_camera.Get() != camera) {
        m_camera.Set(camera);
        NotifyChange();
    }
}

ContextRequest TGLRenderBuffer::RequestedPixelFormat() const {
    ContextRequest request;
    request.doubleBuffer = HasOption(roDoubleBuffer);
    request.stereo = HasOption(roStereo);
    request.colorBits = HasOption(roNoColorBuffer) ? 0 : ColorBits(m_colorDepth);
    request.depthBits = DepthBits(m_depthPrecision);
    request.stencilBits = HasOption(roStencilBuffer) ? 8 : 0;
    request.alphaBits = HasOption(roDestinationAlpha) ? 8 : 0;
    request.accumBits = m_accumBufferBits;
    request.samples = SampleCount(m_antiAliasing);
    return request;
}

void TGLRenderBuffer::CreateRC(TGLRenderTarget& target) {
    DestroyRC();
    target.MakeCurrent();
    BeginGLContextGeneration();
    GLint blueBits = 8;
    glGetIntegerv(GL_BLUE_BITS, &blueBits);
    GLint maxLights = 8;
    glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
    m_blueBits = blueBits;
    m_maxLights = maxLights;
    m_hasFogDistance = HasGLExtension("GL_NV_fog_distance");
    m_states.Resync();
    ApplyBaseState(BaseState(m_blueBits), m_states);
    const TVec4 background = ColorToRGBA(m_backgroundColor, 1.0f);
    glClearColor(background.X, background.Y, background.Z, background.W);
    m_target = &target;
}

void TGLRenderBuffer::DestroyRC() {
    if (!m_target) {
        return;
    }
    if (m_rendering) {
        throw EGLRenderBufferError(kDestroyWhileRendering);
    }
    m_target->MakeCurrent();
    if (TGLWorld* scene = m_scene.Get()) {
        scene->Objects().DropDisplayLists();
        scene->Cameras().DropDisplayLists();
    }
    m_states.Resync();
    m_target = nullptr;
}

void TGLRenderBuffer::Resize(int width, int height) {
    m_viewport.width = std::max(width, 1);
    m_viewport.height = std::max(height, 1);
}

TGLBaseState TGLRenderBuffer::BaseState(int blueBits) const {
    TGLBaseState state;
    state.ambient = m_ambientColor.Color();
    state.twoSideLighting = HasOption(roTwoSideLighting);
    state.depthTest = m_depthTest;
    state.faceCulling = m_faceCulling;
    state.lighting = m_lighting;
    state.fog = m_fogEnable;
    state.dither = blueBits < 8;
    state.shadeModel = m_shadeModel == smFlat ? GL_FLAT : GL_SMOOTH;
    return state;
}

void TGLRenderBuffer::RenderToScreen(TGLBaseSceneObject* base) {
    if (m_rendering || !m_target) {
        return;
    }
    const std::int64_t frameStart = m_clock->Counter();
    TGLCamera* camera = m_camera.Get();
    TGLWorld* scene = camera ? camera->Scene() : nullptr;
    if (scene) {
        camera->WorldTransform();
        RegisterWith(scene);
    }
    {
        TRenderingMark mark(m_rendering);
        m_target->MakeCurrent();
        m_statistics.FrameStarted(m_clock->Counter());
        try {
            DrawFrame(base, camera, scene);
        } catch (...) {
            RebalanceModelViewStack();
            if (scene) {
                scene->SetCurrentBuffer(nullptr);
            }
            // Whatever the failed frame switched is unknown to the cache now.
            m_states.Resync();
            throw;
        }
        m_statistics.FrameEnded(frameStart, m_clock->Counter(), m_clock->Frequency());
    }
    Fire(AfterRender);
}

void TGLRenderBuffer::DrawFrame(TGLBaseSceneObject* base, TGLCamera* camera, TGLWorld* scene) {
    ApplyBaseState(BaseState(m_blueBits), m_states);
    ClearBuffers();
    SetUpMatrices(camera);
    m_target->SetSwapInterval(m_vsync == vsmSync ? 1 : 0);
    Fire(BeforeRender);
    if (scene) {
        scene->LoadLights(m_maxLights);
    }
    if (m_fogEnable) {
        m_fogEnvironment.Apply(m_states, m_hasFogDistance);
    } else {
        m_states.Disable(TGLState::stFog);
    }
    if (scene) {
        TGLFrameSetup setup;
        setup.buffer = this;
        setup.camera = camera;
        setup.states = &m_states;
        setup.viewPortWidth = m_viewport.width;
        setup.viewPortHeight = m_viewport.height;
        setup.renderDPI = render_buffer::RenderDPI;
        setup.noColorBuffer = HasOption(roNoColorBuffer);
        setup.bufferFaceCull = m_faceCulling;
        setup.baseObject = base;
        setup.OnInitiateRendering = [this] { Fire(InitiateRendering); };
        setup.OnWrapUpRendering = [this] { Fire(WrapUpRendering); };
        scene->SetCurrentBuffer(this);
        scene->RenderFrame(setup);
        scene->SetCurrentBuffer(nullptr);
    }
    Fire(PostRender);
    CheckModelViewStack();
    if (!HasOption(roNoSwapBuffers)) {
        m_target->SwapBuffers();
    }
}

void TGLRenderBuffer::ClearBuffers() {
    const TVec4 background = ColorToRGBA(m_backgroundColor, m_backgroundAlpha);
    glClearColor(background.X, background.Y, background.Z, background.W);
    GLbitfield bits = GL_DEPTH_BUFFER_BIT;
    if (!HasOption(roNoColorBuffer) && !HasOption(roNoColorBufferClear)) {
        bits |= GL_COLOR_BUFFER_BIT;
    }
    if (HasOption(roStencilBuffer)) {
        bits |= GL_STENCIL_BUFFER_BIT;
    }
    glClear(bits);
}

void TGLRenderBuffer::SetUpMatrices(TGLCamera* camera) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    m_baseProjection = CurrentMatrix(GL_PROJECTION_MATRIX);
    if (camera) {
        camera->ApplyProjection(m_viewport, m_viewport.width, m_viewport.height, render_buffer::RenderDPI);
    }
    m_projection = CurrentMatrix(GL_PROJECTION_MATRIX);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (camera) {
        camera->ApplyView();
        m_cameraPosition = camera->GetWorldPosition();
    }
    m_modelView = CurrentMatrix(GL_MODELVIEW_MATRIX);
}

void TGLRenderBuffer::CheckModelViewStack() {
    GLint depth = 1;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    if (depth > 1) {
        throw EGLRenderBufferError(kUnbalancedStack);
    }
}

TVec3 TGLRenderBuffer::UnprojectPoint(float x, float y, float z) const {
    if (!m_camera) {
        return TVec3{x, y, z};
    }
    GLdouble modelView[16];
    GLdouble projection[16];
    ToDoubles(m_modelView, modelView);
    ToDoubles(m_projection, projection);
    const GLint viewport[4] = {m_viewport.left, m_viewport.top, m_viewport.width, m_viewport.height};
    GLdouble wx = 0;
    GLdouble wy = 0;
    GLdouble wz = 0;
    if (gluUnProject(x, y, z, modelView, projection, viewport, &wx, &wy, &wz) != GL_TRUE) {
        return TVec3{x, y, z};
    }
    return TVec3{static_cast<float>(wx), static_cast<float>(wy), static_cast<float>(wz)};
}

TVec3 TGLRenderBuffer::ScreenToWorldVector(float x, float y, float z) const {
    return UnprojectPoint(x, y, z) - Affine(m_cameraPosition);
}

void TGLRenderBuffer::SceneChanged(TGLWorld&) {
    NotifyChange();
}

void TGLRenderBuffer::SceneDestroying(TGLWorld& scene) {
    if (m_scene.Get() == &scene) {
        m_scene.Set(nullptr);
    }
}

void TGLRenderBuffer::NotifyChange() {
    if (!m_rendering) {
        Fire(OnChange);
    }
}

void TGLRenderBuffer::NotifyStructuralChange() {
    Fire(OnStructuralChange);
}

void TGLRenderBuffer::Fire(const TGLRenderBufferEvent& event) {
    if (event) {
        event(this);
    }
}

void TGLRenderBuffer::RegisterWith(TGLWorld* scene) {
    if (TGLWorld* previous = m_scene.Get(); previous && previous != scene) {
        previous->DetachBuffer(*this);
    }
    m_scene.Set(scene);
    scene->AttachBuffer(*this);
}

}  // namespace engine
