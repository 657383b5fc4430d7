#include "engine/scene/dummy_cube.h"

#include "engine/core/set_and_notify.h"

#include <GL/gl.h>

#include <cmath>

namespace engine {

TGLDummyCube::TGLDummyCube() {
    SetObjectStyle(DrawDirect);
}

void TGLDummyCube::SetCubeSize(float size) {
    SetAndNotify(m_cubeSize, size, [this] { MarkStructureChanged(); });
}

void TGLDummyCube::SetEdgeColor(const TVec4& color) {
    SetAndNotify(m_edgeColor, color, [this] { MarkStructureChanged(); });
}

void TGLDummyCube::SetVisibleAtRunTime(bool visible) {
    SetAndNotify(m_visibleAtRunTime, visible, [this] { MarkStructureChanged(); });
}

void TGLDummyCube::SetAmalgamate(bool amalgamate) {
    SetAndNotify(m_amalgamate, amalgamate, [this] { MarkStructureChanged(); });
}

void TGLDummyCube::EmitGeometry(TRenderContextInfo& rci) {
    if (!m_visibleAtRunTime) {
        return;
    }
    // Unlit and untextured, so the edges show in EdgeColor; the lighting is put back after.
    const bool lit = rci.GLStates && rci.GLStates->IsEnabled(TGLState::stLighting);
    if (rci.GLStates) {
        rci.GLStates->Disable(TGLState::stLighting);
        rci.GLStates->Disable(TGLState::stTexture2D);
        rci.GLStates->SetColor(&m_edgeColor.X);
    } else {
        glColor4fv(&m_edgeColor.X);
    }
    const float h = m_cubeSize * 0.5f;
    glBegin(GL_LINES);
    for (int axis = 0; axis < 3; ++axis) {
        // The four edges along this axis, at the four combinations of the other two coordinates.
        for (int corner = 0; corner < 4; ++corner) {
            float from[3];
            float to[3];
            from[axis] = -h;
            to[axis] = h;
            from[(axis + 1) % 3] = to[(axis + 1) % 3] = corner & 1 ? h : -h;
            from[(axis + 2) % 3] = to[(axis + 2) % 3] = corner & 2 ? h : -h;
            glVertex3fv(from);
            glVertex3fv(to);
        }
    }
    glEnd();
    if (lit) {
        rci.GLStates->Enable(TGLState::stLighting);
    }
}

void TGLDummyCube::DrawContents(TRenderContextInfo& rci, bool drawSelf, bool drawChildren) {
    if (OnVisibilityDetermination && !OnVisibilityDetermination(this, rci)) {
        return;
    }
    if (m_amalgamate && drawSelf) {
        // The whole subtree goes into the cube's own list once; later changes below it are not
        // seen until the cube's structure changes.
        DrawThroughList(rci, [this, &rci] {
            EmitGeometry(rci);
            RenderChildRange(0, ChildCount() - 1, rci);
        });
        return;
    }
    TGLCameraInvariantObject::DrawContents(rci, drawSelf, drawChildren);
}

TVec4 TGLDummyCube::HalfExtents() const {
    const float half = std::fabs(m_cubeSize) * 0.5f;
    return TVec4{half, half, half, 0.0f};
}

bool TGLDummyCube::IntersectRay(const TVec4&, const TVec4&, TVec4*, TVec4*) const {
    return false;
}

TVec4 TGLDummyCube::SortPosition() const {
    const int count = ChildCount();
    if (count == 0) {
        return GetWorldPosition();
    }
    TVec4 sum{};
    for (int i = 0; i < count; ++i) {
        sum = sum + ChildAt(i)->SortPosition();
    }
    return sum * (1.0f / static_cast<float>(count));
}

std::unique_ptr<TGLBaseSceneObject> TGLDummyCube::NewInstance() const {
    return std::make_unique<TGLDummyCube>();
}

void TGLDummyCube::DoCopyFrom(const TGLBaseSceneObject& source) {
    if (const auto* cube = dynamic_cast<const TGLDummyCube*>(&source)) {
        m_cubeSize = cube->m_cubeSize;
        m_edgeColor = cube->m_edgeColor;
        m_visibleAtRunTime = cube->m_visibleAtRunTime;
        m_amalgamate = cube->m_amalgamate;
        OnVisibilityDetermination = cube->OnVisibilityDetermination;
    }
    TGLCameraInvariantObject::DoCopyFrom(source);
}

}  // namespace engine
