#include "engine/scene/world.h"

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
    if (m_objectsSorting != sorting) {
        m_objectsSorting = sorting;
        NotifyChange();
    }
}

void TGLWorld::SetVisibilityCulling(TGLVisibilityCulling culling) {
    if (culling == vcInherited) {
        culling = vcNone;
    }
    if (m_visibilityCulling != culling) {
        m_visibilityCulling = culling;
        NotifyChange();
    }
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

TGLBaseSceneObject* TGLWorld::Light(int slot) const {
    return slot >= 0 && slot < world_limits::MaxLights ? m_lights[slot].Get() : nullptr;
}

}  // namespace engine
