#pragma once

#include "engine/core/component.h"
#include "engine/scene/camera.h"
#include "engine/viewer/render_buffer.h"

namespace engine {

// A viewer without a window of its own: it owns the render buffer, names the camera, and keeps the
// logical size the buffer renders at. Subclasses show the buffer and hear of its changes.
class TGLNonVisualViewer : public TComponent {
public:
    TGLNonVisualViewer();
    ~TGLNonVisualViewer() override;

    TGLRenderBuffer& Buffer() { return m_buffer; }
    const TGLRenderBuffer& Buffer() const { return m_buffer; }
    // The buffer's camera; cleared when the camera dies.
    TGLCamera* Camera() const { return m_buffer.Camera(); }
    void SetCamera(TGLCamera* camera) { m_buffer.SetCamera(camera); }

    // Logical pixels; each side at least 1.
    int Width() const { return m_width; }
    void SetWidth(int width) { SetSize(width, m_height); }
    int Height() const { return m_height; }
    void SetHeight(int height) { SetSize(m_width, height); }

protected:
    // Something shown changed: the view is to be drawn again.
    virtual void BufferChanged() {}
    // The buffer needs another pixel format.
    virtual void BufferStructureChanged() {}
    // Width or Height changed (the buffer's viewport already follows).
    virtual void SizeChanged() {}

private:
    void SetSize(int width, int height);

    TGLRenderBuffer m_buffer;
    int m_width = 800;
    int m_height = 600;
};

}  // namespace engine
