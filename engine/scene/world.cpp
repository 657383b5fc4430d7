#include "engine/scene/world.h"

#include "engine/core/set_and_notify.h"
#include "engine/scene/camera.h"
#include "engine/scene/frustum.h"
#include "engine/scene/light_source.h"

#include <GL/gl.h>

#include <algorithm>

namespace engine {

TGLWorld::TGLWorld()
    : m_objects(std::make_unique<TGLRootObject>(this)), m_cameras(std::make_unique<TGLRootObject>(this)) {
    m_objects->SetName("ObjectRoot");
    m_cameras->SetName("CameraRoot");
}

TGLWorld::~TGLWorld() {
    NotifyFreed();
    // Buffers may still hold this scene; none is told of changes while the tree goes.
    const std::vector<TGLAttachedBuffer*> buffers = m_buffers;
    m_buffers.clear();
    m_currentBuffer = nullptr;
    for (TGLAttachedBuffer* buffer : buffers) {
        buffer->SceneDestroying(*this);
    }
    m_cameras.reset();
    m_objects.reset();
}

void TGLWorld::AdvanceTime(double deltaTime, double newTime) {
    const TProgressTimes times{deltaTime, newTime};
    m_objects->ProgressTree(times);
    m_cameras->ProgressTree(times);
    if (OnProgress) {
        OnProgress(this, deltaTime, newTime);
    }
}

void TGLWorld::SetObjectsSorting(TGLObjectsSorting sorting) {
    if (sorting == osInherited) {
        sorting = osRenderBlendedLast;
    }
    SetAndNotify(m_objectsSorting, sorting, [this] { NotifyChange(); });
}

void TGLWorld::SetVisibilityCulling(TGLVisibilityCulling culling) {
    if (culling == vcInherited) {
        culling = vcNone;
    }
    SetAndNotify(m_visibilityCulling, culling, [this] { NotifyChange(); });
}

void TGLWorld::EndUpdate() {
    if (m_updates.End()) {
        NotifyChange();
    }
}

void TGLWorld::Loaded() {
    m_loading = false;
    NotifyChange();
}

void TGLWorld::NotifyChange() {
    if (m_updates.Updating() || m_loading || Destroying()) {
        return;
    }
    // A buffer may detach itself while being told.
    const std::vector<TGLAttachedBuffer*> buffers = m_buffers;
    for (TGLAttachedBuffer* buffer : buffers) {
        if (std::find(m_buffers.begin(), m_buffers.end(), buffer) != m_buffers.end()) {
            buffer->SceneChanged(*this);
        }
    }
}

void TGLWorld::AttachBuffer(TGLAttachedBuffer& buffer) {
    if (std::find(m_buffers.begin(), m_buffers.end(), &buffer) == m_buffers.end()) {
        m_buffers.push_back(&buffer);
    }
}

void TGLWorld::DetachBuffer(TGLAttachedBuffer& buffer) {
    std::erase(m_buffers, &buffer);
    if (m_currentBuffer == &buffer) {
        m_currentBuffer = nullptr;
    }
}

int TGLWorld::AddLight(TGLBaseSceneObject& light) {
    int freeSlot = -1;
    for (int i = 0; i < world_limits::MaxLights; ++i) {
        if (m_lights[i].Get() == &light) {
            return i;
        }
        if (freeSlot < 0 && !m_lights[i]) {
            freeSlot = i;
        }
    }
    if (freeSlot >= 0) {
        m_lights[freeSlot].Set(&light);
    }
    return freeSlot;
}

void TGLWorld::RemoveLight(TGLBaseSceneObject& light) {
    for (auto& slot : m_lights) {
        if (slot.Get() == &light) {
            slot.Set(nullptr);
        }
    }
}

TRenderContextInfo TGLWorld::BuildRenderContext(const TGLFrameSetup& setup, const TMat4& modelView,
                                                const TMat4& projection) {
    m_frameModelView = modelView;
    TRenderContextInfo rci;
    rci.scene = this;
    rci.buffer = setup.buffer;
    rci.modelViewMatrix = &m_frameModelView;
    rci.viewPortWidth = setup.viewPortWidth;
    rci.viewPortHeight = setup.viewPortHeight;
    rci.renderDPI = setup.renderDPI;
    rci.drawState = setup.drawState;
    rci.objectsSorting = m_objectsSorting;
    rci.visibilityCulling = m_visibilityCulling;
    rci.GLStates = setup.states;
    rci.bufferFaceCull = setup.bufferFaceCull;
    rci.ignoreMaterials = setup.noColorBuffer || setup.drawState == TDrawState::dsPicking;
    if (const TGLCamera* camera = setup.camera) {
        rci.cameraPosition = camera->GetWorldPosition();
        rci.cameraDirection = Normalize(camera->LastViewDirection());
        const TVec4 right = Cross(rci.cameraDirection, camera->GetWorldUp());
        rci.cameraUp = Normalize(Cross(right, rci.cameraDirection));
        rci.rcci.viewPortRadius = camera->ViewRadiusFactor();
        rci.rcci.farClippingDistance = camera->NearDistance() + camera->DepthOfView();
    }
    const TFrustumPlanes planes = ExtractFrustumPlanes(modelView, projection);
    std::copy(planes.begin(), planes.end(), std::begin(rci.rcci.frustumPlanes));
    return rci;
}

void TGLWorld::RenderFrame(const TGLFrameSetup& setup) {
    m_afterRenderEffects.clear();
    // OpenGL's column-major arrays read as rows are the row-vector matrices the engine uses.
    TMat4 modelView;
    TMat4 projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, &modelView[0].X);
    glGetFloatv(GL_PROJECTION_MATRIX, &projection[0].X);
    TRenderContextInfo rci = BuildRenderContext(setup, modelView, projection);
    if (setup.noColorBuffer) {
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    }
    if (setup.OnInitiateRendering) {
        setup.OnInitiateRendering();
    }
    TGLBaseSceneObject& base = setup.baseObject ? *setup.baseObject : *m_objects;
    base.RenderNode(rci);
    m_currentRenderingObject = nullptr;
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    // Effects may add after-effects of their own while drawn: indexes stay valid.
    for (std::size_t i = 0; i < m_afterRenderEffects.size(); ++i) {
        m_afterRenderEffects[i]->Render(rci);
    }
    m_afterRenderEffects.clear();
    if (setup.OnWrapUpRendering) {
        setup.OnWrapUpRendering();
    }
    if (TGLStateCache* states = setup.states) {
        states->Disable(TGLState::stBlend);
        states->Disable(TGLState::stTexture2D);
        states->Disable(TGLState::stTextureRect);
        states->Enable(TGLState::stAlphaTest);
        states->SetAlphaFunc(GL_GREATER, 0.0f);
    }
}

void TGLWorld::LoadLights(int maxLights) {
    const int tableSlots = std::min(world_limits::MaxLights, maxLights);
    glPushMatrix();
    for (int i = 0; i < tableSlots; ++i) {
        const auto* light = dynamic_cast<const TGLLightSource*>(m_lights[i].Get());
        if (!light || !light->Shining()) {
            glDisable(GL_LIGHT0 + static_cast<GLenum>(i));
            continue;
        }
        // Each light is placed from the camera's view, not from the previous light's.
        glPopMatrix();
        glPushMatrix();
        light->LoadIntoGL();
    }
    glPopMatrix();
    for (int i = tableSlots; i < maxLights; ++i) {
        glDisable(GL_LIGHT0 + static_cast<GLenum>(i));
    }
}

TGLBaseSceneObject* TGLWorld::Light(int slot) const {
    return slot >= 0 && slot < world_limits::MaxLights ? m_lights[slot].Get() : nullptr;
}

}  // namespace engine
