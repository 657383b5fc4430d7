#include "engine/viewer/non_visual_viewer.h"

#include <algorithm>

namespace engine {

TGLNonVisualViewer::TGLNonVisualViewer() {
    m_buffer.Resize(m_width, m_height);
    m_buffer.OnChange = [this](TGLRenderBuffer*) { BufferChanged(); };
    m_buffer.OnStructuralChange = [this](TGLRenderBuffer*) { BufferStructureChanged(); };
}

TGLNonVisualViewer::~TGLNonVisualViewer() {
    // The buffer outlives the subclass: it must not call back into it while it goes.
    m_buffer.OnChange = nullptr;
    m_buffer.OnStructuralChange = nullptr;
}

void TGLNonVisualViewer::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == m_width && height == m_height) {
        return;
    }
    m_width = width;
    m_height = height;
    m_buffer.Resize(width, height);
    SizeChanged();
}

}  // namespace engine
